#include "widget/views/ReadyListCard.h"

#include "widget/strings/WidgetStrings.h"
#include "widget/views/ListCardCounts.h"
#include "widget/views/ReadyWidgetRow.h"
#include "widget/views/WidgetHeader.h"

#include <ostream>

namespace tandry {
namespace {

Text countText(std::string string, const WidgetPalette& palette) {
    return Text{.string = std::move(string),
                .font = {11, FontWeight::medium, FontDesign::standard},
                .color = palette.secondary};
}

// The title and message of an empty list, centred by a spacer on each side.
void appendClearBody(VStack& root, const ReadySnapshot& snapshot, const WidgetPalette& palette) {
    const auto reason = snapshot.emptyReason
                            ? std::optional<std::string_view>(*snapshot.emptyReason)
                            : std::nullopt;
    root.children.push_back(Spacer{.minLength = 0});
    root.children.push_back(
        VStack{.alignment = HorizontalAlignment::leading,
               .spacing = 2,
               .children = {
                   Text{.string = WidgetStrings::text("widget.clear.title"),
                        .font = {13, FontWeight::semibold, FontDesign::standard},
                        .color = palette.ink},
                   Text{.string = WidgetStrings::text(WidgetStrings::clearMessageKey(reason)),
                        .font = {11, FontWeight::regular, FontDesign::standard},
                        .color = palette.secondary},
               }});
    root.children.push_back(Spacer{.minLength = 0});
}

} // namespace

Element ReadyListCard::body(const DueDateFormat& dueDates) const {
    // 1. The numbers, safe at both ends of the 64-bit range.
    const ListCardCounts counts = ListCardCounts::of(snapshot.total, rows, snapshot.tasks.size());

    // 2. The header row; the count only for a positive total.
    HStack header{.children = {WidgetHeader{palette}.body(), Spacer{.minLength = 0}}};
    if (counts.total > 0) {
        header.children.push_back(countText(WidgetStrings::count(counts.total), palette));
    }

    VStack root{.alignment = HorizontalAlignment::leading, .spacing = 8};
    root.children.push_back(std::move(header));

    if (counts.total == 0) {
        // 3. Nothing ready, whatever the task list holds.
        appendClearBody(root, snapshot, palette);
    } else {
        // 4. The first rows in the snapshot's order, then the tasks left out
        //    at the bottom edge.
        IdentifiedList list;
        for (std::int64_t i = 0; i < counts.shown; ++i) {
            const ReadySnapshot::Item& task = snapshot.tasks[static_cast<std::size_t>(i)];
            list.items.push_back({task.id, ReadyWidgetRow{task, palette}.body(dueDates)});
        }
        root.children.push_back(VStack{.alignment = HorizontalAlignment::leading,
                                       .spacing = compact ? 4.0 : 6.0,
                                       .children = {std::move(list)}});
        root.children.push_back(Spacer{.minLength = 0});
        if (!compact && counts.remaining > 0) {
            root.children.push_back(countText(WidgetStrings::more(counts.remaining), palette));
        }
    }

    // 5. Inset, in a frame that fills the widget from its top leading corner.
    return modified(modified(Element(std::move(root)), Inset{14}),
                    FlexibleFrame{Alignment::topLeading()});
}

std::ostream& operator<<(std::ostream& out, const ReadyListCard& card) {
    return out << "ReadyListCard{" << card.snapshot << ", " << card.palette
               << ", rows=" << card.rows << ", compact=" << std::boolalpha << card.compact << '}';
}

} // namespace tandry
