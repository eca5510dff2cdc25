#include "bridges/taskwarrior/TaskwarriorTask.h"

#include <fmt/format.h>
#include <ostream>
#include <simdjson.h>

namespace tandry {
namespace {

using simdjson::dom::element;

Result<std::string> stringAt(element task, std::string_view key, std::size_t index) {
    const auto field = task[key];
    if (field.error() == simdjson::NO_SUCH_FIELD) {
        return std::string();
    }
    std::string_view text;
    if (field.get(text) != simdjson::SUCCESS) {
        return fail(fmt::format("task export [{}].{}: not a string", index, key));
    }
    return std::string(text);
}

Result<std::optional<Instant>> dateAt(element task, std::string_view key, std::size_t index) {
    auto text = stringAt(task, key, index);
    if (!text) {
        return std::unexpected(text.error());
    }
    if (text->empty()) {
        return std::nullopt;
    }
    auto instant = parseTaskwarriorDate(*text);
    if (!instant) {
        return fail(fmt::format("task export [{}].{}: {}", index, key, instant.error().message));
    }
    return *instant;
}

Result<TaskwarriorTask> decodeTask(element task, std::size_t index) {
    TaskwarriorTask decoded;
    auto uuid = stringAt(task, "uuid", index);
    if (!uuid) {
        return std::unexpected(uuid.error());
    }
    auto parsedUuid = parseUuidText(*uuid);
    if (!parsedUuid) {
        return fail(fmt::format("task export [{}].uuid: {}", index, parsedUuid.error().message));
    }
    decoded.uuid = *parsedUuid;
    std::int64_t id = 0;
    if (task["id"].get(id) == simdjson::SUCCESS) {
        decoded.id = id;
    }
    double urgency = 0;
    if (task["urgency"].get(urgency) == simdjson::SUCCESS) {
        decoded.urgency = urgency;
    }
    for (auto [key, target] :
         {std::pair{"description", &decoded.description}, std::pair{"project", &decoded.project},
          std::pair{"status", &decoded.status}, std::pair{"priority", &decoded.priority}}) {
        auto text = stringAt(task, key, index);
        if (!text) {
            return std::unexpected(text.error());
        }
        *target = std::move(*text);
    }
    for (auto [key, target] :
         {std::pair{"due", &decoded.due}, std::pair{"wait", &decoded.wait},
          std::pair{"scheduled", &decoded.scheduled}, std::pair{"until", &decoded.until}}) {
        auto date = dateAt(task, key, index);
        if (!date) {
            return std::unexpected(date.error());
        }
        *target = *date;
    }
    // An array of uuids; older versions wrote one string with commas.
    if (const auto field = task["depends"]; field.error() != simdjson::NO_SUCH_FIELD) {
        std::vector<std::string_view> texts;
        simdjson::dom::array array;
        std::string_view joined;
        if (field.get(array) == simdjson::SUCCESS) {
            for (element one : array) {
                std::string_view text;
                if (one.get(text) != simdjson::SUCCESS) {
                    return fail(fmt::format("task export [{}].depends: not a string", index));
                }
                texts.push_back(text);
            }
        } else if (field.get(joined) == simdjson::SUCCESS) {
            for (std::size_t start = 0; start <= joined.size();) {
                const std::size_t comma = std::min(joined.find(',', start), joined.size());
                texts.push_back(joined.substr(start, comma - start));
                start = comma + 1;
            }
        } else {
            return fail(fmt::format("task export [{}].depends: not uuids", index));
        }
        for (std::string_view text : texts) {
            auto dependency = parseUuidText(text);
            if (!dependency) {
                return fail(
                    fmt::format("task export [{}].depends: {}", index, dependency.error().message));
            }
            decoded.depends.push_back(*dependency);
        }
    }
    return decoded;
}

} // namespace

Result<std::vector<TaskwarriorTask>> decodeTaskExport(std::string_view json) {
    simdjson::dom::parser parser;
    simdjson::dom::array tasks;
    const simdjson::padded_string padded(json);
    if (const auto error = parser.parse(padded).get(tasks); error != simdjson::SUCCESS) {
        return fail(
            fmt::format("task export is not a JSON array: {}", simdjson::error_message(error)));
    }
    std::vector<TaskwarriorTask> decoded;
    decoded.reserve(tasks.size());
    std::size_t index = 0;
    for (element task : tasks) {
        if (!task.is_object()) {
            return fail(fmt::format("task export [{}]: not an object", index));
        }
        auto one = decodeTask(task, index);
        if (!one) {
            return std::unexpected(one.error());
        }
        decoded.push_back(std::move(*one));
        ++index;
    }
    return decoded;
}

Result<Instant> parseTaskwarriorDate(std::string_view text) {
    // 20261205T180000Z is 2026-12-05T18:00:00Z without separators.
    if (text.size() != 16 || text[8] != 'T' || text[15] != 'Z') {
        return fail(fmt::format("\"{}\" is not a date of the form 20261205T180000Z", text));
    }
    return parseDateText(fmt::format("{}-{}-{}T{}:{}:{}Z", text.substr(0, 4), text.substr(4, 2),
                                     text.substr(6, 2), text.substr(9, 2), text.substr(11, 2),
                                     text.substr(13, 2)));
}

std::ostream& operator<<(std::ostream& out, const TaskwarriorTask& task) {
    return out << "{" << task.uuid << " #" << task.id << " \"" << task.description << "\" "
               << task.status << " urgency " << task.urgency << "}";
}

} // namespace tandry
