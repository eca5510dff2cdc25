#pragma once

#include "widget/app/StaticConfiguration.h"

namespace tandry {

// The ready-tasks widget: its kind, its provider, its view, its names and its
// sizes. It holds no fields; every evaluation of its body builds an equal,
// fresh configuration.
struct TandryReadyWidget {
    StaticConfiguration body() const;

    bool operator==(const TandryReadyWidget&) const = default;
};

} // namespace tandry
