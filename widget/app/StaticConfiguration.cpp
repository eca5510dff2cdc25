#include "widget/app/StaticConfiguration.h"

#include <ostream>

namespace tandry {

StaticConfiguration::StaticConfiguration(std::string kind, ProviderFactory provider,
                                         ContentBuilder content)
    : kind(std::move(kind)), provider(std::move(provider)), content(std::move(content)) {}

StaticConfiguration
StaticConfiguration::configurationDisplayName(LocalizedStringResource name) const {
    StaticConfiguration changed = *this;
    changed.displayName = std::move(name);
    return changed;
}

StaticConfiguration StaticConfiguration::description(LocalizedStringResource text) const {
    StaticConfiguration changed = *this;
    changed.descriptionText = std::move(text);
    return changed;
}

StaticConfiguration
StaticConfiguration::supportedFamilies(std::vector<WidgetFamily> supported) const {
    StaticConfiguration changed = *this;
    changed.families = std::move(supported);
    return changed;
}

StaticConfiguration StaticConfiguration::contentMarginsDisabled() const {
    StaticConfiguration changed = *this;
    changed.marginsDisabled = true;
    return changed;
}

std::vector<WidgetFamily> offeredFamilies(const StaticConfiguration& configuration) {
    if (configuration.families) {
        return *configuration.families;
    }
    return {WidgetFamily::systemSmall, WidgetFamily::systemMedium, WidgetFamily::systemLarge};
}

std::ostream& operator<<(std::ostream& out, const StaticConfiguration& configuration) {
    out << "StaticConfiguration{kind \"" << configuration.kind << '"';
    if (configuration.displayName) {
        out << ", displayName " << *configuration.displayName;
    }
    if (configuration.descriptionText) {
        out << ", description " << *configuration.descriptionText;
    }
    if (configuration.families) {
        out << ", families [";
        for (WidgetFamily family : *configuration.families) {
            out << ' ' << family;
        }
        out << " ]";
    }
    return out << (configuration.marginsDisabled ? ", contentMarginsDisabled}" : "}");
}

} // namespace tandry
