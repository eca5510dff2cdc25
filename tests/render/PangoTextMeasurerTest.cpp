#include "platform/render/PangoTextMeasurer.h"

#include "tests/render/HostileTexts.h"

#include <gtest/gtest.h>
#include <limits>

namespace tandry::render {
namespace {

// Inter's metrics in em: ascender 0.969, descender 0.242, cap height 0.727,
// no line gap. Tolerances allow for rounding to Pango units and for a
// slightly different release of the font.
TEST(PangoTextMeasurer, MeasuresInterOnOneLine) {
    PangoTextMeasurer measurer;
    const FontMetrics metrics = measurer.metrics({12, FontWeight::semibold, {}});
    EXPECT_NEAR(metrics.ascent, 0.969 * 12, 0.3);
    EXPECT_NEAR(metrics.descent, 0.242 * 12, 0.3);
    EXPECT_NEAR(metrics.capHeight, 0.727 * 12, 0.3);
    EXPECT_NEAR(metrics.lineGap, 0, 0.3);

    const MeasuredText ready = measurer.measure("Ready", {12, FontWeight::semibold, {}}, {});
    EXPECT_EQ(ready.lineCount, 1);
    EXPECT_GT(ready.size.width, 30);
    EXPECT_LT(ready.size.width, 42);
    EXPECT_NEAR(ready.size.height, 1.21 * 12, 0.4);
    // Weight widens the advances: each weight sets the same string wider.
    double narrower = 0;
    for (FontWeight weight :
         {FontWeight::regular, FontWeight::medium, FontWeight::semibold, FontWeight::bold}) {
        const double width = measurer.measure("Ready", {12, weight, {}}, {}).size.width;
        EXPECT_LT(narrower, width) << weight;
        narrower = width;
    }
    // The monospaced design gives every character one advance.
    const Font monospaced{12, FontWeight::regular, FontDesign::monospaced};
    EXPECT_NEAR(measurer.measure("iiii", monospaced, {}).size.width,
                measurer.measure("WWWW", monospaced, {}).size.width, 0.01);
}

// Whatever a text holds, it takes no more lines than its fit allows, each as
// tall as the font's line, and no more width; a text too long for its fit
// fills every line it may take (without a limit, many, but no more than a
// card shows), and one set at its ideal width is wider than any card.
TEST(PangoTextMeasurer, KeepsAnyTextWithinItsFit) {
    const TextFit fits[] = {{86.5, 1},         {262.0, 1},        {100.0, 3},
                            {std::nullopt, 1}, {std::nullopt, 3}, {100.0, std::nullopt}};
    PangoTextMeasurer measurer;
    const Font font{12, FontWeight::medium, FontDesign::standard};
    const double lineHeight = measurer.metrics(font).lineHeight();
    for (const testing::HostileText& row : testing::hostileTexts()) {
        for (const TextFit& fit : fits) {
            SCOPED_TRACE(::testing::Message() << row.name << ", " << fit);
            const MeasuredText measured = measurer.measure(row.text, font, fit);
            const int mostLines = fit.maxLines.value_or(std::numeric_limits<int>::max());
            EXPECT_GE(measured.lineCount, row.overflows && fit.width ? std::min(mostLines, 4) : 1);
            EXPECT_LE(measured.lineCount, mostLines);
            EXPECT_NEAR(measured.size.height, measured.lineCount * lineHeight, 0.01);
            if (fit.width) {
                EXPECT_LE(measured.size.width, *fit.width);
            }
            // Without a limit, no more lines than the largest card holds
            // and some.
            EXPECT_LE(measured.size.height, 600);
            if (row.overflows && fit.maxLines) {
                EXPECT_GT(measured.size.width, fit.width ? *fit.width - 1.5 * font.size : 364);
            }
        }
    }
}

TEST(PangoTextMeasurer, FindsAFontForEveryScript) {
    PangoTextMeasurer measurer;
    const Font font{12, FontWeight::regular, {}};
    const char* texts[] = {
        "Ready", "إرسال التقرير الفصلي", "שלום", "नमस्ते", "准备好了", "準備完了", "준비됨", "Привет",
        "🍕🎉✅",   "Café – naïve…"};
    for (const char* text : texts) {
        SCOPED_TRACE(text);
        EXPECT_EQ(measurer.unknownGlyphCount(text, font), 0);
    }
    // A noncharacter no font draws: the check does see boxes.
    EXPECT_EQ(measurer.unknownGlyphCount("\xEF\xBF\xBE", font), 1);
}

} // namespace
} // namespace tandry::render
