#include "bridges/taskwarrior/TaskCommand.h"

#include "platform/GLibOwnership.h"

#include <array>
#include <cerrno>
#include <csignal>
#include <fmt/format.h>
#include <glib.h>
#include <poll.h>
#include <sys/wait.h>
#include <unistd.h>

namespace tandry {
namespace {

// Settings that make the output what the bridge reads, whatever the user's
// TASKRC says; hooks and everything else stay as the user has them.
constexpr std::array fixedSettings{"rc.confirmation=off", "rc.verbose=nothing", "rc.json.array=1",
                                   "rc.color=off"};

// One pipe end, closed with its owner.
class PipeEnd {
public:
    explicit PipeEnd(int descriptor) : descriptor_(descriptor) {}
    ~PipeEnd() { close(); }
    PipeEnd(const PipeEnd&) = delete;
    PipeEnd& operator=(const PipeEnd&) = delete;

    int get() const { return descriptor_; }
    void close() {
        if (descriptor_ >= 0) {
            ::close(descriptor_);
            descriptor_ = -1;
        }
    }

private:
    int descriptor_;
};

std::vector<std::string> environmentStrings(const Environment& environment) {
    std::vector<std::string> strings;
    for (const auto& [name, value] : environment.variables()) {
        strings.push_back(name + "=" + value);
    }
    return strings;
}

std::vector<char*> pointersTo(std::vector<std::string>& strings) {
    std::vector<char*> pointers;
    for (std::string& text : strings) {
        pointers.push_back(text.data());
    }
    pointers.push_back(nullptr);
    return pointers;
}

// Reads both output pipes to their end, or until `deadline`; false when the
// deadline came first.
bool readUntilClosed(PipeEnd& output, PipeEnd& error, TaskOutput& result,
                     std::chrono::steady_clock::time_point deadline) {
    std::array<char, 65536> buffer{};
    while (output.get() >= 0 || error.get() >= 0) {
        std::array<pollfd, 2> watched{pollfd{output.get(), POLLIN, 0},
                                      pollfd{error.get(), POLLIN, 0}};
        const auto left = std::chrono::duration_cast<std::chrono::milliseconds>(
            deadline - std::chrono::steady_clock::now());
        if (left.count() <= 0) {
            return false;
        }
        const int ready = ::poll(watched.data(), watched.size(), static_cast<int>(left.count()));
        if (ready < 0 && errno == EINTR) {
            continue;
        }
        if (ready <= 0) {
            return false;
        }
        for (std::size_t i = 0; i < watched.size(); ++i) {
            if (watched[i].fd < 0 || watched[i].revents == 0) {
                continue;
            }
            PipeEnd& end = i == 0 ? output : error;
            std::string& text = i == 0 ? result.standardOutput : result.standardError;
            const ssize_t count = ::read(end.get(), buffer.data(), buffer.size());
            if (count > 0) {
                text.append(buffer.data(), static_cast<std::size_t>(count));
            } else if (count == 0 || errno != EINTR) {
                end.close();
            }
        }
    }
    return true;
}

} // namespace

TaskCommand::TaskCommand(Environment environment, std::chrono::milliseconds timeout)
    : environment_(std::move(environment)), timeout_(timeout) {}

Result<TaskOutput> TaskCommand::run(const std::vector<std::string>& arguments) const {
    // 1. The command line: task, the fixed settings, then the caller's words.
    std::vector<std::string> words{"task"};
    words.insert(words.end(), fixedSettings.begin(), fixedSettings.end());
    words.insert(words.end(), arguments.begin(), arguments.end());
    std::vector<char*> argv = pointersTo(words);
    std::vector<std::string> environmentText = environmentStrings(environment_);
    std::vector<char*> envp = pointersTo(environmentText);

    // 2. Start it with its input closed, so that a prompt cannot wait for an
    //    answer, and its outputs on pipes.
    GPid child = 0;
    int outputDescriptor = -1;
    int errorDescriptor = -1;
    GErrorPtr error;
    const auto flags = static_cast<GSpawnFlags>(
        G_SPAWN_SEARCH_PATH_FROM_ENVP | G_SPAWN_DO_NOT_REAP_CHILD | G_SPAWN_STDIN_FROM_DEV_NULL);
    if (!g_spawn_async_with_pipes(nullptr, argv.data(), envp.data(), flags, nullptr, nullptr,
                                  &child, nullptr, &outputDescriptor, &errorDescriptor,
                                  out(error))) {
        return fail(fmt::format("cannot run task: {}", error->message));
    }
    PipeEnd output(outputDescriptor);
    PipeEnd errorOutput(errorDescriptor);

    // 3. Collect what it prints; stop it when it outlives the timeout.
    TaskOutput result;
    const bool finished =
        readUntilClosed(output, errorOutput, result, std::chrono::steady_clock::now() + timeout_);
    if (!finished) {
        ::kill(child, SIGKILL);
    }
    int status = 0;
    while (::waitpid(child, &status, 0) < 0 && errno == EINTR) {
    }
    g_spawn_close_pid(child);
    if (!finished) {
        return fail(fmt::format("task did not finish within {} s (is another task holding its "
                                "lock?)",
                                std::chrono::duration<double>(timeout_).count()));
    }
    if (WIFSIGNALED(status)) {
        return fail(fmt::format("task was ended by signal {}", WTERMSIG(status)));
    }
    result.exitStatus = WEXITSTATUS(status);
    return result;
}

} // namespace tandry
