#pragma once

#include "widget/system/Error.h"

#include <cstdint>
#include <memory>
#include <string>
#include <string_view>

namespace tandry {

// Writes compact JSON text as it goes, with no tree in between: keys come out
// in the order they are written, commas and quotes are the writer's business.
// Strings are escaped by the JSON library's own serializer, byte for byte as
// a dumped tree would be. The first failure (a string that is not UTF-8, a
// value the caller could not produce) is kept and every later write is
// ignored, so callers write on and check once, in finish().
class JsonWriter {
public:
    JsonWriter();
    ~JsonWriter();
    JsonWriter(const JsonWriter&) = delete;
    JsonWriter& operator=(const JsonWriter&) = delete;

    void beginObject();
    void endObject();
    void beginArray();
    void endArray();

    // The key of the next value in the current object.
    void key(std::string_view name);

    void string(std::string_view text);
    void boolean(bool value);
    void integer(std::int64_t value);

    // Records a failure of the caller's own; the text written so far is dropped.
    void fail(Error error);

    // The text, or the first failure.
    [[nodiscard]] Result<std::string> finish();

private:
    struct State;
    std::unique_ptr<State> state_;
};

} // namespace tandry
