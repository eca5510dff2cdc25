#pragma once

#include "widget/store/Uuid.h"

#include <string_view>

namespace tandry {

// The id a task list's component has on the card: its UID when that is a
// UUID, else a name-based (version 5) UUID of the list's source UID and the
// component's UID, the same on every run.
Uuid cardIdOf(std::string_view sourceUid, std::string_view componentUid);

} // namespace tandry
