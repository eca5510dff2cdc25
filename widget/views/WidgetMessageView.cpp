#include "widget/views/WidgetMessageView.h"

#include "widget/strings/WidgetStrings.h"
#include "widget/views/WidgetHeader.h"
#include "widget/views/WidgetPalette.h"

#include <ostream>

namespace tandry {

Element WidgetMessageView::body() const {
    const WidgetPalette palette = WidgetPalette::resolve("violet", scheme);
    // The two equal spacers centre the message in the room below the header.
    Element stack = VStack{.alignment = HorizontalAlignment::leading,
                           .spacing = 6,
                           .children = {
                               WidgetHeader{palette}.body(),
                               Spacer{.minLength = 0},
                               Text{.string = WidgetStrings::text(key),
                                    .font = {12, FontWeight::medium, FontDesign::standard},
                                    .color = palette.secondary,
                                    .lineLimit = 4},
                               Spacer{.minLength = 0},
                           }};
    return modified(modified(std::move(stack), Inset{14}), FlexibleFrame{Alignment::topLeading()});
}

std::ostream& operator<<(std::ostream& out, const WidgetMessageView& view) {
    return out << "WidgetMessageView{key=\"" << view.key << "\", scheme=" << view.scheme << '}';
}

} // namespace tandry
