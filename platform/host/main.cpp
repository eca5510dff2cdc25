#include "platform/host/Autostart.h"
#include "platform/host/CoalescingTask.h"
#include "platform/host/HostEnvironment.h"
#include "platform/host/HostOptions.h"
#include "platform/host/WidgetHost.h"
#include "widget/store/DecodedRecords.h"
#include "widget/strings/UserLanguage.h"

#include <cstdio>
#include <cstdlib>
#include <glib.h>
#include <iostream>
#include <malloc.h>

namespace {

// Turns starting at login on or off: a sentence on standard output, or the
// reason on standard error and status 1.
int changeStartAtLogin(tandry::StartAtLogin choice, const tandry::Environment& environment) {
    const auto shipped = tandry::shippedAutostartEntry();
    const auto directory =
        tandry::userAutostartDirectory(tandry::BaseDirectories::from(environment));
    if (!shipped || !directory) {
        std::cerr << "tandry-widget-host: "
                  << (shipped ? "no home directory is known, so there is no autostart directory"
                              : "the program's own location, and so its autostart entry, is "
                                "unknown")
                  << '\n';
        return 1;
    }
    auto done = tandry::setStartAtLogin(choice, *shipped, *directory);
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
void explainMissingContainer(const tandry::SharedContainer& container) {
    if (container.existing()) {
        return;
    }
    if (container.path) {
        g_message("No shared container yet: the widget waits for the task manager to create %s "
                  "(application group %s)",
                  container.path->c_str(), container.group.c_str());
    } else {
        g_message("The application group \"%s\" has no shared container: it is not one plain "
                  "directory name, or no home directory is known; the widget keeps waiting",
                  container.group.c_str());
    }
}

} // namespace

int main(int argc, char** argv) {
    // Each thread allocates in an arena of its own, so that the main loop
    // never waits for the allocator's lock held by a reader a few nice steps
    // below it. A fixed threshold has every arena hand its free top back once
    // it passes 256 kB: the adaptive one grows with the largest block freed
    // and would keep what a read of a large queue freed.
    mallopt(M_TRIM_THRESHOLD, 256 * 1024);
    // The queue is read after every tick; only new record files are decoded.
    tandry::DecodedRecords::useInThisProcess();
    const auto environment = tandry::Environment::ofProcess();
    tandry::adoptUserLanguage(environment);
    auto options = tandry::parseHostOptions(argc, argv);
    if (const int* status = std::get_if<int>(&options)) {
        return *status;
    }
    auto& chosen = std::get<tandry::HostOptions>(options);
    if (chosen.startAtLogin) {
        return changeStartAtLogin(*chosen.startAtLogin, environment);
    }
    auto hostEnvironment = tandry::HostEnvironment::of(environment);
    explainMissingContainer(hostEnvironment.container);
    const int status =
        tandry::WidgetHost(std::move(chosen), std::move(hostEnvironment)).run(argv[0]);
    // A read of a huge queue may still be under way; the places are saved,
    // so the host ends without the libraries' static objects going under it.
    if (!tandry::CoalescingTask::waitForAllRuns(std::chrono::milliseconds(300))) {
        std::fflush(nullptr);
        std::_Exit(status);
    }
    return status;
}
