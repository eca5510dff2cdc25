#include "platform/render/CardOutput.h"
#include "platform/render/PangoTextMeasurer.h"
#include "tests/card/CardFixtures.h"
#include "tests/support/DecodedPng.h"
#include "tests/support/ScopedLanguage.h"

#include <cmath>
#include <gtest/gtest.h>

namespace tandry::testing {
namespace {

Pixel opaque(unsigned packed) {
    return {static_cast<int>((packed >> 16) & 0xFF), static_cast<int>((packed >> 8) & 0xFF),
            static_cast<int>(packed & 0xFF), 255};
}

// A rendered card, decoded back from its PNG bytes as a viewer would read it.
struct RenderedCard {
    render::LaidOutCard card;
    DecodedPng image;

    Pixel at(int x, int y) const { return image.at(x, y); }

    // How many pixels inside a laid-out frame are exactly `colour`.
    int count(const render::Rect& frame, Pixel colour) const {
        int found = 0;
        for (int y = static_cast<int>(frame.minY() * 2); y < static_cast<int>(frame.maxY() * 2);
             ++y) {
            for (int x = static_cast<int>(frame.minX() * 2); x < static_cast<int>(frame.maxX() * 2);
                 ++x) {
                found += at(x, y) == colour ? 1 : 0;
            }
        }
        return found;
    }
};

RenderedCard render(WidgetFamily family, ColorScheme scheme, const ReadyWidgetState& state) {
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
    const ScopedLanguage language("en");
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
        const RenderedCard card = render(row.family, row.scheme, row.state);
        const render::Size size = render::cardSize(row.family);
        ASSERT_EQ(card.image.width, size.width * 2);
        ASSERT_EQ(card.image.height, size.height * 2);
        // The inset along the bottom edge holds nothing but the card colour.
        EXPECT_EQ(card.at(card.image.width / 2, card.image.height - 8), row.background);
        EXPECT_EQ(card.at(card.image.width - 40, card.image.height / 2), row.background);
        // Outside the rounded corner the image is transparent.
        EXPECT_EQ(card.at(0, 0).alpha, 0);
    }
}

TEST(CardPixels, DrawsTheCountInTheSnapshotsAccent) {
    const ScopedLanguage language("en");
    struct Row {
        const char* palette;
        ColorScheme scheme;
        Pixel accent;
    };
    const Row rows[] = {
        {"green", ColorScheme::light, opaque(0x1C7B4F)},
        {"green", ColorScheme::dark, opaque(0x11B462)},
        {"teal", ColorScheme::light, opaque(0x7C4DE0)},
        {"pink", ColorScheme::dark, opaque(0xF56FA5)},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.palette);
        const RenderedCard card = render(WidgetFamily::systemSmall, row.scheme,
                                         ReadyWidgetState::ready(snapshotOf(48, 2, row.palette)));
        const auto digits = textsNamed(card.card.root, "48");
        ASSERT_EQ(digits.size(), 1u);
        // The bold 34-point digits cover whole pixels in the accent.
        EXPECT_GT(card.count(digits[0]->frame, row.accent), 100);
    }
}

TEST(CardPixels, DrawsOverdueTitlesInSystemRed) {
    const ScopedLanguage language("en");
    ReadySnapshot snapshot = snapshotOf(2, 2);
    snapshot.tasks[0].title = "MMMMMMMM";
    snapshot.tasks[0].isOverdue = true;
    snapshot.tasks[1].title = "MMMMMMMM";
    for (const ColorScheme scheme : {ColorScheme::light, ColorScheme::dark}) {
        SCOPED_TRACE(::testing::Message() << scheme);
        const Pixel red =
            scheme == ColorScheme::dark ? Pixel{255, 69, 58, 255} : Pixel{255, 59, 48, 255};
        const Pixel ink = scheme == ColorScheme::dark ? opaque(0xECEAF2) : opaque(0x1C1A24);
        const RenderedCard card =
            render(WidgetFamily::systemSmall, scheme, ReadyWidgetState::ready(snapshot));
        const auto titles = textsNamed(card.card.root, "MMMMMMMM");
        ASSERT_EQ(titles.size(), 2u);
        EXPECT_GT(card.count(titles[0]->frame, red), 10);
        EXPECT_EQ(card.count(titles[0]->frame, ink), 0);
        EXPECT_GT(card.count(titles[1]->frame, ink), 10);
        EXPECT_EQ(card.count(titles[1]->frame, red), 0);
    }
}

} // namespace
} // namespace tandry::testing
