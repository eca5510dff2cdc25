#include "widget/store/Uuid.h"

#include <cerrno>
#include <fmt/format.h>
#include <ostream>
#include <cstdio>
#include <cstdlib>
#include <sys/random.h>

namespace tandry {
namespace {

// Offsets of the hyphens in the canonical text.
constexpr std::array<std::size_t, 4> hyphenOffsets{8, 13, 18, 23};

int hexValue(char c) {
    if (c >= '0' && c <= '9') {
        return c - '0';
    }
    if (c >= 'a' && c <= 'f') {
        return c - 'a' + 10;
    }
    if (c >= 'A' && c <= 'F') {
        return c - 'A' + 10;
    }
    return -1;
}

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
    std::size_t nibble = 0;
    for (std::size_t i = 0; i < text.size(); ++i) {
        if (i == hyphenOffsets[0] || i == hyphenOffsets[1] || i == hyphenOffsets[2] ||
            i == hyphenOffsets[3]) {
            continue;
        }
        int value = hexValue(text[i]);
        if (value < 0) {
            return invalid();
        }
        auto& byte = uuid.bytes[nibble / 2];
        byte = static_cast<std::uint8_t>(nibble % 2 == 0 ? value << 4 : byte | value);
        ++nibble;
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

std::ostream& operator<<(std::ostream& out, const Uuid& uuid) { return out << uuidText(uuid); }

} // namespace tandry
