#include "cli/Commands.h"
#include "cli/RenderProgram.h"

#include <string_view>

// Drawing a card needs Pango, Cairo and their fonts; the other commands need
// none of it, so `render` is handed to the program that has them: at once
// when it is the first word (that program reads the same command line and
// tells the same usage errors), else once the command line is read.
int main(int argc, char** argv) {
    if (argc > 1 && std::string_view(argv[1]) == "render") {
        return tandry::runRenderProgram(argv);
    }
    return tandry::runCommandLine(
        argc, argv, tandry::Environment::ofProcess(),
        [argv](const tandry::RenderRequest&, const tandry::Environment&) {
            return tandry::runRenderProgram(argv);
        });
}
