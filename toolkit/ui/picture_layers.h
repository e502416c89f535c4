#pragma once

#include <memory>
#include <utility>
#include <vector>

#include "toolkit/ui/controls.h"

// One picture drawn into a picture box, in the box's pixels.
struct PictureLayer {
    std::shared_ptr<const Picture> picture;
    float x = 0;
    float y = 0;
    float width = 0;
    float height = 0;
};

// What a picture box shows, bottom layer first: its own picture at its natural size, then
// everything painted over it. Each backend draws these layers and nothing else.
class PictureLayers {
public:
    void reset(std::shared_ptr<const Picture> picture) {
        layers_.clear();
        if (!picture)
            return;
        const float width = picture->Width() / kHimetricPerPixel;
        const float height = picture->Height() / kHimetricPerPixel;
        layers_.push_back({std::move(picture), 0, 0, width, height});
    }
    void paint(PictureLayer layer) {
        if (layer.picture)
            layers_.push_back(std::move(layer));
    }
    const std::vector<PictureLayer>& layers() const { return layers_; }

private:
    std::vector<PictureLayer> layers_;
};
