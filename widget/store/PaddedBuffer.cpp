#include "widget/store/PaddedBuffer.h"

#include <algorithm>
#include <cstring>
#include <simdjson.h>

namespace tandry {

static_assert(PaddedBuffer::padding >= simdjson::SIMDJSON_PADDING);

PaddedBuffer::PaddedBuffer(std::size_t size)
    : bytes_(new char[size + padding]), size_(size), capacity_(size + padding) {
    std::memset(bytes_.get() + size, 0, padding);
}

PaddedBuffer PaddedBuffer::copyOf(std::string_view bytes) {
    PaddedBuffer buffer(bytes.size());
    std::copy(bytes.begin(), bytes.end(), buffer.data());
    return buffer;
}

void PaddedBuffer::truncate(std::size_t size) {
    if (size < size_) {
        std::memset(bytes_.get() + size, 0, size_ - size);
        size_ = size;
    }
}

} // namespace tandry
