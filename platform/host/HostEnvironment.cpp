#include "platform/host/HostEnvironment.h"

#include "widget/views/IcuDueDateFormat.h"

namespace tandry {

HostEnvironment HostEnvironment::of(const Environment& environment) {
    return {.variables = environment,
            .container = SharedContainer::of(environment),
            .placements = PlacementStore::standard(BaseDirectories::from(environment)),
            .dateLocaleId = tandry::dateLocaleId(environment),
            .eventsFile = environment.nonEmpty("TANDRY_HOST_EVENTS")
                              .transform([](std::string_view file) {
                                  return std::filesystem::path(file);
                              })};
}

} // namespace tandry
