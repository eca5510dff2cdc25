#pragma once

// Checked reading of JSON values for the store's decoders. Internal to the store.

#include "widget/system/Error.h"
#include "widget/system/Instant.h"
#include "widget/store/Uuid.h"

#include <cstdint>
#include <optional>
#include <simdjson.h>
#include <span>
#include <string>
#include <string_view>

namespace tandry::json {

using simdjson::ondemand::document;
using simdjson::ondemand::object;
using simdjson::ondemand::value;

// True when nothing but whitespace follows the document's top-level value,
// which the caller has read to its end.
bool atEnd(document& input, std::string_view bytes);

// Paths name where a value sits ("tasks[3].id"); readers are given the last
// step only, and callers prefix the rest when a read fails, so the common path
// builds no strings.
Error syntaxError(std::string_view path, simdjson::error_code code);
Error prefixed(std::string_view prefix, Error error);

// Checks every byte of a value that the decoder does not use, so a document is
// accepted only when it is JSON throughout, whatever its ignored keys hold.
// Numbers are checked against the JSON grammar but not converted, so an
// integer of any length or 1e400 under an ignored key is fine.
Result<void> skipValue(value input, std::string_view path, int depth);

// Readers of one typed value at `path`; each fails with a message that names it.
Result<std::string> readString(value input, std::string_view path);
Result<bool> readBool(value input, std::string_view path);
Result<std::int64_t> readInt64(value input, std::string_view path);
Result<Instant> readDate(value input, std::string_view path);
Result<Uuid> readUuid(value input, std::string_view path);
// Absent for JSON null.
Result<std::optional<std::string>> readOptionalString(value input, std::string_view path);
Result<std::optional<Instant>> readOptionalDate(value input, std::string_view path);

// Stores a successful read in `target`; passes a failure on.
template <typename T, typename U> Result<void> assign(T& target, Result<U> read) {
    if (!read) {
        return std::unexpected(std::move(read.error()));
    }
    target = std::move(*read);
    return {};
}

// Which of an object's known keys have been read, by their index among the
// object's key names.
class SeenKeys {
public:
    // False when `index` was already seen.
    bool markSeen(unsigned index);
    bool seen(unsigned index) const { return (mask_ >> index) & 1U; }

private:
    std::uint32_t mask_ = 0;
};

// One key of an object that a decoder reads, and whether the object must have it.
enum class Presence { required, optional };
struct KeyName {
    std::string_view text;
    Presence presence = Presence::required;
};
using KeyNames = std::span<const KeyName>;

// The unescaped key of a member (which checks its escapes) and its index among
// `names`, if it is one of them.
struct MemberKey {
    std::string_view text;
    std::optional<unsigned> index;
};
Result<MemberKey> memberKey(simdjson::ondemand::field& member, KeyNames names);

Error duplicateKey(std::string_view key);

// Walks the members of an object once, in document order. A member under one of
// `names` goes to `readKnown(index, value, key)`, which returns Result<void>; a
// known key that appears a second time fails the object, because two readers
// could otherwise disagree on its value. A member under any other key is
// skipped, its value still checked to be JSON. The keys seen come back for
// requireKeys.
template <typename ReadKnown>
Result<SeenKeys> walkObject(object members, KeyNames names, ReadKnown&& readKnown) {
    SeenKeys seen;
    for (auto element : members) {
        simdjson::ondemand::field member;
        if (auto error = std::move(element).get(member)) {
            return std::unexpected(syntaxError("", error));
        }
        auto key = memberKey(member, names);
        if (!key) {
            return std::unexpected(std::move(key.error()));
        }
        value field = member.value();
        if (!key->index) {
            if (auto skipped = skipValue(field, key->text, 1); !skipped) {
                return std::unexpected(std::move(skipped.error()));
            }
            continue;
        }
        if (!seen.markSeen(*key->index)) {
            return std::unexpected(duplicateKey(key->text));
        }
        if (Result<void> read = readKnown(*key->index, field, key->text); !read) {
            return std::unexpected(std::move(read.error()));
        }
    }
    return seen;
}

// Fails, naming the first of them, when a required key was not seen.
Result<void> requireKeys(const SeenKeys& seen, KeyNames names);

} // namespace tandry::json
