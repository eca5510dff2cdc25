#include "widget/timeline/ReadyWidgetProvider.h"

#include "widget/timeline/PlaceholderContent.h"
#include "widget/timeline/SnapshotLoader.h"

namespace tandry {
namespace {

ReadyWidgetEntry sampleEntry(Instant date, const Clock& clock) {
    return {date, ReadyWidgetState::ready(placeholderSnapshot(clock))};
}

} // namespace

ReadyWidgetEntry ReadyWidgetProvider::placeholder(const TimelineContext&) const {
    return sampleEntry(clock_.now(), clock_);
}

void ReadyWidgetProvider::getSnapshot(
    const TimelineContext& context, const std::function<void(ReadyWidgetEntry)>& completion) const {
    auto now = clock_.now();
    completion(context.isPreview ? sampleEntry(now, clock_) : loadEntry(now, container_));
}

void ReadyWidgetProvider::getTimeline(const TimelineContext&,
                                      const std::function<void(Timeline)>& completion) const {
    auto entry = loadEntry(clock_.now(), container_);
    auto policy = reloadPolicyFor(entry);
    completion(Timeline{{std::move(entry)}, policy});
}

ReloadPolicy reloadPolicyFor(const ReadyWidgetEntry& entry) {
    if (const auto* snapshot = entry.state.snapshot()) {
        return ReloadPolicy::atEnd(snapshot->validUntil);
    }
    return ReloadPolicy::never();
}

} // namespace tandry
