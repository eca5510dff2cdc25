#include "platform/host/GioUrlOpener.h"

#include <gio/gio.h>
#include <string>

namespace tandry {

void GioUrlOpener::open(std::string_view url) {
    const std::string text(url);
    GError* error = nullptr;
    if (!g_app_info_launch_default_for_uri(text.c_str(), nullptr, &error)) {
        g_warning("No application opens %s: %s", text.c_str(),
                  error != nullptr ? error->message : "unknown error");
        g_clear_error(&error);
    }
}

} // namespace tandry
