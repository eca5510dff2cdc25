#pragma once

#include <ostream>
#include <string>

namespace tandry {

// A text that whoever shows it resolves in the widget's string catalog, in
// the user's language at that moment; the key itself is the default text.
// The widget hands these to its hosts instead of looking the text up itself.
struct LocalizedStringResource {
    std::string key;

    bool operator==(const LocalizedStringResource&) const = default;
};

inline std::ostream& operator<<(std::ostream& out, const LocalizedStringResource& resource) {
    return out << "LocalizedStringResource{\"" << resource.key << "\"}";
}

} // namespace tandry
