#pragma once

#include <string_view>

struct PixelSize {
    int width = 0;
    int height = 0;
};

// The pixel size recorded in the header of a BMP, PNG, GIF or JPEG file's bytes; false when
// the bytes are none of these or end before the size.
bool readImageSize(std::string_view bytes, PixelSize& size);
