#pragma once

#include <fstream>
#include <string>
#include <vector>

namespace tandry::testing {

// One case of a decoding table in data/: the document and the expected answer,
// either the document as the encoder writes it back or the exact error.
struct DecodingCase {
    int line = 0;
    std::string why;
    std::string input;
    std::string answer;
    bool fails = false;
};

// Reads a table of "# why", "in: DOCUMENT" and "out: TEXT" or "error: MESSAGE" lines.
inline std::vector<DecodingCase> readDecodingCases(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    std::vector<DecodingCase> cases;
    std::string why;
    int number = 0;
    for (std::string line; std::getline(in, line);) {
        ++number;
        if (line.starts_with("# ")) {
            why = line.substr(2);
        } else if (line.starts_with("in: ")) {
            cases.push_back({.line = number, .why = why, .input = line.substr(4)});
        } else if (line.starts_with("out: ") && !cases.empty()) {
            cases.back().answer = line.substr(5);
        } else if (line.starts_with("error: ") && !cases.empty()) {
            cases.back().answer = line.substr(7);
            cases.back().fails = true;
        }
    }
    return cases;
}

} // namespace tandry::testing
