#pragma once

#include <filesystem>
#include <fstream>
#include <sstream>
#include <string>
#include <vector>

namespace tandry::testing {

// One row of a table file: its line number and its tab-separated fields.
struct TableRow {
    int line = 0;
    std::vector<std::string> fields;
};

// The rows of a table of cases kept beside a test: one case a line, fields
// separated by tabs, blank lines and "#" comments skipped. Bytes are kept as
// they are, so a field may hold text that is not UTF-8.
inline std::vector<TableRow> readTableFile(const std::filesystem::path& path) {
    std::ifstream in(path, std::ios::binary);
    std::vector<TableRow> rows;
    int number = 0;
    for (std::string line; std::getline(in, line);) {
        ++number;
        if (line.empty() || line.starts_with('#')) {
            continue;
        }
        TableRow& row = rows.emplace_back(TableRow{.line = number});
        std::istringstream fields(line + '\t');
        for (std::string field; std::getline(fields, field, '\t');) {
            row.fields.push_back(field);
        }
    }
    return rows;
}

} // namespace tandry::testing
