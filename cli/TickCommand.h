#pragma once

#include <filesystem>
#include <optional>
#include <string>

namespace CLI {
class App;
}

namespace tandry {

// `tandry-widget tick TASK-ID`: the out-of-process intent host. Runs the tick
// intent's perform step for the parameter text, exactly as a press of the
// row's button does. A tick that cannot be parked is logged as the intent
// logs it and also reported on standard error, and the command exits 1, so
// that a script can tell; so does a tick without a shared container, which
// parks nothing. Text that is no task id does nothing and exits 0.
class TickCommand {
public:
    // Adds the subcommand to `app`; the value lands here, so the command must
    // outlive the parse.
    explicit TickCommand(CLI::App& app);

    bool parsed() const;

    // Performs the intent with the shared container at `container` (where it
    // is or would be) and prints its empty result, "{}", or reports the tick
    // that could not be parked.
    int run(const std::optional<std::filesystem::path>& container) const;

private:
    CLI::App* command_ = nullptr;
    std::string taskID_;
};

} // namespace tandry
