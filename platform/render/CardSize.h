#pragma once

#include "platform/render/Geometry.h"
#include "widget/ui/WidgetFamily.h"

namespace tandry::render {

// The widget's size in points for each family.
inline Size cardSize(WidgetFamily family) {
    switch (family) {
    case WidgetFamily::systemSmall:
        return {170, 170};
    case WidgetFamily::systemMedium:
        return {364, 170};
    case WidgetFamily::systemLarge:
        return {364, 382};
    }
    return {364, 170};
}

} // namespace tandry::render
