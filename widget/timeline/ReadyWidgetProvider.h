#pragma once

#include "widget/timeline/Clock.h"
#include "widget/timeline/ReadyWidgetEntry.h"
#include "widget/timeline/Timeline.h"

#include <filesystem>
#include <functional>
#include <optional>

namespace tandry {

// What the widget host tells the provider about a request.
struct TimelineContext {
    // True when the host draws the widget gallery or another preview.
    bool isPreview = false;
};

// Answers the widget host's requests. Keeps no state between calls; each
// call reads the clock once for its entry's date and calls its completion
// exactly once before it returns. The placeholder and previews show the
// sample card and never look at the shared container.
class ReadyWidgetProvider {
public:
    // `container` is where the shared container is or would be; absent when
    // there can be none (no home directory, an unusable group identifier).
    ReadyWidgetProvider(const Clock& clock, std::optional<std::filesystem::path> container)
        : clock_(clock), container_(std::move(container)) {}

    // The sample card, ready, dated now.
    ReadyWidgetEntry placeholder(const TimelineContext& context) const;

    // For a preview the sample card, dated now; otherwise the entry that the
    // shared container gives now.
    void getSnapshot(const TimelineContext& context,
                     const std::function<void(ReadyWidgetEntry)>& completion) const;

    // One entry for now, and a reload at validUntil for a ready entry or never otherwise.
    void getTimeline(const TimelineContext& context,
                     const std::function<void(Timeline)>& completion) const;

private:
    const Clock& clock_;
    std::optional<std::filesystem::path> container_;
};

// The reload policy of an entry: after validUntil when ready, never otherwise.
ReloadPolicy reloadPolicyFor(const ReadyWidgetEntry& entry);

} // namespace tandry
