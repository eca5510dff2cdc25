#pragma once

#include <filesystem>
#include <map>
#include <optional>
#include <string>
#include <sys/types.h>
#include <vector>

namespace tandry::testing {

// A program running beside the test, its standard output and error going to
// `log`. Stopped (SIGTERM, then waited for) when the value goes away.
class ChildProcess {
public:
    ChildProcess(const std::vector<std::string>& arguments,
                 const std::map<std::string, std::optional<std::string>>& environment,
                 const std::filesystem::path& log);
    ~ChildProcess();
    ChildProcess(const ChildProcess&) = delete;
    ChildProcess& operator=(const ChildProcess&) = delete;

    pid_t pid() const { return pid_; }

    // Whether it is still running.
    bool running();

    // Sends SIGTERM and waits; the exit status, or -1 when it died of a signal.
    int stop();

private:
    pid_t pid_ = -1;
    std::optional<int> status_;
};

} // namespace tandry::testing
