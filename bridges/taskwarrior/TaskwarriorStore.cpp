#include "bridges/taskwarrior/TaskwarriorStore.h"

#include <algorithm>
#include <cctype>
#include <ranges>
#include <fmt/format.h>

namespace tandry {
namespace {

// Marks every blocked task in the export's urgency (see blockedUrgencyMark).
std::string blockedMarkSetting() {
    return fmt::format("rc.urgency.user.tag.BLOCKED.coefficient={:.0f}", blockedUrgencyMark);
}

std::string_view firstLine(std::string_view text) {
    while (!text.empty() && (text.front() == '\n' || text.front() == ' ')) {
        text.remove_prefix(1);
    }
    return text.substr(0, text.find('\n'));
}

std::string_view trimmed(std::string_view text) {
    while (!text.empty() && std::isspace(static_cast<unsigned char>(text.back()))) {
        text.remove_suffix(1);
    }
    while (!text.empty() && std::isspace(static_cast<unsigned char>(text.front()))) {
        text.remove_prefix(1);
    }
    return text;
}

} // namespace

TaskwarriorStore::TaskwarriorStore(TaskCommand command, std::optional<std::string> filter,
                                   SnapshotOptions options)
    : command_(std::move(command)), filter_(std::move(filter)), options_(std::move(options)) {}

Result<std::string> TaskwarriorStore::output(const std::vector<std::string>& arguments) const {
    auto run = command_.run(arguments);
    if (!run) {
        return std::unexpected(run.error());
    }
    if (run->exitStatus != 0) {
        const std::string_view said = firstLine(run->standardError).empty()
                                          ? firstLine(run->standardOutput)
                                          : firstLine(run->standardError);
        return fail(fmt::format("task failed (exit status {}): {}", run->exitStatus, said));
    }
    return std::move(run->standardOutput);
}

std::vector<std::string> TaskwarriorStore::filtered(std::initializer_list<std::string> rest) const {
    std::vector<std::string> words;
    // Taskwarrior reads a filter of several words given as one argument, but
    // not a parenthesis given as an argument of its own.
    if (filter_) {
        words = {"( " + *filter_ + " )"};
    }
    words.insert(words.end(), rest);
    return words;
}

Result<ReadySnapshot> TaskwarriorStore::readySnapshot(Instant now) {
    // 1. One export: the ready tasks, and the open ones that change before
    //    the snapshot's horizon. Rendering every open task would cost more
    //    than reading them; a task deferred past the horizon changes nothing.
    auto horizon = formatDateText(validityHorizon(now));
    if (!horizon) {
        return std::unexpected(horizon.error());
    }
    std::erase_if(*horizon, [](char c) { return c == '-' || c == ':'; });
    const std::string changing = fmt::format(
        "( +READY or wait.before:{0} or scheduled.before:{0} or until.before:{0} )", *horizon);
    auto exported = output(filtered({changing, blockedMarkSetting(), "export"}));
    if (!exported) {
        return std::unexpected(exported.error());
    }
    auto tasks = decodeTaskExport(*exported);
    if (!tasks) {
        return std::unexpected(tasks.error());
    }

    // 2. Only an empty export asks what else the store holds, for the
    //    reason the card is empty.
    OtherTasks others = OtherTasks::none;
    if (tasks->empty()) {
        auto statuses = output(filtered({"_unique", "status"}));
        if (!statuses) {
            return std::unexpected(statuses.error());
        }
        for (const auto line : std::views::split(std::string_view(*statuses), '\n')) {
            const std::string_view status = trimmed(std::string_view(line.begin(), line.end()));
            if (status == "pending" || status == "waiting") {
                others = OtherTasks::open;
            } else if (status == "completed" && others == OtherTasks::none) {
                others = OtherTasks::finished;
            }
        }
    }
    return mapSnapshot(*tasks, now, options_, others);
}

Result<CompletionOutcome> TaskwarriorStore::complete(const Uuid& task) {
    // 1. Is it there, and still open? A uuid filter finds finished tasks too,
    //    but only in the lower case that Taskwarrior writes.
    std::string uuid = uuidText(task);
    std::ranges::transform(uuid, uuid.begin(),
                           [](unsigned char c) { return static_cast<char>(std::tolower(c)); });
    auto exported = output({uuid, "export"});
    if (!exported) {
        return std::unexpected(exported.error());
    }
    auto found = decodeTaskExport(*exported);
    if (!found) {
        return std::unexpected(found.error());
    }
    if (found->empty()) {
        return CompletionOutcome::unknownTask;
    }
    const std::string& status = found->front().status;
    if (status == "completed" || status == "deleted") {
        return CompletionOutcome::alreadyFinished;
    }

    // 2. Complete it; for a recurring task this is the one instance ticked.
    if (auto done = output({uuid, "done"}); !done) {
        return std::unexpected(done.error());
    }
    return CompletionOutcome::completed;
}

Result<std::filesystem::path> TaskwarriorStore::dataLocation() const {
    auto printed = output({"_get", "rc.data.location"});
    if (!printed) {
        return std::unexpected(printed.error());
    }
    std::string location(trimmed(*printed));
    if (location.starts_with("~/")) {
        const auto home = command_.environment().nonEmpty("HOME");
        if (!home) {
            return fail(
                fmt::format("cannot find Taskwarrior's data {}: HOME is not set", location));
        }
        location = std::string(*home) + location.substr(1);
    }
    if (location.empty()) {
        return fail("Taskwarrior names no data location");
    }
    return std::filesystem::path(location);
}

} // namespace tandry
