#include "widget/views/IcuDueDateFormat.h"

#include <chrono>
#include <fmt/format.h>
#include <unicode/dtptngen.h>
#include <unicode/locid.h>
#include <unicode/smpdtfmt.h>

namespace tandry {

struct IcuDueDateFormat::Formatter {
    icu::UnicodeString pattern;
    std::unique_ptr<icu::SimpleDateFormat> format;
};

namespace {

constexpr const char* dateSkeleton = "MMMd";

// ICU misses no real locale's pattern, but a broken data file must not leave
// a row without its date: the plain UTC date stands in.
std::string fallbackText(Instant date) {
    const auto day = std::chrono::year_month_day(std::chrono::floor<std::chrono::days>(date));
    return fmt::format("{:04}-{:02}-{:02}", static_cast<int>(day.year()),
                       static_cast<unsigned>(day.month()), static_cast<unsigned>(day.day()));
}

} // namespace

IcuDueDateFormat::IcuDueDateFormat(std::string_view localeId) : localeId_(localeId) {}

const IcuDueDateFormat::Formatter* IcuDueDateFormat::formatter() const {
    if (built_) {
        return formatter_.get();
    }
    built_ = true;

    // 1. The locale. The plain constructor already reads "de-DE" as "de_DE";
    //    full canonicalisation would load ICU's alias tables, a megabyte and
    //    more than a millisecond in a fresh process, for ids that POSIX
    //    locale names never produce.
    const icu::Locale locale(localeId_.c_str());

    // 2. The locale's best pattern for the skeleton: order, punctuation and
    //    the form of the month are the locale's.
    UErrorCode status = U_ZERO_ERROR;
    std::unique_ptr<icu::DateTimePatternGenerator> generator(
        icu::DateTimePatternGenerator::createInstance(locale, status));
    if (U_FAILURE(status) || !generator) {
        return nullptr;
    }
    icu::UnicodeString pattern = generator->getBestPattern(dateSkeleton, status);
    if (U_FAILURE(status)) {
        return nullptr;
    }

    // 3. A formatter for that pattern; it takes the locale's calendar and the
    //    default time zone as they are now.
    auto format = std::make_unique<icu::SimpleDateFormat>(pattern, locale, status);
    if (U_FAILURE(status)) {
        return nullptr;
    }
    formatter_ = std::make_unique<Formatter>(Formatter{std::move(pattern), std::move(format)});
    return formatter_.get();
}

IcuDueDateFormat::~IcuDueDateFormat() = default;
IcuDueDateFormat::IcuDueDateFormat(IcuDueDateFormat&&) noexcept = default;
IcuDueDateFormat& IcuDueDateFormat::operator=(IcuDueDateFormat&&) noexcept = default;

IcuDueDateFormat IcuDueDateFormat::of(const Environment& environment) {
    return IcuDueDateFormat(dateLocaleId(environment));
}

std::string IcuDueDateFormat::format(Instant date) const {
    const Formatter* formatter = this->formatter();
    if (!formatter) {
        return fallbackText(date);
    }
    // ICU counts milliseconds since the epoch in a double; a due date loses
    // only its sub-millisecond part, which no day boundary depends on.
    const auto milliseconds =
        std::chrono::floor<std::chrono::milliseconds>(date).time_since_epoch().count();
    icu::UnicodeString text;
    formatter->format->format(static_cast<UDate>(milliseconds), text);
    std::string result;
    return text.toUTF8String(result);
}

std::string IcuDueDateFormat::pattern() const {
    std::string result;
    if (const Formatter* formatter = this->formatter()) {
        formatter->pattern.toUTF8String(result);
    }
    return result;
}

std::string icuLocaleIdForPosixName(std::string_view name) {
    // 1. "language_TERRITORY.codeset@modifier": the codeset means nothing to ICU.
    const std::size_t at = name.find('@');
    std::string_view modifier =
        at == std::string_view::npos ? std::string_view() : name.substr(at + 1);
    std::string_view base = name.substr(0, at);
    base = base.substr(0, base.find('.'));

    // 2. The C locale reads dates in US English, as ICU's POSIX locale does.
    if (base.empty() || base == "C" || base == "POSIX") {
        return "en_US_POSIX";
    }

    // 3. Only ICU-style keywords survive ("calendar=persian"); C library
    //    modifiers such as "euro" or "latin" do not name one.
    std::string id(base);
    if (modifier.find('=') != std::string_view::npos) {
        id += '@';
        id += modifier;
    }
    return id;
}

std::string dateLocaleId(const Environment& environment) {
    for (const char* variable : {"LC_ALL", "LC_TIME", "LANG"}) {
        if (auto value = environment.nonEmpty(variable)) {
            return icuLocaleIdForPosixName(*value);
        }
    }
    return icuLocaleIdForPosixName("");
}

} // namespace tandry
