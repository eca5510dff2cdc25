#pragma once

#include <cstddef>
#include <ostream>
#include <vector>

namespace tandry::testing {

// One straight (not premultiplied) RGBA pixel.
struct Pixel {
    int red = 0;
    int green = 0;
    int blue = 0;
    int alpha = 0;

    bool operator==(const Pixel&) const = default;
};

inline std::ostream& operator<<(std::ostream& out, const Pixel& pixel) {
    return out << "rgba(" << pixel.red << ", " << pixel.green << ", " << pixel.blue << ", "
               << pixel.alpha << ')';
}

// A PNG decoded back to straight RGBA with libpng, as any viewer would read it.
struct DecodedPng {
    int width = 0;
    int height = 0;
    std::vector<unsigned char> rgba;

    Pixel at(int x, int y) const {
        const unsigned char* p = &rgba[(static_cast<std::size_t>(y) * width + x) * 4];
        return {p[0], p[1], p[2], p[3]};
    }
};

// The decoded image; a failure to decode is a test failure and an empty image.
DecodedPng decodePng(const std::vector<unsigned char>& png);

} // namespace tandry::testing
