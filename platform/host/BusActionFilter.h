#pragma once

#include <functional>
#include <memory>
#include <string>

typedef struct _GDBusConnection GDBusConnection;

namespace tandry {

// Answers the host's busiest requests on the bus's own thread, before they
// reach the main loop: activating the tick and reload actions over the
// session bus (org.gtk.Actions.Activate and
// org.freedesktop.Application.ActivateAction on the host's object). A flood
// of thousands of them, which a script or a peer can send at once, would
// otherwise queue a dispatch each on the main loop ahead of everything else.
// Any other request, and one of these with parameters of another shape,
// goes on to the application as before.
class BusActionFilter {
public:
    // Each runs on the bus's thread, one request at a time, and must be
    // safe to call from there.
    struct Handlers {
        std::function<void(std::string taskId)> tick;
        std::function<void(std::string kind)> reload;
    };

    BusActionFilter(GDBusConnection* connection, Handlers handlers);
    // No handler runs once this returns.
    ~BusActionFilter();
    BusActionFilter(const BusActionFilter&) = delete;
    BusActionFilter& operator=(const BusActionFilter&) = delete;

    struct State;

private:
    GDBusConnection* connection_;
    // Shared with the filter, which the bus may still be running when the
    // filter is removed.
    std::shared_ptr<State> state_;
    unsigned filterId_ = 0;
};

} // namespace tandry
