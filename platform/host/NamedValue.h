#pragma once

#include <CLI/CLI.hpp>
#include <array>
#include <cstddef>
#include <functional>
#include <optional>
#include <string>
#include <string_view>
#include <utility>

// Options whose text names one of a few values, for the host's command line
// and tandry-widget's alike: CLI11 turns the name into the value as it parses,
// so each option is read once, at the option, and a name it does not know is
// a usage error that lists the ones it does.
namespace tandry {

// The names an option accepts, each beside the value it stands for.
template <typename Value, std::size_t size>
using NameTable = std::array<std::pair<std::string_view, Value>, size>;

// A transformer from a name to the enumerator that `named` finds for it.
// CLI11 then stores the enumerator in the option's variable. A name that
// `named` does not know fails with the accepted ones, `choices`, as
// "huge not in {small,medium,large}".
template <typename Enum>
CLI::Validator namedValue(std::function<std::optional<Enum>(std::string_view)> named,
                          std::string choices) {
    return CLI::Validator(
        [named, choices](std::string& text) -> std::string {
            const std::optional<Enum> value = named(text);
            if (!value) {
                return text + " not in " + choices;
            }
            text = std::to_string(static_cast<int>(*value));
            return {};
        },
        choices);
}

// The same transformer for the names of `table`, which are also the choices
// that a name it does not know is told: "sepia not in {light,dark}".
template <typename Enum, std::size_t size>
CLI::Validator namedValue(const NameTable<Enum, size>& table) {
    std::string choices = "{";
    for (const auto& [name, value] : table) {
        choices += (choices.size() > 1 ? "," : "") + std::string(name);
    }
    choices += '}';
    return namedValue<Enum>(
        [table](std::string_view text) -> std::optional<Enum> {
            for (const auto& [name, value] : table) {
                if (name == text) {
                    return value;
                }
            }
            return std::nullopt;
        },
        std::move(choices));
}

} // namespace tandry
