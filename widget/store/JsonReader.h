#pragma once

// Checked reading of JSON values for the store's decoders. Internal to the store.

#include "widget/store/Error.h"
#include "widget/store/Instant.h"
#include "widget/store/PaddedBuffer.h"
#include "widget/store/Uuid.h"

#include <cstdint>
#include <optional>
#include <simdjson.h>
#include <string>
#include <string_view>

namespace tandry::json {

using simdjson::ondemand::document;
using simdjson::ondemand::object;
using simdjson::ondemand::value;

// A parser for this thread, reused between documents of ordinary size.
simdjson::ondemand::parser& parserFor(std::size_t documentSize);

// True when nothing but whitespace follows the document's top-level value,
// which the caller has read to its end.
bool atEnd(document& input, const PaddedBuffer& bytes);

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

// Tracks which keys of an object have been read: a key that appears twice is an error,
// because two readers could otherwise disagree on its value.
class SeenKeys {
public:
    // False when `index` was already seen.
    bool markSeen(unsigned index);
    bool seen(unsigned index) const { return (mask_ >> index) & 1U; }

private:
    std::uint32_t mask_ = 0;
};

} // namespace tandry::json
