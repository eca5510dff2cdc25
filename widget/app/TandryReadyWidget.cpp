#include "widget/app/TandryReadyWidget.h"

#include "widget/timeline/WidgetKind.h"

namespace tandry {

StaticConfiguration TandryReadyWidget::body() const {
    // The declaration, in the order a reader meets it: what the widget is,
    // then how the host names it, which sizes it offers, and that the views
    // set every inset themselves.
    return StaticConfiguration(
               std::string(readyWidgetKind),
               [](const Clock& clock, const std::optional<std::filesystem::path>& container) {
                   return ReadyWidgetProvider(clock, container);
               },
               [](const ReadyWidgetEntry& entry, WidgetFamily family, ColorScheme colorScheme) {
                   return ReadyWidgetView{
                       .family = family, .colorScheme = colorScheme, .entry = entry};
               })
        .configurationDisplayName({"widget.display_name"})
        .description({"widget.description"})
        .supportedFamilies(
            {WidgetFamily::systemSmall, WidgetFamily::systemMedium, WidgetFamily::systemLarge})
        .contentMarginsDisabled();
}

} // namespace tandry
