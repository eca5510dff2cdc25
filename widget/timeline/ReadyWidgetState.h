#pragma once

#include "widget/store/ReadySnapshot.h"

#include <ostream>
#include <variant>

namespace tandry {

// What the widget shows: a live snapshot, the wait for the task manager, or
// the notice that the snapshot has expired.
class ReadyWidgetState {
public:
    enum class Case { ready, waitingForApp, stale };

    static ReadyWidgetState ready(ReadySnapshot snapshot) {
        return ReadyWidgetState(std::move(snapshot));
    }
    static ReadyWidgetState waitingForApp() { return ReadyWidgetState(Case::waitingForApp); }
    static ReadyWidgetState stale() { return ReadyWidgetState(Case::stale); }

    Case kind() const {
        return std::holds_alternative<ReadySnapshot>(value_) ? Case::ready : std::get<Case>(value_);
    }
    // The snapshot of a ready state; nullptr for the other two.
    const ReadySnapshot* snapshot() const { return std::get_if<ReadySnapshot>(&value_); }
    ReadySnapshot* snapshot() { return std::get_if<ReadySnapshot>(&value_); }

    bool operator==(const ReadyWidgetState&) const = default;

private:
    explicit ReadyWidgetState(ReadySnapshot snapshot) : value_(std::move(snapshot)) {}
    explicit ReadyWidgetState(Case kind) : value_(kind) {}

    std::variant<ReadySnapshot, Case> value_;
};

inline const char* caseName(ReadyWidgetState::Case kind) {
    switch (kind) {
    case ReadyWidgetState::Case::ready:
        return "ready";
    case ReadyWidgetState::Case::waitingForApp:
        return "waitingForApp";
    case ReadyWidgetState::Case::stale:
        return "stale";
    }
    return "?";
}

inline std::ostream& operator<<(std::ostream& out, const ReadyWidgetState& state) {
    out << caseName(state.kind());
    if (const auto* snapshot = state.snapshot()) {
        out << '(' << *snapshot << ')';
    }
    return out;
}

} // namespace tandry
