#pragma once

#include <QFrame>
#include <QPixmap>
#include <memory>
#include <string>

#include "toolkit/ui/controls.h"
#include "toolkit/ui/picture_layers.h"
#include "toolkit/ui/qt/qt_control.h"

class QtPicture : public Picture {
public:
    explicit QtPicture(QPixmap pixmap) : pixmap_(std::move(pixmap)) {}
    float Width() const override { return pixmap_.width() * kHimetricPerPixel; }
    float Height() const override { return pixmap_.height() * kHimetricPerPixel; }
    const QPixmap& pixmap() const { return pixmap_; }

private:
    QPixmap pixmap_;
};

// The picture in the file, or null when Qt cannot read it.
std::shared_ptr<const Picture> loadQtPicture(const std::string& fileName);

// A frame that draws picture layers inside its border.
class PictureFrame : public QFrame {
public:
    using QFrame::QFrame;
    PictureLayers layers;

protected:
    void paintEvent(QPaintEvent* event) override;
};

class QtPictureBox : public QtControl<PictureBox, PictureFrame> {
public:
    using QtControl::QtControl;
    float ScaleWidth() const override { return widget().contentsRect().width(); }
    float ScaleHeight() const override { return widget().contentsRect().height(); }
    void setPicture(std::shared_ptr<const Picture> picture) override;
    void PaintPicture(std::shared_ptr<const Picture> picture, float x, float y, float width,
                      float height) override;
    void Refresh() override { widget().repaint(); }
    void setAppearance(int appearance) override;
};
