#pragma once

#include "widget/intents/IntentParameter.h"
#include "widget/intents/IntentResult.h"
#include "widget/store/Uuid.h"

#include <ostream>
#include <string>
#include <utility>

namespace tandry {

struct IntentServices;

// The action behind a task row's tick button: parks a tick for the task in
// the shared container's queue and asks the widget host to reload the ready
// widget, so that the task leaves the card. A plain value; the row builds a
// fresh one on every render.
class TickReadyTaskIntent {
public:
    // The declared settings of the `taskID` parameter, the same for every intent.
    static IntentParameterSettings taskIDSettings() {
        return {.title = {"widget.intent.parameter.task"}};
    }

    // The intent's title, built once per process and handed out as a copy.
    static LocalizedStringResource title();

    // The intent may be offered wherever the desktop lists actions.
    static constexpr bool isDiscoverable = true;

    // The intent host's parameterless form: the parameter holds no value.
    TickReadyTaskIntent() : taskID{taskIDSettings(), std::nullopt} {}

    // The form a row builds: the parameter holds the task's id as canonical
    // upper-case UUID text.
    explicit TickReadyTaskIntent(const Uuid& task) : TickReadyTaskIntent(uuidText(task)) {}

    // The form the intent host rebuilds from the parameter text it stored; the
    // text is kept as given, and only perform() decides whether it is an id.
    TickReadyTaskIntent(std::string storedTaskID)
        : taskID{taskIDSettings(), std::move(storedTaskID)} {}

    // Parks the tick and requests a reload. Never fails: every outcome is the
    // empty result. Text that is not UUID text, or no text, does nothing at
    // all; a failed park is logged once and the reload is still requested.
    // Blocks while the record is flushed to disk, so hosts run it on a worker
    // thread, never on a thread that draws.
    IntentResult perform(const IntentServices& services) const;

    IntentParameter<std::string> taskID;

    bool operator==(const TickReadyTaskIntent&) const = default;
};

inline std::ostream& operator<<(std::ostream& out, const TickReadyTaskIntent& intent) {
    out << "TickReadyTaskIntent{taskID=";
    if (intent.taskID.value) {
        out << '"' << *intent.taskID.value << '"';
    } else {
        out << "none";
    }
    return out << '}';
}

} // namespace tandry
