#pragma once

#include "cli/RenderRequest.h"
#include "widget/system/Environment.h"

namespace tandry {

// Builds, lays out and writes the card of a render request as the host draws
// it; the exit status: 0 when the file was written, 1 when it could not be
// (with the reason on standard error).
int drawCard(const RenderRequest& request, const Environment& environment);

} // namespace tandry
