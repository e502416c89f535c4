#include <windows.h>

#include <objbase.h>

#include <memory>

#include "app/frm_report_configuration.h"
#include "toolkit/ui/win32/message_pump_win32.h"
#include "toolkit/ui/win32/native_ui_win32.h"

// The desktop tool on Windows: its one window, of native controls. COM serves the picture
// loader and the shell that opens the report.
int WINAPI wWinMain(HINSTANCE, HINSTANCE, PWSTR, int) {
    CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED | COINIT_DISABLE_OLE1DDE);
    installUi(std::make_unique<NativeUi>());
    frmReportConfiguration form;
    // Shown before it loads, so that the window repaints while the folder walk fills its list.
    form.window().show();
    form.Form_Load();
    return runMessageLoop();
}
