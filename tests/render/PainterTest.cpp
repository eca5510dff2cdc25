#include "platform/render/CardOutput.h"
#include "platform/render/PangoTextMeasurer.h"
#include "tests/render/LayoutFixtures.h"
#include "tests/support/TemporaryDirectory.h"

#include <array>
#include <functional>
#include <gtest/gtest.h>
#include <png.h>

namespace tandry::render {
namespace {

// One straight (not premultiplied) RGBA pixel.
using Pixel = std::array<int, 4>;

// A PNG decoded back to straight RGBA with libpng, as any viewer would read it.
struct DecodedImage {
    int width = 0;
    int height = 0;
    std::vector<unsigned char> rgba;

    Pixel at(int x, int y) const {
        const unsigned char* p = &rgba[(static_cast<std::size_t>(y) * width + x) * 4];
        return {p[0], p[1], p[2], p[3]};
    }
};

const Pixel cardPixel{251, 250, 254, 255};

// The content on a card of `background`, laid out with Pango, painted and
// decoded back from its PNG bytes.
DecodedImage paint(Element content, Size size, double scale, ColorScheme scheme,
                   Color background = Color::packed(0xFBFAFE)) {
    PangoTextMeasurer measurer;
    const LaidOutCard card = layoutCard(
        modified(std::move(content), ContainerBackground{background}), size, measurer, {scale, {}});
    const Result<std::vector<unsigned char>> png = cardPng(card, {scale, scheme});
    png_image image{.version = PNG_IMAGE_VERSION};
    if (!png || !png_image_begin_read_from_memory(&image, png->data(), png->size())) {
        ADD_FAILURE() << "no PNG";
        return {};
    }
    image.format = PNG_FORMAT_RGBA;
    DecodedImage decoded{static_cast<int>(image.width), static_cast<int>(image.height),
                         std::vector<unsigned char>(PNG_IMAGE_SIZE(image))};
    EXPECT_TRUE(png_image_finish_read(&image, nullptr, decoded.rgba.data(), 0, nullptr));
    return decoded;
}

TEST(Painter, FillsTheRoundedCardWithItsBackground) {
    const DecodedImage image = paint(Spacer{0.0}, Size{364, 170}, 2, ColorScheme::light);
    ASSERT_EQ((std::pair{image.width, image.height}), (std::pair{728, 340}));
    for (const auto& [x, y] : {std::pair{364, 170}, {727, 170}, {364, 0}, {20, 20}}) {
        EXPECT_EQ(image.at(x, y), cardPixel) << x << ", " << y;
    }
    // The corners lie outside the rounded shape (radius 0.13 x 170 = 22 pt).
    for (const auto& [x, y] : {std::pair{0, 0}, {727, 339}, {8, 8}}) {
        EXPECT_EQ(image.at(x, y)[3], 0) << x << ", " << y;
    }

    // Translucent colours come out with straight alpha.
    const Pixel centre =
        paint(Spacer{0.0}, Size{100, 100}, 1, ColorScheme::light, Color::srgb(1, 0, 0, 0.5))
            .at(50, 50);
    EXPECT_EQ((Pixel{centre[0], centre[1], centre[2], 0}), (Pixel{255, 0, 0, 0}));
    EXPECT_NEAR(centre[3], 128, 1);
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
        const DecodedImage image = paint(circle, Size{100, 100}, 2, scheme);
        EXPECT_EQ(image.at(100 + 26, 100), red);
        EXPECT_EQ(image.at(100, 100 - 26), red);
        // Inside the ring is the card.
        EXPECT_EQ(image.at(100, 100), cardPixel);
    }
}

// How many pixels of a one-line bold text, painted on white at 2x, `match`.
int pixelsOf(const char* string, Color color, ColorScheme scheme,
             const std::function<bool(Pixel)>& match) {
    const Text text{.string = string,
                    .font = {24, FontWeight::bold, FontDesign::standard},
                    .color = color,
                    .lineLimit = 1};
    const DecodedImage image = paint(text, Size{200, 60}, 2, scheme, Color::packed(0xFFFFFF));
    int count = 0;
    for (int i = 0; i < image.width * image.height; ++i) {
        count += match(image.at(i % image.width, i / image.width)) ? 1 : 0;
    }
    return count;
}

TEST(Painter, DrawsTextInItsColourAndSystemRedInTheShadeOfTheScheme) {
    for (const auto& [color, scheme, expected] :
         {std::tuple{Color::packed(0x1C7B4F), ColorScheme::light, Pixel{28, 123, 79, 255}},
          {Color::systemRed(), ColorScheme::light, Pixel{255, 59, 48, 255}},
          {Color::systemRed(), ColorScheme::dark, Pixel{255, 69, 58, 255}}}) {
        SCOPED_TRACE(::testing::PrintToString(expected));
        EXPECT_GT(pixelsOf("MMMM", color, scheme, [&](Pixel p) { return p == expected; }), 100);
    }
}

TEST(Painter, DrawsEmojiInColourAndArabicAsJoinedLetters) {
    // Black text on white has no colour; a colour emoji does, where a box
    // for a missing glyph would be black.
    const auto colourful = [](Pixel p) {
        return std::max({p[0], p[1], p[2]}) - std::min({p[0], p[1], p[2]}) > 80;
    };
    EXPECT_EQ(pixelsOf("Ready", Color::packed(0), {}, colourful), 0);
    EXPECT_GT(pixelsOf("🍕🎉", Color::packed(0), {}, colourful), 200);

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

// The painter draws a text as the measurer set it: control characters as
// spaces (a NUL ends nothing), bytes that are not UTF-8 as U+FFFD, a text
// cut where its characters still fit with an ellipsis, and a text of a few
// lines with the rest of it on its last line.
TEST(Painter, DrawsEveryCharacterOfATextAsItsPlainForm) {
    struct Row {
        const char* name;
        std::string text;
        std::string plain;
        int lineLimit = 1;
    };
    std::string zeroWidth = "a";
    for (int i = 0; i < 100'000; ++i) {
        zeroWidth += "\u200B";
    }
    const Row rows[] = {
        {"a NUL", std::string("before\0after", 12), "before after"},
        {"separators", "one\u2028two\u2029three", "one two three"},
        {"controls", "a\tb\r\nc\vd\033e\u0085f\x7F", "a b c d e f "},
        {"not UTF-8", "a\377b", "a\uFFFDb"},
        {"cut where it still fits", zeroWidth, "a\u2026"},
        {"three lines", "one\ntwo\r\nthree\u2029four\vfive", "one\ntwo\nthree four five", 3},
        {"two lines, the first wrapped", "Draft the onboarding checklist for the\nnew team",
         "Draft the onboarding checklist for the new team", 2},
    };
    const auto image = [](std::string string, int lineLimit) {
        const Text text{.string = std::move(string),
                        .font = {12, FontWeight::regular, FontDesign::standard},
                        .color = Color::packed(0),
                        .lineLimit = lineLimit};
        return paint(text, Size{200, 60}, 2, ColorScheme::light, Color::packed(0xFFFFFF)).rgba;
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.name);
        const std::vector<unsigned char> plain = image(row.plain, row.lineLimit);
        ASSERT_NE(plain, image("", 1));
        EXPECT_TRUE(image(row.text, row.lineLimit) == plain);
    }
}

TEST(CardOutput, ReportsWhatCannotBeWritten) {
    testing::TemporaryDirectory directory;
    const LaidOutCard card = testing::layOut(Spacer{0.0}, Size{170, 170});
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
        {missing / "card.pdf",
         "cannot write " + (missing / "card.pdf").string() + ": No such file or directory"},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.path);
        const Result<void> written = writeCard(card, row.path, {});
        ASSERT_FALSE(written.has_value());
        EXPECT_EQ(written.error().message, row.message);
    }
    // A device that takes no byte, as a full disk: every format says so.
    for (const char* name : {"full.png", "full.svg", "full.pdf", "full.json"}) {
        SCOPED_TRACE(name);
        const auto path = directory.path() / name;
        std::filesystem::create_symlink("/dev/full", path);
        const Result<void> written = writeCard(card, path, {});
        ASSERT_FALSE(written.has_value());
        EXPECT_EQ(written.error().message,
                  "cannot write " + path.string() + ": No space left on device");
    }
}

} // namespace
} // namespace tandry::render
