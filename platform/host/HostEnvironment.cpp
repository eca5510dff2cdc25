#include "platform/host/HostEnvironment.h"

#include "widget/views/IcuDueDateFormat.h"

namespace tandry {

HostEnvironment HostEnvironment::of(const Environment& environment) {
    return {.variables = environment,
            .container = SharedContainer::of(environment),
            .placements = PlacementStore::standard(BaseDirectories::from(environment)),
            .dateLocaleId = tandry::dateLocaleId(environment)};
}

} // namespace tandry
