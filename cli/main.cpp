#include "cli/Commands.h"

int main(int argc, char** argv) { return tandry::runCommandLine(argc, argv); }
