#pragma once

#include "widget/app/TandryReadyWidget.h"

#include <vector>

namespace tandry {

// Everything the widget offers a widget host: exactly one widget.
struct TandryWidgetBundle {
    std::vector<TandryReadyWidget> body() const { return {TandryReadyWidget{}}; }

    bool operator==(const TandryWidgetBundle&) const = default;
};

} // namespace tandry
