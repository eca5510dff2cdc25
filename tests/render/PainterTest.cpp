#include "platform/render/CardLayout.h"
#include "platform/render/CardOutput.h"
#include "platform/render/PangoTextMeasurer.h"
#include "tests/support/DecodedPng.h"
#include "tests/support/TemporaryDirectory.h"

#include <gtest/gtest.h>

namespace tandry::render {
namespace {

using testing::DecodedPng;
using testing::Pixel;

const Pixel cardPixel{251, 250, 254, 255};

// The card laid out with Pango and decoded back from its PNG bytes, as a
// viewer would read it.
DecodedPng paintAndDecode(const LaidOutCard& card, const RenderOptions& options) {
    const Result<std::vector<unsigned char>> png = cardPng(card, options);
    EXPECT_TRUE(png.has_value());
    return png ? testing::decodePng(*png) : DecodedPng{};
}

LaidOutCard layOutWithPango(const Element& tree, Size size, double scale) {
    PangoTextMeasurer measurer;
    return layoutCard(tree, size, measurer, {scale, {}});
}

Element onBackground(Element content, Color background = Color::packed(0xFBFAFE)) {
    return modified(std::move(content), ContainerBackground{background, {}});
}

Text inkText(std::string string, double size, Color color) {
    return Text{.string = std::move(string),
                .font = {size, FontWeight::bold, FontDesign::standard},
                .color = color,
                .lineLimit = 1,
                .fixedSize = false};
}

TEST(Painter, FillsTheRoundedCardWithItsBackground) {
    const DecodedPng image = paintAndDecode(
        layOutWithPango(onBackground(Spacer{0.0}), Size{364, 170}, 2), {2, ColorScheme::light});
    ASSERT_EQ(image.width, 728);
    ASSERT_EQ(image.height, 340);
    for (const auto& [x, y] : {std::pair{364, 170}, {727, 170}, {364, 0}, {20, 20}}) {
        EXPECT_EQ(image.at(x, y), cardPixel) << x << ", " << y;
    }
    // The corners lie outside the rounded shape (radius 0.13 x 170 = 22 pt).
    for (const auto& [x, y] : {std::pair{0, 0}, {727, 339}, {8, 8}}) {
        EXPECT_EQ(image.at(x, y).alpha, 0) << x << ", " << y;
    }

    // Translucent colours come out with straight alpha.
    const Pixel centre =
        paintAndDecode(layOutWithPango(onBackground(Spacer{0.0}, Color::srgb(1, 0, 0, 0.5)),
                                       Size{100, 100}, 1),
                       {1, ColorScheme::light})
            .at(50, 50);
    EXPECT_EQ((Pixel{centre.red, centre.green, centre.blue, 0}), (Pixel{255, 0, 0, 0}));
    EXPECT_NEAR(centre.alpha, 128, 1);
}

TEST(Painter, DrawsSystemRedSymbolsInTheShadeOfTheScheme) {
    // A circle at 30 pt: outer edge 28.5 across with a 2.5 stroke, so its
    // centre line runs 13 pt from the middle of the 36 pt box.
    const Element circle = SymbolImage{.name = "circle",
                                       .font = {30, FontWeight::regular, FontDesign::standard},
                                       .color = Color::systemRed()};
    for (const auto& [scheme, red] : {std::pair{ColorScheme::light, Pixel{255, 59, 48, 255}},
                                      {ColorScheme::dark, Pixel{255, 69, 58, 255}}}) {
        SCOPED_TRACE(scheme);
        const DecodedPng image =
            paintAndDecode(layOutWithPango(onBackground(circle), Size{100, 100}, 2), {2, scheme});
        EXPECT_EQ(image.at(100 + 26, 100), red);
        EXPECT_EQ(image.at(100, 100 - 26), red);
        // Inside the ring is the card.
        EXPECT_EQ(image.at(100, 100), cardPixel);
    }
}

TEST(Painter, DrawsEmojiInColourAndArabicAsJoinedLetters) {
    const auto colourfulPixels = [](const char* string) {
        const DecodedPng image =
            paintAndDecode(layOutWithPango(onBackground(inkText(string, 24, Color::packed(0)),
                                                        Color::packed(0xFFFFFF)),
                                           Size{200, 60}, 2),
                           {2, {}});
        int count = 0;
        for (int y = 0; y < image.height; ++y) {
            for (int x = 0; x < image.width; ++x) {
                const Pixel pixel = image.at(x, y);
                count += std::max({pixel.red, pixel.green, pixel.blue}) -
                             std::min({pixel.red, pixel.green, pixel.blue}) >
                         80;
            }
        }
        return count;
    };
    // Black text on white has no colour; a colour emoji does, where a box
    // for a missing glyph would be black.
    EXPECT_EQ(colourfulPixels("Ready"), 0);
    EXPECT_GT(colourfulPixels("🍕🎉"), 200);

    // Arabic letters join: the shaped word is narrower than its letters set
    // one by one in their isolated forms (and a row of boxes would be widest).
    PangoTextMeasurer measurer;
    const Font font{24, FontWeight::regular, FontDesign::standard};
    double isolated = 0;
    for (const char* letter : {"م", "ر", "ح", "ب", "ا"}) {
        isolated += measurer.measure(letter, font, {}).size.width;
    }
    EXPECT_LT(measurer.measure("مرحبا", font, {}).size.width, isolated);
}

TEST(CardOutput, ReportsWhatCannotBeWritten) {
    testing::TemporaryDirectory directory;
    const LaidOutCard card = layOutWithPango(onBackground(Spacer{0.0}), Size{170, 170}, 2);
    const std::filesystem::path missing = directory.path() / "missing";
    struct Row {
        std::filesystem::path path;
        std::string message;
    };
    const Row rows[] = {
        {directory.path() / "card.gif",
         "cannot write " + (directory.path() / "card.gif").string() +
             ": unknown extension \".gif\" (use .png, .svg, .pdf or .json)"},
        {missing / "card.png",
         "cannot write " + (missing / "card.png").string() + ": No such file or directory"},
        {missing / "card.pdf", "cannot write " + (missing / "card.pdf").string() +
                                   ": error while writing to output stream"},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.path);
        const Result<void> written = writeCard(card, row.path, {});
        ASSERT_FALSE(written.has_value());
        EXPECT_EQ(written.error().message, row.message);
    }
}

} // namespace
} // namespace tandry::render
