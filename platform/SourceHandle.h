#pragma once

#include <glib.h>
#include <utility>

namespace tandry {

// An event source attached to a main context by id (g_timeout_add,
// g_unix_fd_add, g_unix_signal_add, ...), removed when the handle goes or is
// reset, so that no callback runs for an owner that is gone.
class SourceHandle {
public:
    SourceHandle() = default;
    explicit SourceHandle(guint id) : id_(id) {}
    ~SourceHandle() { reset(); }
    SourceHandle(SourceHandle&& other) noexcept : id_(std::exchange(other.id_, 0)) {}
    SourceHandle& operator=(SourceHandle&& other) noexcept {
        if (this != &other) {
            reset();
            id_ = std::exchange(other.id_, 0);
        }
        return *this;
    }

    // Removes the source now, when there is one.
    void reset() { g_clear_handle_id(&id_, g_source_remove); }

    // Forgets the source without removing it: for its own callback, just
    // before it returns G_SOURCE_REMOVE.
    void release() { id_ = 0; }

    bool active() const { return id_ != 0; }

private:
    guint id_ = 0;
};

} // namespace tandry
