#pragma once

#include <cstdint>
#include <filesystem>
#include <optional>
#include <string>
#include <string_view>

// Every text the widget shows comes from its own gettext catalog, looked up by
// a dotted key ("widget.header"). A key that is a format carries its
// placeholder ("widget.count %lld"). The language is the user's, as
// adoptUserLanguage() set it; the catalogs are the installed ones unless
// useCatalogDirectory() chose others.
namespace tandry::WidgetStrings {

// The gettext text domain of the widget's catalog.
inline constexpr const char* textDomain = "tandry-widget";

inline constexpr const char* countKey = "widget.count %lld";
inline constexpr const char* moreKey = "widget.more %lld";

// The display text of `key` in the user's language; the key itself when the
// catalog has no usable text for it.
std::string text(std::string_view key);

// The count of ready tasks, "5 tasks ready", from "widget.count %lld" in the
// plural form that the language uses for n. Without a usable text: the key
// with n in place of its placeholder, "widget.count 5".
std::string count(std::int64_t n);

// The number of ready tasks the card does not list, "3 more tasks", from
// "widget.more %lld", like count().
std::string more(std::int64_t n);

// The key of the message shown when no task is ready, chosen by the
// snapshot's emptyReason (compared exactly, letter case included):
// "widget.clear.message.<reason>" for noTasks, allDone and allDeferred,
// "widget.clear.message" for anything else and for no reason.
std::string_view clearMessageKey(std::optional<std::string_view> reason);

// Reads the widget's catalogs from `directory` from now on, for every thread.
void useCatalogDirectory(const std::filesystem::path& directory);

// Points gettext at the widget's catalogs, where nothing has yet.
void useCatalogs();

} // namespace tandry::WidgetStrings
