#include "widget/views/WidgetPalette.h"

#include "tests/support/TableFile.h"

#include <gtest/gtest.h>
#include <string>

namespace tandry::testing {
namespace {

TEST(WidgetPalette, ResolvesTheNamedAccentOrFallsBackToViolet) {
    std::vector<TableRow> rows =
        readTableFile(TANDRY_SOURCE_DIR "/tests/views/data/palette-accents.tsv");
    // An accent's name followed by a NUL byte and more is kept out of the text file.
    rows.push_back({.fields = {std::string("green\0x", 7), "7C4DE0", "A78BFA"}});
    for (const TableRow& row : rows) {
        SCOPED_TRACE("name \"" + row.fields.at(0) + "\"");
        EXPECT_EQ(WidgetPalette::resolve(row.fields.at(0), ColorScheme::light).accent,
                  Color::packed(std::stoul(row.fields.at(1), nullptr, 16)));
        EXPECT_EQ(WidgetPalette::resolve(row.fields.at(0), ColorScheme::dark).accent,
                  Color::packed(std::stoul(row.fields.at(2), nullptr, 16)));
    }
}

} // namespace
} // namespace tandry::testing
