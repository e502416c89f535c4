#include <windows.h>

#include <commctrl.h>

#include <deque>
#include <memory>
#include <utility>

#include "tests/app/user_actions.h"
#include "tests/app_gui/backend_under_test.h"
#include "toolkit/os/wide_text_win32.h"
#include "toolkit/ui/win32/message_pump_win32.h"
#include "toolkit/ui/win32/native_control_win32.h"
#include "toolkit/ui/win32/native_controls_win32.h"
#include "toolkit/ui/win32/native_ui_win32.h"

namespace {

// The message boxes' answers planned and what the boxes showed.
std::deque<MsgAnswer> planned;
std::vector<BoxSeen> seen;

std::wstring classOf(HWND window) {
    wchar_t name[32] = {};
    GetClassNameW(window, name, 32);
    return name;
}

// Notes what the box shows and posts a click on the planned button, or else on the default
// one, for the box's own message loop to take. The ids of a box's buttons are the values of
// their answers.
void answer(HWND box, MsgAnswer defaultButton) {
    BoxSeen shown{windowText(box), "", {}, defaultButton, false};
    for (int id = IDOK; id <= IDNO; ++id) {
        if (GetDlgItem(box, id) != nullptr)
            shown.buttons.push_back(static_cast<MsgAnswer>(id));
    }
    for (HWND child = GetWindow(box, GW_CHILD); child; child = GetWindow(child, GW_HWNDNEXT)) {
        if (_wcsicmp(classOf(child).c_str(), L"Static") != 0)
            continue;
        if ((GetWindowLongPtrW(child, GWL_STYLE) & SS_TYPEMASK) == SS_ICON)
            shown.hasIcon = shown.hasIcon || SendMessageW(child, STM_GETICON, 0, 0) != 0;
        else if (GetWindowTextLengthW(child) > 0)
            shown.text = windowText(child);
    }
    seen.push_back(shown);
    const MsgAnswer press = planned.empty() ? defaultButton : planned.front();
    if (!planned.empty())
        planned.pop_front();
    PostMessageW(GetDlgItem(box, static_cast<int>(press)), BM_CLICK, 0, 0);
}

// A message box is ready once it gives the keyboard focus to its default button.
LRESULT CALLBACK answerOpeningBox(int code, WPARAM wParam, LPARAM lParam) {
    const auto focus = reinterpret_cast<HWND>(wParam);
    const HWND box = code == HCBT_SETFOCUS ? GetParent(focus) : nullptr;
    if (box != nullptr && classOf(box) == L"#32770" && GetPropW(box, L"answered") == nullptr) {
        SetPropW(box, L"answered", box);
        answer(box, static_cast<MsgAnswer>(GetDlgCtrlID(focus)));
    }
    return CallNextHookEx(nullptr, code, wParam, lParam);
}

int paints = 0;

LRESULT CALLBACK countPaints(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam, UINT_PTR,
                             DWORD_PTR) {
    paints += message == WM_PAINT;
    return DefSubclassProc(hwnd, message, wParam, lParam);
}

HWND handleOf(Control& control) {
    return dynamic_cast<NativeControl&>(control).hwnd();
}

// A window of the tool is found by its class and its caption.
HWND handleOf(Window& window) {
    return FindWindowW(L"ConfigReportWindow", widen(window.Caption()).c_str());
}

}  // namespace

void installBackendUnderTest(std::function<void()> atFirstYield) {
    static const HHOOK hook =
        SetWindowsHookExW(WH_CBT, answerOpeningBox, nullptr, GetCurrentThreadId());
    (void)hook;
    installUi(std::make_unique<BackendUnderTest<NativeUi>>(std::move(atFirstYield)));
    planned.clear();
    seen.clear();
}

// The user makes the row the focused one and presses Space, which turns its check box over.
void toggleCheckBox(ListView& view, int row) {
    LVITEMW focus{};
    focus.stateMask = focus.state = LVIS_FOCUSED | LVIS_SELECTED;
    SendMessageW(handleOf(view), LVM_SETITEMSTATE, static_cast<WPARAM>(row - 1),
                 reinterpret_cast<LPARAM>(&focus));
    PostMessageW(handleOf(view), WM_KEYDOWN, VK_SPACE, 0);
    PostMessageW(handleOf(view), WM_KEYUP, VK_SPACE, 0);
    pumpPendingMessages();
}

bool tickShown(ListView& view, int row) {
    const auto state = static_cast<UINT>(SendMessageW(
        handleOf(view), LVM_GETITEMSTATE, static_cast<WPARAM>(row - 1), LVIS_STATEIMAGEMASK));
    return (state & LVIS_STATEIMAGEMASK) >> 12 == 2;
}

// The press and the release of a mouse button in the middle of the button, handled before this
// returns: the control's window procedure takes them as it takes the mouse's own.
void clickButton(Button& button, int mouseButton) {
    const UINT press = mouseButton == kRightButton    ? WM_RBUTTONDOWN
                       : mouseButton == kMiddleButton ? WM_MBUTTONDOWN
                                                      : WM_LBUTTONDOWN;
    RECT client;
    GetClientRect(handleOf(button), &client);
    const LPARAM at = MAKELPARAM(client.right / 2, client.bottom / 2);
    PostMessageW(handleOf(button), press, 0, at);
    PostMessageW(handleOf(button), press + 1, 0, at);  // the button's release
    pumpPendingMessages();
}

bool isShown(Window& window) {
    return IsWindowVisible(handleOf(window));
}

void closeByUser(Window& window) {
    SendMessageW(handleOf(window), WM_SYSCOMMAND, SC_CLOSE, 0);
}

const int& paintsOf(ListView& view) {
    paints = 0;
    SetWindowSubclass(handleOf(view), countPaints, 1, 0);
    return paints;
}

void waitHandlingEvents(std::chrono::milliseconds time) {
    Sleep(static_cast<DWORD>(time.count()));
    pumpPendingMessages();
}

void planAnswer(MsgAnswer answer) {
    planned.push_back(answer);
}

std::vector<BoxSeen> boxesSeen() {
    return seen;
}
