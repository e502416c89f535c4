#pragma once

#include <windows.h>

#include <functional>
#include <string>
#include <vector>

// Drives another program's windows as a user would, from outside its process: starts it,
// finds its windows and controls, clicks with the real mouse, presses buttons with BM_CLICK,
// and answers its message boxes.

// A program started from a copy in `folder`; ended when it goes out of scope.
class DrivenProgram {
public:
    DrivenProgram(const std::wstring& program, const std::wstring& folder);
    ~DrivenProgram();
    DrivenProgram(const DrivenProgram&) = delete;
    DrivenProgram& operator=(const DrivenProgram&) = delete;

    DWORD id() const { return info_.dwProcessId; }
    // The exit code once it has ended within `milliseconds`; STILL_ACTIVE when it has not.
    DWORD waitForExit(DWORD milliseconds) const;
    // Its visible top-level window whose caption starts with `caption`, waiting up to 10 s.
    HWND window(const std::wstring& caption) const;

private:
    PROCESS_INFORMATION info_{};
};

// Waits up to `milliseconds` for `done` to hold, checking every 50 ms.
bool waitUntil(const std::function<bool()>& done, DWORD milliseconds = 10000);

// The controls of a window in the order they were created (their ids count up from 100).
std::vector<HWND> controlsOf(HWND window);
std::wstring className(HWND window);
// The text of a window of another process.
std::wstring textOf(HWND window);
// A control's place in its parent's client area.
RECT placeOf(HWND control);
SIZE clientSize(HWND window);

// Clicks the real mouse at a point of `window`'s client area.
void click(HWND window, POINT clientPoint, bool rightButton = false);
POINT centreOf(HWND control);

// Report list view: the row count, whether a row is ticked, and where its check box is.
int rowCount(HWND listView);
bool isTicked(HWND listView, int row);
POINT checkBoxOf(HWND listView, int row);

// A message box of the program with that title, or null once `milliseconds` have passed.
struct MessageBoxSeen {
    HWND box = nullptr;
    std::wstring text;
    std::vector<int> buttons;  // the ids of its buttons (IDYES, IDNO, ...)
    int defaultButton = 0;
    bool hasIcon = false;
};
MessageBoxSeen findMessageBox(DWORD processId, const std::wstring& title,
                              DWORD milliseconds = 10000);
// Presses the box's button and waits until the box has gone.
void answer(const MessageBoxSeen& box, int button);
