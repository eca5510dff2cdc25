#include "widget/timeline/PlaceholderContent.h"

#include "widget/strings/WidgetStrings.h"
#include "widget/timeline/CalendarDay.h"

namespace tandry {

ReadySnapshot::Item placeholderItem(std::string_view titleKey, std::string_view flowKey,
                                    Overdue overdue, const Clock& clock) {
    bool isOverdue = overdue == Overdue::yes;
    return {.id = Uuid::random(),
            .title = WidgetStrings::text(titleKey),
            .flowName = WidgetStrings::text(flowKey),
            .dueDate = isOverdue ? std::optional(oneDayEarlier(clock.now())) : std::nullopt,
            .isOverdue = isOverdue,
            .isToday = !isOverdue && titleKey.ends_with('2'),
            .priorityRaw = "none"};
}

ReadySnapshot placeholderSnapshot(const Clock& clock) {
    std::vector<ReadySnapshot::Item> tasks{
        placeholderItem("widget.placeholder.task1", "widget.placeholder.flow1", Overdue::yes,
                        clock),
        placeholderItem("widget.placeholder.task2", "widget.placeholder.flow1", Overdue::no, clock),
        placeholderItem("widget.placeholder.task3", "widget.placeholder.flow2", Overdue::no, clock),
        placeholderItem("widget.placeholder.task4", "widget.placeholder.flow2", Overdue::no, clock),
    };
    auto total = static_cast<std::int64_t>(tasks.size());
    return {.validUntil = distantFuture(),
            .total = total,
            .tasks = std::move(tasks),
            .paletteRaw = "violet"};
}

} // namespace tandry
