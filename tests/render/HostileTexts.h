#pragma once

#include <string>
#include <vector>

namespace tandry::testing {

// A text that no card can show whole, as an attacker or an unlucky user
// writes a task's title.
struct HostileText {
    const char* name;
    std::string text;
    // Too long for any line of a card, whatever its width.
    bool overflows = true;
};

inline std::vector<HostileText> hostileTexts() {
    std::string words;
    for (int i = 0; i < 200'000; ++i) {
        words += "word ";
    }
    std::string lines;
    for (int i = 0; i < 150; ++i) {
        lines += "line " + std::to_string(i) + "\n";
    }
    return {
        {"a million characters without a space", std::string(1'000'000, 'x')},
        {"200,000 words", std::move(words)},
        {"300,000 characters", std::string(300'000, 'W')},
        {"150 line breaks", std::move(lines)},
        {"a paragraph that wraps, then breaks",
         "Draft the onboarding checklist\nfor the new\r\ndesign team\u2029and everyone else who "
         "asked to be part of the onboarding"},
        {"a NUL", std::string("before\0after", 12), false},
        {"line and paragraph separators", "one\u2028two\u2029three\u2028four", false},
        {"tabs and other control characters", "one\ttwo\r\nthree\vfour\033five\u0085six\fseven",
         false},
    };
}

} // namespace tandry::testing
