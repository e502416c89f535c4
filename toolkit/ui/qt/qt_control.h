#pragma once

#include <QRect>
#include <QWidget>

#include "toolkit/ui/redraw_pacer.h"
#include "toolkit/ui/twips_scale.h"

// The part every Qt control shares: visibility, enabling and a position in twips. Qt positions
// widgets in device-independent pixels, which it scales by the screen's device pixel ratio
// itself, so twips meet them at 96 DPI. The widget belongs to its window's widget tree. Every
// change of what a control shows is marked for the next yield (redraw_pacer.h).
template <typename Interface, typename WidgetType>
class QtControl : public Interface {
public:
    explicit QtControl(WidgetType& widget) : widget_(widget) {}

    bool Visible() const override { return !widget_.isHidden(); }
    void setVisible(bool visible) override {
        widget_.setVisible(visible);
        RedrawPacer::markWindowChanged();
    }
    bool Enabled() const override { return widget_.isEnabled(); }
    void setEnabled(bool enabled) override {
        widget_.setEnabled(enabled);
        RedrawPacer::markWindowChanged();
    }
    TwipsRect Bounds() const override {
        const QRect geometry = widget_.geometry();
        return TwipsScale().toTwips(
            {geometry.x(), geometry.y(), geometry.width(), geometry.height()}, given_);
    }
    void setBounds(const TwipsRect& bounds) override {
        given_ = bounds;
        const PixelRect pixels = TwipsScale().toPixels(bounds);
        widget_.setGeometry(pixels.left, pixels.top, pixels.width, pixels.height);
        RedrawPacer::markWindowChanged();
    }

    WidgetType& widget() const { return widget_; }

private:
    WidgetType& widget_;
    TwipsRect given_;
};
