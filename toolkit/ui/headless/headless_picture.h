#pragma once

#include <memory>
#include <string>

#include "toolkit/ui/controls.h"
#include "toolkit/ui/headless/headless_controls.h"
#include "toolkit/ui/picture_layers.h"

// A picture known only by its size, read from the file's header.
class HeadlessPicture : public Picture {
public:
    HeadlessPicture(float widthHimetric, float heightHimetric)
        : width_(widthHimetric), height_(heightHimetric) {}
    float Width() const override { return width_; }
    float Height() const override { return height_; }

private:
    float width_;
    float height_;
};

// The picture in the file, or null when it is no BMP, PNG, GIF or JPEG that can be read.
std::shared_ptr<const Picture> loadHeadlessPicture(const std::string& fileName);

// A picture box that records what it shows. A three-dimensional border takes two pixels on
// every side, as the sunken edge of a real one does.
class HeadlessPictureBox : public HeadlessControl<PictureBox> {
public:
    static constexpr int kBorder3D = 2;

    float ScaleWidth() const override;
    float ScaleHeight() const override;
    void setPicture(std::shared_ptr<const Picture> picture) override;
    void PaintPicture(std::shared_ptr<const Picture> picture, float x, float y, float width,
                      float height) override;
    void Refresh() override { ++refreshCount; }
    void setAppearance(int appearance) override { appearance_ = appearance; }
    int Appearance() const { return appearance_; }

    const PictureLayers& layers() const { return layers_; }
    int refreshCount = 0;

private:
    int borderPixels() const { return appearance_ == kAppearance3D ? kBorder3D : 0; }

    int appearance_ = kAppearanceFlat;
    PictureLayers layers_;
};
