#pragma once

#include <cstddef>
#include <memory>
#include <string_view>

namespace tandry {

// Bytes of a JSON document followed by the slack that the parser reads past
// the end, so a file can be read straight into place and parsed without a copy.
class PaddedBuffer {
public:
    static constexpr std::size_t padding = 64;

    PaddedBuffer() = default;
    // Room for `size` bytes; their content is left to the caller to fill.
    explicit PaddedBuffer(std::size_t size);
    static PaddedBuffer copyOf(std::string_view bytes);

    char* data() { return bytes_.get(); }
    const char* data() const { return bytes_.get(); }
    std::size_t size() const { return size_; }
    // Bytes allocated, the padding included.
    std::size_t capacity() const { return size_ == 0 && !bytes_ ? 0 : capacity_; }
    std::string_view view() const { return {bytes_.get(), size_}; }

    // Keeps only the first `size` bytes (a file that was shorter than announced).
    void truncate(std::size_t size);

private:
    std::unique_ptr<char[]> bytes_;
    std::size_t size_ = 0;
    std::size_t capacity_ = 0;
};

} // namespace tandry
