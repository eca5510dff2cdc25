#pragma once

#include "platform/GLibOwnership.h"
#include "widget/system/Error.h"

#include <string>
#include <vector>

typedef struct _ESource ESource;
typedef struct _ESourceRegistry ESourceRegistry;

namespace tandry {

// The task lists the bridge shows: every enabled one when `names` is empty,
// else those whose display name or source UID is among `names`, in the
// registry's order. Fails, naming it, when a name matches no enabled list.
Result<std::vector<GObjectPtr<ESource>>> chooseTaskLists(ESourceRegistry* registry,
                                                         const std::vector<std::string>& names);

} // namespace tandry
