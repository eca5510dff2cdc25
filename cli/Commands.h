#pragma once

#include "cli/RenderRequest.h"

#include <functional>

namespace tandry {

// Carries out a render request whose options were read: draws the card in
// this process, or hands the command line to the program that does.
using RenderRunner = std::function<int(const RenderRequest&)>;

// Parses the command line of `tandry-widget`, runs the command and returns the
// exit status: 0 for every answered request, 2 for a usage error.
int runCommandLine(int argc, char** argv, const RenderRunner& runRender);

} // namespace tandry
