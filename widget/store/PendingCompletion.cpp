#include "widget/store/PendingCompletion.h"

#include <ostream>

namespace tandry {

std::ostream& operator<<(std::ostream& out, const PendingCompletion& completion) {
    return out << "PendingCompletion{" << completion.id << ", task " << completion.taskID << ", at "
               << completion.requestedAt << "}";
}

} // namespace tandry
