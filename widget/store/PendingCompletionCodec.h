#pragma once

#include "widget/system/Error.h"
#include "widget/store/PendingCompletion.h"

#include <simdjson.h>
#include <string>
#include <string_view>

namespace tandry {

// Decodes one queue record: a JSON object with "id", "taskID" and
// "requestedAt"; other keys are ignored, a known key twice fails the record.
// A std::string or std::string_view converts to the padded copy that the parser
// needs; files are read straight into one.
Result<PendingCompletion> decodePendingCompletion(const simdjson::padded_string& json);

// The record as compact JSON with exactly its three keys.
Result<std::string> encodePendingCompletion(const PendingCompletion& completion);

} // namespace tandry
