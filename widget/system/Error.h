#pragma once

#include <expected>
#include <ostream>
#include <string>

namespace tandry {

// What went wrong, in words that name the place (file, key, offset).
struct Error {
    std::string message;

    bool operator==(const Error&) const = default;
};

inline std::ostream& operator<<(std::ostream& out, const Error& error) {
    return out << error.message;
}

template <typename T> using Result = std::expected<T, Error>;

inline std::unexpected<Error> fail(std::string message) {
    return std::unexpected(Error{std::move(message)});
}

} // namespace tandry
