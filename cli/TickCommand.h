#pragma once

#include <string>

namespace CLI {
class App;
}

namespace tandry {

// `tandry-widget tick TASK-ID`: the out-of-process intent host. Runs the tick
// intent's perform step for the parameter text, exactly as a press of the
// row's button does, and exits 0 as the intent does, whatever happened; a
// failed park shows up in the system log.
class TickCommand {
public:
    // Adds the subcommand to `app`; the value lands here, so the command must
    // outlive the parse.
    explicit TickCommand(CLI::App& app);

    bool parsed() const;

    // Performs the intent and prints its empty result, "{}".
    int run() const;

private:
    CLI::App* command_ = nullptr;
    std::string taskID_;
};

} // namespace tandry
