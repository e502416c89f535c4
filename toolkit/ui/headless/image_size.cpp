#include "toolkit/ui/headless/image_size.h"

#include <cstdint>
#include <cstdlib>

#include "toolkit/text_affixes.h"

namespace {

std::uint32_t byteAt(std::string_view bytes, size_t at) {
    return static_cast<unsigned char>(bytes[at]);
}

std::uint32_t bigEndian16(std::string_view bytes, size_t at) {
    return byteAt(bytes, at) << 8 | byteAt(bytes, at + 1);
}

std::uint32_t bigEndian32(std::string_view bytes, size_t at) {
    return bigEndian16(bytes, at) << 16 | bigEndian16(bytes, at + 2);
}

std::uint32_t littleEndian16(std::string_view bytes, size_t at) {
    return byteAt(bytes, at + 1) << 8 | byteAt(bytes, at);
}

std::uint32_t littleEndian32(std::string_view bytes, size_t at) {
    return littleEndian16(bytes, at + 2) << 16 | littleEndian16(bytes, at);
}

bool readPng(std::string_view bytes, PixelSize& size) {
    if (bytes.size() < 24)
        return false;
    size = {static_cast<int>(bigEndian32(bytes, 16)), static_cast<int>(bigEndian32(bytes, 20))};
    return true;
}

bool readGif(std::string_view bytes, PixelSize& size) {
    if (bytes.size() < 10)
        return false;
    size = {static_cast<int>(littleEndian16(bytes, 6)), static_cast<int>(littleEndian16(bytes, 8))};
    return true;
}

// Old OS/2 bitmaps have a 12-byte header with 16-bit sizes; every later header 32-bit sizes,
// the height negative for a top-down bitmap.
bool readBmp(std::string_view bytes, PixelSize& size) {
    if (bytes.size() < 26)
        return false;
    if (littleEndian32(bytes, 14) == 12) {
        size = {static_cast<int>(littleEndian16(bytes, 18)),
                static_cast<int>(littleEndian16(bytes, 20))};
        return true;
    }
    const auto height = static_cast<std::int32_t>(littleEndian32(bytes, 22));
    size = {static_cast<int>(littleEndian32(bytes, 18)), std::abs(height)};
    return true;
}

// A JPEG is a chain of segments, each a marker and a big-endian length; the frame header
// (SOF0 to SOF15 except DHT, JPG and DAC) holds the height and then the width.
bool readJpeg(std::string_view bytes, PixelSize& size) {
    size_t at = 2;
    while (at + 9 <= bytes.size()) {
        if (byteAt(bytes, at) != 0xFF)
            return false;
        const std::uint32_t marker = byteAt(bytes, at + 1);
        if (marker == 0xFF) {
            ++at;  // fill byte
            continue;
        }
        const bool isFrame =
            marker >= 0xC0 && marker <= 0xCF && marker != 0xC4 && marker != 0xC8 && marker != 0xCC;
        if (isFrame) {
            size = {static_cast<int>(bigEndian16(bytes, at + 7)),
                    static_cast<int>(bigEndian16(bytes, at + 5))};
            return true;
        }
        at += 2 + bigEndian16(bytes, at + 2);
    }
    return false;
}

}  // namespace

bool readImageSize(std::string_view bytes, PixelSize& size) {
    if (startsWith(bytes, "\x89PNG\r\n\x1a\n"))
        return readPng(bytes, size);
    if (startsWith(bytes, "GIF87a") || startsWith(bytes, "GIF89a"))
        return readGif(bytes, size);
    if (startsWith(bytes, "BM"))
        return readBmp(bytes, size);
    if (startsWith(bytes, "\xFF\xD8"))
        return readJpeg(bytes, size);
    return false;
}
