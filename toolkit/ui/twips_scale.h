#pragma once

#include "toolkit/ui/controls.h"

struct PixelRect {
    int left = 0;
    int top = 0;
    int width = 0;
    int height = 0;
    bool operator==(const PixelRect& other) const {
        return left == other.left && top == other.top && width == other.width &&
               height == other.height;
    }
};

// Twips against the pixels of a screen with `dpi` dots per inch: 1440 twips make an inch, so a
// pixel is 15 twips at 96 DPI and 10 twips at 144 DPI. Pixels are rounded to the nearest.
class TwipsScale {
public:
    explicit TwipsScale(int dpi = 96) : dpi_(dpi > 0 ? dpi : 96) {}
    int dpi() const { return dpi_; }
    int toPixels(int twips) const;
    int toTwips(int pixels) const;
    PixelRect toPixels(const TwipsRect& rect) const;
    // The rectangle a control of these pixels has in twips. While the pixels are still those
    // of `given`, the control answers `given` itself, so that a size between two pixels (1000
    // twips at 96 DPI) reads back as it was set.
    TwipsRect toTwips(const PixelRect& rect, const TwipsRect& given) const;

private:
    int dpi_;
};
