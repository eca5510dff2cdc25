#pragma once

namespace tandry {

// Parses the command line of `tandry-widget`, runs the command and returns the
// exit status: 0 for every answered request, 2 for a usage error.
int runCommandLine(int argc, char** argv);

} // namespace tandry
