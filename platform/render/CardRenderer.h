#pragma once

#include "platform/render/LaidOutElement.h"
#include "platform/render/PangoTextMeasurer.h"
#include "widget/app/StaticConfiguration.h"
#include "widget/strings/LayoutDirection.h"
#include "widget/strings/UserLanguage.h"
#include "widget/views/IcuDueDateFormat.h"

namespace tandry {

// Turns an entry into a laid-out card as a widget host draws it: the
// widget's own content builder makes the view, the view its tree, and the
// layout engine sets it in the family's size with Pango's measurements, in
// the direction of the user's language. One per thread.
class CardRenderer {
public:
    // Due dates are written for the ICU locale `dateLocaleId` (see dateLocaleId()).
    explicit CardRenderer(std::string_view dateLocaleId,
                          LayoutDirection direction = userLayoutDirection());

    // `scale` is the number of device pixels per point that frames are
    // rounded to: the screen's scale for a window, the image's for a file.
    render::LaidOutCard render(const StaticConfiguration& configuration,
                               const ReadyWidgetEntry& entry, WidgetFamily family,
                               ColorScheme scheme, double scale);

private:
    render::PangoTextMeasurer measurer_;
    IcuDueDateFormat dueDates_;
    LayoutDirection direction_;
};

} // namespace tandry
