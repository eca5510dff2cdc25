// Runs a fuzz target over saved inputs, given as files or directories: the
// seed corpus and every input that once made a target fail. Built with the
// tests in place of libFuzzer's driver, so old failures stay fixed.

#include <cstdint>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>
#include <vector>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size);

int main(int argc, char** argv) {
    std::size_t inputs = 0;
    auto replay = [&inputs](const std::filesystem::path& file) {
        std::ifstream in(file, std::ios::binary);
        std::vector<char> bytes(std::istreambuf_iterator<char>(in), {});
        LLVMFuzzerTestOneInput(reinterpret_cast<const std::uint8_t*>(bytes.data()), bytes.size());
        ++inputs;
    };
    for (int i = 1; i < argc; ++i) {
        if (std::filesystem::is_regular_file(argv[i])) {
            replay(argv[i]);
            continue;
        }
        if (!std::filesystem::is_directory(argv[i])) {
            std::fprintf(stderr, "no such file or directory: %s\n", argv[i]);
            return 1;
        }
        for (const auto& entry : std::filesystem::recursive_directory_iterator(argv[i])) {
            if (entry.is_regular_file()) {
                replay(entry.path());
            }
        }
    }
    return inputs > 0 ? 0 : 1;
}
