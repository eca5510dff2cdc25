#pragma once

#include <glib-object.h>
#include <memory>

namespace tandry {

// Drops one reference to a GObject.
struct GObjectUnref {
    void operator()(gpointer object) const { g_object_unref(object); }
};

// One owned reference to a GObject, dropped when the pointer goes. It takes
// over a reference the caller already owns: a new object (after
// g_object_ref_sink for a floating one) or a result returned in full.
template <typename T> using GObjectPtr = std::unique_ptr<T, GObjectUnref>;

} // namespace tandry
