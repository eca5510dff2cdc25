#include "bridges/eds/TaskListChoice.h"

#include <algorithm>
#include <fmt/format.h>
#include <libedataserver/libedataserver.h>

namespace tandry {

Result<std::vector<GObjectPtr<ESource>>> chooseTaskLists(ESourceRegistry* registry,
                                                         const std::vector<std::string>& names) {
    std::vector<GObjectPtr<ESource>> enabled;
    GList* listed = e_source_registry_list_enabled(registry, E_SOURCE_EXTENSION_TASK_LIST);
    for (GList* link = listed; link != nullptr; link = link->next) {
        enabled.emplace_back(static_cast<ESource*>(link->data));
    }
    g_list_free(listed);
    if (names.empty()) {
        return enabled;
    }

    const auto named = [](ESource* source, const std::string& name) {
        const char* displayName = e_source_get_display_name(source);
        return name == e_source_get_uid(source) || (displayName != nullptr && name == displayName);
    };
    for (const std::string& name : names) {
        if (std::ranges::none_of(enabled,
                                 [&](const auto& source) { return named(source.get(), name); })) {
            return fail(fmt::format("no enabled task list is named \"{}\"", name));
        }
    }
    std::vector<GObjectPtr<ESource>> chosen;
    for (auto& source : enabled) {
        if (std::ranges::any_of(
                names, [&](const std::string& name) { return named(source.get(), name); })) {
            chosen.push_back(std::move(source));
        }
    }
    return chosen;
}

} // namespace tandry
