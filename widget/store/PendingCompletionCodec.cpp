#include "widget/store/PendingCompletionCodec.h"

#include "widget/store/JsonReader.h"
#include "widget/store/SnapshotCodec.h"

#include <fmt/format.h>

namespace tandry {
namespace {

enum RecordKey : unsigned { keyId, keyTaskID, keyRequestedAt };
constexpr std::string_view recordKeyNames[] = {"id", "taskID", "requestedAt"};

} // namespace

Result<PendingCompletion> decodePendingCompletion(const PaddedBuffer& bytes) {
    auto& parser = json::parserFor(bytes.size());
    json::document document;
    if (auto error = parser.iterate(bytes.data(), bytes.size(), bytes.capacity()).get(document)) {
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
    json::SeenKeys seen;
    for (auto member : members) {
        std::string_view key;
        if (auto error = member.unescaped_key().get(key)) {
            return std::unexpected(json::syntaxError("", error));
        }
        json::value field = member.value();
        unsigned index = 0;
        while (index < std::size(recordKeyNames) && recordKeyNames[index] != key) {
            ++index;
        }
        if (index == std::size(recordKeyNames)) {
            if (auto skipped = json::skipValue(field, key, 1); !skipped) {
                return std::unexpected(skipped.error());
            }
            continue;
        }
        if (!seen.markSeen(index)) {
            return fail(fmt::format("\"{}\": appears more than once", key));
        }
        if (index == keyRequestedAt) {
            auto instant = json::readDate(field, key);
            if (!instant) {
                return std::unexpected(instant.error());
            }
            completion.requestedAt = *instant;
        } else {
            auto uuid = json::readUuid(field, key);
            if (!uuid) {
                return std::unexpected(uuid.error());
            }
            (index == keyId ? completion.id : completion.taskID) = *uuid;
        }
    }
    if (!json::atEnd(document, bytes)) {
        return fail("not a JSON document: content follows the top-level object");
    }
    for (unsigned index = 0; index < std::size(recordKeyNames); ++index) {
        if (!seen.seen(index)) {
            return fail(fmt::format("\"{}\": missing", recordKeyNames[index]));
        }
    }
    return completion;
}

Result<PendingCompletion> decodePendingCompletion(std::string_view json) {
    return decodePendingCompletion(PaddedBuffer::copyOf(json));
}

Result<std::string> encodePendingCompletion(const PendingCompletion& completion) {
    auto requestedAt = formatDateText(completion.requestedAt);
    if (!requestedAt) {
        return std::unexpected(json::prefixed("requestedAt", requestedAt.error()));
    }
    return dumpJson(nlohmann::ordered_json{{"id", uuidText(completion.id)},
                                           {"taskID", uuidText(completion.taskID)},
                                           {"requestedAt", *requestedAt}});
}

} // namespace tandry
