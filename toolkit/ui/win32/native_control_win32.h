#pragma once

#include <windows.h>

#include "toolkit/ui/controls.h"
#include "toolkit/ui/redraw_pacer.h"
#include "toolkit/ui/twips_scale.h"
#include "toolkit/ui/win32/dpi_win32.h"

// The message a control posts to its window to run something after the current message.
constexpr UINT kControlPostedMessage = WM_APP + 1;

// What a window asks of each of its native controls, whatever their kind: placing them again
// for a new DPI, and the notifications Windows sends to the parent on the control's behalf.
class NativeControl {
public:
    explicit NativeControl(HWND hwnd) : hwnd_(hwnd) {}
    virtual ~NativeControl() = default;
    NativeControl(const NativeControl&) = delete;
    NativeControl& operator=(const NativeControl&) = delete;

    HWND hwnd() const { return hwnd_; }
    virtual void place(int dpi) = 0;
    // The user can move the keyboard focus to it with Tab.
    virtual bool takesFocus() const { return true; }
    virtual void onCommand(WORD /*code*/) {}
    virtual void onNotify(const NMHDR& /*header*/) {}
    // A message the control posted to its window so that it runs after the current one.
    virtual void onPosted(WPARAM /*value*/) {}
    // The brush behind a static control's text, or null for the window's own.
    virtual HBRUSH backgroundBrush(HDC /*dc*/) { return nullptr; }

protected:
    void postToWindow(WPARAM value) {
        PostMessageW(GetParent(hwnd_), kControlPostedMessage, value,
                     reinterpret_cast<LPARAM>(this));
    }

private:
    HWND hwnd_;
};

// Visibility, enabling and a twips position, scaled to the DPI of the control's monitor. Every
// change of what a control shows is marked for the next yield (redraw_pacer.h).
template <typename Interface>
class Win32Control : public Interface, public NativeControl {
public:
    using NativeControl::NativeControl;

    bool Visible() const override {
        return (GetWindowLongPtrW(hwnd(), GWL_STYLE) & WS_VISIBLE) != 0;
    }
    void setVisible(bool visible) override {
        ShowWindow(hwnd(), visible ? SW_SHOWNA : SW_HIDE);
        RedrawPacer::markWindowChanged();
    }
    bool Enabled() const override { return IsWindowEnabled(hwnd()) != FALSE; }
    void setEnabled(bool enabled) override {
        EnableWindow(hwnd(), enabled);
        RedrawPacer::markWindowChanged();
    }
    TwipsRect Bounds() const override {
        RECT rect;
        GetWindowRect(hwnd(), &rect);
        MapWindowPoints(HWND_DESKTOP, GetParent(hwnd()), reinterpret_cast<POINT*>(&rect), 2);
        const PixelRect pixels{rect.left, rect.top, rect.right - rect.left, rect.bottom - rect.top};
        return TwipsScale(dpiOf(hwnd())).toTwips(pixels, given_);
    }
    void setBounds(const TwipsRect& bounds) override {
        given_ = bounds;
        place(dpiOf(hwnd()));
        RedrawPacer::markWindowChanged();
    }
    void place(int dpi) override {
        const PixelRect pixels = TwipsScale(dpi).toPixels(given_);
        SetWindowPos(hwnd(), nullptr, pixels.left, pixels.top, pixels.width, pixels.height,
                     SWP_NOZORDER | SWP_NOACTIVATE);
    }

private:
    TwipsRect given_;
};
