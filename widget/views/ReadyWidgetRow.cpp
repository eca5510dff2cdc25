#include "widget/views/ReadyWidgetRow.h"

#include "widget/strings/WidgetStrings.h"
#include "widget/timeline/WidgetKind.h"

#include <ostream>

namespace tandry {
namespace {

Text dueLabel(std::string string, Color color) {
    // Fixed size: the label keeps its whole width and the title gives way.
    return Text{.string = std::move(string),
                .font = {10, FontWeight::medium, FontDesign::standard},
                .color = color,
                .lineLimit = 1,
                .fixedSize = true};
}

} // namespace

Element ReadyWidgetRow::body(const DueDateFormat& dueDates) const {
    // 1. The tick: the circle is the label of a plain button that runs the
    //    intent for this task. Every row has the same accessibility label.
    Element tick =
        modified(SymbolImage{.name = "circle",
                             .font = {15, FontWeight::regular, FontDesign::standard},
                             .color = palette.accent},
                 IntentButton{.intent = {.type = std::string(tickReadyTaskIntentType),
                                         .parameter = uuidText(task.id)},
                              .accessibilityLabel = WidgetStrings::text("widget.row.tick")});

    // 2. Title over flow name; the flow line is there even when empty.
    Element texts = VStack{.alignment = HorizontalAlignment::leading,
                           .spacing = 1,
                           .children = {
                               Text{.string = task.title,
                                    .font = {12, FontWeight::medium, FontDesign::standard},
                                    .color = palette.ink,
                                    .lineLimit = 1},
                               Text{.string = task.flowName,
                                    .font = {10, FontWeight::regular, FontDesign::standard},
                                    .color = palette.secondary,
                                    .lineLimit = 1},
                           }};

    HStack row{.spacing = 8};
    row.children.push_back(std::move(tick));
    row.children.push_back(std::move(texts));
    row.children.push_back(Spacer{.minLength = 4});

    // 3. The due label: a date wins over "today"; overdue alone shows nothing.
    if (task.dueDate) {
        row.children.push_back(dueLabel(dueDates.format(*task.dueDate),
                                        task.isOverdue ? systemRed() : palette.secondary));
    } else if (task.isToday) {
        row.children.push_back(dueLabel(WidgetStrings::text("widget.row.today"), palette.accent));
    }
    return row;
}

std::ostream& operator<<(std::ostream& out, const ReadyWidgetRow& row) {
    return out << "ReadyWidgetRow{" << row.task << ", " << row.palette << '}';
}

} // namespace tandry
