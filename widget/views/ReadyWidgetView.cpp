#include "widget/views/ReadyWidgetView.h"

#include "widget/views/ReadyListCard.h"
#include "widget/views/SmallReadyView.h"
#include "widget/views/WidgetMessageView.h"
#include "widget/views/WidgetPalette.h"

#include <algorithm>
#include <cctype>
#include <ostream>
#include <string_view>

namespace tandry {
namespace {

constexpr std::string_view deepLinkText = "tandry://ready";

// The URL's scheme must be a letter followed by letters, digits, "+", "-" or
// ".", and end in ":"; a click-through URL without one would open nothing.
bool hasUrlScheme(std::string_view url) {
    const std::size_t colon = url.find(':');
    if (colon == std::string_view::npos || colon == 0 ||
        !std::isalpha(static_cast<unsigned char>(url.front()))) {
        return false;
    }
    return std::all_of(url.begin(), url.begin() + static_cast<std::ptrdiff_t>(colon), [](char c) {
        return std::isalnum(static_cast<unsigned char>(c)) || c == '+' || c == '-' || c == '.';
    });
}

} // namespace

Element ReadyWidgetView::stateContent(const DueDateFormat& dueDates) const {
    switch (entry.state.kind()) {
    case ReadyWidgetState::Case::ready: {
        const ReadySnapshot& snapshot = *entry.state.snapshot();
        // The palette comes before the family: every ready layout uses it.
        const WidgetPalette palette = WidgetPalette::resolve(snapshot.paletteRaw, colorScheme);
        if (family == WidgetFamily::systemSmall) {
            return SmallReadyView{snapshot, palette}.body();
        }
        if (family == WidgetFamily::systemLarge) {
            return ReadyListCard{snapshot, palette, 7, false}.body(dueDates);
        }
        return ReadyListCard{snapshot, palette, 3, true}.body(dueDates);
    }
    case ReadyWidgetState::Case::waitingForApp:
        return WidgetMessageView{"widget.empty.title", colorScheme}.body();
    case ReadyWidgetState::Case::stale:
        return WidgetMessageView{"widget.stale.title", colorScheme}.body();
    }
    return WidgetMessageView{"widget.empty.title", colorScheme}.body();
}

Element ReadyWidgetView::body(const DueDateFormat& dueDates) const {
    Element card = modified(stateContent(dueDates),
                            ContainerBackground{cardBackground(colorScheme), Alignment::center()});
    if (const auto& link = readyDeepLink()) {
        card = modified(std::move(card), ClickThroughUrl{*link});
    }
    return card;
}

Color cardBackground(ColorScheme scheme) {
    return scheme == ColorScheme::dark ? Color::packed(0x16141C) : Color::packed(0xFBFAFE);
}

const std::optional<std::string>& readyDeepLink() {
    static const std::optional<std::string> link =
        hasUrlScheme(deepLinkText) ? std::optional<std::string>(deepLinkText) : std::nullopt;
    return link;
}

std::ostream& operator<<(std::ostream& out, const ReadyWidgetView& view) {
    return out << "ReadyWidgetView{" << view.family << ", " << view.colorScheme << ", "
               << view.entry << '}';
}

} // namespace tandry
