// Shows the tool's own message window on the native backend, for the window driver to resize,
// photograph and close. The tool itself never opens it.

#include <windows.h>

#include <objbase.h>

#include <memory>

#include "app/msg_box_form.h"
#include "toolkit/ui/win32/message_pump_win32.h"
#include "toolkit/ui/win32/native_ui_win32.h"

int WINAPI wWinMain(HINSTANCE, HINSTANCE, PWSTR, int) {
    CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED);
    installUi(std::make_unique<NativeUi>());
    frmMsgBox form;
    form.show();
    return runMessageLoop();
}
