#pragma once

#include <memory>
#include <string>

#include "toolkit/ui/controls.h"

// Loads one picture file and shows it in a picture box: unscaled, at a given size, at a
// percentage of its own size or fitted to a container, fitting the box to what it painted.
// Sizes given and painted are in the box's pixels; the picture's own size is kept in
// hundredths of a millimetre, as the picture reports it.
class clsPicture {
public:
    // Loads `fname` ("File doesnt exist" when there is no such ordinary file), then takes
    // over `ctl`, blanks it and sets it up for painting.
    void init(const std::string& fname, PictureBox* ctl = nullptr);
    // Shows the picture in the box taken over by init; `ctl` plays no part.
    void displayInPicControl(PictureBox* ctl);
    void BlankOutput();
    void resizeAbsolute(float newWidth, float newHeight);
    void resizeByPercent(float percentage);
    // Scales the picture, keeping its proportions, to the largest size that fits into the
    // container's drawing area.
    void resizeToFitContainer(const PictureBox& container);

    std::shared_ptr<const Picture> pic() const { return pic_; }
    void setPic(std::shared_ptr<const Picture> picture) { pic_ = std::move(picture); }
    PictureBox* PicControl() const { return picControl_; }
    void setPicControl(PictureBox* control) { picControl_ = control; }
    const std::string& TempFile() const { return tempFile_; }
    void setTempFile(const std::string& name) { tempFile_ = name; }
    const std::string& ActualFilename() const { return actualFilename_; }
    void setActualFilename(const std::string& name) { actualFilename_ = name; }

private:
    void paintAt(float width, float height);
    void fitControlTo(float width, float height);

    std::shared_ptr<const Picture> pic_;
    PictureBox* picControl_ = nullptr;
    std::string tempFile_;
    std::string actualFilename_;
    float pictureWidth_ = 0;  // hundredths of a millimetre
    float pictureHeight_ = 0;
    float paintedWidth_ = 0;  // pixels
    float paintedHeight_ = 0;
};
