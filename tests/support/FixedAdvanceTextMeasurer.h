#pragma once

#include "platform/render/TextMeasurer.h"

#include <string>
#include <string_view>
#include <vector>

namespace tandry::testing {

// A text measurer with exact, font-free arithmetic: every character (code
// point) advances half the font size, lines are 1.25 times the font size
// tall (ascent 1, descent 0.25, cap height 0.75 em, no line gap). It wraps at
// spaces, breaks over-long words by character and ends the last shown line
// with "…" (one character wide) when text is left over, as the real measurer
// does, so that layout tests can state their expectations in whole numbers.
// It knows no paragraphs: no text laid out in the tests has a newline.
class FixedAdvanceTextMeasurer final : public render::TextMeasurer {
public:
    render::MeasuredText measure(std::string_view text, const Font& font,
                                 const render::TextFit& fit) override;
    render::FontMetrics metrics(const Font& font) override;

    // The lines a text is set in for a fit, ellipsis included.
    static std::vector<std::string> setLines(std::string_view text, const Font& font,
                                             const render::TextFit& fit);

    static double advance(const Font& font) { return font.size / 2; }

    // How often `measure` was called, to show that layout caches its results.
    int measureCount() const { return measureCount_; }

private:
    int measureCount_ = 0;
};

} // namespace tandry::testing
