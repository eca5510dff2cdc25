#include "platform/host/Autostart.h"
#include "platform/host/HostOptions.h"
#include "platform/host/WidgetHost.h"
#include "widget/store/AppGroup.h"
#include "widget/strings/UserLanguage.h"

#include <glib.h>
#include <iostream>

namespace {

// Turns starting at login on or off: a sentence on standard output, or the
// reason on standard error and status 1.
int changeStartAtLogin(tandry::StartAtLogin choice) {
    auto done = tandry::setStartAtLogin(choice, tandry::shippedAutostartEntry(),
                                        tandry::userAutostartDirectory());
    if (!done) {
        std::cerr << "tandry-widget-host: " << done.error().message << '\n';
        return 1;
    }
    std::cout << *done << '\n';
    return 0;
}

// Before the task manager first runs there is no shared container, and the
// card shows its waiting message; the log says once where the widget looks,
// so that a user or packager can see what is missing.
void explainMissingContainer() {
    const std::string& group = tandry::appGroupIdentifier();
    if (tandry::sharedContainerLocation(group)) {
        return;
    }
    if (auto path = tandry::sharedContainerPath(group)) {
        g_message("No shared container yet: the widget waits for the task manager to create %s "
                  "(application group %s)",
                  path->c_str(), group.c_str());
    } else {
        g_message("The application group \"%s\" has no shared container: it is not one plain "
                  "directory name, or no home directory is known; the widget keeps waiting",
                  group.c_str());
    }
}

} // namespace

int main(int argc, char** argv) {
    tandry::adoptUserLanguage();
    auto options = tandry::parseHostOptions(argc, argv);
    if (const int* status = std::get_if<int>(&options)) {
        return *status;
    }
    auto& chosen = std::get<tandry::HostOptions>(options);
    if (chosen.startAtLogin) {
        return changeStartAtLogin(*chosen.startAtLogin);
    }
    explainMissingContainer();
    return tandry::WidgetHost(std::move(chosen)).run(argv[0]);
}
