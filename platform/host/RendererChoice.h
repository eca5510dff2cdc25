#pragma once

#include "widget/system/Environment.h"

#include <optional>
#include <ostream>
#include <string>
#include <vector>

namespace tandry {

// One environment variable that the host changes for the toolkit: the value
// it had before (absent: it was unset) and the one it gets.
struct ChangedVariable {
    std::string name;
    std::optional<std::string> before;
    std::string after;

    bool operator==(const ChangedVariable&) const = default;
};

inline std::ostream& operator<<(std::ostream& out, const ChangedVariable& variable) {
    return out << variable.name << '=' << variable.after << " (was "
               << variable.before.value_or("unset") << ')';
}

// Chooses how the card windows are composited, before the toolkit starts.
//
// The card is a Cairo picture. The toolkit's default renderer would upload it
// and composite it through OpenGL, and the X11 backend opens OpenGL even for
// the Cairo renderer to pick its visual; on a software driver that loads
// some 60 MB of LLVM and Mesa and costs CPU on every frame, and on a real GPU
// it buys nothing for one picture. So unless the user chose a renderer
// (GSK_RENDERER set, to anything), the host takes the Cairo renderer and
// turns OpenGL off: gl-disable added to GDK_DEBUG before GTK 4.16, gl added
// to GDK_DISABLE from then on (`toolkitMinorVersion` is GTK's at run time).
// A user's GSK_RENDERER leaves every variable as it is.
//
// Returns what to change in `environment`, the host's own; the toolkit reads
// only the process environment, so the host applies the changes there
// (applyToProcess), and programs it launches get the user's values back.
std::vector<ChangedVariable> chooseLeanRenderer(const Environment& environment,
                                                unsigned toolkitMinorVersion);

// Sets each variable to its new value in the process environment.
void applyToProcess(const std::vector<ChangedVariable>& changes);

} // namespace tandry
