#include "widget/strings/CountFormat.h"

#include <fmt/format.h>

namespace tandry {
namespace {

constexpr std::string_view plainConversion = "lld";
constexpr std::string_view positionalConversion = "1$lld";

} // namespace

std::optional<std::string> formatCount(std::string_view format, std::int64_t n) {
    std::string output;
    output.reserve(format.size() + 20);
    bool converted = false;
    std::size_t position = 0;
    while (position < format.size()) {
        auto percent = format.find('%', position);
        output.append(format.substr(position, percent - position));
        if (percent == std::string_view::npos) {
            break;
        }
        auto directive = format.substr(percent + 1);
        if (directive.starts_with('%')) {
            output.push_back('%');
            position = percent + 2;
            continue;
        }
        std::size_t length = 0;
        if (directive.starts_with(plainConversion)) {
            length = plainConversion.size();
        } else if (directive.starts_with(positionalConversion)) {
            length = positionalConversion.size();
        } else {
            return std::nullopt;
        }
        if (converted) {
            return std::nullopt;
        }
        converted = true;
        output.append(fmt::format("{}", n));
        position = percent + 1 + length;
    }
    return output;
}

} // namespace tandry
