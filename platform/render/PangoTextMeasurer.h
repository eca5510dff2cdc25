#pragma once

#include "platform/GLibOwnership.h"
#include "platform/render/TextMeasurer.h"

#include <map>
#include <string_view>
#include <tuple>

namespace tandry::render {

// Measures texts with Pango over the fonts that fontconfig finds: Inter as
// the system font, with fallback to whatever font covers each character.
// Glyph positions are neither hinted nor rounded, so a text measures the same
// at every scale and the painter draws exactly what was measured.
// Not thread-safe: use one measurer per thread.
class PangoTextMeasurer final : public TextMeasurer {
public:
    PangoTextMeasurer();

    MeasuredText measure(std::string_view text, const Font& font, const TextFit& fit) override;
    FontMetrics metrics(const Font& font) override;

    // How many characters of `text` no installed font can draw (they would
    // show as boxes); 0 when the fonts cover it all.
    int unknownGlyphCount(std::string_view text, const Font& font);

private:
    GObjectPtr<PangoContext> context_;
    GObjectPtr<PangoLayout> layout_;
    std::map<std::tuple<double, FontWeight, FontDesign>, FontMetrics> metricsCache_;
};

} // namespace tandry::render
