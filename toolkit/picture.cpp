#include "toolkit/picture.h"

#include <cmath>

#include "toolkit/os/file_system.h"
#include "toolkit/ui/ui.h"

namespace {

bool ordinaryFileExists(const std::string& fname) {
    osfs::DirectorySearch search(fname);
    osfs::FileFacts entry;
    return search.next(entry) && osfs::isOrdinaryFile(entry.attributes);
}

}  // namespace

void clsPicture::init(const std::string& fname, PictureBox* ctl) {
    if (ordinaryFileExists(fname)) {
        // A file that is no picture leaves the object without one, as a missing file does,
        // and every later paint shows nothing.
        pic_ = ui().LoadPicture(fname);
        tempFile_ = fname;
        if (pic_) {
            pictureWidth_ = std::round(pic_->Width());
            pictureHeight_ = std::round(pic_->Height());
        }
    } else {
        MsgBox("File doesnt exist");
    }
    picControl_ = ctl;
    BlankOutput();
    if (picControl_)
        picControl_->setAppearance(kAppearance3D);
}

void clsPicture::displayInPicControl(PictureBox* /*ctl*/) {
    if (!picControl_)
        return;
    picControl_->setPicture(pic_);
    picControl_->Refresh();
}

void clsPicture::BlankOutput() {
    if (picControl_)
        picControl_->setPicture(nullptr);
}

void clsPicture::resizeAbsolute(float newWidth, float newHeight) {
    paintAt(newWidth, newHeight);
}

void clsPicture::resizeByPercent(float percentage) {
    paintedWidth_ = pictureWidth_ / kHimetricPerPixel * percentage / 100;
    paintedHeight_ = pictureHeight_ / kHimetricPerPixel * percentage / 100;
    paintAt(paintedWidth_, paintedHeight_);
}

void clsPicture::resizeToFitContainer(const PictureBox& container) {
    const float width = pictureWidth_ / kHimetricPerPixel;
    const float height = pictureHeight_ / kHimetricPerPixel;
    const float areaWidth = container.ScaleWidth();
    const float areaHeight = container.ScaleHeight();
    if (width <= 0 || height <= 0 || areaWidth <= 0 || areaHeight <= 0)
        return;
    const float widthRatio = width / areaWidth;
    const float heightRatio = height / areaHeight;
    if (heightRatio <= widthRatio) {
        paintedWidth_ = areaWidth;
        paintedHeight_ = height / widthRatio;
    } else {
        paintedHeight_ = areaHeight;
        paintedWidth_ = width / heightRatio;
    }
    paintAt(paintedWidth_, paintedHeight_);
}

void clsPicture::paintAt(float width, float height) {
    if (!picControl_ || !pic_)
        return;
    picControl_->setPicture(nullptr);
    picControl_->PaintPicture(pic_, 0, 0, width, height);
    fitControlTo(width, height);
}

// The box keeps its place and border and gets a drawing area of the painted size. Its outer
// size is in twips and its drawing area in pixels, so the border is worked out in twips.
void clsPicture::fitControlTo(float width, float height) {
    TwipsRect bounds = picControl_->Bounds();
    const float borderWidth = bounds.width - picControl_->ScaleWidth() * kTwipsPerPixel;
    const float borderHeight = bounds.height - picControl_->ScaleHeight() * kTwipsPerPixel;
    bounds.width = static_cast<int>(std::lround(width * kTwipsPerPixel + borderWidth));
    bounds.height = static_cast<int>(std::lround(height * kTwipsPerPixel + borderHeight));
    picControl_->setBounds(bounds);
}
