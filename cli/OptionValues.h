#pragma once

#include "widget/system/Instant.h"

#include <CLI/CLI.hpp>
#include <functional>
#include <optional>
#include <string>
#include <string_view>

// Options whose text becomes a value as CLI11 parses it, so that each is read
// once, at the option, and a bad text is a usage error with a clear message.
namespace tandry {

// Adds --at to `command`: an RFC 3339 instant read with the widget's own date
// reader into `at`. Text that is no instant fails the parse with the reader's
// message, "--at: invalid date text "yesterday"".
CLI::Option* addInstantOption(CLI::App& command, std::optional<Instant>& at);

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

} // namespace tandry
