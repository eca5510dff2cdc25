#include "cli/RenderProgram.h"

#include <cerrno>
#include <cstring>
#include <filesystem>
#include <iostream>
#include <unistd.h>

namespace tandry {

int runRenderProgram(char** argv) {
    // Found beside this executable, as the catalogs and Info.json are found
    // from it, so that a build tree and every installation prefix work.
    std::error_code error;
    const auto executable = std::filesystem::read_symlink("/proc/self/exe", error);
    if (error) {
        std::cerr << "tandry-widget: cannot find " << renderProgramName << ": " << error.message()
                  << '\n';
        return 1;
    }
    const auto program = executable.parent_path() / renderProgramName;
    ::execv(program.c_str(), argv);
    std::cerr << "tandry-widget: cannot run " << program.string() << ": " << std::strerror(errno)
              << '\n';
    return 1;
}

} // namespace tandry
