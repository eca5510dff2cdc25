#pragma once

#include <chrono>
#include <functional>
#include <memory>
#include <string>

typedef struct _GDBusConnection GDBusConnection;

namespace tandry {

// Takes the host's busiest requests off the session bus before the
// application dispatches them one by one: the tick and reload actions
// (org.freedesktop.Application.ActivateAction and org.gtk.Actions.Activate on
// the host's object, with one text parameter). A script can send thousands at
// once, and the application would run them all in one iteration of the main
// loop. Here they wait in a queue that the main loop works through in slices
// of `slice`, at the priority the application's own dispatch has, so that it
// answers in between. Any
// other request, and one of these with parameters of another shape, goes to
// the application as before.
class BusActionQueue {
public:
    // Runs on the main loop: the action's name and its parameter.
    using Handler = std::function<void(const std::string& action, const std::string& parameter)>;

    BusActionQueue(GDBusConnection* connection, Handler handler, std::chrono::microseconds slice);
    // Runs the requests still queued, so that none that was answered is lost.
    ~BusActionQueue();
    BusActionQueue(const BusActionQueue&) = delete;
    BusActionQueue& operator=(const BusActionQueue&) = delete;

    struct State;

private:
    GDBusConnection* connection_;
    unsigned filterId_;
    // Shared with the filter, which the bus's thread may still be running
    // when the queue goes.
    std::shared_ptr<State> state_;
};

} // namespace tandry
