#pragma once

namespace tandry {

// The program that draws cards, `tandry-widget-render`, installed beside
// `tandry-widget`: the same command line with the drawing libraries linked.
inline constexpr const char* renderProgramName = "tandry-widget-render";

// Replaces this process with the render program, given the same arguments,
// so that its output, messages and exit status are the command's own. Returns
// only when the program cannot be started: 1, with the reason on standard
// error.
int runRenderProgram(char** argv);

} // namespace tandry
