// Feeds arbitrary bytes to the snapshot decoder: it must return a snapshot or
// an error, never crash, hang or misbehave; a decoded snapshot must survive a
// round trip through the encoder.

#include "widget/store/SnapshotCodec.h"

#include <cstdint>
#include <cstdlib>
#include <string_view>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    std::string_view bytes(reinterpret_cast<const char*>(data), size);
    auto snapshot = tandry::decodeSnapshot(bytes);
    if (!snapshot) {
        return 0;
    }
    auto encoded = tandry::encodeSnapshot(*snapshot);
    if (!encoded) {
        std::abort(); // everything the decoder accepts is writable
    }
    auto again = tandry::decodeSnapshot(*encoded);
    // Sub-second instants are written in whole seconds, so compare the re-encoding.
    if (!again || tandry::encodeSnapshot(*again) != encoded) {
        std::abort();
    }
    return 0;
}
