#include "widget/store/JsonReader.h"

#include <fmt/format.h>

namespace tandry::json {
namespace {

// Deeper nesting than any record needs; bounds the recursion of skipValue.
constexpr int maxDepth = 512;

bool isDigit(char c) {
    return c >= '0' && c <= '9';
}

// The JSON number grammar: -?(0|[1-9][0-9]*)(\.[0-9]+)?([eE][+-]?[0-9]+)?
bool isJsonNumber(std::string_view text) {
    std::size_t i = 0;
    auto digitsFrom = [&](std::size_t start) {
        while (i < text.size() && isDigit(text[i])) {
            ++i;
        }
        return i > start;
    };
    if (i < text.size() && text[i] == '-') {
        ++i;
    }
    if (i < text.size() && text[i] == '0') {
        ++i;
    } else if (!digitsFrom(i)) {
        return false;
    }
    if (i < text.size() && text[i] == '.') {
        ++i;
        if (!digitsFrom(i)) {
            return false;
        }
    }
    if (i < text.size() && (text[i] == 'e' || text[i] == 'E')) {
        ++i;
        if (i < text.size() && (text[i] == '+' || text[i] == '-')) {
            ++i;
        }
        if (!digitsFrom(i)) {
            return false;
        }
    }
    return i == text.size();
}

std::string_view trimTrailingWhitespace(std::string_view text) {
    while (!text.empty() && (text.back() == ' ' || text.back() == '\t' || text.back() == '\n' ||
                             text.back() == '\r')) {
        text.remove_suffix(1);
    }
    return text;
}

Error typeError(std::string_view path, std::string_view expected) {
    return Error{fmt::format("\"{}\": expected {}", path, expected)};
}

} // namespace

bool atEnd(document& input, std::string_view bytes) {
    // Once the top-level value has been read, the raw text of the document runs
    // up to the next token: the end of the input unless something follows.
    std::string_view raw;
    if (input.raw_json().get(raw)) {
        return false;
    }
    return raw.data() + raw.size() == bytes.data() + bytes.size();
}

Error syntaxError(std::string_view path, simdjson::error_code code) {
    if (path.empty()) {
        return Error{fmt::format("not a JSON document: {}", simdjson::error_message(code))};
    }
    return Error{fmt::format("\"{}\": not valid JSON: {}", path, simdjson::error_message(code))};
}

Error prefixed(std::string_view prefix, Error error) {
    // Messages of the readers begin with the quoted path; splice the prefix into it.
    if (error.message.starts_with('"')) {
        error.message.insert(1, fmt::format("{}.", prefix));
    } else {
        error.message.insert(0, fmt::format("{}: ", prefix));
    }
    return error;
}

Result<void> skipValue(value input, std::string_view path, int depth) {
    if (depth > maxDepth) {
        return fail(fmt::format("\"{}\": nested deeper than {} levels", path, maxDepth));
    }
    simdjson::ondemand::json_type type;
    if (auto error = input.type().get(type)) {
        return std::unexpected(syntaxError(path, error));
    }
    switch (type) {
    case simdjson::ondemand::json_type::object: {
        object members;
        if (auto error = input.get_object().get(members)) {
            return std::unexpected(syntaxError(path, error));
        }
        for (auto member : members) {
            std::string_view key;
            if (auto error = member.unescaped_key().get(key)) {
                return std::unexpected(syntaxError(path, error));
            }
            if (auto checked = skipValue(member.value(), path, depth + 1); !checked) {
                return checked;
            }
        }
        return {};
    }
    case simdjson::ondemand::json_type::array: {
        simdjson::ondemand::array elements;
        if (auto error = input.get_array().get(elements)) {
            return std::unexpected(syntaxError(path, error));
        }
        for (auto element : elements) {
            value item;
            if (auto error = element.get(item)) {
                return std::unexpected(syntaxError(path, error));
            }
            if (auto checked = skipValue(item, path, depth + 1); !checked) {
                return checked;
            }
        }
        return {};
    }
    case simdjson::ondemand::json_type::string: {
        std::string_view text;
        if (auto error = input.get_string().get(text)) {
            return std::unexpected(syntaxError(path, error));
        }
        return {};
    }
    case simdjson::ondemand::json_type::number: {
        if (!isJsonNumber(trimTrailingWhitespace(input.raw_json_token()))) {
            return std::unexpected(syntaxError(path, simdjson::NUMBER_ERROR));
        }
        return {};
    }
    case simdjson::ondemand::json_type::boolean: {
        bool flag;
        if (auto error = input.get_bool().get(flag)) {
            return std::unexpected(syntaxError(path, error));
        }
        return {};
    }
    case simdjson::ondemand::json_type::null: {
        bool isNull = false;
        if (auto error = input.is_null().get(isNull); error || !isNull) {
            return std::unexpected(syntaxError(path, error ? error : simdjson::N_ATOM_ERROR));
        }
        return {};
    }
    }
    return std::unexpected(syntaxError(path, simdjson::TAPE_ERROR));
}

Result<std::string> readString(value input, std::string_view path) {
    std::string_view text;
    if (auto error = input.get_string().get(text)) {
        if (error == simdjson::INCORRECT_TYPE) {
            return std::unexpected(typeError(path, "a string"));
        }
        return std::unexpected(syntaxError(path, error));
    }
    return std::string(text);
}

Result<bool> readBool(value input, std::string_view path) {
    bool flag = false;
    if (auto error = input.get_bool().get(flag)) {
        if (error == simdjson::INCORRECT_TYPE) {
            return std::unexpected(typeError(path, "true or false"));
        }
        return std::unexpected(syntaxError(path, error));
    }
    return flag;
}

Result<std::int64_t> readInt64(value input, std::string_view path) {
    std::int64_t number = 0;
    if (auto error = input.get_int64().get(number)) {
        if (error == simdjson::INCORRECT_TYPE || error == simdjson::NUMBER_OUT_OF_RANGE ||
            error == simdjson::NUMBER_ERROR) {
            return std::unexpected(typeError(path, "a whole number in the signed 64-bit range"));
        }
        return std::unexpected(syntaxError(path, error));
    }
    return number;
}

Result<Instant> readDate(value input, std::string_view path) {
    std::string_view text;
    if (auto error = input.get_string().get(text)) {
        if (error == simdjson::INCORRECT_TYPE) {
            return std::unexpected(typeError(path, "date text"));
        }
        return std::unexpected(syntaxError(path, error));
    }
    auto instant = parseDateText(text);
    if (!instant) {
        return std::unexpected(Error{fmt::format("\"{}\": {}", path, instant.error().message)});
    }
    return *instant;
}

Result<Uuid> readUuid(value input, std::string_view path) {
    std::string_view text;
    if (auto error = input.get_string().get(text)) {
        if (error == simdjson::INCORRECT_TYPE) {
            return std::unexpected(typeError(path, "UUID text"));
        }
        return std::unexpected(syntaxError(path, error));
    }
    auto uuid = parseUuidText(text);
    if (!uuid) {
        return std::unexpected(Error{fmt::format("\"{}\": {}", path, uuid.error().message)});
    }
    return *uuid;
}

namespace {

// True for JSON null; fails for a misspelt literal such as "nul".
Result<bool> isNull(value& input, std::string_view path) {
    simdjson::ondemand::json_type type;
    if (auto error = input.type().get(type)) {
        return std::unexpected(syntaxError(path, error));
    }
    if (type != simdjson::ondemand::json_type::null) {
        return false;
    }
    bool null = false;
    if (auto error = input.is_null().get(null); error || !null) {
        return std::unexpected(syntaxError(path, error ? error : simdjson::N_ATOM_ERROR));
    }
    return true;
}

} // namespace

Result<std::optional<std::string>> readOptionalString(value input, std::string_view path) {
    auto null = isNull(input, path);
    if (!null) {
        return std::unexpected(null.error());
    }
    if (*null) {
        return std::nullopt;
    }
    auto text = readString(input, path);
    if (!text) {
        return std::unexpected(text.error());
    }
    return std::move(*text);
}

Result<std::optional<Instant>> readOptionalDate(value input, std::string_view path) {
    auto null = isNull(input, path);
    if (!null) {
        return std::unexpected(null.error());
    }
    if (*null) {
        return std::nullopt;
    }
    auto instant = readDate(input, path);
    if (!instant) {
        return std::unexpected(instant.error());
    }
    return *instant;
}

bool SeenKeys::markSeen(unsigned index) {
    if (seen(index)) {
        return false;
    }
    mask_ |= 1U << index;
    return true;
}

namespace {

Result<MemberKey> unescapedMemberKey(simdjson::ondemand::field& member, KeyNames names) {
    std::string_view key;
    if (auto error = member.unescaped_key().get(key)) {
        return std::unexpected(syntaxError("", error));
    }
    for (unsigned i = 0; i < names.size(); ++i) {
        if (names[i].text == key) {
            return MemberKey{names[i].text, i};
        }
    }
    return MemberKey{.text = key};
}

} // namespace

// Keys are compared as written first, which copies nothing; only a key that
// matches none (an unknown key, or one written with escapes) is unescaped, which
// also checks its escapes. This pays: store_bench's Decode/tasks/1000 takes
// 242 us this way against 286 us when every key is unescaped (750 against
// 640 MB/s, release build).
Result<MemberKey> memberKey(simdjson::ondemand::field& member, KeyNames names) {
    auto raw = member.key();
    for (unsigned i = 0; i < names.size(); ++i) {
        if (raw.unsafe_is_equal(names[i].text)) {
            return MemberKey{names[i].text, i};
        }
    }
    return unescapedMemberKey(member, names);
}

Error duplicateKey(std::string_view key) {
    return Error{fmt::format("\"{}\": appears more than once", key)};
}

Result<void> requireKeys(const SeenKeys& seen, KeyNames names) {
    for (unsigned i = 0; i < names.size(); ++i) {
        if (names[i].presence == Presence::required && !seen.seen(i)) {
            return fail(fmt::format("\"{}\": missing", names[i].text));
        }
    }
    return {};
}

} // namespace tandry::json
