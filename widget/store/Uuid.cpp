#include "widget/store/Uuid.h"

#include <cerrno>
#include <cstdio>
#include <cstdlib>
#include <fmt/format.h>
#include <ostream>
#include <sys/random.h>

namespace tandry {
namespace {

// Offsets of the hyphens in the canonical text.
constexpr std::array<std::size_t, 4> hyphenOffsets{8, 13, 18, 23};

// Digit values by character, -1 for a character that is no hexadecimal digit.
// A table rather than comparisons: random digits defeat branch prediction.
constexpr auto hexValues = [] {
    std::array<std::int8_t, 256> table{};
    table.fill(-1);
    for (int i = 0; i < 10; ++i) {
        table['0' + i] = static_cast<std::int8_t>(i);
    }
    for (int i = 0; i < 6; ++i) {
        table['a' + i] = static_cast<std::int8_t>(10 + i);
        table['A' + i] = static_cast<std::int8_t>(10 + i);
    }
    return table;
}();

// Where the two digits of each byte start in the canonical text.
constexpr std::array<std::size_t, 16> byteOffsets{0,  2,  4,  6,  9,  11, 14, 16,
                                                  19, 21, 24, 26, 28, 30, 32, 34};

} // namespace

Uuid Uuid::random() {
    Uuid uuid;
    std::size_t filled = 0;
    while (filled < uuid.bytes.size()) {
        ssize_t got = getrandom(uuid.bytes.data() + filled, uuid.bytes.size() - filled, 0);
        if (got < 0) {
            if (errno == EINTR) {
                continue;
            }
            // Without the kernel's random source no identity can be trusted to be
            // unique; getrandom only fails so on kernels older than 3.17.
            std::perror("tandry-widget: getrandom");
            std::abort();
        }
        filled += static_cast<std::size_t>(got);
    }
    uuid.bytes[6] = static_cast<std::uint8_t>((uuid.bytes[6] & 0x0F) | 0x40); // version 4
    uuid.bytes[8] = static_cast<std::uint8_t>((uuid.bytes[8] & 0x3F) | 0x80); // RFC 4122 variant
    return uuid;
}

Result<Uuid> parseUuidText(std::string_view text) {
    auto invalid = [&] { return fail(fmt::format("invalid UUID text \"{}\"", text)); };
    if (text.size() != 36) {
        return invalid();
    }
    for (std::size_t offset : hyphenOffsets) {
        if (text[offset] != '-') {
            return invalid();
        }
    }
    Uuid uuid;
    int invalidDigits = 0;
    for (std::size_t i = 0; i < byteOffsets.size(); ++i) {
        int high = hexValues[static_cast<unsigned char>(text[byteOffsets[i]])];
        int low = hexValues[static_cast<unsigned char>(text[byteOffsets[i] + 1])];
        invalidDigits |= high | low; // negative once any digit is invalid
        uuid.bytes[i] = static_cast<std::uint8_t>(high << 4 | (low & 0x0F));
    }
    if (invalidDigits < 0) {
        return invalid();
    }
    return uuid;
}

std::string uuidText(const Uuid& uuid) {
    static constexpr char hexDigits[] = "0123456789ABCDEF";
    std::string text;
    text.reserve(36);
    for (std::size_t i = 0; i < uuid.bytes.size(); ++i) {
        if (i == 4 || i == 6 || i == 8 || i == 10) {
            text.push_back('-');
        }
        text.push_back(hexDigits[uuid.bytes[i] >> 4]);
        text.push_back(hexDigits[uuid.bytes[i] & 0x0F]);
    }
    return text;
}

std::ostream& operator<<(std::ostream& out, const Uuid& uuid) {
    return out << uuidText(uuid);
}

} // namespace tandry
