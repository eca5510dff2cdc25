#include "widget/intents/TickReadyTaskIntent.h"

#include "widget/intents/IntentServices.h"
#include "widget/store/AppGroup.h"
#include "widget/store/PendingQueue.h"
#include "widget/timeline/WidgetKind.h"

#include <fmt/format.h>

namespace tandry {

LocalizedStringResource TickReadyTaskIntent::title() {
    static const LocalizedStringResource resource{"widget.intent.tick"};
    return resource;
}

IntentResult TickReadyTaskIntent::perform(const IntentServices& services) const {
    // 1. The text the parameter holds; an intent that was never given one is
    //    treated like one given text that is no id.
    if (!taskID.value) {
        return {};
    }

    // 2. Only UUID text is a task; anything else is ignored without a trace.
    auto task = parseUuidText(*taskID.value);
    if (!task) {
        return {};
    }

    // 3. The tick, under a fresh identity of its own.
    const PendingCompletion completion{
        .id = Uuid::random(), .taskID = *task, .requestedAt = services.clock.now()};

    // 4. Park it, waiting until it is on disk. Without a shared container
    //    there is no application to take the tick, and nothing is written.
    Result<void> parked;
    if (auto container = existingContainer(services.container)) {
        parked = parkPendingCompletion(completion, *container);
    }

    // 5. A failed park is logged and then dropped: the intent host has nothing
    //    to do with it, and the task simply stays on the card.
    if (!parked && services.log.acceptsErrors()) {
        services.log.error(fmt::format("Could not park a widget tick: {}", parked.error().message));
    }

    // 6. Reload in every case, after parking has finished.
    services.reloadChannel.reloadTimelines(readyWidgetKind);

    // 7.
    return {};
}

} // namespace tandry
