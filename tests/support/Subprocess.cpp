#include "tests/support/Subprocess.h"

#include <csignal>
#include <gio/gio.h>
#include <stdexcept>

namespace tandry::testing {
namespace {

std::string takeText(GBytes* bytes) {
    gsize size = 0;
    const auto* data = static_cast<const char*>(g_bytes_get_data(bytes, &size));
    std::string text = size == 0 ? std::string() : std::string(data, size);
    g_bytes_unref(bytes);
    return text;
}

} // namespace

Subprocess::Subprocess(const std::vector<std::string>& arguments, const Options& options) {
    // 1. The launcher starts from the test's environment, then applies the changes.
    GSubprocessLauncher* launcher = g_subprocess_launcher_new(
        options.log.empty()
            ? GSubprocessFlags(G_SUBPROCESS_FLAGS_STDOUT_PIPE | G_SUBPROCESS_FLAGS_STDERR_PIPE)
            : G_SUBPROCESS_FLAGS_STDERR_MERGE);
    for (const auto& [name, value] : options.environment) {
        if (value) {
            g_subprocess_launcher_setenv(launcher, name.c_str(), value->c_str(), TRUE);
        } else {
            g_subprocess_launcher_unsetenv(launcher, name.c_str());
        }
    }
    if (!options.log.empty()) {
        g_subprocess_launcher_set_stdout_file_path(launcher, options.log.c_str());
    }

    // 2. The program, found as given (a path or a name on PATH).
    std::vector<const char*> argv;
    for (const std::string& argument : arguments) {
        argv.push_back(argument.c_str());
    }
    argv.push_back(nullptr);
    GError* error = nullptr;
    process_ = g_subprocess_launcher_spawnv(launcher, argv.data(), &error);
    g_object_unref(launcher);
    if (process_ == nullptr) {
        const std::string message = error->message;
        g_error_free(error);
        throw std::runtime_error("cannot start " + arguments.front() + ": " + message);
    }
}

Subprocess::~Subprocess() {
    stop();
    g_object_unref(process_);
}

CommandResult Subprocess::wait() {
    CommandResult result;
    GBytes* output = nullptr;
    GBytes* errors = nullptr;
    GError* error = nullptr;
    if (!g_subprocess_communicate(process_, nullptr, nullptr, &output, &errors, &error)) {
        result.standardError = error->message;
        g_error_free(error);
        return result;
    }
    result.standardOutput = takeText(output);
    result.standardError = takeText(errors);
    result.exitStatus = g_subprocess_get_if_exited(process_)
                            ? g_subprocess_get_exit_status(process_)
                            : 128 + g_subprocess_get_term_sig(process_);
    return result;
}

int Subprocess::stop() {
    // Sending a signal to a program already reaped does nothing.
    g_subprocess_send_signal(process_, SIGTERM);
    g_subprocess_wait(process_, nullptr, nullptr);
    return g_subprocess_get_if_exited(process_) ? g_subprocess_get_exit_status(process_) : -1;
}

CommandResult runCommand(const std::vector<std::string>& arguments,
                         const EnvironmentChanges& environment) {
    return Subprocess(arguments, {.environment = environment}).wait();
}

} // namespace tandry::testing
