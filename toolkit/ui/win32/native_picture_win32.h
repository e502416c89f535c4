#pragma once

#include <windows.h>

#include <memory>
#include <string>

#include "toolkit/ui/controls.h"
#include "toolkit/ui/picture_layers.h"
#include "toolkit/ui/win32/native_control_win32.h"

// A decoded picture: a 32-bit DIB with premultiplied alpha, ready for AlphaBlend.
class NativePicture : public Picture {
public:
    NativePicture(HBITMAP bitmap, int width, int height)
        : bitmap_(bitmap), width_(width), height_(height) {}
    ~NativePicture() override { DeleteObject(bitmap_); }
    NativePicture(const NativePicture&) = delete;
    NativePicture& operator=(const NativePicture&) = delete;

    float Width() const override { return static_cast<float>(width_) * kHimetricPerPixel; }
    float Height() const override { return static_cast<float>(height_) * kHimetricPerPixel; }
    HBITMAP bitmap() const { return bitmap_; }
    int pixelWidth() const { return width_; }
    int pixelHeight() const { return height_; }

private:
    HBITMAP bitmap_;
    int width_;
    int height_;
};

// The picture in a BMP, JPEG, GIF or PNG file, decoded by the Windows Imaging Component; null
// when it cannot be read. COM must be initialised on the calling thread.
std::shared_ptr<const Picture> loadNativePicture(const std::string& fileName);

// The window class of picture boxes; registered once.
const wchar_t* pictureBoxClass();

// Draws its layers scaled from 96-DPI pixels to the monitor's DPI.
class NativePictureBox : public Win32Control<PictureBox> {
public:
    explicit NativePictureBox(HWND hwnd);
    bool takesFocus() const override { return false; }
    float ScaleWidth() const override;
    float ScaleHeight() const override;
    void setPicture(std::shared_ptr<const Picture> picture) override;
    void PaintPicture(std::shared_ptr<const Picture> picture, float x, float y, float width,
                      float height) override;
    void Refresh() override {
        RedrawWindow(hwnd(), nullptr, nullptr, RDW_INVALIDATE | RDW_UPDATENOW);
    }
    void setAppearance(int appearance) override;

    void paint(HDC dc) const;

private:
    PictureLayers layers_;
};
