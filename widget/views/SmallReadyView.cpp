#include "widget/views/SmallReadyView.h"

#include "widget/strings/WidgetStrings.h"
#include "widget/views/WidgetHeader.h"

#include <algorithm>
#include <ostream>
#include <string>

namespace tandry {
namespace {

constexpr std::size_t titlesShown = 2;

} // namespace

Element SmallReadyView::body() const {
    VStack root{.alignment = HorizontalAlignment::leading, .spacing = 6};
    root.children.push_back(WidgetHeader{palette}.body());

    if (snapshot.total == 0) {
        // The clear title, centred in the room below the header.
        root.children.push_back(Spacer{.minLength = 0});
        root.children.push_back(Text{.string = WidgetStrings::text("widget.clear.title"),
                                     .font = {13, FontWeight::semibold, FontDesign::standard},
                                     .color = palette.ink,
                                     .lineLimit = 3});
        root.children.push_back(Spacer{.minLength = 0});
    } else {
        // The total as the integer prints itself: no grouping, not
        // localized, so it reads the same as the task manager's count.
        root.children.push_back(modified(Text{.string = std::to_string(snapshot.total),
                                              .font = {34, FontWeight::bold, FontDesign::rounded},
                                              .color = palette.accent},
                                         NumericContentTransition{CountDirection::up}));
        root.children.push_back(Spacer{.minLength = 0});
        IdentifiedList titles;
        const std::size_t shown = std::min(snapshot.tasks.size(), titlesShown);
        for (std::size_t i = 0; i < shown; ++i) {
            const ReadySnapshot::Item& task = snapshot.tasks[i];
            titles.items.push_back(
                {task.id, Text{.string = task.title,
                               .font = {11, FontWeight::medium, FontDesign::standard},
                               .color = task.isOverdue ? systemRed() : palette.ink,
                               .lineLimit = 1}});
        }
        root.children.push_back(std::move(titles));
    }
    return modified(modified(Element(std::move(root)), Inset{14}),
                    FlexibleFrame{Alignment::topLeading()});
}

std::ostream& operator<<(std::ostream& out, const SmallReadyView& view) {
    return out << "SmallReadyView{" << view.snapshot << ", " << view.palette << '}';
}

} // namespace tandry
