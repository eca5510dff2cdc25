#include "widget/store/PendingCompletionCodec.h"

#include "widget/store/JsonReader.h"
#include "widget/store/JsonWriter.h"

#include <fmt/format.h>

namespace tandry {
namespace {

enum RecordKey : unsigned { keyId, keyTaskID, keyRequestedAt };
constexpr json::KeyName recordKeys[] = {{"id"}, {"taskID"}, {"requestedAt"}};

} // namespace

Result<PendingCompletion> decodePendingCompletion(const simdjson::padded_string& bytes) {
    simdjson::ondemand::parser parser;
    json::document document;
    if (auto error = parser.iterate(bytes).get(document)) {
        return std::unexpected(json::syntaxError("", error));
    }
    json::object members;
    if (auto error = document.get_object().get(members)) {
        if (error == simdjson::INCORRECT_TYPE) {
            return fail("the record is not a JSON object");
        }
        return std::unexpected(json::syntaxError("", error));
    }

    PendingCompletion completion;
    auto seen = json::walkObject(
        members, recordKeys, [&](unsigned index, json::value field, std::string_view key) {
            if (index == keyRequestedAt) {
                return json::assign(completion.requestedAt, json::readDate(field, key));
            }
            return json::assign(index == keyId ? completion.id : completion.taskID,
                                json::readUuid(field, key));
        });
    if (!seen) {
        return std::unexpected(std::move(seen.error()));
    }
    if (!json::atEnd(document, bytes)) {
        return fail("not a JSON document: content follows the top-level object");
    }
    if (auto complete = json::requireKeys(*seen, recordKeys); !complete) {
        return std::unexpected(complete.error());
    }
    return completion;
}

Result<std::string> encodePendingCompletion(const PendingCompletion& completion) {
    auto requestedAt = formatDateText(completion.requestedAt);
    if (!requestedAt) {
        return std::unexpected(json::prefixed("requestedAt", requestedAt.error()));
    }
    JsonWriter writer;
    writer.beginObject();
    writer.key("id");
    writer.string(uuidText(completion.id));
    writer.key("taskID");
    writer.string(uuidText(completion.taskID));
    writer.key("requestedAt");
    writer.string(*requestedAt);
    writer.endObject();
    return writer.finish();
}

} // namespace tandry
