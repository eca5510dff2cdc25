#pragma once

#include "widget/strings/CatalogDirectory.h"
#include "widget/strings/UserLanguage.h"

#include <filesystem>
#include <map>
#include <string>

namespace tandry::testing {

// Runs the enclosed code in the language of an environment of its own
// (LANGUAGE, LC_ALL, LC_MESSAGES, LANG, TANDRY_WIDGET_LOCALEDIR as given),
// adopted as a program started in it would, and on destruction adopts the
// language of a program started with none of them. Header-only; the test
// binary links tandry_strings.
class ScopedLanguage {
public:
    explicit ScopedLanguage(const std::map<std::string, std::string>& variables) {
        adoptUserLanguage(Environment({variables.begin(), variables.end()}));
    }
    // Only LANGUAGE, on top of no locale at all.
    explicit ScopedLanguage(const std::string& language)
        : ScopedLanguage(std::map<std::string, std::string>{{"LANGUAGE", language}}) {}
    // LANGUAGE, with the catalogs of `catalogs` instead of the built ones.
    ScopedLanguage(const std::string& language, const std::filesystem::path& catalogs)
        : ScopedLanguage(std::map<std::string, std::string>{
              {"LANGUAGE", language}, {catalogDirectoryVariable, catalogs.string()}}) {}

    ~ScopedLanguage() { adoptUserLanguage(Environment()); }
    ScopedLanguage(const ScopedLanguage&) = delete;
    ScopedLanguage& operator=(const ScopedLanguage&) = delete;
};

} // namespace tandry::testing
