#include "widget/store/SnapshotCodec.h"

#include "widget/store/JsonReader.h"

#include <fmt/format.h>
#include <utility>

namespace tandry {
namespace {

using json::assign;
using json::prefixed;
using json::syntaxError;

enum ItemKey : unsigned {
    itemId,
    itemTitle,
    itemFlowName,
    itemDueDate,
    itemIsOverdue,
    itemIsToday,
    itemPriorityRaw
};
constexpr json::KeyName itemKeys[] = {
    {"id"},        {"title"},   {"flowName"},   {"dueDate", json::Presence::optional},
    {"isOverdue"}, {"isToday"}, {"priorityRaw"}};

enum SnapshotKey : unsigned { keyValidUntil, keyTotal, keyTasks, keyPaletteRaw, keyEmptyReason };
constexpr json::KeyName snapshotKeys[] = {{"validUntil"},
                                          {"total"},
                                          {"tasks"},
                                          {"paletteRaw"},
                                          {"emptyReason", json::Presence::optional}};

Result<ReadySnapshot::Item> decodeItem(json::value input) {
    json::object members;
    if (auto error = input.get_object().get(members)) {
        if (error == simdjson::INCORRECT_TYPE) {
            return fail("expected a task object");
        }
        return std::unexpected(syntaxError("", error));
    }
    ReadySnapshot::Item item;
    auto seen = json::walkObject(
        members, itemKeys, [&](unsigned index, json::value field, std::string_view key) {
            switch (index) {
            case itemId:
                return assign(item.id, json::readUuid(field, key));
            case itemTitle:
                return assign(item.title, json::readString(field, key));
            case itemFlowName:
                return assign(item.flowName, json::readString(field, key));
            case itemDueDate:
                return assign(item.dueDate, json::readOptionalDate(field, key));
            case itemIsOverdue:
                return assign(item.isOverdue, json::readBool(field, key));
            case itemIsToday:
                return assign(item.isToday, json::readBool(field, key));
            case itemPriorityRaw:
                return assign(item.priorityRaw, json::readString(field, key));
            }
            std::unreachable();
        });
    if (!seen) {
        return std::unexpected(std::move(seen.error()));
    }
    if (auto complete = json::requireKeys(*seen, itemKeys); !complete) {
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

Result<ReadySnapshot> decodeSnapshot(const simdjson::padded_string& bytes) {
    // A parser per document, as for queue records: keeping one per thread saved
    // about 0.1 us a document in store_bench, within the noise of LoadEntry
    // (about 1.6 us of system calls a file), so it did not pay for its upkeep.
    simdjson::ondemand::parser parser;
    json::document document;
    if (auto error = parser.iterate(bytes).get(document)) {
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
    auto seen = json::walkObject(
        members, snapshotKeys, [&](unsigned index, json::value field, std::string_view key) {
            switch (index) {
            case keyValidUntil:
                return assign(snapshot.validUntil, json::readDate(field, key));
            case keyTotal:
                return assign(snapshot.total, json::readInt64(field, key));
            case keyTasks:
                return assign(snapshot.tasks, decodeTasks(field));
            case keyPaletteRaw:
                return assign(snapshot.paletteRaw, json::readString(field, key));
            case keyEmptyReason:
                return assign(snapshot.emptyReason, json::readOptionalString(field, key));
            }
            std::unreachable();
        });
    if (!seen) {
        return std::unexpected(std::move(seen.error()));
    }
    if (!json::atEnd(document, bytes)) {
        return fail("not a JSON document: content follows the top-level object");
    }
    if (auto complete = json::requireKeys(*seen, snapshotKeys); !complete) {
        return std::unexpected(complete.error());
    }
    return snapshot;
}

void writeSnapshot(JsonWriter& writer, const ReadySnapshot& snapshot) {
    auto validUntil = formatDateText(snapshot.validUntil);
    if (!validUntil) {
        writer.fail(prefixed("validUntil", validUntil.error()));
        return;
    }
    writer.beginObject();
    writer.key("validUntil");
    writer.string(*validUntil);
    writer.key("total");
    writer.integer(snapshot.total);
    writer.key("tasks");
    writer.beginArray();
    for (std::size_t index = 0; index < snapshot.tasks.size(); ++index) {
        const auto& item = snapshot.tasks[index];
        writer.beginObject();
        writer.key("id");
        writer.string(uuidText(item.id));
        writer.key("title");
        writer.string(item.title);
        writer.key("flowName");
        writer.string(item.flowName);
        if (item.dueDate) {
            auto dueDate = formatDateText(*item.dueDate);
            if (!dueDate) {
                writer.fail(prefixed(fmt::format("tasks[{}].dueDate", index), dueDate.error()));
                return;
            }
            writer.key("dueDate");
            writer.string(*dueDate);
        }
        writer.key("isOverdue");
        writer.boolean(item.isOverdue);
        writer.key("isToday");
        writer.boolean(item.isToday);
        writer.key("priorityRaw");
        writer.string(item.priorityRaw);
        writer.endObject();
    }
    writer.endArray();
    writer.key("paletteRaw");
    writer.string(snapshot.paletteRaw);
    if (snapshot.emptyReason) {
        writer.key("emptyReason");
        writer.string(*snapshot.emptyReason);
    }
    writer.endObject();
}

Result<std::string> encodeSnapshot(const ReadySnapshot& snapshot) {
    JsonWriter writer;
    writeSnapshot(writer, snapshot);
    return writer.finish();
}

} // namespace tandry
