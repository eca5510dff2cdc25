#pragma once

#include "widget/system/Instant.h"

#include <string>

namespace tandry {

// Writes a task's due date as the abbreviated month and the day of the month
// ("Mar 5", "5. März", "3月5日"). The task rows take it as an argument, so
// that they can be built and tested without the user's locale.
class DueDateFormat {
public:
    virtual ~DueDateFormat() = default;

    virtual std::string format(Instant date) const = 0;
};

} // namespace tandry
