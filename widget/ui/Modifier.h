#pragma once

#include "widget/ui/Alignment.h"
#include "widget/ui/Color.h"

#include <iosfwd>
#include <optional>
#include <string>
#include <variant>

namespace tandry {

// The same inset on all four edges, in points.
struct Inset {
    double length = 0;

    bool operator==(const Inset&) const = default;
};

// A frame whose maximum width and height are unbounded: it grows to the space
// it is offered and places its content by `alignment`.
struct FlexibleFrame {
    Alignment alignment;

    bool operator==(const FlexibleFrame&) const = default;
};

enum class ButtonStyle { plain };

// Which intent a button runs, by the intent's type name and the text of its
// one parameter. The element kinds know no intent type: the host that runs
// the button rebuilds the intent from this reference.
struct IntentReference {
    std::string type;
    std::string parameter;

    bool operator==(const IntentReference&) const = default;
};

// Pressing the button runs `intent`; the element it wraps is its label, drawn
// unchanged in the plain style.
struct IntentButton {
    IntentReference intent;
    std::string accessibilityLabel;
    ButtonStyle style = ButtonStyle::plain;

    bool operator==(const IntentButton&) const = default;
};

enum class CountDirection { up, down };

// A changed number animates digit by digit, counting in `direction`.
struct NumericContentTransition {
    CountDirection direction = CountDirection::up;

    bool operator==(const NumericContentTransition&) const = default;
};

// Fills the whole widget behind the content it wraps.
struct ContainerBackground {
    Color color;
    Alignment alignment;

    bool operator==(const ContainerBackground&) const = default;
};

// A click on the card outside any button opens `url`; absent means none.
struct ClickThroughUrl {
    std::optional<std::string> url;

    bool operator==(const ClickThroughUrl&) const = default;
};

using Modifier = std::variant<Inset, FlexibleFrame, IntentButton, NumericContentTransition,
                              ContainerBackground, ClickThroughUrl>;

std::ostream& operator<<(std::ostream& out, const Inset& inset);
std::ostream& operator<<(std::ostream& out, const FlexibleFrame& frame);
std::ostream& operator<<(std::ostream& out, const IntentReference& intent);
std::ostream& operator<<(std::ostream& out, const IntentButton& button);
std::ostream& operator<<(std::ostream& out, const NumericContentTransition& transition);
std::ostream& operator<<(std::ostream& out, const ContainerBackground& background);
std::ostream& operator<<(std::ostream& out, const ClickThroughUrl& link);
std::ostream& operator<<(std::ostream& out, const Modifier& modifier);

} // namespace tandry
