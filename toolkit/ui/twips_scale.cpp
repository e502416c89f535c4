#include "toolkit/ui/twips_scale.h"

#include <cmath>

namespace {

constexpr int kTwipsPerInch = 1440;

int scaleRounded(int value, int multiplier, int divisor) {
    return static_cast<int>(std::lround(static_cast<double>(value) * multiplier / divisor));
}

}  // namespace

int TwipsScale::toPixels(int twips) const {
    return scaleRounded(twips, dpi_, kTwipsPerInch);
}

int TwipsScale::toTwips(int pixels) const {
    return scaleRounded(pixels, kTwipsPerInch, dpi_);
}

PixelRect TwipsScale::toPixels(const TwipsRect& rect) const {
    return {toPixels(rect.left), toPixels(rect.top), toPixels(rect.width), toPixels(rect.height)};
}

TwipsRect TwipsScale::toTwips(const PixelRect& rect, const TwipsRect& given) const {
    if (rect == toPixels(given))
        return given;
    return {toTwips(rect.left), toTwips(rect.top), toTwips(rect.width), toTwips(rect.height)};
}
