#include "toolkit/ui/headless/headless_picture.h"

#include <utility>

#include "toolkit/os/file_system.h"
#include "toolkit/ui/headless/image_size.h"

namespace {

// Enough for the header of any of the four formats, a JPEG's metadata segments included.
constexpr size_t kHeaderBytes = 256 * 1024;

std::string readHeader(const std::string& fileName) {
    osfs::File file;
    if (!file.open(fileName, osfs::OpenMode::Read, osfs::FinalLink::Followed))
        return std::string();
    std::string bytes(kHeaderBytes, '\0');
    const long long count = file.read(bytes.data(), bytes.size());
    bytes.resize(count > 0 ? static_cast<size_t>(count) : 0);
    return bytes;
}

}  // namespace

std::shared_ptr<const Picture> loadHeadlessPicture(const std::string& fileName) {
    PixelSize size;
    if (!readImageSize(readHeader(fileName), size) || size.width <= 0 || size.height <= 0)
        return nullptr;
    return std::make_shared<HeadlessPicture>(size.width * kHimetricPerPixel,
                                             size.height * kHimetricPerPixel);
}

float HeadlessPictureBox::ScaleWidth() const {
    return static_cast<float>(Bounds().width) / kTwipsPerPixel - 2 * borderPixels();
}

float HeadlessPictureBox::ScaleHeight() const {
    return static_cast<float>(Bounds().height) / kTwipsPerPixel - 2 * borderPixels();
}

void HeadlessPictureBox::setPicture(std::shared_ptr<const Picture> picture) {
    layers_.reset(std::move(picture));
}

void HeadlessPictureBox::PaintPicture(std::shared_ptr<const Picture> picture, float x, float y,
                                      float width, float height) {
    layers_.paint({std::move(picture), x, y, width, height});
}
