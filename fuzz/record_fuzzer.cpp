// Feeds arbitrary bytes to the queue record decoder: a record or an error,
// never a crash; a decoded record must survive a round trip.

#include "widget/store/PendingCompletionCodec.h"

#include <cstdint>
#include <cstdlib>
#include <string_view>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    std::string_view bytes(reinterpret_cast<const char*>(data), size);
    auto record = tandry::decodePendingCompletion(bytes);
    if (!record) {
        return 0;
    }
    auto encoded = tandry::encodePendingCompletion(*record);
    if (!encoded) {
        std::abort();
    }
    auto again = tandry::decodePendingCompletion(*encoded);
    if (!again || tandry::encodePendingCompletion(*again) != encoded) {
        std::abort();
    }
    return 0;
}
