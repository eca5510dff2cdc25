#pragma once

#include "cli/RenderRequest.h"
#include "widget/system/Environment.h"

#include <functional>

namespace tandry {

// Carries out a render request whose options were read, in the program's
// environment: draws the card in this process, or hands the command line to
// the program that does.
using RenderRunner = std::function<int(const RenderRequest&, const Environment&)>;

// Parses the command line of `tandry-widget`, runs the command in
// `environment` (the program's, read once in main) and returns the exit
// status: 0 for every answered request, 2 for a usage error.
int runCommandLine(int argc, char** argv, const Environment& environment,
                   const RenderRunner& runRender);

} // namespace tandry
