// The floor of `tandry-widget timeline`: the least a program can do to print
// the same bytes for the same container, to time the command line against.
//
//     timeline_floor CONTAINER INSTANT
//
// It reads the snapshot and the parked ticks with simdjson and writes the
// answer as it goes, and it skips what the widget must do but a floor need
// not: finding the container through Info.json, checking every key and value,
// reading other forms of dates and UUIDs than the ones the widget writes
// (dates in the form 2026-12-05T09:30:00Z, compared as text; UUIDs in upper
// case), ignoring unknown keys whose JSON is broken. Unreadable input ends it
// with status 1.

#include <algorithm>
#include <cstdio>
#include <dirent.h>
#include <simdjson.h>
#include <string>
#include <string_view>
#include <unordered_set>

namespace {

using simdjson::ondemand::object;

// Escapes as the widget's JSON writer does: the short forms JSON has, \u00XX
// for other control characters, every other byte as it is.
void appendQuoted(std::string& out, std::string_view text) {
    static constexpr char hex[] = "0123456789abcdef";
    out += '"';
    for (const char c : text) {
        const auto byte = static_cast<unsigned char>(c);
        switch (c) {
        case '"':
            out += "\\\"";
            break;
        case '\\':
            out += "\\\\";
            break;
        case '\b':
            out += "\\b";
            break;
        case '\f':
            out += "\\f";
            break;
        case '\n':
            out += "\\n";
            break;
        case '\r':
            out += "\\r";
            break;
        case '\t':
            out += "\\t";
            break;
        default:
            if (byte < 0x20) {
                out += "\\u00";
                out += hex[byte >> 4];
                out += hex[byte & 0xF];
            } else {
                out += c;
            }
        }
    }
    out += '"';
}

std::string_view field(object& members, const char* key) {
    return std::string_view(members.find_field_unordered(key).get_string());
}

bool flag(object& members, const char* key) {
    return bool(members.find_field_unordered(key).get_bool());
}

// The task ids of the parked ticks in the container's queue.
std::unordered_set<std::string> tickedTasks(const std::string& container) {
    std::unordered_set<std::string> ticked;
    const std::string queue = container + "/pending-completions";
    DIR* listing = opendir(queue.c_str());
    if (listing == nullptr) {
        return ticked;
    }
    simdjson::ondemand::parser parser;
    while (const dirent* entry = readdir(listing)) {
        const std::string_view name = entry->d_name;
        if (name.size() <= 5 || !name.ends_with(".json")) {
            continue;
        }
        simdjson::padded_string bytes;
        if (simdjson::padded_string::load(queue + "/" + entry->d_name).get(bytes)) {
            continue;
        }
        simdjson::ondemand::document record;
        std::string_view taskID;
        if (parser.iterate(bytes).get(record) ||
            record.find_field_unordered("taskID").get_string().get(taskID)) {
            continue;
        }
        ticked.emplace(taskID);
    }
    closedir(listing);
    return ticked;
}

} // namespace

int main(int argc, char** argv) {
    if (argc != 3) {
        std::fputs("usage: timeline_floor CONTAINER INSTANT\n", stderr);
        return 2;
    }
    const std::string container = argv[1];
    const std::string_view date = argv[2];
    std::string out = "{\"date\":";
    appendQuoted(out, date);

    simdjson::padded_string bytes;
    simdjson::ondemand::parser parser;
    simdjson::ondemand::document document;
    if (simdjson::padded_string::load(container + "/ready-snapshot.json").get(bytes) ||
        parser.iterate(bytes).get(document)) {
        out += ",\"state\":\"waitingForApp\",\"reload\":\"never\"}\n";
        std::fwrite(out.data(), 1, out.size(), stdout);
        return 0;
    }
    try {
        object snapshot = document.get_object();
        const std::string validUntil(field(snapshot, "validUntil"));
        if (date >= validUntil) {
            out += ",\"state\":\"stale\",\"reload\":\"never\"}\n";
            std::fwrite(out.data(), 1, out.size(), stdout);
            return 0;
        }
        const auto ticked = tickedTasks(container);
        const std::int64_t total = snapshot.find_field_unordered("total").get_int64();
        std::int64_t removed = 0;
        std::string tasks;
        for (auto element : snapshot.find_field_unordered("tasks").get_array()) {
            object task = element.get_object();
            const std::string_view id = field(task, "id");
            if (ticked.contains(std::string(id))) {
                ++removed;
                continue;
            }
            tasks += tasks.empty() ? "{\"id\":" : ",{\"id\":";
            appendQuoted(tasks, id);
            tasks += ",\"title\":";
            appendQuoted(tasks, field(task, "title"));
            tasks += ",\"flowName\":";
            appendQuoted(tasks, field(task, "flowName"));
            std::string_view dueDate;
            if (!task.find_field_unordered("dueDate").get_string().get(dueDate)) {
                tasks += ",\"dueDate\":";
                appendQuoted(tasks, dueDate);
            }
            tasks += flag(task, "isOverdue") ? ",\"isOverdue\":true" : ",\"isOverdue\":false";
            tasks += flag(task, "isToday") ? ",\"isToday\":true" : ",\"isToday\":false";
            tasks += ",\"priorityRaw\":";
            appendQuoted(tasks, field(task, "priorityRaw"));
            tasks += '}';
        }
        out += ",\"state\":\"ready\",\"snapshot\":{\"validUntil\":";
        appendQuoted(out, validUntil);
        out += ",\"total\":" + std::to_string(std::max<std::int64_t>(total - removed, 0));
        out += ",\"tasks\":[" + tasks + "],\"paletteRaw\":";
        appendQuoted(out, field(snapshot, "paletteRaw"));
        std::string_view emptyReason;
        if (!snapshot.find_field_unordered("emptyReason").get_string().get(emptyReason)) {
            out += ",\"emptyReason\":";
            appendQuoted(out, emptyReason);
        }
        out += "},\"reload\":{\"after\":";
        appendQuoted(out, validUntil);
        out += "}}\n";
    } catch (const simdjson::simdjson_error& error) {
        std::fprintf(stderr, "timeline_floor: %s\n", error.what());
        return 1;
    }
    std::fwrite(out.data(), 1, out.size(), stdout);
    return 0;
}
