#include "widget/store/SnapshotCodec.h"

#include "widget/store/JsonReader.h"

#include <fmt/format.h>

namespace tandry {
namespace {

using json::prefixed;
using json::SeenKeys;
using json::syntaxError;

// Stores a successful read in `target`; passes a failure on.
template <typename T, typename U> Result<void> assign(T& target, Result<U> read) {
    if (!read) {
        return std::unexpected(std::move(read.error()));
    }
    target = std::move(*read);
    return {};
}

enum ItemKey : unsigned {
    itemId,
    itemTitle,
    itemFlowName,
    itemDueDate,
    itemIsOverdue,
    itemIsToday,
    itemPriorityRaw
};
constexpr unsigned requiredItemKeys = 1U << itemId | 1U << itemTitle | 1U << itemFlowName |
                                      1U << itemIsOverdue | 1U << itemIsToday |
                                      1U << itemPriorityRaw;
constexpr std::string_view itemKeyNames[] = {"id",        "title",   "flowName",   "dueDate",
                                             "isOverdue", "isToday", "priorityRaw"};

enum SnapshotKey : unsigned { keyValidUntil, keyTotal, keyTasks, keyPaletteRaw, keyEmptyReason };
constexpr unsigned requiredSnapshotKeys =
    1U << keyValidUntil | 1U << keyTotal | 1U << keyTasks | 1U << keyPaletteRaw;
constexpr std::string_view snapshotKeyNames[] = {"validUntil", "total", "tasks", "paletteRaw",
                                                 "emptyReason"};

// The key of a member and its index among `names`, if it is one of them.
struct MemberKey {
    std::string_view text;
    std::optional<unsigned> index;
};

template <std::size_t N>
[[gnu::noinline]] Result<MemberKey> unescapedMemberKey(simdjson::ondemand::field& member,
                                                       const std::string_view (&names)[N]) {
    std::string_view key;
    if (auto error = member.unescaped_key().get(key)) {
        return std::unexpected(syntaxError("", error));
    }
    for (unsigned i = 0; i < N; ++i) {
        if (names[i] == key) {
            return MemberKey{names[i], i};
        }
    }
    return MemberKey{key, std::nullopt};
}

// Keys are compared as written first, which needs no copy and keeps the
// common path free of result objects; only a key that matches none (an
// unknown key, or one written with escapes) is unescaped, which also checks
// its escapes.
template <std::size_t N>
Result<MemberKey> memberKey(simdjson::ondemand::field& member, const std::string_view (&names)[N]) {
    auto raw = member.key();
    for (unsigned i = 0; i < N; ++i) {
        if (raw.unsafe_is_equal(names[i])) {
            return MemberKey{names[i], i};
        }
    }
    return unescapedMemberKey(member, names);
}

template <std::size_t N>
Result<void> checkRequired(const SeenKeys& seen, unsigned required,
                           const std::string_view (&names)[N]) {
    for (unsigned i = 0; i < N; ++i) {
        if ((required >> i & 1U) && !seen.seen(i)) {
            return fail(fmt::format("\"{}\": missing", names[i]));
        }
    }
    return {};
}

Error duplicateKey(std::string_view key) {
    return Error{fmt::format("\"{}\": appears more than once", key)};
}

Result<ReadySnapshot::Item> decodeItem(json::value input) {
    json::object members;
    if (auto error = input.get_object().get(members)) {
        if (error == simdjson::INCORRECT_TYPE) {
            return fail("expected a task object");
        }
        return std::unexpected(syntaxError("", error));
    }
    ReadySnapshot::Item item;
    SeenKeys seen;
    for (auto element : members) {
        simdjson::ondemand::field member;
        if (auto error = std::move(element).get(member)) {
            return std::unexpected(syntaxError("", error));
        }
        auto named = memberKey(member, itemKeyNames);
        if (!named) {
            return std::unexpected(named.error());
        }
        auto [key, index] = *named;
        json::value field = member.value();
        if (!index) {
            if (auto skipped = json::skipValue(field, key, 1); !skipped) {
                return std::unexpected(skipped.error());
            }
            continue;
        }
        if (!seen.markSeen(*index)) {
            return std::unexpected(duplicateKey(key));
        }
        Result<void> read;
        switch (*index) {
        case itemId:
            read = assign(item.id, json::readUuid(field, key));
            break;
        case itemTitle:
            read = assign(item.title, json::readString(field, key));
            break;
        case itemFlowName:
            read = assign(item.flowName, json::readString(field, key));
            break;
        case itemDueDate:
            read = assign(item.dueDate, json::readOptionalDate(field, key));
            break;
        case itemIsOverdue:
            read = assign(item.isOverdue, json::readBool(field, key));
            break;
        case itemIsToday:
            read = assign(item.isToday, json::readBool(field, key));
            break;
        case itemPriorityRaw:
            read = assign(item.priorityRaw, json::readString(field, key));
            break;
        }
        if (!read) {
            return std::unexpected(std::move(read.error()));
        }
    }
    if (auto complete = checkRequired(seen, requiredItemKeys, itemKeyNames); !complete) {
        return std::unexpected(complete.error());
    }
    return item;
}

Result<std::vector<ReadySnapshot::Item>> decodeTasks(json::value input) {
    simdjson::ondemand::array elements;
    if (auto error = input.get_array().get(elements)) {
        if (error == simdjson::INCORRECT_TYPE) {
            return fail("\"tasks\": expected an array");
        }
        return std::unexpected(syntaxError("tasks", error));
    }
    std::vector<ReadySnapshot::Item> tasks;
    for (auto element : elements) {
        json::value itemValue;
        if (auto error = element.get(itemValue)) {
            return std::unexpected(syntaxError("tasks", error));
        }
        auto item = decodeItem(itemValue);
        if (!item) {
            return std::unexpected(
                prefixed(fmt::format("tasks[{}]", tasks.size()), std::move(item.error())));
        }
        tasks.push_back(std::move(*item));
    }
    return tasks;
}

} // namespace

Result<ReadySnapshot> decodeSnapshot(const PaddedBuffer& bytes) {
    auto& parser = json::parserFor(bytes.size());
    json::document document;
    if (auto error = parser.iterate(bytes.data(), bytes.size(), bytes.capacity()).get(document)) {
        return std::unexpected(syntaxError("", error));
    }
    json::object members;
    if (auto error = document.get_object().get(members)) {
        if (error == simdjson::INCORRECT_TYPE) {
            return fail("the document is not a JSON object");
        }
        return std::unexpected(syntaxError("", error));
    }

    ReadySnapshot snapshot;
    SeenKeys seen;
    for (auto element : members) {
        simdjson::ondemand::field member;
        if (auto error = std::move(element).get(member)) {
            return std::unexpected(syntaxError("", error));
        }
        auto named = memberKey(member, snapshotKeyNames);
        if (!named) {
            return std::unexpected(named.error());
        }
        auto [key, index] = *named;
        json::value field = member.value();
        if (!index) {
            if (auto skipped = json::skipValue(field, key, 1); !skipped) {
                return std::unexpected(skipped.error());
            }
            continue;
        }
        if (!seen.markSeen(*index)) {
            return std::unexpected(duplicateKey(key));
        }
        Result<void> read;
        switch (*index) {
        case keyValidUntil:
            read = assign(snapshot.validUntil, json::readDate(field, key));
            break;
        case keyTotal:
            read = assign(snapshot.total, json::readInt64(field, key));
            break;
        case keyTasks:
            read = assign(snapshot.tasks, decodeTasks(field));
            break;
        case keyPaletteRaw:
            read = assign(snapshot.paletteRaw, json::readString(field, key));
            break;
        case keyEmptyReason:
            read = assign(snapshot.emptyReason, json::readOptionalString(field, key));
            break;
        }
        if (!read) {
            return std::unexpected(std::move(read.error()));
        }
    }
    if (!json::atEnd(document, bytes)) {
        return fail("not a JSON document: content follows the top-level object");
    }
    if (auto complete = checkRequired(seen, requiredSnapshotKeys, snapshotKeyNames); !complete) {
        return std::unexpected(complete.error());
    }
    return snapshot;
}

Result<ReadySnapshot> decodeSnapshot(std::string_view json) {
    return decodeSnapshot(PaddedBuffer::copyOf(json));
}

Result<nlohmann::ordered_json> snapshotJson(const ReadySnapshot& snapshot) {
    auto validUntil = formatDateText(snapshot.validUntil);
    if (!validUntil) {
        return std::unexpected(prefixed("validUntil", validUntil.error()));
    }
    auto tasks = nlohmann::ordered_json::array();
    for (const auto& item : snapshot.tasks) {
        nlohmann::ordered_json object{
            {"id", uuidText(item.id)}, {"title", item.title}, {"flowName", item.flowName}};
        if (item.dueDate) {
            auto dueDate = formatDateText(*item.dueDate);
            if (!dueDate) {
                return std::unexpected(
                    prefixed(fmt::format("tasks[{}].dueDate", tasks.size()), dueDate.error()));
            }
            object["dueDate"] = *dueDate;
        }
        object["isOverdue"] = item.isOverdue;
        object["isToday"] = item.isToday;
        object["priorityRaw"] = item.priorityRaw;
        tasks.push_back(std::move(object));
    }
    nlohmann::ordered_json document{{"validUntil", *validUntil},
                                    {"total", snapshot.total},
                                    {"tasks", std::move(tasks)},
                                    {"paletteRaw", snapshot.paletteRaw}};
    if (snapshot.emptyReason) {
        document["emptyReason"] = *snapshot.emptyReason;
    }
    return document;
}

Result<std::string> encodeSnapshot(const ReadySnapshot& snapshot) {
    auto document = snapshotJson(snapshot);
    if (!document) {
        return std::unexpected(document.error());
    }
    return dumpJson(*document);
}

Result<std::string> dumpJson(const nlohmann::ordered_json& value) {
    try {
        return value.dump();
    } catch (const nlohmann::json::exception& exception) {
        return fail(fmt::format("cannot write JSON: {}", exception.what()));
    }
}

} // namespace tandry
