#include "widget/strings/WidgetStrings.h"

#include "widget/strings/CountFormat.h"
#include "widget/system/InstalledData.h"

#include <array>
#include <libintl.h>
#include <mutex>
#include <unicode/utf8.h>
#include <utility>

namespace tandry::WidgetStrings {
namespace {

// Points gettext at the widget's own catalog, once: the installed catalogs
// unless useCatalogDirectory chose others first.
void bindCatalog() {
    static std::once_flag bound;
    std::call_once(bound, [] {
        // Texts come back in UTF-8 whatever the locale's character set: they
        // end up in JSON and in Pango, which take nothing else.
        bind_textdomain_codeset(textDomain, "UTF-8");
        if (auto data = installedDataDirectory()) {
            bindtextdomain(textDomain, (*data / "locale").c_str());
        }
    });
}

// A catalog is data from outside; a text that is not UTF-8 is not shown.
bool isWellFormedUtf8(std::string_view text) {
    const auto* bytes = reinterpret_cast<const std::uint8_t*>(text.data());
    auto length = static_cast<std::int32_t>(text.size());
    if (std::cmp_not_equal(length, text.size())) {
        return false;
    }
    std::int32_t offset = 0;
    while (offset < length) {
        UChar32 codePoint = 0;
        U8_NEXT(bytes, offset, length, codePoint);
        if (codePoint < 0) {
            return false;
        }
    }
    return true;
}

// The plural form of a count is chosen by its magnitude, as the languages'
// plural rules are written for; "-2 tasks" reads like "2 tasks".
unsigned long magnitude(std::int64_t n) {
    auto value = static_cast<std::uint64_t>(n);
    return static_cast<unsigned long>(n < 0 ? 0 - value : value);
}

std::string countedText(const char* key, std::int64_t n) {
    bindCatalog();
    const char* format = dngettext(textDomain, key, key, magnitude(n));
    if (format && isWellFormedUtf8(format)) {
        if (auto formatted = formatCount(format, n)) {
            return *formatted;
        }
    }
    // A missing, malformed or unsafe text counts as no text: the key is the
    // format then, and it is ours.
    return formatCount(key, n).value_or(key);
}

} // namespace

std::string text(std::string_view key) {
    // gettext answers the empty key with the catalog's header, and a C string
    // would end at an embedded NUL, so neither is looked up.
    if (key.empty() || key.find('\0') != std::string_view::npos) {
        return std::string(key);
    }
    std::string lookupKey(key);
    bindCatalog();
    const char* translated = dgettext(textDomain, lookupKey.c_str());
    if (!translated || !isWellFormedUtf8(translated)) {
        return lookupKey;
    }
    return translated;
}

std::string count(std::int64_t n) {
    return countedText(countKey, n);
}

std::string more(std::int64_t n) {
    return countedText(moreKey, n);
}

std::string_view clearMessageKey(std::optional<std::string_view> reason) {
    static constexpr std::array<std::pair<std::string_view, std::string_view>, 3> reasonKeys{{
        {"noTasks", "widget.clear.message.noTasks"},
        {"allDone", "widget.clear.message.allDone"},
        {"allDeferred", "widget.clear.message.allDeferred"},
    }};
    if (reason) {
        for (const auto& [name, key] : reasonKeys) {
            if (*reason == name) {
                return key;
            }
        }
    }
    return "widget.clear.message";
}

void useCatalogDirectory(const std::filesystem::path& directory) {
    bindCatalog();
    bindtextdomain(textDomain, directory.c_str());
}

void useCatalogs() {
    bindCatalog();
}

} // namespace tandry::WidgetStrings
