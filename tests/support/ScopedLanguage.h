#pragma once

#include "tests/support/ScopedEnvironment.h"
#include "widget/strings/UserLanguage.h"

#include <list>
#include <map>
#include <optional>
#include <string>

namespace tandry::testing {

// Runs the enclosed code in a language environment of its own: sets (or, with
// nullopt, unsets) LANGUAGE, LC_ALL, LC_MESSAGES and LANG as given (every one
// not given is unset), adopts it, and on destruction restores and adopts the
// earlier environment. Header-only; the test binary links tandry_strings.
class ScopedLanguage {
public:
    explicit ScopedLanguage(const std::map<std::string, std::string>& variables) {
        for (const char* name : {"LANGUAGE", "LC_ALL", "LC_MESSAGES", "LANG"}) {
            const auto found = variables.find(name);
            settings_.emplace_back(name, found == variables.end()
                                             ? std::nullopt
                                             : std::optional<std::string>(found->second));
        }
        adoptUserLanguage();
    }
    // Only LANGUAGE, on top of no locale at all.
    explicit ScopedLanguage(const std::string& language)
        : ScopedLanguage(std::map<std::string, std::string>{{"LANGUAGE", language}}) {}

    ~ScopedLanguage() {
        settings_.clear();
        adoptUserLanguage();
    }
    ScopedLanguage(const ScopedLanguage&) = delete;
    ScopedLanguage& operator=(const ScopedLanguage&) = delete;

private:
    std::list<ScopedEnvironment> settings_;
};

} // namespace tandry::testing
