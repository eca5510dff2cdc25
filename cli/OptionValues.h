#pragma once

#include "widget/system/Instant.h"

#include <CLI/CLI.hpp>
#include <optional>

// Options whose text becomes a value as CLI11 parses it, so that each is read
// once, at the option, and a bad text is a usage error with a clear message.
// Options that name one of a few values are in platform/host/NamedValue.h,
// which the host's command line shares.
namespace tandry {

// Adds --at to `command`: an RFC 3339 instant read with the widget's own date
// reader into `at`. Text that is no instant fails the parse with the reader's
// message, "--at: invalid date text "yesterday"".
CLI::Option* addInstantOption(CLI::App& command, std::optional<Instant>& at);

} // namespace tandry
