#pragma once

#include "bridges/eds/EdsTask.h"
#include "widget/system/Error.h"

#include <functional>
#include <string_view>

typedef struct _ICalComponent ICalComponent;
typedef struct _ICalTimezone ICalTimezone;

namespace tandry {

// The zone a TZID names for the task list at hand; nullptr when it knows none.
using TimezoneLookup = std::function<ICalTimezone*(const char* tzid)>;

// Reads one VTODO of the list `sourceUid`. Times in a zone are resolved with
// `zoneOf`; floating times, times in an unknown zone and dates are read on
// the user's local calendar. Fails, naming the component, for one that is no
// VTODO or has no UID.
Result<EdsTask> decodeTask(ICalComponent* component, std::string_view sourceUid,
                           const TimezoneLookup& zoneOf);

} // namespace tandry
