#include "widget/strings/UserLanguage.h"

#include <unicode/locid.h>

namespace tandry {

// Apart from the rest of the user's language: only what draws the card asks
// for the direction, and ICU's locale data is loaded for nothing else.
LayoutDirection userLayoutDirection() {
    const std::string language = adoptedLanguage();
    if (language.empty()) {
        return LayoutDirection::leftToRight;
    }
    return icu::Locale(language.c_str()).isRightToLeft() ? LayoutDirection::rightToLeft
                                                         : LayoutDirection::leftToRight;
}

} // namespace tandry
