#include "platform/render/PlainText.h"

#include <gtest/gtest.h>
#include <string>

namespace tandry::render {
namespace {

using namespace std::string_literals;

TEST(PlainText, ShowsEveryCharacterPlainlyWithinItsBudget) {
    struct Row {
        std::string text;
        std::size_t mostCharacters;
        std::size_t lineBreaksKept;
        std::string plain;
    };
    const Row rows[] = {
        {"before\0after"s, 100, 0, "before after"},
        {"a\tb\x1b"
         "c\x7f"
         "d\u0085e",
         100, 0, "a b c d e"},
        {"one\r\ntwo\rthree\nfour\u2028five\u2029six", 100, 0, "one two three four five six"},
        {"one\r\ntwo\nthree", 100, 1, "one\u2028two three"},
        {"a\vb\fc\u0085d", 100, 3, "a\u2028b\u2028c\u2028d"},
        {"caf\xc3", 100, 0, "caf\uFFFD"},
        {"\xff\xfe", 100, 0, "\uFFFD\uFFFD"},
        {"éèêë", 4, 0, "éèêë"},
        {"éèêëx", 4, 0, "éèêë…"},
        {std::string(1'000'000, 'x'), 3, 0, "xxx…"},
        {"", 0, 0, ""},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.plain);
        EXPECT_EQ(plainText(row.text, row.mostCharacters, row.lineBreaksKept), row.plain);
    }
}

} // namespace
} // namespace tandry::render
