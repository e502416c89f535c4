#include <windows.h>

#include <objbase.h>

#include <memory>

#include "bench/window_startup.h"
#include "toolkit/ui/win32/drawing_hold_win32.h"
#include "toolkit/ui/win32/message_pump_win32.h"
#include "toolkit/ui/win32/native_ui_win32.h"

int main(int argc, char** argv) {
    CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED | COINIT_DISABLE_OLE1DDE);
    installUi(std::make_unique<NativeUi>());
    // The list's last rows are drawn when its hold ends, as a due redraw ends it.
    return runWindowStartup(argc, argv, [] {
        endDrawingHolds();
        pumpPendingMessages();
    });
}
