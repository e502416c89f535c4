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

}  // namespace

int runMessageLoop() {
    MSG message;
    while (GetMessageW(&message, nullptr, 0, 0) > 0)
        dispatch(message);
    return static_cast<int>(message.wParam);
}

void pumpPendingMessages() {
    MSG message;
    while (PeekMessageW(&message, nullptr, 0, 0, PM_REMOVE)) {
        if (message.message == WM_QUIT) {
            PostQuitMessage(static_cast<int>(message.wParam));
            return;
        }
        dispatch(message);
    }
}
