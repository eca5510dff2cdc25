#include "platform/host/HostOptions.h"
#include "platform/host/WidgetHost.h"
#include "widget/strings/UserLanguage.h"

int main(int argc, char** argv) {
    tandry::adoptUserLanguage();
    auto options = tandry::parseHostOptions(argc, argv);
    if (const int* status = std::get_if<int>(&options)) {
        return *status;
    }
    return tandry::WidgetHost(std::get<tandry::HostOptions>(std::move(options))).run(argv[0]);
}
