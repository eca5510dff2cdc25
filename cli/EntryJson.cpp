#include "cli/EntryJson.h"

#include "widget/system/Instant.h"
#include "widget/store/JsonWriter.h"
#include "widget/store/SnapshotCodec.h"

#include <algorithm>

namespace tandry {
namespace {

// Writes the members of an entry into the object the writer has open.
void writeEntryMembers(JsonWriter& writer, const ReadyWidgetEntry& entry) {
    auto date = formatDateText(entry.date);
    if (!date) {
        writer.fail(date.error());
        return;
    }
    writer.key("date");
    writer.string(*date);
    writer.key("state");
    writer.string(caseName(entry.state.kind()));
    if (const auto* snapshot = entry.state.snapshot()) {
        writer.key("snapshot");
        writeSnapshot(writer, *snapshot);
    }
}

} // namespace

Result<std::string> entryJson(const ReadyWidgetEntry& entry) {
    JsonWriter writer;
    writer.beginObject();
    writeEntryMembers(writer, entry);
    writer.endObject();
    return writer.finish();
}

Result<std::string> timelineJson(const Timeline& timeline) {
    if (timeline.entries.empty()) {
        return fail("the timeline holds no entry");
    }
    JsonWriter writer;
    writer.beginObject();
    writeEntryMembers(writer, timeline.entries.front());
    writer.key("reload");
    if (!timeline.policy.after) {
        writer.string("never");
    } else {
        // Written in whole seconds, rounded up: a reload at the written
        // instant must not come before validUntil, or it would find the entry
        // still live. Only a validUntil within the last second of the year
        // 9999 rounds up to an instant no date text can hold; its reload is
        // the last writable second, so that every snapshot the decoder
        // accepts gets an answer.
        auto after = std::min<Instant>(
            std::chrono::ceil<std::chrono::seconds>(*timeline.policy.after), lastWritableSecond());
        auto afterText = formatDateText(after);
        if (!afterText) {
            writer.fail(afterText.error());
        }
        writer.beginObject();
        writer.key("after");
        writer.string(afterText.value_or(""));
        writer.endObject();
    }
    writer.endObject();
    return writer.finish();
}

} // namespace tandry
