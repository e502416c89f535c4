#pragma once

#include <windows.h>

#include <string>

#include "toolkit/ui/controls.h"
#include "toolkit/ui/win32/native_control_win32.h"

// The text of a window or control, as UTF-8.
std::string windowText(HWND hwnd);
void setWindowText(HWND hwnd, const std::string& text);

// A push button. It reports the left, right and middle mouse buttons pressed over it; a
// click (left button released over it, Space, its access key) comes as BN_CLICKED.
class NativeButton : public Win32Control<Button> {
public:
    explicit NativeButton(HWND hwnd);
    ~NativeButton() override;
    std::string Caption() const override { return windowText(hwnd()); }
    void setCaption(const std::string& caption) override { setWindowText(hwnd(), caption); }
    void onCommand(WORD code) override;

private:
    static LRESULT CALLBACK subclassProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam,
                                         UINT_PTR id, DWORD_PTR self);
};

// A static text. Without a colour of its own it shows the window's background.
class NativeLabel : public Win32Control<Label> {
public:
    using Win32Control::Win32Control;
    ~NativeLabel() override;
    bool takesFocus() const override { return false; }
    std::string Caption() const override { return windowText(hwnd()); }
    void setCaption(const std::string& caption) override { setWindowText(hwnd(), caption); }
    void setBackColor(Rgb color) override;
    HBRUSH backgroundBrush(HDC dc) override;

private:
    HBRUSH brush_ = nullptr;
    COLORREF color_ = 0;
};

class NativeListBox : public Win32Control<ListBox> {
public:
    using Win32Control::Win32Control;
    void Clear() override { SendMessageW(hwnd(), LB_RESETCONTENT, 0, 0); }
    void AddItem(const std::string& text) override;
    int ListCount() const override;
    std::string List(int index) const override;
};

// A Msftedit rich edit box showing plain text, read only: it informs, and nothing reads what
// a user might type.
class NativeRichTextBox : public Win32Control<RichTextBox> {
public:
    using Win32Control::Win32Control;
    std::string Text() const override;
    void setText(const std::string& text) override;
};
