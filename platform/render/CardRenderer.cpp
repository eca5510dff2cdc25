#include "platform/render/CardRenderer.h"

#include "platform/render/CardLayout.h"
#include "platform/render/CardSize.h"

namespace tandry {

CardRenderer::CardRenderer(std::string_view dateLocaleId, LayoutDirection direction)
    : dueDates_(dateLocaleId), direction_(direction) {}

render::LaidOutCard CardRenderer::render(const StaticConfiguration& configuration,
                                         const ReadyWidgetEntry& entry, WidgetFamily family,
                                         ColorScheme scheme, double scale) {
    const ReadyWidgetView view = configuration.content(entry, family, scheme);
    return render::layoutCard(view.body(dueDates_), render::cardSize(family), measurer_,
                              render::LayoutOptions{scale, direction_});
}

} // namespace tandry
