#include "cli/EntryJson.h"

#include "widget/store/SnapshotCodec.h"

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
    auto after = std::chrono::ceil<std::chrono::seconds>(*timeline.policy.after);
    auto afterText = formatDateText(after);
    if (!afterText) {
        return std::unexpected(afterText.error());
    }
    (*output)["reload"] = nlohmann::ordered_json{{"after", *afterText}};
    return output;
}

} // namespace tandry
