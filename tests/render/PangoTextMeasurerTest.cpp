#include "platform/render/PangoTextMeasurer.h"

#include <gtest/gtest.h>

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
    // Weight widens the advances; the same string in bold is wider.
    EXPECT_LT(measurer.measure("Ready", {12, FontWeight::regular, {}}, {}).size.width,
              measurer.measure("Ready", {12, FontWeight::bold, {}}, {}).size.width);
    // The monospaced design gives every character one advance.
    const Font monospaced{12, FontWeight::regular, FontDesign::monospaced};
    EXPECT_NEAR(measurer.measure("iiii", monospaced, {}).size.width,
                measurer.measure("WWWW", monospaced, {}).size.width, 0.01);
}

TEST(PangoTextMeasurer, TruncatesAndWrapsWithinTheFit) {
    PangoTextMeasurer measurer;
    const Font font{12, FontWeight::medium, FontDesign::standard};
    const std::string title = "Draft the onboarding checklist for the new design team members";
    const MeasuredText oneLine = measurer.measure(title, font, {100.0, 1});
    EXPECT_EQ(oneLine.lineCount, 1);
    EXPECT_LE(oneLine.size.width, 100);
    EXPECT_GT(oneLine.size.width, 80);

    const MeasuredText twoLines = measurer.measure(title, font, {100.0, 2});
    EXPECT_EQ(twoLines.lineCount, 2);
    EXPECT_LE(twoLines.size.width, 100);
    EXPECT_NEAR(twoLines.size.height, 2 * oneLine.size.height, 0.01);

    const MeasuredText unlimited = measurer.measure(title, font, {100.0, std::nullopt});
    EXPECT_GE(unlimited.lineCount, 4);
    EXPECT_LE(unlimited.size.width, 100);
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
