#pragma once

#include "tests/support/ScopedEnvironment.h"
#include "widget/strings/UserLanguage.h"

#include <array>
#include <map>
#include <memory>
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
        for (std::size_t i = 0; i < names.size(); ++i) {
            auto found = variables.find(names[i]);
            settings_[i] = std::make_unique<ScopedEnvironment>(
                names[i], found == variables.end() ? std::nullopt
                                                   : std::optional<std::string>(found->second));
        }
        adoptUserLanguage();
    }
    // Only LANGUAGE, on top of no locale at all.
    explicit ScopedLanguage(const std::string& language)
        : ScopedLanguage(std::map<std::string, std::string>{{"LANGUAGE", language}}) {}

    ~ScopedLanguage() {
        for (auto& setting : settings_) {
            setting.reset();
        }
        adoptUserLanguage();
    }
    ScopedLanguage(const ScopedLanguage&) = delete;
    ScopedLanguage& operator=(const ScopedLanguage&) = delete;

private:
    static constexpr std::array<const char*, 4> names{"LANGUAGE", "LC_ALL", "LC_MESSAGES", "LANG"};
    std::array<std::unique_ptr<ScopedEnvironment>, 4> settings_;
};

} // namespace tandry::testing
