#include "cli/EntryJson.h"

#include "widget/store/Instant.h"
#include "widget/store/SnapshotCodec.h"

#include <algorithm>

namespace tandry {

Result<nlohmann::ordered_json> entryJson(const ReadyWidgetEntry& entry) {
    auto date = formatDateText(entry.date);
    if (!date) {
        return std::unexpected(date.error());
    }
    nlohmann::ordered_json output{{"date", *date}, {"state", caseName(entry.state.kind())}};
    if (const auto* snapshot = entry.state.snapshot()) {
        auto snapshotValue = snapshotJson(*snapshot);
        if (!snapshotValue) {
            return std::unexpected(snapshotValue.error());
        }
        output["snapshot"] = std::move(*snapshotValue);
    }
    return output;
}

Result<nlohmann::ordered_json> timelineJson(const Timeline& timeline) {
    if (timeline.entries.empty()) {
        return fail("the timeline holds no entry");
    }
    auto output = entryJson(timeline.entries.front());
    if (!output) {
        return output;
    }
    if (!timeline.policy.after) {
        (*output)["reload"] = "never";
        return output;
    }
    // Written in whole seconds, rounded up: a reload at the written instant
    // must not come before validUntil, or it would find the entry still live.
    // Only a validUntil within the last second of the year 9999 rounds up to
    // an instant no date text can hold; its reload is the last writable
    // second, so that every snapshot the decoder accepts gets an answer.
    auto after = std::min<Instant>(std::chrono::ceil<std::chrono::seconds>(*timeline.policy.after),
                                   lastWritableSecond());
    auto afterText = formatDateText(after);
    if (!afterText) {
        return std::unexpected(afterText.error());
    }
    (*output)["reload"] = nlohmann::ordered_json{{"after", *afterText}};
    return output;
}

} // namespace tandry
