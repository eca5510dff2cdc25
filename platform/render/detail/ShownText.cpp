#include "platform/render/detail/ShownText.h"

#include "platform/render/PlainText.h"

#include <algorithm>
#include <cmath>
#include <glib.h>

namespace tandry::render {

namespace detail {
namespace {

// The narrowest advance of a character that a text shows, in em: a sixth,
// under the thin space and every letter, digit and punctuation mark (an
// "i" takes a quarter in Inter). A text of narrower characters (hair
// spaces, marks, joiners) crowds more onto a line and is cut early, where
// its budget ends, and shows the cut.
constexpr double narrowestAdvance = 1.0 / 6;
// Longer than a line or a column of lines can be on any card (the largest
// family is 364 x 382 points): it bounds texts set at their ideal width or
// without a line limit.
constexpr double longestExtent = 400;
// However small the type, no text keeps more characters than this.
constexpr std::size_t mostCharacters = 1 << 14;

constexpr std::string_view ellipsis = "\u2026";
constexpr gunichar replacementCharacter = 0xFFFD;

// The most lines a text is set in: its fit's limit, or as many as the
// longest extent holds (no font's lines are shorter than its size).
int mostLines(const Font& font, const TextFit& fit) {
    const double linesThatFit = std::ceil(longestExtent / std::max(font.size, 1.0));
    return std::max(
        1, static_cast<int>(std::min<double>(fit.maxLines.value_or(linesThatFit), linesThatFit)));
}

// How many characters of a text its fit can show at most, and one more, so
// that a text cut there still overflows its fit and Pango ellipsizes it.
// Each line shows at most its width in the narrowest characters and ends in
// a line break of at most two characters (CR LF).
std::size_t characterBudget(const Font& font, const TextFit& fit, int lines) {
    const double width = std::clamp(fit.width.value_or(longestExtent), 0.0, longestExtent);
    const double perLine = std::ceil(width / (narrowestAdvance * std::max(font.size, 1.0))) + 2;
    return std::min(mostCharacters, static_cast<std::size_t>(lines * perLine) + 1);
}

bool isControl(gunichar character) {
    return character < 0x20 || (character >= 0x7F && character <= 0x9F);
}

bool isLineBreak(gunichar character) {
    return character == '\n' || character == '\r' || character == '\v' || character == '\f' ||
           character == 0x85 || character == 0x2028 || character == 0x2029;
}

// The next character of `text` from `offset` and its length in bytes; a
// byte that starts no UTF-8 character is one replacement character.
std::pair<gunichar, std::size_t> nextCharacter(std::string_view text, std::size_t offset) {
    const auto lead = static_cast<unsigned char>(text[offset]);
    if (lead < 0x80) {
        return {lead, 1};
    }
    const char* at = text.data() + offset;
    const gunichar character =
        g_utf8_get_char_validated(at, static_cast<gssize>(text.size() - offset));
    if (character == static_cast<gunichar>(-1) || character == static_cast<gunichar>(-2)) {
        return {replacementCharacter, 1};
    }
    return {character, static_cast<std::size_t>(g_utf8_next_char(at) - at)};
}

void appendCharacter(std::string& out, gunichar character) {
    if (character < 0x80) {
        out += static_cast<char>(character);
        return;
    }
    char bytes[6];
    out.append(bytes, static_cast<std::size_t>(g_unichar_to_utf8(character, bytes)));
}

} // namespace

} // namespace detail

std::string plainText(std::string_view text, std::size_t mostCharacters,
                      std::size_t lineBreaksKept) {
    std::string plain;
    plain.reserve(std::min(text.size(), mostCharacters * 4) + detail::ellipsis.size());
    std::size_t characters = 0;
    std::size_t breaks = 0;
    for (std::size_t offset = 0; offset < text.size(); ++characters) {
        if (characters == mostCharacters) {
            plain += detail::ellipsis;
            break;
        }
        auto [character, length] = detail::nextCharacter(text, offset);
        if (character == '\r' && offset + 1 < text.size() && text[offset + 1] == '\n') {
            length = 2;
        }
        offset += length;
        if (detail::isLineBreak(character)) {
            plain += breaks++ < lineBreaksKept ? lineSeparator : " ";
        } else if (detail::isControl(character)) {
            plain += ' ';
        } else {
            detail::appendCharacter(plain, character);
        }
    }
    return plain;
}

namespace detail {

ShownText shownText(std::string_view text, const Font& font, const TextFit& fit) {
    const int lines = mostLines(font, fit);
    // Breaks past the first (lines - 1) could only fall on the last line,
    // which holds the rest of the text.
    return {.text = plainText(text, characterBudget(font, fit, lines),
                              static_cast<std::size_t>(lines - 1)),
            .maxLines = lines};
}

} // namespace detail
} // namespace tandry::render
