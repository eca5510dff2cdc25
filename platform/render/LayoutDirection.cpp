#include "platform/render/LayoutDirection.h"

#include <algorithm>
#include <array>
#include <cctype>
#include <cstdlib>
#include <string>

namespace tandry::render {

namespace {

// ISO 639 codes of the languages written right to left in their usual script.
constexpr std::array<std::string_view, 14> rightToLeftLanguages = {
    "ar", "arc", "ckb", "dv", "fa", "he", "iw", "ks", "ps", "sd", "syr", "ug", "ur", "yi",
};

std::string_view environmentValue(const char* name) {
    const char* value = std::getenv(name);
    return value != nullptr ? std::string_view(value) : std::string_view();
}

} // namespace

LayoutDirection layoutDirectionForLocale(std::string_view locale) {
    const std::size_t end = locale.find_first_of("_-.@:");
    std::string language(locale.substr(0, end));
    std::transform(language.begin(), language.end(), language.begin(),
                   [](unsigned char c) { return static_cast<char>(std::tolower(c)); });
    const bool rightToLeft = std::find(rightToLeftLanguages.begin(), rightToLeftLanguages.end(),
                                       language) != rightToLeftLanguages.end();
    return rightToLeft ? LayoutDirection::rightToLeft : LayoutDirection::leftToRight;
}

LayoutDirection layoutDirectionFromEnvironment() {
    // gettext lets LANGUAGE override the locale's language, except when the
    // locale is C (set so, or by nothing being set), where it translates nothing.
    std::string_view locale;
    for (const char* name : {"LC_ALL", "LC_MESSAGES", "LANG"}) {
        locale = environmentValue(name);
        if (!locale.empty()) {
            break;
        }
    }
    const std::string_view languages = environmentValue("LANGUAGE");
    if (!languages.empty() && !locale.empty() && locale != "C" && locale != "POSIX") {
        return layoutDirectionForLocale(languages.substr(0, languages.find(':')));
    }
    return layoutDirectionForLocale(locale);
}

} // namespace tandry::render
