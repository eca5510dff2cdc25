#include "widget/system/Environment.h"

#include <unistd.h>

namespace tandry {

Environment Environment::ofProcess() {
    std::map<std::string, std::string, std::less<>> variables;
    for (char** entry = environ; entry != nullptr && *entry != nullptr; ++entry) {
        const std::string_view setting(*entry);
        const std::size_t equals = setting.find('=');
        if (equals == std::string_view::npos) {
            continue;
        }
        // Of two settings of one name, the C library answers with the first.
        variables.emplace(setting.substr(0, equals), setting.substr(equals + 1));
    }
    return Environment(std::move(variables));
}

std::optional<std::string_view> Environment::value(std::string_view name) const {
    const auto found = variables_.find(name);
    if (found == variables_.end()) {
        return std::nullopt;
    }
    return found->second;
}

std::optional<std::string_view> Environment::nonEmpty(std::string_view name) const {
    auto found = value(name);
    return found && !found->empty() ? found : std::nullopt;
}

std::optional<std::filesystem::path> Environment::absolutePath(std::string_view name) const {
    auto found = value(name);
    if (!found || !found->starts_with('/')) {
        return std::nullopt;
    }
    return std::filesystem::path(*found);
}

Environment Environment::with(std::string_view name, std::string_view value) const {
    auto variables = variables_;
    variables.insert_or_assign(std::string(name), std::string(value));
    return Environment(std::move(variables));
}

std::ostream& operator<<(std::ostream& out, const Environment& environment) {
    out << "Environment{";
    const char* separator = "";
    for (const auto& [name, value] : environment.variables()) {
        out << separator << name << '=' << value;
        separator = " ";
    }
    return out << '}';
}

} // namespace tandry
