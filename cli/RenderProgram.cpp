#include "cli/RenderProgram.h"

#include "widget/system/InstalledData.h"

#include <cerrno>
#include <cstring>
#include <iostream>
#include <unistd.h>

namespace tandry {

int runRenderProgram(char** argv) {
    // Found beside this executable, as the catalogs and Info.json are found
    // from it, so that a build tree and every installation prefix work.
    const auto directory = executableDirectory();
    if (!directory) {
        std::cerr << "tandry-widget: cannot find " << renderProgramName
                  << ": the program's own location is unknown\n";
        return 1;
    }
    const auto program = *directory / renderProgramName;
    ::execv(program.c_str(), argv);
    std::cerr << "tandry-widget: cannot run " << program.string() << ": " << std::strerror(errno)
              << '\n';
    return 1;
}

} // namespace tandry
