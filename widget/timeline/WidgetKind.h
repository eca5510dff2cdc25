#pragma once

#include <string_view>

namespace tandry {

// The kind by which hosts know the ready-tasks widget. The widget declares it
// and the tick intent passes it when it asks for a reload: the two are one
// constant, so a tick always refreshes this widget and no other.
inline constexpr std::string_view readyWidgetKind = "TandryReadyWidget";

// The type name by which a card's tick button refers to the tick intent; the
// host that runs the button rebuilds the intent from it.
inline constexpr std::string_view tickReadyTaskIntentType = "TickReadyTaskIntent";

} // namespace tandry
