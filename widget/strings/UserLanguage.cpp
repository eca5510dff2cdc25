#include "widget/strings/UserLanguage.h"

#include "widget/strings/CatalogDirectory.h"
#include "widget/strings/WidgetStrings.h"

#include <algorithm>
#include <clocale>
#include <libintl.h>
#include <string>
#include <string_view>

namespace tandry {
namespace {

std::string currentLocale(int category) {
    const char* name = std::setlocale(category, nullptr);
    return name ? std::string(name) : std::string();
}

constexpr const char* utf8CLocale = "C.UTF-8";
// The language of the catalog that every other falls back on.
constexpr std::string_view sourceLanguage = "en";

// The locale categories a program's text, dates and numbers depend on.
struct Category {
    int value;
    std::string_view name;
};
constexpr Category localeCategories[] = {
    {LC_CTYPE, "LC_CTYPE"},       {LC_NUMERIC, "LC_NUMERIC"}, {LC_TIME, "LC_TIME"},
    {LC_COLLATE, "LC_COLLATE"},   {LC_MONETARY, "LC_MONETARY"},
    {LC_MESSAGES, "LC_MESSAGES"},
};

// The locale that `environment` asks for a category, in the order of
// precedence that setlocale applies: LC_ALL, the category's own, LANG.
std::string requestedLocale(const Environment& environment, std::string_view category) {
    for (std::string_view name : {std::string_view("LC_ALL"), category, std::string_view("LANG")}) {
        if (auto value = environment.nonEmpty(name)) {
            return std::string(*value);
        }
    }
    return {};
}

// Sets every category as setlocale(LC_ALL, "") would from `environment`.
// False, with nothing changed, when one of the locales is not installed.
bool setLocaleFrom(const Environment& environment) {
    const std::string earlier = currentLocale(LC_ALL);
    for (const Category& category : localeCategories) {
        const std::string name = requestedLocale(environment, category.name);
        if (std::setlocale(category.value, name.empty() ? "C" : name.c_str()) == nullptr) {
            std::setlocale(LC_ALL, earlier.c_str());
            return false;
        }
    }
    return true;
}

// gettext makes a path of each language name ("<dir>/<name>/LC_MESSAGES/"),
// so a name may hold only what language names hold: letters, digits, "_",
// "@", "-" and ".", never two dots in a row or a dot first. "../../tmp" would
// load a catalog from anywhere, and a malformed one crashes inside the C
// library.
bool isLanguageName(std::string_view name) {
    const auto allowed = [](char c) {
        return (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z') || (c >= '0' && c <= '9') ||
               c == '_' || c == '@' || c == '-' || c == '.';
    };
    return !name.empty() && !name.starts_with('.') && name.find("..") == std::string_view::npos &&
           std::ranges::all_of(name, allowed);
}

// The languages of a colon-separated list that are language names, in order.
std::string languageNamesOf(std::string_view list) {
    std::string kept;
    while (!list.empty()) {
        const std::size_t colon = list.find(':');
        const std::string_view name = list.substr(0, colon);
        if (isLanguageName(name)) {
            kept += kept.empty() ? "" : ":";
            kept += name;
        }
        list = colon == std::string_view::npos ? std::string_view() : list.substr(colon + 1);
    }
    return kept;
}

// "C", "POSIX", "C.UTF-8" and the like name no language.
bool namesNoLanguage(std::string_view locale) {
    return locale.empty() || locale == "C" || locale == "POSIX" || locale.starts_with("C.");
}


} // namespace

void adoptUserLanguage(const Environment& environment) {
    // 1. Every category from the environment. One named locale that is not
    //    installed fails the whole call and leaves the locale unchanged.
    bool installed = setLocaleFrom(environment);
    if (!installed) {
        std::setlocale(LC_ALL, utf8CLocale);
    }

    // 2. The user's languages: LANGUAGE when set, else the messages locale,
    //    also when it could not be loaded (its catalog may still be there).
    //    Whatever is not a language name is skipped.
    std::string languages = languageNamesOf(environment.nonEmpty("LANGUAGE").value_or(""));
    if (languages.empty()) {
        auto messages =
            installed ? currentLocale(LC_MESSAGES) : requestedLocale(environment, "LC_MESSAGES");
        if (!namesNoLanguage(messages)) {
            languages = languageNamesOf(messages);
        }
    }
    // Adopting twice must not grow the list.
    const std::string source(sourceLanguage);
    if (languages.empty()) {
        languages = source;
    } else if (languages != source && !languages.ends_with(":" + source)) {
        languages += ":" + source;
    }
    ::setenv("LANGUAGE", languages.c_str(), 1);

    // 3. gettext reads LANGUAGE only when the messages locale is not "C".
    if (auto messages = currentLocale(LC_MESSAGES); messages == "C" || messages == "POSIX") {
        std::setlocale(LC_MESSAGES, utf8CLocale);
    }

    // 4. Numbers written by the widget (dates, JSON, drawing coordinates)
    //    never take a decimal comma. Setting a category also tells gettext to
    //    forget the texts it looked up in the earlier languages.
    std::setlocale(LC_NUMERIC, "C");

    // 5. The widget's catalogs.
    if (auto directory = catalogDirectory(environment)) {
        WidgetStrings::useCatalogDirectory(*directory);
    }
}

std::string adoptedLanguage() {
    // gettext answers the empty key with the header of the catalog it found
    // for the user's languages, and the header names the catalog's language.
    WidgetStrings::useCatalogs();
    const std::string header = std::string("\n") + dgettext(WidgetStrings::textDomain, "");
    constexpr std::string_view field = "\nLanguage:";
    const std::size_t start = header.find(field);
    if (start == std::string::npos) {
        return {};
    }
    std::string_view value = std::string_view(header).substr(start + field.size());
    value = value.substr(0, value.find('\n'));
    const std::size_t first = value.find_first_not_of(' ');
    const std::size_t last = value.find_last_not_of(' ');
    return first == std::string_view::npos ? std::string()
                                           : std::string(value.substr(first, last - first + 1));
}

} // namespace tandry
