#include "toolkit/ui/win32/native_window_win32.h"

#include <commctrl.h>
#include <richedit.h>

#include <algorithm>
#include <utility>

#include "toolkit/os/wide_text_win32.h"
#include "toolkit/ui/redraw_pacer.h"
#include "toolkit/ui/win32/drawing_hold_win32.h"
#include "toolkit/ui/win32/native_controls_win32.h"
#include "toolkit/ui/win32/native_list_view_win32.h"
#include "toolkit/ui/win32/native_picture_win32.h"

namespace {

constexpr DWORD kWindowStyle = WS_OVERLAPPEDWINDOW | WS_CLIPCHILDREN;
constexpr int kFontPoints = 8;  // the size the layouts were made for

// The program's window that is active now, if any: a new window belongs to it.
HWND activeProgramWindow() {
    HWND active = GetActiveWindow();
    return NativeWindow::fromHandle(active) ? active : nullptr;
}

void centreOver(HWND window, HWND owner) {
    RECT outer;
    RECT ownerRect;
    GetWindowRect(window, &outer);
    GetWindowRect(owner, &ownerRect);
    const int width = outer.right - outer.left;
    const int height = outer.bottom - outer.top;
    const int left = (ownerRect.left + ownerRect.right - width) / 2;
    const int top = (ownerRect.top + ownerRect.bottom - height) / 2;
    SetWindowPos(window, nullptr, left, top, 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
}

// The program's own icon (the executable's icon resource 1, which Explorer shows too) at the
// size the system metrics ask for; Windows' generic icon for a program that has none.
HICON programIcon(int widthMetric, int heightMetric) {
    HANDLE icon =
        LoadImageW(GetModuleHandleW(nullptr), MAKEINTRESOURCEW(1), IMAGE_ICON,
                   GetSystemMetrics(widthMetric), GetSystemMetrics(heightMetric), LR_DEFAULTCOLOR);
    return icon != nullptr ? static_cast<HICON>(icon) : LoadIconW(nullptr, IDI_APPLICATION);
}

}  // namespace

const wchar_t* NativeWindow::windowClass() {
    static const wchar_t* const name = [] {
        WNDCLASSEXW windowClass{};
        windowClass.cbSize = sizeof windowClass;
        windowClass.lpfnWndProc = windowProc;
        windowClass.hInstance = GetModuleHandleW(nullptr);
        windowClass.hCursor = LoadCursorW(nullptr, IDC_ARROW);
        windowClass.hIcon = programIcon(SM_CXICON, SM_CYICON);
        windowClass.hIconSm = programIcon(SM_CXSMICON, SM_CYSMICON);
        windowClass.lpszClassName = L"ConfigReportWindow";
        RegisterClassExW(&windowClass);
        return windowClass.lpszClassName;
    }();
    return name;
}

NativeWindow::NativeWindow(const Ui& ui) : ui_(ui) {
    background_ = CreateSolidBrush(backColor_);
    hwnd_ = CreateWindowExW(0, windowClass(), L"", kWindowStyle, CW_USEDEFAULT, CW_USEDEFAULT,
                            CW_USEDEFAULT, CW_USEDEFAULT, activeProgramWindow(), nullptr,
                            GetModuleHandleW(nullptr), this);
    dpi_ = dpiOf(hwnd_);
    font_ = createUiFont(dpi_, kFontPoints);
}

NativeWindow::~NativeWindow() {
    controls_.clear();
    DestroyWindow(hwnd_);
    DeleteObject(font_);
    DeleteObject(background_);
}

NativeWindow* NativeWindow::fromHandle(HWND hwnd) {
    if (!hwnd || GetWindowLongPtrW(hwnd, GWLP_WNDPROC) != reinterpret_cast<LONG_PTR>(windowProc))
        return nullptr;
    return reinterpret_cast<NativeWindow*>(GetWindowLongPtrW(hwnd, GWLP_USERDATA));
}

std::string NativeWindow::Caption() const {
    return windowText(hwnd_);
}

void NativeWindow::setCaption(const std::string& caption) {
    setWindowText(hwnd_, caption);
}

int NativeWindow::ScaleWidth() const {
    return clientTwips().width;
}

int NativeWindow::ScaleHeight() const {
    return clientTwips().height;
}

TwipsRect NativeWindow::clientTwips() const {
    RECT client;
    GetClientRect(hwnd_, &client);
    return TwipsScale(dpi_).toTwips({0, 0, client.right, client.bottom}, clientGiven_);
}

void NativeWindow::setClientSize(int widthTwips, int heightTwips) {
    clientGiven_ = {0, 0, widthTwips, heightTwips};
    const TwipsScale scale(dpi_);
    const RECT client{0, 0, scale.toPixels(widthTwips), scale.toPixels(heightTwips)};
    const RECT outer =
        windowRectForClient(client, static_cast<DWORD>(GetWindowLongPtrW(hwnd_, GWL_STYLE)),
                            static_cast<DWORD>(GetWindowLongPtrW(hwnd_, GWL_EXSTYLE)), dpi_);
    SetWindowPos(hwnd_, nullptr, 0, 0, outer.right - outer.left, outer.bottom - outer.top,
                 SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
    RedrawPacer::markWindowChanged();
}

void NativeWindow::setBackColor(Rgb color) {
    backColor_ = RGB(color.red, color.green, color.blue);
    DeleteObject(background_);
    background_ = CreateSolidBrush(backColor_);
    InvalidateRect(hwnd_, nullptr, TRUE);
    RedrawPacer::markWindowChanged();
}

HWND NativeWindow::createChild(const wchar_t* className, const std::string& text, DWORD style,
                               DWORD exStyle) {
    HWND child = CreateWindowExW(exStyle, className, widen(text).c_str(),
                                 WS_CHILD | WS_VISIBLE | WS_CLIPSIBLINGS | style, 0, 0, 0, 0, hwnd_,
                                 reinterpret_cast<HMENU>(static_cast<INT_PTR>(nextId_++)),
                                 GetModuleHandleW(nullptr), nullptr);
    SendMessageW(child, WM_SETFONT, reinterpret_cast<WPARAM>(font_), FALSE);
    // A new child goes to the bottom of its siblings; bring it over the earlier ones.
    SetWindowPos(child, HWND_TOP, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
    return child;
}

template <typename T>
T& NativeWindow::adopt(const std::string& name, std::unique_ptr<T> control,
                       const TwipsRect& bounds) {
    T& adopted = *control;
    adopted.setBounds(bounds);
    controls_.push_back(std::move(control));
    remember(name, adopted);
    return adopted;
}

Button& NativeWindow::addButton(const std::string& name, const std::string& caption,
                                const TwipsRect& bounds) {
    HWND button = createChild(L"BUTTON", caption, WS_TABSTOP | BS_PUSHBUTTON, 0);
    return adopt(name, std::make_unique<NativeButton>(button), bounds);
}

Label& NativeWindow::addLabel(const std::string& name, const std::string& caption,
                              const TwipsRect& bounds) {
    HWND label = createChild(L"STATIC", caption, SS_LEFT | SS_NOPREFIX, 0);
    SetWindowPos(label, HWND_BOTTOM, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
    return adopt(name, std::make_unique<NativeLabel>(label), bounds);
}

ListBox& NativeWindow::addListBox(const std::string& name, const TwipsRect& bounds) {
    HWND list = createChild(L"LISTBOX", "", WS_TABSTOP | WS_VSCROLL | LBS_NOINTEGRALHEIGHT,
                            WS_EX_CLIENTEDGE);
    return adopt(name, std::make_unique<NativeListBox>(list), bounds);
}

ListView& NativeWindow::addListView(const std::string& name, const TwipsRect& bounds) {
    HWND list =
        createChild(WC_LISTVIEWW, "",
                    WS_TABSTOP | LVS_REPORT | LVS_SINGLESEL | LVS_SHOWSELALWAYS | LVS_NOSORTHEADER,
                    WS_EX_CLIENTEDGE);
    return adopt(name, std::make_unique<NativeListView>(list), bounds);
}

RichTextBox& NativeWindow::addRichTextBox(const std::string& name, const TwipsRect& bounds) {
    HWND edit = createChild(MSFTEDIT_CLASS, "",
                            WS_TABSTOP | WS_VSCROLL | ES_MULTILINE | ES_READONLY | ES_AUTOVSCROLL,
                            WS_EX_CLIENTEDGE);
    return adopt(name, std::make_unique<NativeRichTextBox>(edit), bounds);
}

PictureBox& NativeWindow::addPictureBox(const std::string& name, const TwipsRect& bounds) {
    HWND box = createChild(pictureBoxClass(), "", 0, 0);
    return adopt(name, std::make_unique<NativePictureBox>(box), bounds);
}

void NativeWindow::show() {
    if (HWND owner = GetWindow(hwnd_, GW_OWNER); owner && !IsWindowVisible(hwnd_))
        centreOver(hwnd_, owner);
    ShowWindow(hwnd_, SW_SHOW);
    UpdateWindow(hwnd_);
    if (!lastFocus_)
        moveFocus(false);
}

void NativeWindow::close() {
    ShowWindow(hwnd_, SW_HIDE);
}

void NativeWindow::moveFocus(bool backwards) {
    std::vector<HWND> reachable;
    for (const auto& control : controls_) {
        const HWND hwnd = control->hwnd();
        // A list whose drawing is held has lost its WS_VISIBLE style but is still on screen.
        if (control->takesFocus() && (IsWindowVisible(hwnd) || drawingHeld(hwnd)) &&
            IsWindowEnabled(hwnd))
            reachable.push_back(hwnd);
    }
    if (reachable.empty())
        return;
    if (backwards)
        std::reverse(reachable.begin(), reachable.end());
    const auto current = std::find(reachable.begin(), reachable.end(), GetFocus());
    const bool atEnd = current == reachable.end() || current + 1 == reachable.end();
    SetFocus(atEnd ? reachable.front() : *(current + 1));
}

NativeControl* NativeWindow::controlOf(HWND child) const {
    for (const auto& control : controls_) {
        if (control->hwnd() == child)
            return control.get();
    }
    return nullptr;
}

// A posted address is trusted only while it still names one of this window's controls.
NativeControl* NativeWindow::controlAt(LPARAM address) const {
    for (const auto& control : controls_) {
        if (reinterpret_cast<LPARAM>(control.get()) == address)
            return control.get();
    }
    return nullptr;
}

void NativeWindow::applyDpi(int dpi) {
    dpi_ = dpi;
    HFONT previous = font_;
    font_ = createUiFont(dpi, kFontPoints);
    for (const auto& control : controls_) {
        SendMessageW(control->hwnd(), WM_SETFONT, reinterpret_cast<WPARAM>(font_), TRUE);
        control->place(dpi);
    }
    DeleteObject(previous);
}

LRESULT CALLBACK NativeWindow::windowProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == WM_NCCREATE) {
        auto* self =
            static_cast<NativeWindow*>(reinterpret_cast<CREATESTRUCTW*>(lParam)->lpCreateParams);
        self->hwnd_ = hwnd;
        SetWindowLongPtrW(hwnd, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(self));
    }
    auto* self = reinterpret_cast<NativeWindow*>(GetWindowLongPtrW(hwnd, GWLP_USERDATA));
    return self ? self->handle(message, wParam, lParam)
                : DefWindowProcW(hwnd, message, wParam, lParam);
}

LRESULT NativeWindow::handle(UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
        case WM_COMMAND:
            if (NativeControl* control = controlOf(reinterpret_cast<HWND>(lParam)))
                control->onCommand(HIWORD(wParam));
            return 0;
        case WM_NOTIFY: {
            const auto& header = *reinterpret_cast<const NMHDR*>(lParam);
            if (NativeControl* control = controlOf(header.hwndFrom))
                control->onNotify(header);
            return 0;
        }
        case kControlPostedMessage:
            if (NativeControl* control = controlAt(lParam))
                control->onPosted(wParam);
            return 0;
        case WM_CTLCOLORSTATIC:
        case WM_CTLCOLORBTN: {
            auto dc = reinterpret_cast<HDC>(wParam);
            NativeControl* control = controlOf(reinterpret_cast<HWND>(lParam));
            if (HBRUSH own = control ? control->backgroundBrush(dc) : nullptr)
                return reinterpret_cast<LRESULT>(own);
            SetBkColor(dc, backColor_);
            return reinterpret_cast<LRESULT>(background_);
        }
        case WM_ERASEBKGND: {
            RECT client;
            GetClientRect(hwnd_, &client);
            FillRect(reinterpret_cast<HDC>(wParam), &client, background_);
            return 1;
        }
        case WM_SETCURSOR:
            if (ui_.MousePointer() == kPointerHourglass) {
                SetCursor(LoadCursorW(nullptr, IDC_WAIT));
                return TRUE;
            }
            break;
        case WM_ACTIVATE:
            // Give the focus back to the control that had it when the window was left.
            if (LOWORD(wParam) == WA_INACTIVE) {
                lastFocus_ = GetFocus();
            } else if (lastFocus_ && IsChild(hwnd_, lastFocus_)) {
                SetFocus(lastFocus_);
                return 0;
            }
            break;
        case WM_SIZE:
            raiseResize();
            return 0;
        case WM_DPICHANGED: {
            applyDpi(HIWORD(wParam));
            const RECT& suggested = *reinterpret_cast<const RECT*>(lParam);
            SetWindowPos(hwnd_, nullptr, suggested.left, suggested.top,
                         suggested.right - suggested.left, suggested.bottom - suggested.top,
                         SWP_NOZORDER | SWP_NOACTIVATE);
            return 0;
        }
        case WM_CLOSE:
            raiseClose();
            close();
            return 0;
        default:
            break;
    }
    return DefWindowProcW(hwnd_, message, wParam, lParam);
}
