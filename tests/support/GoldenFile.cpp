#include "tests/support/GoldenFile.h"

#include <cstdlib>
#include <fstream>
#include <gtest/gtest.h>
#include <sstream>
#include <string_view>

namespace tandry::testing {

void expectMatchesGolden(const std::string& actual, const std::filesystem::path& golden) {
    const char* update = std::getenv("TANDRY_UPDATE_GOLDEN");
    if (update != nullptr && std::string_view(update) == "1") {
        std::filesystem::create_directories(golden.parent_path());
        std::ofstream(golden, std::ios::binary | std::ios::trunc) << actual;
        return;
    }
    std::ifstream in(golden, std::ios::binary);
    if (!in) {
        ADD_FAILURE() << "no golden file " << golden
                      << "; run with TANDRY_UPDATE_GOLDEN=1 to create it";
        return;
    }
    std::stringstream expected;
    expected << in.rdbuf();
    EXPECT_EQ(actual, expected.str())
        << "differs from " << golden << "; if the change is intended, rerun with "
        << "TANDRY_UPDATE_GOLDEN=1 and review the diff";
}

} // namespace tandry::testing
