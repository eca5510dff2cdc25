#pragma once

#include <fstream>
#include <sstream>
#include <string>
#include <vector>

namespace tandry::testing {

// The rows of a tab-separated table in tests/strings/data/, without its blank
// and "#" comment lines; each row with its line number in front.
inline std::vector<std::vector<std::string>> readTableFile(const std::string& name) {
    std::ifstream in(TANDRY_SOURCE_DIR "/tests/strings/data/" + name);
    std::vector<std::vector<std::string>> rows;
    int number = 0;
    for (std::string line; std::getline(in, line);) {
        ++number;
        if (line.empty() || line.starts_with('#')) {
            continue;
        }
        std::vector<std::string> row{std::to_string(number)};
        std::istringstream fields(line);
        for (std::string field; std::getline(fields, field, '\t');) {
            row.push_back(field);
        }
        if (line.ends_with('\t')) {
            row.emplace_back();
        }
        rows.push_back(std::move(row));
    }
    return rows;
}

} // namespace tandry::testing
