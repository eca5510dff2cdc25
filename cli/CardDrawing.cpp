#include "cli/CardDrawing.h"

#include "cli/CommandClock.h"
#include "platform/render/CardOutput.h"
#include "platform/render/CardRenderer.h"
#include "widget/app/TandryReadyWidget.h"
#include "widget/store/AppGroup.h"
#include "widget/timeline/ReadyWidgetProvider.h"

#include <iostream>
#include <utility>

namespace tandry {
namespace {

using EntryRequest = RenderRequest::Entry;

// The entry the host would draw for the request.
ReadyWidgetEntry requestedEntry(EntryRequest request, const Clock& clock,
                                const Environment& environment) {
    if (request == EntryRequest::placeholder) {
        return ReadyWidgetProvider(clock, std::nullopt).placeholder({});
    }
    const ReadyWidgetProvider provider(clock, SharedContainer::of(environment).path);
    ReadyWidgetEntry entry;
    if (request == EntryRequest::timeline) {
        provider.getTimeline({}, [&](Timeline timeline) {
            if (!timeline.entries.empty()) {
                entry = std::move(timeline.entries.front());
            }
        });
    } else {
        provider.getSnapshot({.isPreview = request == EntryRequest::preview},
                             [&](ReadyWidgetEntry answer) { entry = std::move(answer); });
    }
    return entry;
}

} // namespace

int drawCard(const RenderRequest& request, const Environment& environment) {
    // 1. The renderer first: Pango reads the font configuration on a thread
    //    of its own, while this one loads the entry.
    CardRenderer renderer(dateLocaleId(environment));

    // 2. The entry, as the provider answers the request at --at.
    const ReadyWidgetEntry entry =
        requestedEntry(request.entry, CommandClock(request.at), environment);

    // 3. The card as the host draws it, with due dates in the user's locale
    //    and time zone, mirrored for right-to-left languages.
    const render::LaidOutCard card = renderer.render(TandryReadyWidget().body(), entry,
                                                     request.family, request.scheme, request.scale);

    // 4. Written in the format of the file's extension.
    if (Result<void> written =
            render::writeCard(card, request.output, {request.scale, request.scheme});
        !written) {
        std::cerr << "tandry-widget: " << written.error().message << '\n';
        return 1;
    }
    return 0;
}

} // namespace tandry
