#include "platform/host/GioUrlOpener.h"

#include "platform/GLibOwnership.h"

#include <gtk/gtk.h>
#include <string>

namespace tandry {

void GioUrlOpener::open(std::string_view url) {
    const std::string text(url);
    // The display's launch context also tells the handler's window where to
    // appear and ends its startup notification.
    GdkDisplay* display = gdk_display_get_default();
    const GObjectPtr<GAppLaunchContext> context(
        display != nullptr ? G_APP_LAUNCH_CONTEXT(gdk_display_get_app_launch_context(display))
                           : g_app_launch_context_new());
    for (const ChangedVariable& variable : restored_) {
        if (variable.before) {
            g_app_launch_context_setenv(context.get(), variable.name.c_str(),
                                        variable.before->c_str());
        } else {
            g_app_launch_context_unsetenv(context.get(), variable.name.c_str());
        }
    }
    GErrorPtr error;
    if (!g_app_info_launch_default_for_uri(text.c_str(), context.get(), out(error))) {
        g_warning("No application opens %s: %s", text.c_str(),
                  error != nullptr ? error->message : "unknown error");
    }
}

} // namespace tandry
