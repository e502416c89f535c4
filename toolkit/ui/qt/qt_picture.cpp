#include "toolkit/ui/qt/qt_picture.h"

#include <QPainter>
#include <utility>

#include "toolkit/ui/redraw_pacer.h"

std::shared_ptr<const Picture> loadQtPicture(const std::string& fileName) {
    QPixmap pixmap;
    if (!pixmap.load(QString::fromStdString(fileName)))
        return nullptr;
    return std::make_shared<QtPicture>(std::move(pixmap));
}

void PictureFrame::paintEvent(QPaintEvent* event) {
    QFrame::paintEvent(event);
    QPainter painter(this);
    painter.setRenderHint(QPainter::SmoothPixmapTransform);
    painter.setClipRect(contentsRect());
    painter.translate(contentsRect().topLeft());
    for (const PictureLayer& layer : layers.layers()) {
        if (const auto* picture = dynamic_cast<const QtPicture*>(layer.picture.get()))
            painter.drawPixmap(QRectF(layer.x, layer.y, layer.width, layer.height),
                               picture->pixmap(), QRectF(picture->pixmap().rect()));
    }
}

void QtPictureBox::setPicture(std::shared_ptr<const Picture> picture) {
    widget().layers.reset(std::move(picture));
    widget().update();
    RedrawPacer::markWindowChanged();
}

void QtPictureBox::PaintPicture(std::shared_ptr<const Picture> picture, float x, float y,
                                float width, float height) {
    widget().layers.paint({std::move(picture), x, y, width, height});
    widget().update();
    RedrawPacer::markWindowChanged();
}

void QtPictureBox::setAppearance(int appearance) {
    if (appearance == kAppearance3D)
        widget().setFrameStyle(QFrame::Panel | QFrame::Sunken);
    else
        widget().setFrameStyle(QFrame::NoFrame);
    widget().setLineWidth(2);
    RedrawPacer::markWindowChanged();
}
