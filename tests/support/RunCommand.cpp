#include "tests/support/RunCommand.h"

#include <cstdlib>
#include <fcntl.h>
#include <poll.h>
#include <stdexcept>
#include <sys/wait.h>
#include <unistd.h>

extern char** environ;

namespace tandry::testing {

std::vector<std::string>
changedEnvironment(const std::map<std::string, std::optional<std::string>>& changes) {
    std::vector<std::string> result;
    for (char** variable = environ; *variable; ++variable) {
        std::string entry(*variable);
        auto name = entry.substr(0, entry.find('='));
        if (!changes.contains(name)) {
            result.push_back(entry);
        }
    }
    for (const auto& [name, value] : changes) {
        if (value) {
            result.push_back(name + "=" + *value);
        }
    }
    return result;
}

std::vector<char*> execArray(const std::vector<std::string>& strings) {
    std::vector<char*> array;
    array.reserve(strings.size() + 1);
    for (const std::string& string : strings) {
        // exec takes char* but never writes through it.
        array.push_back(const_cast<char*>(string.c_str()));
    }
    array.push_back(nullptr);
    return array;
}

CommandResult runCommand(const std::vector<std::string>& arguments,
                         const std::map<std::string, std::optional<std::string>>& environment) {
    const std::vector<std::string> variables = changedEnvironment(environment);
    const std::vector<char*> argv = execArray(arguments);
    const std::vector<char*> envp = execArray(variables);

    int out[2];
    int err[2];
    if (::pipe2(out, O_CLOEXEC) != 0 || ::pipe2(err, O_CLOEXEC) != 0) {
        throw std::runtime_error("pipe failed");
    }
    pid_t child = ::fork();
    if (child == 0) {
        ::dup2(out[1], STDOUT_FILENO);
        ::dup2(err[1], STDERR_FILENO);
        ::execve(argv[0], argv.data(), envp.data());
        ::_exit(127);
    }
    ::close(out[1]);
    ::close(err[1]);

    CommandResult result;
    pollfd streams[2] = {{out[0], POLLIN, 0}, {err[0], POLLIN, 0}};
    std::string* sinks[2] = {&result.standardOutput, &result.standardError};
    int open = 2;
    while (open > 0) {
        if (::poll(streams, 2, -1) < 0) {
            continue;
        }
        for (int i = 0; i < 2; ++i) {
            if (streams[i].fd >= 0 && streams[i].revents != 0) {
                char buffer[4096];
                ssize_t got = ::read(streams[i].fd, buffer, sizeof buffer);
                if (got > 0) {
                    sinks[i]->append(buffer, static_cast<std::size_t>(got));
                } else {
                    ::close(streams[i].fd);
                    streams[i].fd = -1;
                    --open;
                }
            }
        }
    }
    int status = 0;
    ::waitpid(child, &status, 0);
    result.exitStatus = WIFEXITED(status) ? WEXITSTATUS(status) : 128 + WTERMSIG(status);
    return result;
}

} // namespace tandry::testing
