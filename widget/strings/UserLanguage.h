#pragma once

#include "widget/strings/LayoutDirection.h"
#include "widget/system/Environment.h"

#include <string>

namespace tandry {

// Takes the user's language from `environment`, as every desktop program
// does: LANGUAGE (a colon-separated list of languages), else LC_ALL,
// LC_MESSAGES or LANG; and the widget's catalogs from the directory that
// catalogDirectory(environment) names. Call it once at program start, before
// other threads run.
//
// Three things make this more than setlocale(LC_ALL, ""):
// - A locale that is not installed makes setlocale fail; the process then
//   runs under C.UTF-8 and the messages still follow the locale's language.
// - gettext ignores LANGUAGE under the plain "C" locale, which is what an
//   unset LANG gives; messages then run under C.UTF-8, where it does not.
// - The catalogs are keyed by dotted names, not by English sentences, so
//   English ends the list of languages: without it a language that has no
//   catalog would show keys. To carry that list to gettext, LANGUAGE is set
//   to it (for example "de:en"), in the process environment, where gettext
//   reads it. Numbers stay in the C conventions.
void adoptUserLanguage(const Environment& environment);

// The language of the catalog that the widget's texts come from now, as the
// catalog's header names it ("ar", "de", "en"): the first of the user's
// languages that has a catalog, English when none has. Empty when no catalog
// is found at all, or its header names no language.
std::string adoptedLanguage();

// The direction in which the adopted language is written, from ICU's locale
// data; left to right when adoptedLanguage() is empty.
LayoutDirection userLayoutDirection();

} // namespace tandry
