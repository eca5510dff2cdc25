#include "widget/views/WidgetHeader.h"

#include "widget/strings/WidgetStrings.h"

#include <ostream>

namespace tandry {

Element WidgetHeader::body() const {
    return HStack{.spacing = 5,
                  .children = {
                      SymbolImage{.name = "point.3.connected.trianglepath.dotted",
                                  .font = {11, FontWeight::semibold, FontDesign::standard},
                                  .color = palette.accent},
                      Text{.string = WidgetStrings::text("widget.header"),
                           .font = {12, FontWeight::semibold, FontDesign::standard},
                           .color = palette.ink,
                           .lineLimit = 1},
                  }};
}

std::ostream& operator<<(std::ostream& out, const WidgetHeader& header) {
    return out << "WidgetHeader{" << header.palette << '}';
}

} // namespace tandry
