#include "widget/timeline/PlaceholderContent.h"

#include "widget/strings/WidgetStrings.h"
#include "widget/timeline/CalendarDay.h"

namespace tandry {

ReadySnapshot::Item placeholderItem(std::string_view titleKey, std::string_view flowKey,
                                    Overdue overdue, const Clock& clock) {
    ReadySnapshot::Item item;
    item.id = Uuid::random();
    item.title = WidgetStrings::text(titleKey);
    item.flowName = WidgetStrings::text(flowKey);
    if (overdue == Overdue::yes) {
        item.dueDate = oneDayEarlier(clock.now());
        item.isOverdue = true;
        item.isToday = false;
    } else {
        item.isOverdue = false;
        item.isToday = titleKey.ends_with('2');
    }
    item.priorityRaw = "none";
    return item;
}

ReadySnapshot placeholderSnapshot(const Clock& clock) {
    ReadySnapshot snapshot;
    snapshot.tasks = {
        placeholderItem("widget.placeholder.task1", "widget.placeholder.flow1", Overdue::yes,
                        clock),
        placeholderItem("widget.placeholder.task2", "widget.placeholder.flow1", Overdue::no, clock),
        placeholderItem("widget.placeholder.task3", "widget.placeholder.flow2", Overdue::no, clock),
        placeholderItem("widget.placeholder.task4", "widget.placeholder.flow2", Overdue::no, clock),
    };
    snapshot.total = static_cast<std::int64_t>(snapshot.tasks.size());
    snapshot.validUntil = distantFuture();
    snapshot.paletteRaw = "violet";
    snapshot.emptyReason = std::nullopt;
    return snapshot;
}

} // namespace tandry
