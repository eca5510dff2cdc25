#include "platform/render/CardOutput.h"
#include "platform/render/PangoTextMeasurer.h"
#include "tests/card/CardFixtures.h"
#include "tests/support/DecodedPng.h"
#include "tests/support/ScopedLanguage.h"

#include <gtest/gtest.h>

namespace tandry::testing {
namespace {

Pixel opaque(unsigned packed) {
    return {static_cast<int>((packed >> 16) & 0xFF), static_cast<int>((packed >> 8) & 0xFF),
            static_cast<int>(packed & 0xFF), 255};
}

// A card laid out with Pango, painted at 2x and decoded back from its PNG
// bytes, as a viewer would read it.
struct RenderedCard {
    render::LaidOutCard card;
    DecodedPng image;

    // How many pixels inside the frame of the only text `string` are exactly `colour`.
    int count(const std::string& string, Pixel colour) const {
        const auto texts = textsNamed(card.root, string);
        EXPECT_EQ(texts.size(), 1u) << string;
        const render::Rect frame = texts.empty() ? render::Rect{} : texts[0]->frame;
        int found = 0;
        for (int y = static_cast<int>(frame.minY() * 2); y < static_cast<int>(frame.maxY() * 2);
             ++y) {
            for (int x = static_cast<int>(frame.minX() * 2); x < static_cast<int>(frame.maxX() * 2);
                 ++x) {
                found += image.at(x, y) == colour ? 1 : 0;
            }
        }
        return found;
    }
};

RenderedCard render(WidgetFamily family, ColorScheme scheme, const ReadyWidgetState& state) {
    const ScopedLanguage language("en");
    render::PangoTextMeasurer measurer;
    const ReadyWidgetView view{family, scheme, {utc(2026, 12, 5, 9, 30), state}};
    RenderedCard rendered{render::layoutCard(view.body(FakeDueDateFormat()),
                                             render::cardSize(family), measurer, {2, {}}),
                          {}};
    const Result<std::vector<unsigned char>> png = render::cardPng(rendered.card, {2, scheme});
    EXPECT_TRUE(png.has_value());
    if (png) {
        rendered.image = decodePng(*png);
    }
    return rendered;
}

TEST(CardPixels, PaintsTheCardBackgroundOfTheAppearance) {
    struct Row {
        WidgetFamily family;
        ColorScheme scheme;
        ReadyWidgetState state;
        Pixel background;
    };
    const Row rows[] = {
        {WidgetFamily::systemSmall, ColorScheme::light, ReadyWidgetState::ready(mixedSnapshot()),
         opaque(0xFBFAFE)},
        {WidgetFamily::systemMedium, ColorScheme::dark, ReadyWidgetState::ready(mixedSnapshot()),
         opaque(0x16141C)},
        {WidgetFamily::systemLarge, ColorScheme::dark, ReadyWidgetState::waitingForApp(),
         opaque(0x16141C)},
        {WidgetFamily::systemMedium, ColorScheme::light, ReadyWidgetState::stale(),
         opaque(0xFBFAFE)},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(::testing::Message() << row.family << ' ' << row.scheme << ' ' << row.state);
        const DecodedPng image = render(row.family, row.scheme, row.state).image;
        const render::Size size = render::cardSize(row.family);
        ASSERT_EQ(image.width, size.width * 2);
        ASSERT_EQ(image.height, size.height * 2);
        // The inset along the bottom edge holds nothing but the card colour,
        // and outside the rounded corner the image is transparent.
        EXPECT_EQ(image.at(image.width / 2, image.height - 8), row.background);
        EXPECT_EQ(image.at(image.width - 40, image.height / 2), row.background);
        EXPECT_EQ(image.at(0, 0).alpha, 0);
    }
}

TEST(CardPixels, DrawsEachTextInItsColour) {
    ReadySnapshot overdue = snapshotOf(2, 2);
    overdue.tasks[0].title = "MMMMMMMM";
    overdue.tasks[0].isOverdue = true;
    overdue.tasks[1].title = "NNNNNNNN";
    const Pixel lightRed{255, 59, 48, 255};
    const Pixel darkRed{255, 69, 58, 255};
    const Pixel lightInk = opaque(0x1C1A24);
    const Pixel darkInk = opaque(0xECEAF2);
    struct Row {
        ColorScheme scheme;
        ReadySnapshot snapshot;
        const char* text;
        Pixel colour;
        // How many pixels of the text's frame at least are of the colour; 0: none.
        int least;
    };
    const ColorScheme light = ColorScheme::light;
    const ColorScheme dark = ColorScheme::dark;
    const Row rows[] = {
        // The bold 34-point count covers whole pixels in the snapshot's accent.
        {light, snapshotOf(48, 2, "green"), "48", opaque(0x1C7B4F), 100},
        {dark, snapshotOf(48, 2, "green"), "48", opaque(0x11B462), 100},
        {light, snapshotOf(48, 2, "teal"), "48", opaque(0x7C4DE0), 100},
        {dark, snapshotOf(48, 2, "pink"), "48", opaque(0xF56FA5), 100},
        // Overdue titles are in system red, the others in the appearance's ink.
        {light, overdue, "MMMMMMMM", lightRed, 10},
        {light, overdue, "MMMMMMMM", lightInk, 0},
        {light, overdue, "NNNNNNNN", lightInk, 10},
        {light, overdue, "NNNNNNNN", lightRed, 0},
        {dark, overdue, "MMMMMMMM", darkRed, 10},
        {dark, overdue, "MMMMMMMM", darkInk, 0},
        {dark, overdue, "NNNNNNNN", darkInk, 10},
        {dark, overdue, "NNNNNNNN", darkRed, 0},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(::testing::Message() << row.scheme << ' ' << row.text << ' ' << row.colour);
        const int count =
            render(WidgetFamily::systemSmall, row.scheme, ReadyWidgetState::ready(row.snapshot))
                .count(row.text, row.colour);
        if (row.least > 0) {
            EXPECT_GT(count, row.least);
        } else {
            EXPECT_EQ(count, 0);
        }
    }
}

} // namespace
} // namespace tandry::testing
