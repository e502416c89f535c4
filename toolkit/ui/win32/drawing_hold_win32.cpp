#include "toolkit/ui/win32/drawing_hold_win32.h"

#include <algorithm>
#include <chrono>
#include <utility>
#include <vector>

#include "toolkit/ui/redraw_pacer.h"

namespace {

std::vector<HWND>& heldControls() {
    static std::vector<HWND> controls;
    return controls;
}

UINT_PTR holdTimer = 0;

void CALLBACK endHoldsOnTimer(HWND, UINT, UINT_PTR, DWORD) {
    endDrawingHolds();
}

// Drawing turned on again draws nothing by itself; the whole control is invalidated so that
// its next paint shows every row added meanwhile.
void release(HWND control) {
    if (!IsWindow(control))
        return;
    SendMessageW(control, WM_SETREDRAW, TRUE, 0);
    RedrawWindow(control, nullptr, nullptr,
                 RDW_ERASE | RDW_FRAME | RDW_INVALIDATE | RDW_ALLCHILDREN);
}

}  // namespace

void holdDrawing(HWND control) {
    if (drawingHeld(control) || !(GetWindowLongPtrW(control, GWL_STYLE) & WS_VISIBLE))
        return;
    SendMessageW(control, WM_SETREDRAW, FALSE, 0);
    heldControls().push_back(control);
    if (holdTimer == 0)
        holdTimer = SetTimer(nullptr, 0, static_cast<UINT>(RedrawPacer::kInterval.count()),
                             endHoldsOnTimer);
}

bool drawingHeld(HWND control) {
    const std::vector<HWND>& held = heldControls();
    return std::find(held.begin(), held.end(), control) != held.end();
}

void endDrawingHold(HWND control) {
    std::vector<HWND>& held = heldControls();
    const auto found = std::find(held.begin(), held.end(), control);
    if (found == held.end())
        return;
    held.erase(found);
    release(control);
}

void endDrawingHolds() {
    if (holdTimer != 0) {
        KillTimer(nullptr, holdTimer);
        holdTimer = 0;
    }
    for (HWND control : std::exchange(heldControls(), {}))
        release(control);
}
