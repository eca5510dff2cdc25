#pragma once

#include "widget/system/Error.h"

#include <array>
#include <cstddef>
#include <cstdint>
#include <functional>
#include <iosfwd>
#include <string>
#include <string_view>

namespace tandry {

// A 128-bit UUID, compared by its bits.
struct Uuid {
    std::array<std::uint8_t, 16> bytes{};

    bool operator==(const Uuid&) const = default;
    auto operator<=>(const Uuid&) const = default;

    // A fresh random version-4 UUID from the kernel's random source.
    static Uuid random();
};

// Reads the canonical 36-character text in either letter case
// ("0D5A2C64-7E1B-4F3A-9C11-2B6E8D4F7A90"); braces, missing hyphens and any
// other length are invalid.
Result<Uuid> parseUuidText(std::string_view text);

// The canonical text in upper case.
std::string uuidText(const Uuid& uuid);

std::ostream& operator<<(std::ostream& out, const Uuid& uuid);

} // namespace tandry

template <> struct std::hash<tandry::Uuid> {
    std::size_t operator()(const tandry::Uuid& uuid) const noexcept {
        // The bits are random already; folding the two halves is enough.
        std::uint64_t high = 0;
        std::uint64_t low = 0;
        for (std::size_t i = 0; i < 8; ++i) {
            high = (high << 8) | uuid.bytes[i];
            low = (low << 8) | uuid.bytes[i + 8];
        }
        return static_cast<std::size_t>(high ^ (low * 0x9E3779B97F4A7C15ULL));
    }
};
