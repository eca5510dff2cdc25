#include "tests/support/DecodedPng.h"

#include <gtest/gtest.h>
#include <png.h>

namespace tandry::testing {

DecodedPng decodePng(const std::vector<unsigned char>& png) {
    png_image image{};
    image.version = PNG_IMAGE_VERSION;
    if (!png_image_begin_read_from_memory(&image, png.data(), png.size())) {
        ADD_FAILURE() << "not a PNG: " << image.message;
        return {};
    }
    image.format = PNG_FORMAT_RGBA;
    DecodedPng decoded{static_cast<int>(image.width), static_cast<int>(image.height),
                       std::vector<unsigned char>(PNG_IMAGE_SIZE(image))};
    if (!png_image_finish_read(&image, nullptr, decoded.rgba.data(), 0, nullptr)) {
        ADD_FAILURE() << "cannot decode the PNG: " << image.message;
        return {};
    }
    return decoded;
}

} // namespace tandry::testing
