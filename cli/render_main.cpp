#include "cli/CardDrawing.h"
#include "cli/Commands.h"

// `tandry-widget-render`: the command line with the card drawn in this
// process; `tandry-widget render` hands its arguments here.
int main(int argc, char** argv) {
    return tandry::runCommandLine(argc, argv, tandry::Environment::ofProcess(), tandry::drawCard);
}
