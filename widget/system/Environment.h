#pragma once

#include <filesystem>
#include <initializer_list>
#include <map>
#include <optional>
#include <ostream>
#include <string>
#include <string_view>

namespace tandry {

// The environment variables a program started with, as a value: each program
// reads its own once, in main, and hands down what each part needs, so that
// nothing deeper reads the process environment and tests pass the variables
// they mean.
class Environment {
public:
    Environment() = default;
    explicit Environment(std::map<std::string, std::string, std::less<>> variables)
        : variables_(std::move(variables)) {}
    // Environment{{"HOME", "/home/ann"}, {"LANG", "de_DE.UTF-8"}}
    Environment(std::initializer_list<std::pair<const std::string, std::string>> variables)
        : variables_(variables) {}

    // The variables of this process now.
    static Environment ofProcess();

    // The value of `name`; set to the empty string counts as set.
    std::optional<std::string_view> value(std::string_view name) const;

    // The value of `name` when it is set and not empty.
    std::optional<std::string_view> nonEmpty(std::string_view name) const;

    // The value of `name` when it is an absolute path. A relative path is
    // ignored, as the XDG base directory rules ask of their variables.
    std::optional<std::filesystem::path> absolutePath(std::string_view name) const;

    // The same environment with `name` set to `value`.
    Environment with(std::string_view name, std::string_view value) const;

    const std::map<std::string, std::string, std::less<>>& variables() const { return variables_; }

    bool operator==(const Environment&) const = default;

private:
    std::map<std::string, std::string, std::less<>> variables_;
};

std::ostream& operator<<(std::ostream& out, const Environment& environment);

} // namespace tandry
