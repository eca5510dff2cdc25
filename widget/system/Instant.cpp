#include "widget/system/Instant.h"

#include <array>
#include <fmt/format.h>
#include <optional>
#include <ostream>

namespace tandry {
namespace {

using namespace std::chrono;

constexpr sys_days firstWritableDay = year{0} / January / 1;
constexpr sys_days firstUnwritableDay = year{10000} / January / 1;

// A fixed-width field of decimal digits; nullopt when any character is not a digit.
std::optional<int> digits(std::string_view text, std::size_t offset, std::size_t count) {
    int value = 0;
    for (std::size_t i = offset; i < offset + count; ++i) {
        char c = text[i];
        if (c < '0' || c > '9') {
            return std::nullopt;
        }
        value = value * 10 + (c - '0');
    }
    return value;
}

bool isDigit(char c) {
    return c >= '0' && c <= '9';
}

} // namespace

Instant distantFuture() {
    return Instant{sys_days{year{4001} / January / 1}};
}

Instant lastWritableSecond() {
    return Instant{firstUnwritableDay - seconds{1}};
}

Result<Instant> parseDateText(std::string_view text) {
    auto invalid = [&] { return fail(fmt::format("invalid date text \"{}\"", text)); };

    // 1. The fixed part: "YYYY-MM-DDTHH:MM:SS" is 19 characters.
    if (text.size() < 20 || text[4] != '-' || text[7] != '-' ||
        (text[10] != 'T' && text[10] != 't') || text[13] != ':' || text[16] != ':') {
        return invalid();
    }
    auto yearValue = digits(text, 0, 4);
    auto monthValue = digits(text, 5, 2);
    auto dayValue = digits(text, 8, 2);
    auto hourValue = digits(text, 11, 2);
    auto minuteValue = digits(text, 14, 2);
    auto secondValue = digits(text, 17, 2);
    if (!yearValue || !monthValue || !dayValue || !hourValue || !minuteValue || !secondValue) {
        return invalid();
    }
    year_month_day date{year{*yearValue}, month(static_cast<unsigned>(*monthValue)),
                        day(static_cast<unsigned>(*dayValue))};
    if (!date.ok() || *hourValue > 23 || *minuteValue > 59 || *secondValue > 59) {
        return invalid();
    }

    // 2. An optional fraction of a second, kept to the microsecond.
    std::size_t position = 19;
    microseconds fraction{0};
    if (text[position] == '.') {
        std::size_t first = ++position;
        std::int64_t scale = 100000;
        while (position < text.size() && isDigit(text[position])) {
            fraction += microseconds{(text[position] - '0') * scale};
            scale /= 10;
            ++position;
        }
        if (position == first) {
            return invalid();
        }
    }

    // 3. The zone: "Z", "z" or a numeric offset "+HH:MM" / "-HH:MM".
    minutes offset{0};
    std::string_view zone = text.substr(position);
    if (zone == "Z" || zone == "z") {
        // UTC.
    } else if (zone.size() == 6 && (zone[0] == '+' || zone[0] == '-') && zone[3] == ':') {
        auto offsetHours = digits(zone, 1, 2);
        auto offsetMinutes = digits(zone, 4, 2);
        if (!offsetHours || !offsetMinutes || *offsetHours > 23 || *offsetMinutes > 59) {
            return invalid();
        }
        offset = hours{*offsetHours} + minutes{*offsetMinutes};
        if (zone[0] == '-') {
            offset = -offset;
        }
    } else {
        return invalid();
    }

    Instant instant = Instant{sys_days{date}} + hours{*hourValue} + minutes{*minuteValue} +
                      seconds{*secondValue} + fraction - offset;
    if (instant < firstWritableDay || instant >= firstUnwritableDay) {
        return fail(fmt::format("date text \"{}\" lies outside the years 0000 to 9999", text));
    }
    return instant;
}

Result<std::string> formatDateText(Instant instant) {
    if (instant < firstWritableDay || instant >= firstUnwritableDay) {
        return fail("instant lies outside the years 0000 to 9999");
    }
    auto wholeSeconds = floor<seconds>(instant);
    auto dayStart = floor<days>(wholeSeconds);
    year_month_day date{dayStart};
    hh_mm_ss time{wholeSeconds - dayStart};
    return fmt::format("{:04}-{:02}-{:02}T{:02}:{:02}:{:02}Z", static_cast<int>(date.year()),
                       static_cast<unsigned>(date.month()), static_cast<unsigned>(date.day()),
                       time.hours().count(), time.minutes().count(), time.seconds().count());
}

std::ostream& operator<<(std::ostream& out, Instant instant) {
    auto text = formatDateText(instant);
    out << (text ? *text : std::string("(unwritable instant)"));
    if (auto fraction = instant - floor<seconds>(instant); fraction.count() != 0) {
        out << " +" << fraction.count() << "us";
    }
    return out;
}

} // namespace tandry
