#include "tests/support/FixedAdvanceTextMeasurer.h"

#include <algorithm>
#include <cmath>

namespace tandry::testing {

namespace {

const std::string ellipsis = "\u2026";

// The text split into characters (code points), each kept as its UTF-8 bytes.
std::vector<std::string> characters(std::string_view text) {
    std::vector<std::string> result;
    for (std::size_t i = 0; i < text.size();) {
        std::size_t length = 1;
        while (i + length < text.size() &&
               (static_cast<unsigned char>(text[i + length]) & 0xC0) == 0x80) {
            ++length;
        }
        result.emplace_back(text.substr(i, length));
        i += length;
    }
    return result;
}

std::string join(const std::vector<std::string>& characters, std::size_t begin, std::size_t end) {
    std::string result;
    for (std::size_t i = begin; i < end; ++i) {
        result += characters[i];
    }
    return result;
}

// Greedy wrapping of one paragraph into lines of at most `capacity`
// characters; the last allowed line takes the rest of the text cut to fit
// with an ellipsis when it does not fit whole. True when text was cut.
bool wrapParagraph(const std::vector<std::string>& text, std::size_t capacity,
                   std::size_t linesLeft, std::vector<std::string>& lines) {
    std::size_t start = 0;
    while (start < text.size() || lines.empty()) {
        if (linesLeft == 0) {
            return true;
        }
        const std::size_t remaining = text.size() - start;
        if (remaining <= capacity) {
            lines.push_back(join(text, start, text.size()));
            return false;
        }
        if (linesLeft == 1) {
            const std::size_t kept = capacity == 0 ? 0 : capacity - 1;
            lines.push_back(join(text, start, start + kept) + ellipsis);
            return true;
        }
        // Break after the last space that keeps the line within capacity.
        std::size_t end = start + capacity;
        std::size_t breakAt = end;
        for (std::size_t i = end; i > start; --i) {
            if (text[i] == " ") {
                breakAt = i;
                break;
            }
        }
        // Like the real measurer, a line holds at least one character.
        breakAt = std::max(breakAt, start + 1);
        lines.push_back(join(text, start, breakAt));
        start = breakAt;
        while (start < text.size() && text[start] == " ") {
            ++start;
        }
        --linesLeft;
    }
    return false;
}

} // namespace

std::vector<std::string> FixedAdvanceTextMeasurer::setLines(std::string_view text, const Font& font,
                                                            const render::TextFit& fit) {
    const std::size_t unlimited = static_cast<std::size_t>(-1);
    const std::size_t capacity =
        fit.width ? static_cast<std::size_t>(std::floor(*fit.width / advance(font) + 1e-9))
                  : unlimited;
    std::size_t linesLeft = fit.maxLines ? static_cast<std::size_t>(*fit.maxLines) : unlimited;
    std::vector<std::string> lines;
    std::size_t paragraphStart = 0;
    while (linesLeft > 0) {
        const std::size_t newline = text.find('\n', paragraphStart);
        const std::string_view paragraph = text.substr(paragraphStart, newline - paragraphStart);
        const std::size_t before = lines.size();
        const bool last = newline == std::string_view::npos;
        std::vector<std::string> paragraphLines;
        const bool cut = wrapParagraph(characters(paragraph), capacity, linesLeft, paragraphLines);
        if (!last && !cut && paragraphLines.size() == linesLeft) {
            // More paragraphs follow but no lines are left: the last shown
            // line ends in an ellipsis.
            auto shown = characters(paragraphLines.back());
            while (!shown.empty() && shown.size() + 1 > capacity) {
                shown.pop_back();
            }
            paragraphLines.back() = join(shown, 0, shown.size()) + ellipsis;
        }
        lines.insert(lines.end(), paragraphLines.begin(), paragraphLines.end());
        linesLeft -= lines.size() - before;
        if (last) {
            break;
        }
        paragraphStart = newline + 1;
    }
    return lines;
}

render::MeasuredText FixedAdvanceTextMeasurer::measure(std::string_view text, const Font& font,
                                                       const render::TextFit& fit) {
    ++measureCount_;
    const std::vector<std::string> lines = setLines(text, font, fit);
    std::size_t widest = 0;
    for (const std::string& line : lines) {
        widest = std::max(widest, characters(line).size());
    }
    const double lineHeight = metrics(font).lineHeight();
    return {.size = {static_cast<double>(widest) * advance(font),
                     static_cast<double>(lines.size()) * lineHeight},
            .lineCount = static_cast<int>(lines.size())};
}

render::FontMetrics FixedAdvanceTextMeasurer::metrics(const Font& font) {
    return {.ascent = font.size,
            .descent = font.size / 4,
            .capHeight = font.size * 3 / 4,
            .lineGap = 0};
}

} // namespace tandry::testing
