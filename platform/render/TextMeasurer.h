#pragma once

#include "platform/render/Geometry.h"
#include "widget/ui/Font.h"

#include <iosfwd>
#include <optional>
#include <string_view>

namespace tandry::render {

// How a text is to be set: the width it may take (nullopt: its ideal width,
// breaking only at newlines) and the most lines it may show. When the text
// needs more lines, the last one shown ends in an ellipsis.
struct TextFit {
    std::optional<double> width;
    std::optional<int> maxLines;

    bool operator==(const TextFit&) const = default;
};

// What the measurer reports for a text set by a `TextFit`.
struct MeasuredText {
    // The widest line actually drawn (ellipsis included) by the lines shown.
    Size size;
    int lineCount = 0;

    bool operator==(const MeasuredText&) const = default;
};

// Vertical metrics of a font in points, for the default gaps around texts.
struct FontMetrics {
    double ascent = 0;
    // Positive: the distance below the baseline.
    double descent = 0;
    double capHeight = 0;
    // Extra space the font asks for between lines.
    double lineGap = 0;

    bool operator==(const FontMetrics&) const = default;

    double lineHeight() const { return ascent + descent; }
};

// The renderer's text service: measures a text the way the painter will draw
// it. Pango in production; a fixed-advance fake in tests.
class TextMeasurer {
public:
    virtual ~TextMeasurer() = default;

    // The size of `text` in `font` set as `fit` says.
    virtual MeasuredText measure(std::string_view text, const Font& font, const TextFit& fit) = 0;

    // The vertical metrics of `font`.
    virtual FontMetrics metrics(const Font& font) = 0;
};

std::ostream& operator<<(std::ostream& out, const TextFit& fit);
std::ostream& operator<<(std::ostream& out, const MeasuredText& measured);
std::ostream& operator<<(std::ostream& out, const FontMetrics& metrics);

} // namespace tandry::render
