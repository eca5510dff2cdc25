#pragma once

#include "widget/store/Error.h"
#include "widget/store/PaddedBuffer.h"
#include "widget/store/PendingCompletion.h"

#include <string>
#include <string_view>

namespace tandry {

// Decodes one queue record: a JSON object with "id", "taskID" and
// "requestedAt"; other keys are ignored, a known key twice fails the record.
Result<PendingCompletion> decodePendingCompletion(const PaddedBuffer& json);
Result<PendingCompletion> decodePendingCompletion(std::string_view json);

// The record as compact JSON with exactly its three keys.
Result<std::string> encodePendingCompletion(const PendingCompletion& completion);

} // namespace tandry
