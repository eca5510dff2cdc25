#pragma once

#include <string>

namespace CLI {
class App;
}

namespace tandry {

// `tandry-widget reload [KIND]`: asks the running desktop host to reload the
// timelines of every widget of KIND (default: the ready widget). With no host
// running nothing happens and nothing is reported. A KIND that is not UTF-8
// text is a usage error and nothing is sent.
class ReloadCommand {
public:
    // Adds the subcommand to `app`; the value lands here, so the command must
    // outlive the parse.
    explicit ReloadCommand(CLI::App& app);

    bool parsed() const;

    // Sends the request and prints "{}".
    int run() const;

private:
    CLI::App* command_ = nullptr;
    std::string kind_;
};

} // namespace tandry
