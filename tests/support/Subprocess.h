#pragma once

#include <filesystem>
#include <map>
#include <optional>
#include <string>
#include <vector>

typedef struct _GSubprocess GSubprocess;

namespace tandry::testing {

// Changes to the test's own environment for a child: a value sets the
// variable, nullopt removes it, and every other variable is passed on.
using EnvironmentChanges = std::map<std::string, std::optional<std::string>>;

struct CommandResult {
    int exitStatus = -1;
    std::string standardOutput;
    std::string standardError;
};

// A program started from the test through GLib. Its output is captured for
// `wait`, or, with a log file, both streams go there while it runs beside
// the test. Stopped (SIGTERM, then waited for) when the value goes away.
class Subprocess {
public:
    struct Options {
        EnvironmentChanges environment;
        // Empty: the output is captured.
        std::filesystem::path log;
    };

    // Throws std::runtime_error when the program cannot be started.
    explicit Subprocess(const std::vector<std::string>& arguments, const Options& options = {});
    ~Subprocess();
    Subprocess(const Subprocess&) = delete;
    Subprocess& operator=(const Subprocess&) = delete;

    // Waits for the program to end: its exit status (128 plus the signal's
    // number when a signal ended it) and what it wrote.
    CommandResult wait();

    // Sends SIGTERM and waits; the exit status, or -1 when it died of a signal.
    int stop();

private:
    GSubprocess* process_ = nullptr;
};

// Runs a program to completion with the test's environment changed by
// `environment`, capturing both output streams.
CommandResult runCommand(const std::vector<std::string>& arguments,
                         const EnvironmentChanges& environment = {});

} // namespace tandry::testing
