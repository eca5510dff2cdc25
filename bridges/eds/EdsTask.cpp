#include "bridges/eds/EdsTask.h"

#include <ostream>

namespace tandry {

std::ostream& operator<<(std::ostream& out, const EdsTask& task) {
    static constexpr const char* progress[] = {"open", "completed", "cancelled"};
    return out << "{" << task.cardId << " " << task.uid << " \"" << task.summary << "\" "
               << progress[static_cast<int>(task.progress)] << " priority " << task.priority
               << (task.start ? " with start" : "") << (task.due ? " with due" : "") << "}";
}

} // namespace tandry
