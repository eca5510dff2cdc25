#include "platform/host/HostOptions.h"

#include <gtest/gtest.h>
#include <sstream>

namespace tandry {

void PrintTo(const HostOptions& options, std::ostream* out) {
    *out << "{families:";
    for (const WidgetFamily family : options.families) {
        *out << ' ' << family;
    }
    *out << ", scheme " << static_cast<int>(options.scheme) << ", headless " << options.headless
         << ", output " << options.output.value_or("none") << ", scale " << options.outputScale
         << ", service " << options.service << ", start at login "
         << (options.startAtLogin ? static_cast<int>(*options.startAtLogin) : -1) << '}';
}

namespace {

struct Parsed {
    std::variant<HostOptions, int> result;
    std::string errors;
};

Parsed parse(std::vector<std::string> arguments) {
    arguments.insert(arguments.begin(), "tandry-widget-host");
    std::vector<char*> argv;
    for (std::string& argument : arguments) {
        argv.push_back(argument.data());
    }
    std::ostringstream errors;
    auto result = parseHostOptions(static_cast<int>(argv.size()), argv.data(), errors);
    return {std::move(result), errors.str()};
}

TEST(HostOptions, ReadsEachOptionIntoItsValue) {
    struct Row {
        const char* name;
        std::vector<std::string> arguments;
        HostOptions expected;
    };
    const Row rows[] = {
        {"nothing: the defaults", {}, {}},
        {"families in order by short or full name, a scheme, not at login, by the bus",
         {"--family", "small", "--family", "systemLarge", "--scheme", "dark", "--autostart", "off",
          "--gapplication-service"},
         {.families = {WidgetFamily::systemSmall, WidgetFamily::systemLarge},
          .scheme = SchemeChoice::dark,
          .service = true,
          .startAtLogin = StartAtLogin::off}},
        {"headless into a directory at a scale, the other scheme, at login",
         {"--headless", "--output", "/tmp/cards", "--scale", "1.5", "--scheme", "light",
          "--autostart", "on", "--family", "medium"},
         {.families = {WidgetFamily::systemMedium},
          .scheme = SchemeChoice::light,
          .headless = true,
          .output = "/tmp/cards",
          .outputScale = 1.5,
          .startAtLogin = StartAtLogin::on}},
        {"the desktop's scheme", {"--scheme", "auto"}, {}},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.name);
        const Parsed parsed = parse(row.arguments);
        EXPECT_EQ(parsed.errors, "");
        ASSERT_TRUE(std::holds_alternative<HostOptions>(parsed.result));
        EXPECT_EQ(std::get<HostOptions>(parsed.result), row.expected);
    }
}

TEST(HostOptions, RejectsUsageErrorsWithStatusTwoAndOneReason) {
    struct Row {
        std::vector<std::string> arguments;
        const char* reason;
    };
    const Row rows[] = {
        {{"--family", "huge"}, "--family: huge not in {small,medium,large}"},
        {{"--scheme", "sepia"}, "--scheme: sepia not in {auto,light,dark}"},
        {{"--autostart", "yes"}, "--autostart: yes not in {on,off}"},
        {{"--headless"}, "--headless requires --output"},
        {{"--headless", "--output", ""}, "--output: an empty name names no directory"},
        {{"--scale", "9"}, "--scale: the scale must be a number from 0.5 to 8"},
        {{"--scale", "nan"}, "--scale: the scale must be a number from 0.5 to 8"},
        {{"extra"}, "The following argument was not expected: extra"},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.reason);
        const Parsed parsed = parse(row.arguments);
        EXPECT_EQ(parsed.result, (std::variant<HostOptions, int>(2)));
        EXPECT_EQ(parsed.errors, "tandry-widget-host: " + std::string(row.reason) +
                                     "\nRun with --help for usage.\n");
    }
}

} // namespace
} // namespace tandry
