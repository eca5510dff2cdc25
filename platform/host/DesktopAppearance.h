#pragma once

#include "platform/GLibOwnership.h"
#include "widget/ui/ColorScheme.h"

#include <functional>

typedef struct _GCancellable GCancellable;
typedef struct _GDBusConnection GDBusConnection;
typedef struct _GVariant GVariant;

namespace tandry {

// The desktop's light or dark preference, live: read from the settings
// portal (org.freedesktop.appearance color-scheme) and followed through its
// change signal. "No preference", an unknown value and a desktop without the
// portal all mean light.
class DesktopAppearance {
public:
    using Handler = std::function<void(ColorScheme scheme)>;

    // Asks the portal on the session bus, without blocking; `changed` runs in
    // the main loop when the answer arrives and on every later change.
    DesktopAppearance(GDBusConnection* sessionBus, Handler changed);
    ~DesktopAppearance();
    DesktopAppearance(const DesktopAppearance&) = delete;
    DesktopAppearance& operator=(const DesktopAppearance&) = delete;

    ColorScheme scheme() const { return scheme_; }

private:
    struct Callbacks;

    void adopt(GVariant* value);

    GObjectPtr<GDBusConnection> bus_;
    Handler changed_;
    ColorScheme scheme_ = ColorScheme::light;
    unsigned subscription_ = 0;
    GObjectPtr<GCancellable> cancellable_;
};

// The colour scheme for a value of org.freedesktop.appearance color-scheme:
// 1 is dark; 0 (no preference), 2 (light) and anything else are light.
ColorScheme colorSchemeForPortalValue(unsigned value);

} // namespace tandry
