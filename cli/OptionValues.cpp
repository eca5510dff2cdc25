#include "cli/OptionValues.h"

namespace tandry {

CLI::Option* addInstantOption(CLI::App& command, std::optional<Instant>& at) {
    return command
        .add_option_function<std::string>(
            "--at",
            [&at](const std::string& text) {
                const Result<Instant> instant = parseDateText(text);
                if (!instant) {
                    throw CLI::ValidationError("--at", instant.error().message);
                }
                at = *instant;
            },
            "Request instant, RFC 3339 (default: now)")
        ->type_name("INSTANT");
}

} // namespace tandry
