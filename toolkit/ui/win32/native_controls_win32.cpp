#include "toolkit/ui/win32/native_controls_win32.h"

#include <commctrl.h>
#include <richedit.h>
#include <windowsx.h>

#include "toolkit/os/wide_text_win32.h"
#include "toolkit/ui/redraw_pacer.h"

std::string windowText(HWND hwnd) {
    std::wstring text(static_cast<size_t>(GetWindowTextLengthW(hwnd)) + 1, L'\0');
    text.resize(
        static_cast<size_t>(GetWindowTextW(hwnd, text.data(), static_cast<int>(text.size()))));
    return narrow(text);
}

void setWindowText(HWND hwnd, const std::string& text) {
    SetWindowTextW(hwnd, widen(text).c_str());
    RedrawPacer::markWindowChanged();
}

namespace {

// Shift, Ctrl and Alt as the mouse-down event reports them.
int shiftState(WPARAM keys) {
    return (keys & MK_SHIFT ? 1 : 0) | (keys & MK_CONTROL ? 2 : 0) |
           (GetKeyState(VK_MENU) < 0 ? 4 : 0);
}

// A second press in quick succession comes as a double click; it is a press all the same.
int mouseButtonOf(UINT message) {
    switch (message) {
        case WM_LBUTTONDOWN:
        case WM_LBUTTONDBLCLK:
            return kLeftButton;
        case WM_RBUTTONDOWN:
        case WM_RBUTTONDBLCLK:
            return kRightButton;
        case WM_MBUTTONDOWN:
        case WM_MBUTTONDBLCLK:
            return kMiddleButton;
        default:
            return 0;
    }
}

}  // namespace

NativeButton::NativeButton(HWND hwnd) : Win32Control(hwnd) {
    SetWindowSubclass(hwnd, subclassProc, 0, reinterpret_cast<DWORD_PTR>(this));
}

NativeButton::~NativeButton() {
    RemoveWindowSubclass(hwnd(), subclassProc, 0);
}

void NativeButton::onCommand(WORD code) {
    if (code == BN_CLICKED)
        raiseClick();
}

LRESULT CALLBACK NativeButton::subclassProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam,
                                            UINT_PTR /*id*/, DWORD_PTR self) {
    if (const int button = mouseButtonOf(message)) {
        auto& control = *reinterpret_cast<NativeButton*>(self);
        const float twipsPerPixel = 1440.0f / static_cast<float>(dpiOf(hwnd));
        control.raiseMouseDown(button, shiftState(wParam),
                               static_cast<float>(GET_X_LPARAM(lParam)) * twipsPerPixel,
                               static_cast<float>(GET_Y_LPARAM(lParam)) * twipsPerPixel);
    }
    return DefSubclassProc(hwnd, message, wParam, lParam);
}

NativeLabel::~NativeLabel() {
    if (brush_)
        DeleteObject(brush_);
}

void NativeLabel::setBackColor(Rgb color) {
    if (brush_)
        DeleteObject(brush_);
    color_ = RGB(color.red, color.green, color.blue);
    brush_ = CreateSolidBrush(color_);
    InvalidateRect(hwnd(), nullptr, TRUE);
    RedrawPacer::markWindowChanged();
}

HBRUSH NativeLabel::backgroundBrush(HDC dc) {
    if (brush_)
        SetBkColor(dc, color_);
    return brush_;
}

void NativeListBox::AddItem(const std::string& text) {
    SendMessageW(hwnd(), LB_ADDSTRING, 0, reinterpret_cast<LPARAM>(widen(text).c_str()));
}

int NativeListBox::ListCount() const {
    return static_cast<int>(SendMessageW(hwnd(), LB_GETCOUNT, 0, 0));
}

std::string NativeListBox::List(int index) const {
    const LRESULT length = SendMessageW(hwnd(), LB_GETTEXTLEN, static_cast<WPARAM>(index), 0);
    if (length == LB_ERR)
        return std::string();
    std::wstring text(static_cast<size_t>(length) + 1, L'\0');
    SendMessageW(hwnd(), LB_GETTEXT, static_cast<WPARAM>(index),
                 reinterpret_cast<LPARAM>(text.data()));
    text.resize(static_cast<size_t>(length));
    return narrow(text);
}

// Rich edit keeps a lone CR between paragraphs; asked with GT_USECRLF it gives CR LF back.
std::string NativeRichTextBox::Text() const {
    GETTEXTLENGTHEX lengthQuery{GTL_USECRLF | GTL_PRECISE | GTL_NUMCHARS, 1200};
    const LRESULT length =
        SendMessageW(hwnd(), EM_GETTEXTLENGTHEX, reinterpret_cast<WPARAM>(&lengthQuery), 0);
    if (length <= 0)
        return std::string();
    std::wstring text(static_cast<size_t>(length) + 1, L'\0');
    GETTEXTEX query{};
    query.cb = static_cast<DWORD>(text.size() * sizeof(wchar_t));
    query.flags = GT_USECRLF;
    query.codepage = 1200;
    const LRESULT copied = SendMessageW(hwnd(), EM_GETTEXTEX, reinterpret_cast<WPARAM>(&query),
                                        reinterpret_cast<LPARAM>(text.data()));
    text.resize(static_cast<size_t>(copied > 0 ? copied : 0));
    return narrow(text);
}

void NativeRichTextBox::setText(const std::string& text) {
    SETTEXTEX how{ST_DEFAULT, 1200};
    SendMessageW(hwnd(), EM_SETTEXTEX, reinterpret_cast<WPARAM>(&how),
                 reinterpret_cast<LPARAM>(widen(text).c_str()));
    RedrawPacer::markWindowChanged();
}
