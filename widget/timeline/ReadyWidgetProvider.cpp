#include "widget/timeline/ReadyWidgetProvider.h"

#include "widget/store/SnapshotLoader.h"

namespace tandry {

void ReadyWidgetProvider::getTimeline(const TimelineContext&,
                                      const std::function<void(Timeline)>& completion) const {
    auto entry = loadEntry(clock_.now());
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
