#include "platform/host/CardRenderer.h"

#include "platform/render/CardLayout.h"
#include "platform/render/CardSize.h"
#include "platform/render/LayoutDirection.h"

namespace tandry {

CardRenderer::CardRenderer() : dueDates_(IcuDueDateFormat::current()) {}

render::LaidOutCard CardRenderer::render(const StaticConfiguration& configuration,
                                         const ReadyWidgetEntry& entry, WidgetFamily family,
                                         ColorScheme scheme, double scale) {
    const ReadyWidgetView view = configuration.content(entry, family, scheme);
    return render::layoutCard(
        view.body(dueDates_), render::cardSize(family), measurer_,
        render::LayoutOptions{scale, render::layoutDirectionFromEnvironment()});
}

} // namespace tandry
