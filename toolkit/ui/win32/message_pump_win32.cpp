#include "toolkit/ui/win32/message_pump_win32.h"

#include <windows.h>

#include "toolkit/ui/win32/native_window_win32.h"

namespace {

void dispatch(MSG& message) {
    HWND root = GetAncestor(message.hwnd, GA_ROOT);
    if (NativeWindow* window = NativeWindow::fromHandle(root)) {
        if (message.message == WM_KEYDOWN && message.wParam == VK_TAB) {
            window->moveFocus(GetKeyState(VK_SHIFT) < 0);
            return;
        }
        if (IsDialogMessageW(root, &message))
            return;
    }
    TranslateMessage(&message);
    DispatchMessageW(&message);
}

// Handles the waiting messages of the kinds in `filter` (PM_QS_*; 0 for all of them). The
// program is busy, not idle, so the look does not yield its time slice: under Wine an empty
// look otherwise gives the processor away, which on a busy machine costs milliseconds.
// https://learn.microsoft.com/en-us/windows/win32/api/winuser/nf-winuser-peekmessagew
void pump(UINT filter) {
    MSG message;
    while (PeekMessageW(&message, nullptr, 0, 0, PM_REMOVE | PM_NOYIELD | filter)) {
        if (message.message == WM_QUIT) {
            PostQuitMessage(static_cast<int>(message.wParam));
            return;
        }
        dispatch(message);
    }
}

}  // namespace

int runMessageLoop() {
    MSG message;
    while (GetMessageW(&message, nullptr, 0, 0) > 0)
        dispatch(message);
    return static_cast<int>(message.wParam);
}

void pumpPendingMessages() {
    pump(0);
}

// PM_QS_POSTMESSAGE would take timers too, and a timer may end a hold of drawing
// (drawing_hold_win32.h), which lays out and scrolls the list; that waits for the next redraw.
void pumpInputMessages() {
    pump(PM_QS_INPUT | PM_QS_SENDMESSAGE | ((QS_POSTMESSAGE | QS_HOTKEY) << 16));
}
