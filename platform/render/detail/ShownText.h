#pragma once

#include "platform/render/TextMeasurer.h"

#include <string>
#include <string_view>

namespace tandry::render::detail {

// A text as Pango sets it, so that no text can take more lines than its fit
// allows or cost more than what can show of it.
struct ShownText {
    // The text's characters, except that:
    // - control characters (NUL included, which would otherwise end the
    //   string for Pango) show as spaces, and so do line breaks in a one-line
    //   text;
    // - in a text of several lines each kind of line break (LF, CR, CR LF,
    //   vertical tab, form feed, NEL, the line and paragraph separators)
    //   becomes a line separator, so that the whole text is one paragraph
    //   and Pango's limit on the lines of a paragraph is the limit on the
    //   text; breaks past the first (maxLines - 1) show as spaces, so that a
    //   text set at its ideal width, where Pango limits no lines, keeps to
    //   its limit as well;
    // - only a prefix is kept, longer than the fit can show in its narrowest
    //   characters; a text cut there ends in "…", so that a text cut where
    //   its characters still fit shows the cut as well;
    // - bytes that are not UTF-8 show as U+FFFD.
    std::string text;
    // The fit's line limit; for a text without one, more lines than any
    // card shows, so that no text costs more than a card's worth of lines.
    int maxLines = 1;
};

// The layout and the painter both set texts through it, so they agree.
ShownText shownText(std::string_view text, const Font& font, const TextFit& fit);

} // namespace tandry::render::detail
