#include "bridges/TaskStore.h"

#include <ostream>

namespace tandry {

std::ostream& operator<<(std::ostream& out, CompletionOutcome outcome) {
    switch (outcome) {
    case CompletionOutcome::completed:
        return out << "completed";
    case CompletionOutcome::alreadyFinished:
        return out << "alreadyFinished";
    case CompletionOutcome::unknownTask:
        return out << "unknownTask";
    }
    return out << "CompletionOutcome(" << static_cast<int>(outcome) << ")";
}

} // namespace tandry
