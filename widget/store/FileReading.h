#pragma once

#include "widget/system/Error.h"

#include <cstddef>
#include <simdjson.h>
#include <string>

namespace tandry {

// Reads the whole of `name` (relative to the open directory `directory`, or
// absolute) when it is, or a symbolic link leads to, a regular file of at most
// `maxBytes` bytes. FIFOs, sockets, devices and directories fail at once
// without being read or waited for, and an oversized file fails without its
// bytes being read.
Result<simdjson::padded_string> readRegularFile(int directory, const char* name,
                                                std::size_t maxBytes);

// The same for a directory entry whose type the listing already told: an entry
// known to be a regular file skips the check before opening it.
enum class EntryType { regularFile, unknown };
Result<simdjson::padded_string> readRegularFile(int directory, const char* name,
                                                std::size_t maxBytes, EntryType type);

} // namespace tandry
