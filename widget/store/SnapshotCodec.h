#pragma once

#include "widget/system/Error.h"
#include "widget/store/JsonWriter.h"
#include "widget/store/ReadySnapshot.h"

#include <simdjson.h>
#include <string>
#include <string_view>

namespace tandry {

// Decodes one "ready-snapshot.json" document: a JSON object with the keys
// "validUntil", "total", "tasks", "paletteRaw" and optionally "emptyReason";
// items with "id", "title", "flowName", "isOverdue", "isToday", "priorityRaw"
// and optionally "dueDate". Other keys are ignored whatever JSON they hold, but
// the whole document must be JSON. A known key that appears twice in one
// object fails the document. Either a complete snapshot or an error.
// A std::string or std::string_view converts to the padded copy that the parser
// needs; files are read straight into one.
Result<ReadySnapshot> decodeSnapshot(const simdjson::padded_string& json);

// Writes the snapshot as a JSON object with the keys in their documented
// order; an absent due date or empty reason is left out. An instant that no
// date text can hold fails the writer with the key it was under.
void writeSnapshot(JsonWriter& writer, const ReadySnapshot& snapshot);

// The snapshot as compact JSON text.
Result<std::string> encodeSnapshot(const ReadySnapshot& snapshot);

} // namespace tandry
