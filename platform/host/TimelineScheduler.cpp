#include "platform/host/TimelineScheduler.h"

namespace tandry {

bool TimelineScheduler::requestReload() {
    const bool opensBurst = !requested_;
    requested_ = true;
    return opensBurst;
}

bool TimelineScheduler::clockChanged() {
    return requestReload();
}

bool TimelineScheduler::isLoadDue() const {
    if (requested_) {
        return true;
    }
    const auto reloadAt = nextPolicyReload();
    return reloadAt && clock_.now() >= *reloadAt;
}

void TimelineScheduler::loadStarted() {
    requested_ = false;
}

void TimelineScheduler::timelineLoaded(const ReloadPolicy& policy) {
    policy_ = policy;
    ++loads_;
}

std::optional<Instant> TimelineScheduler::nextPolicyReload() const {
    if (!policy_) {
        return std::nullopt;
    }
    return policy_->after;
}

} // namespace tandry
