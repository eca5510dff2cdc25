#pragma once

#include <string_view>

namespace tandry {

// The system log as the widget uses it: error entries only. The journal in
// production, a recording fake in tests. Safe to use from any thread.
class SystemLog {
public:
    virtual ~SystemLog() = default;

    // Whether an error entry written now would be kept; callers skip building
    // the message when it would not.
    virtual bool acceptsErrors() const = 0;

    // Writes one entry at error severity. `message` is shown as it is: it is
    // never read as a format.
    virtual void error(std::string_view message) = 0;
};

} // namespace tandry
