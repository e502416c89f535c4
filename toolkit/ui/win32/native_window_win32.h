#pragma once

#include <windows.h>

#include <memory>
#include <string>
#include <vector>

#include "toolkit/ui/controls.h"
#include "toolkit/ui/ui.h"
#include "toolkit/ui/win32/native_control_win32.h"

// A top-level window of native controls, per-monitor DPI aware: twips are scaled to the DPI
// of the window's monitor, and everything is placed and lettered again when it moves to a
// monitor with another DPI. Later controls lie over earlier ones; labels lie beneath all.
class NativeWindow : public Window {
public:
    // `ui` answers whether the hourglass is showing. A window opened while another of the
    // program's windows is active belongs to that one and opens centred over it.
    explicit NativeWindow(const Ui& ui);
    ~NativeWindow() override;
    NativeWindow(const NativeWindow&) = delete;
    NativeWindow& operator=(const NativeWindow&) = delete;

    std::string Caption() const override;
    void setCaption(const std::string& caption) override;
    int ScaleWidth() const override;
    int ScaleHeight() const override;
    void setClientSize(int widthTwips, int heightTwips) override;
    void setBackColor(Rgb color) override;

    Button& addButton(const std::string& name, const std::string& caption,
                      const TwipsRect& bounds) override;
    Label& addLabel(const std::string& name, const std::string& caption,
                    const TwipsRect& bounds) override;
    ListBox& addListBox(const std::string& name, const TwipsRect& bounds) override;
    ListView& addListView(const std::string& name, const TwipsRect& bounds) override;
    RichTextBox& addRichTextBox(const std::string& name, const TwipsRect& bounds) override;
    PictureBox& addPictureBox(const std::string& name, const TwipsRect& bounds) override;

    void show() override;
    void close() override;

    // The window behind a top-level handle, or null when it is none of these windows.
    static NativeWindow* fromHandle(HWND hwnd);
    // Moves the keyboard focus to the next control a user can reach, in the order the
    // controls were created, or to the previous one.
    void moveFocus(bool backwards);

private:
    // The window class of these windows; registered once.
    static const wchar_t* windowClass();
    static LRESULT CALLBACK windowProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam);
    LRESULT handle(UINT message, WPARAM wParam, LPARAM lParam);
    HWND createChild(const wchar_t* className, const std::string& text, DWORD style, DWORD exStyle);
    template <typename T>
    T& adopt(const std::string& name, std::unique_ptr<T> control, const TwipsRect& bounds);
    // The client area in twips; the size last set while its pixels still match it.
    TwipsRect clientTwips() const;
    NativeControl* controlOf(HWND child) const;
    NativeControl* controlAt(LPARAM address) const;
    void applyDpi(int dpi);

    const Ui& ui_;
    HWND hwnd_ = nullptr;
    int dpi_ = 96;
    TwipsRect clientGiven_;
    HFONT font_ = nullptr;
    COLORREF backColor_ = RGB(255, 255, 255);
    HBRUSH background_ = nullptr;
    HWND lastFocus_ = nullptr;
    int nextId_ = 100;  // above the dialog ids IDOK and IDCANCEL that Enter and Esc send
    std::vector<std::unique_ptr<NativeControl>> controls_;
};
