#pragma once

#include "widget/strings/LocalizedStringResource.h"
#include "widget/timeline/ReadyWidgetEntry.h"
#include "widget/timeline/ReadyWidgetProvider.h"
#include "widget/ui/ColorScheme.h"
#include "widget/ui/WidgetFamily.h"
#include "widget/views/ReadyWidgetView.h"

#include <functional>
#include <iosfwd>
#include <optional>
#include <string>
#include <vector>

namespace tandry {

// A widget's declaration without user-editable options: everything a widget
// host needs to load, refresh and draw it. Built by a chain of modifiers, each
// returning a changed copy, so a declaration reads top to bottom.
struct StaticConfiguration {
    // Makes the widget's timeline provider; the provider reads the clock and
    // the shared container it is given.
    using ProviderFactory = std::function<ReadyWidgetProvider(
        const Clock& clock, const std::optional<std::filesystem::path>& container)>;
    // The view for one entry, in the family and colour scheme the host draws.
    using ContentBuilder = std::function<ReadyWidgetView(
        const ReadyWidgetEntry& entry, WidgetFamily family, ColorScheme colorScheme)>;

    StaticConfiguration(std::string kind, ProviderFactory provider, ContentBuilder content);

    StaticConfiguration configurationDisplayName(LocalizedStringResource name) const;
    StaticConfiguration description(LocalizedStringResource text) const;
    StaticConfiguration supportedFamilies(std::vector<WidgetFamily> families) const;
    StaticConfiguration contentMarginsDisabled() const;

    std::string kind;
    ProviderFactory provider;
    ContentBuilder content;
    std::optional<LocalizedStringResource> displayName;
    std::optional<LocalizedStringResource> descriptionText;
    // Absent: the host's default, every family it knows.
    std::optional<std::vector<WidgetFamily>> families;
    // False: the host adds its default margins around the content.
    bool marginsDisabled = false;
};

// The families a host offers for `configuration`, in the declared order.
std::vector<WidgetFamily> offeredFamilies(const StaticConfiguration& configuration);

std::ostream& operator<<(std::ostream& out, const StaticConfiguration& configuration);

} // namespace tandry
