#include "platform/render/CardLayout.h"
#include "platform/render/CardOutput.h"
#include "platform/render/CardShape.h"
#include "platform/render/PangoTextMeasurer.h"
#include "tests/support/DecodedPng.h"
#include "tests/support/TemporaryDirectory.h"

#include <fstream>
#include <gtest/gtest.h>
#include <iterator>

namespace tandry::render {
namespace {

using testing::DecodedPng;
using testing::decodePng;
using testing::Pixel;

const Color cardBackground = Color::packed(0xFBFAFE);

DecodedPng paintAndDecode(const Element& tree, Size size, const RenderOptions& options) {
    PangoTextMeasurer measurer;
    const LaidOutCard card = layoutCard(tree, size, measurer, {options.scale, {}});
    const Result<std::vector<unsigned char>> png = cardPng(card, options);
    EXPECT_TRUE(png.has_value());
    return png ? decodePng(*png) : DecodedPng{};
}

Element onBackground(Element content, Color background = cardBackground) {
    return modified(std::move(content), ContainerBackground{background, {}});
}

TEST(Painter, FillsTheRoundedCardWithItsBackground) {
    const DecodedPng image =
        paintAndDecode(onBackground(Spacer{0.0}), Size{364, 170}, {2, ColorScheme::light});
    ASSERT_EQ(image.width, 728);
    ASSERT_EQ(image.height, 340);
    const Pixel background{251, 250, 254, 255};
    EXPECT_EQ(image.at(364, 170), background);
    EXPECT_EQ(image.at(727, 170), background);
    EXPECT_EQ(image.at(364, 0), background);
    // The corners lie outside the rounded shape (radius 0.13 x 170 = 22 pt).
    EXPECT_EQ(image.at(0, 0).alpha, 0);
    EXPECT_EQ(image.at(727, 339).alpha, 0);
    EXPECT_EQ(image.at(8, 8).alpha, 0);
    EXPECT_EQ(image.at(20, 20), background);
}

TEST(Painter, WritesStraightAlphaForTranslucentColours) {
    const DecodedPng image = paintAndDecode(onBackground(Spacer{0.0}, Color::srgb(1, 0, 0, 0.5)),
                                            Size{100, 100}, {1, ColorScheme::light});
    const Pixel centre = image.at(50, 50);
    EXPECT_EQ(centre.red, 255);
    EXPECT_EQ(centre.green, 0);
    EXPECT_EQ(centre.blue, 0);
    EXPECT_NEAR(centre.alpha, 128, 1);
}

TEST(Painter, DrawsSystemRedInTheShadeOfTheScheme) {
    struct Row {
        ColorScheme scheme;
        Pixel red;
    };
    const Row rows[] = {
        {ColorScheme::light, {255, 59, 48, 255}},
        {ColorScheme::dark, {255, 69, 58, 255}},
    };
    // A circle at 30 pt: outer edge 28.5 across with a 2.5 stroke, so its
    // centre line runs 13 pt from the middle of the 36 pt box.
    const Element circle = SymbolImage{.name = "circle",
                                       .font = {30, FontWeight::regular, FontDesign::standard},
                                       .color = Color::systemRed()};
    for (const Row& row : rows) {
        SCOPED_TRACE(row.scheme);
        const DecodedPng image =
            paintAndDecode(onBackground(circle), Size{100, 100}, {2, row.scheme});
        EXPECT_EQ(image.at(100 + 26, 100), row.red);
        EXPECT_EQ(image.at(100, 100 - 26), row.red);
        // Inside the ring is the card.
        EXPECT_EQ(image.at(100, 100), (Pixel{251, 250, 254, 255}));
    }
}

TEST(Painter, DrawsTextInItsColourWithinItsFrame) {
    PangoTextMeasurer measurer;
    const Element tree = onBackground(Text{.string = "HHHH",
                                           .font = {40, FontWeight::bold, FontDesign::standard},
                                           .color = Color::packed(0x2469D0),
                                           .lineLimit = 1,
                                           .fixedSize = false});
    const LaidOutCard card = layoutCard(tree, Size{200, 100}, measurer);
    const Rect frame = card.root.children.at(0).frame;
    const Result<std::vector<unsigned char>> png = cardPng(card, {1, ColorScheme::light});
    ASSERT_TRUE(png.has_value());
    const DecodedPng image = decodePng(*png);
    int inked = 0;
    int strayInk = 0;
    for (int y = 0; y < image.height; ++y) {
        for (int x = 0; x < image.width; ++x) {
            const Pixel pixel = image.at(x, y);
            if (pixel != Pixel{36, 105, 208, 255}) {
                continue;
            }
            const bool inside =
                x >= frame.minX() && x < frame.maxX() && y >= frame.minY() && y < frame.maxY();
            (inside ? inked : strayInk) += 1;
        }
    }
    // Four bold capitals cover a good part of their box, and nothing outside it.
    EXPECT_GT(inked, frame.size.width * frame.size.height / 5);
    EXPECT_EQ(strayInk, 0);
}

int colourfulPixels(const DecodedPng& image) {
    int count = 0;
    for (int y = 0; y < image.height; ++y) {
        for (int x = 0; x < image.width; ++x) {
            const Pixel pixel = image.at(x, y);
            const int high = std::max({pixel.red, pixel.green, pixel.blue});
            const int low = std::min({pixel.red, pixel.green, pixel.blue});
            count += high - low > 80 ? 1 : 0;
        }
    }
    return count;
}

TEST(Painter, DrawsEmojiInColourAndArabicAsLetters) {
    auto ink = [](const char* string) {
        return onBackground(Text{.string = string,
                                 .font = {24, FontWeight::regular, FontDesign::standard},
                                 .color = Color::packed(0x000000),
                                 .lineLimit = 1,
                                 .fixedSize = false},
                            Color::packed(0xFFFFFF));
    };
    // Black text on white has no colour; a colour emoji does, where a box
    // for a missing glyph would be black.
    EXPECT_EQ(colourfulPixels(paintAndDecode(ink("Ready"), Size{200, 60}, {2, {}})), 0);
    EXPECT_GT(colourfulPixels(paintAndDecode(ink("🍕🎉"), Size{200, 60}, {2, {}})), 200);

    // Arabic letters join: the shaped word is narrower than its letters set
    // one by one in their isolated forms (and a row of boxes would be widest).
    PangoTextMeasurer measurer;
    const Font font{24, FontWeight::regular, FontDesign::standard};
    const double joined = measurer.measure("مرحبا", font, {}).size.width;
    double isolated = 0;
    for (const char* letter : {"م", "ر", "ح", "ب", "ا"}) {
        isolated += measurer.measure(letter, font, {}).size.width;
    }
    EXPECT_LT(joined, isolated);
    EXPECT_EQ(measurer.unknownGlyphCount("مرحبا", font), 0);
}

std::string readFile(const std::filesystem::path& path) {
    std::ifstream in(path, std::ios::binary);
    return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

TEST(CardOutput, WritesEachFormatByExtension) {
    testing::TemporaryDirectory directory;
    PangoTextMeasurer measurer;
    const LaidOutCard card = layoutCard(onBackground(Text{.string = "Ready",
                                                          .font = {12, {}, {}},
                                                          .color = {},
                                                          .lineLimit = 1,
                                                          .fixedSize = false}),
                                        Size{364, 170}, measurer);
    struct Row {
        const char* file;
        std::string start;
    };
    const Row rows[] = {
        {"card.png", "\x89PNG\r\n"},
        {"card.svg", "<?xml"},
        {"card.pdf", "%PDF-"},
        {"card.json", "{\n  \"kind\": \"background\""},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.file);
        const std::filesystem::path path = directory.path() / row.file;
        const Result<void> written = writeCard(card, path, {2, ColorScheme::light});
        ASSERT_TRUE(written.has_value()) << written.error();
        EXPECT_EQ(readFile(path).substr(0, row.start.size()), row.start);
    }
    EXPECT_NE(readFile(directory.path() / "card.svg").find("width=\"364pt\""), std::string::npos);
}

TEST(CardOutput, ReportsWhatCannotBeWritten) {
    testing::TemporaryDirectory directory;
    PangoTextMeasurer measurer;
    const LaidOutCard card = layoutCard(onBackground(Spacer{0.0}), Size{170, 170}, measurer);
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
