#include "toolkit/ui/win32/native_ui_win32.h"

#include <windows.h>

#include <commctrl.h>

#include "toolkit/os/wide_text_win32.h"
#include "toolkit/ui/win32/drawing_hold_win32.h"
#include "toolkit/ui/win32/message_pump_win32.h"
#include "toolkit/ui/win32/native_picture_win32.h"
#include "toolkit/ui/win32/native_window_win32.h"

namespace {

UINT buttonsFlag(MsgButtons buttons) {
    switch (buttons) {
        case MsgButtons::YesNo:
            return MB_YESNO;
        case MsgButtons::AbortRetryIgnore:
            return MB_ABORTRETRYIGNORE;
        case MsgButtons::OK:
            break;
    }
    return MB_OK;
}

UINT iconFlag(MsgIcon icon) {
    switch (icon) {
        case MsgIcon::Exclamation:
            return MB_ICONEXCLAMATION;
        case MsgIcon::Critical:
            return MB_ICONHAND;
        case MsgIcon::Information:
            return MB_ICONASTERISK;
        case MsgIcon::Question:
            return MB_ICONQUESTION;
        case MsgIcon::None:
            break;
    }
    return 0;
}

// A default position the box does not have falls back to its first button, as MessageBox
// itself does.
UINT defaultButtonFlag(int position) {
    switch (position) {
        case 2:
            return MB_DEFBUTTON2;
        case 3:
            return MB_DEFBUTTON3;
        default:
            return MB_DEFBUTTON1;
    }
}

}  // namespace

NativeUi::NativeUi(RedrawPacer pacer) : pacer_(std::move(pacer)) {
    const INITCOMMONCONTROLSEX classes{sizeof(INITCOMMONCONTROLSEX),
                                       ICC_STANDARD_CLASSES | ICC_LISTVIEW_CLASSES};
    InitCommonControlsEx(&classes);
    // Msftedit registers the rich edit class; it stays loaded for the program's lifetime.
    LoadLibraryW(L"Msftedit.dll");
}

// The box belongs to the active window, which it disables while it is open; without one it
// disables all of the thread's windows.
MsgAnswer NativeUi::showMessageBox(const MessageBoxRequest& request) {
    HWND owner = GetActiveWindow();
    const UINT flags = buttonsFlag(request.buttons) | iconFlag(request.icon) |
                       defaultButtonFlag(request.defaultButton) | (owner ? 0 : MB_TASKMODAL);
    const int pressed =
        MessageBoxW(owner, widen(request.text).c_str(), widen(request.title).c_str(), flags);
    return pressed == 0 ? MsgAnswer::Cancel : static_cast<MsgAnswer>(pressed);
}

// The pacer decides which yields handle messages (redraw_pacer.h). Painting waits for a due
// redraw: then the lists whose drawing was held while rows were added are drawn once, with all
// their new rows. The redraw handles messages until none is left, and WM_PAINT comes whenever
// no other message waits and a window of the thread has something to paint, so every window
// has painted when it returns.
void NativeUi::DoEvents() {
    pacer_.yield(pumpInputMessages, [] {
        endDrawingHolds();
        pumpPendingMessages();
    });
}

// Windows ask for their pointer whenever the mouse moves; until then it changes here.
void NativeUi::setMousePointer(int pointer) {
    if (pointer != pointer_)
        RedrawPacer::markWindowChanged();
    pointer_ = pointer;
    SetCursor(LoadCursorW(nullptr, pointer == kPointerHourglass ? IDC_WAIT : IDC_ARROW));
}

std::unique_ptr<Window> NativeUi::createWindow() {
    return std::make_unique<NativeWindow>(*this);
}

std::shared_ptr<const Picture> NativeUi::LoadPicture(const std::string& fileName) {
    return loadNativePicture(fileName);
}

void NativeUi::endProgram(int exitCode) {
    ExitProcess(static_cast<UINT>(exitCode));
}
