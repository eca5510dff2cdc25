#pragma once

#include <iosfwd>
#include <optional>

namespace tandry {

// Takes the room left along its stack's axis; several spacers share it
// equally. A minimum length of nullopt means the platform's default spacing.
struct Spacer {
    std::optional<double> minLength;

    bool operator==(const Spacer&) const = default;
};

std::ostream& operator<<(std::ostream& out, const Spacer& spacer);

} // namespace tandry
