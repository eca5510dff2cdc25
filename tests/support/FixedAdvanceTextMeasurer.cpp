#include "tests/support/FixedAdvanceTextMeasurer.h"

#include <algorithm>
#include <cmath>
#include <limits>

namespace tandry::testing {

namespace {

// The text split into characters (code points), each kept as its UTF-8 bytes.
std::vector<std::string> characters(std::string_view text) {
    std::vector<std::string> result;
    for (const char byte : text) {
        if (result.empty() || (static_cast<unsigned char>(byte) & 0xC0) != 0x80) {
            result.emplace_back();
        }
        result.back() += byte;
    }
    return result;
}

} // namespace

// Lines wrap greedily after the last space that fits, or within a word too
// long for a line. The last allowed line takes the rest of the text, cut to
// leave room for an ellipsis when it does not fit.
std::vector<std::string> FixedAdvanceTextMeasurer::setLines(std::string_view text, const Font& font,
                                                            const render::TextFit& fit) {
    constexpr std::size_t unlimited = std::numeric_limits<std::size_t>::max();
    const std::size_t capacity =
        fit.width ? static_cast<std::size_t>(std::floor(*fit.width / advance(font) + 1e-9))
                  : unlimited;
    const std::size_t maxLines = fit.maxLines ? static_cast<std::size_t>(*fit.maxLines) : unlimited;
    const std::vector<std::string> all = characters(text);
    const auto join = [&](std::size_t begin, std::size_t end) {
        std::string line;
        for (std::size_t i = begin; i < end; ++i) {
            line += all[i];
        }
        return line;
    };
    std::vector<std::string> lines;
    for (std::size_t start = 0; lines.size() < maxLines;) {
        if (all.size() - start <= capacity) {
            lines.push_back(join(start, all.size()));
            break;
        }
        if (lines.size() + 1 == maxLines) {
            lines.push_back(join(start, start + (capacity == 0 ? 0 : capacity - 1)) + "\u2026");
            break;
        }
        std::size_t breakAt = start + capacity;
        while (breakAt > start && all[breakAt] != " ") {
            --breakAt;
        }
        // Like the real measurer, a line holds at least one character.
        breakAt = std::max(breakAt == start ? start + capacity : breakAt, start + 1);
        lines.push_back(join(start, breakAt));
        for (start = breakAt; start < all.size() && all[start] == " ";) {
            ++start;
        }
        if (start == all.size()) {
            break;
        }
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
    return {.size = {static_cast<double>(widest) * advance(font),
                     static_cast<double>(lines.size()) * metrics(font).lineHeight()},
            .lineCount = static_cast<int>(lines.size())};
}

render::FontMetrics FixedAdvanceTextMeasurer::metrics(const Font& font) {
    return {.ascent = font.size, .descent = font.size / 4, .capHeight = font.size * 3 / 4};
}

} // namespace tandry::testing
