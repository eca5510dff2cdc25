#include "cli/Commands.h"
#include "cli/RenderProgram.h"

// Drawing a card needs Pango, Cairo and their fonts; the other commands need
// none of it, so `render` is handed to the program that has them.
int main(int argc, char** argv) {
    return tandry::runCommandLine(argc, argv, [argv](const tandry::RenderRequest&) {
        return tandry::runRenderProgram(argv);
    });
}
