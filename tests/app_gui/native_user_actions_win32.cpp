#include <windows.h>

#include <commctrl.h>

#include <atomic>
#include <deque>
#include <memory>
#include <mutex>
#include <stdexcept>
#include <thread>
#include <utility>

#include "tests/app/user_actions.h"
#include "tests/app_gui/backend_under_test.h"
#include "tests/app_gui/screenshot_win32.h"
#include "toolkit/os/wide_text_win32.h"
#include "toolkit/ui/win32/dpi_win32.h"
#include "toolkit/ui/win32/message_pump_win32.h"
#include "toolkit/ui/win32/native_control_win32.h"
#include "toolkit/ui/win32/native_ui_win32.h"
#include "toolkit/ui/win32/native_window_win32.h"

namespace {

std::wstring textOf(HWND window) {
    std::wstring text(static_cast<size_t>(GetWindowTextLengthW(window)) + 1, L'\0');
    text.resize(
        static_cast<size_t>(GetWindowTextW(window, text.data(), static_cast<int>(text.size()))));
    return text;
}

// Answers this process's message boxes from a thread of its own while the test's thread waits
// in the box: notes what each shows and presses the planned button, or else the default one.
class BoxAnswerer {
public:
    BoxAnswerer() : thread_([this] { watch(); }) {}
    ~BoxAnswerer() {
        stop_ = true;
        thread_.join();
    }
    BoxAnswerer(const BoxAnswerer&) = delete;
    BoxAnswerer& operator=(const BoxAnswerer&) = delete;

    void plan(MsgAnswer answer) {
        const std::lock_guard<std::mutex> lock(mutex_);
        planned_.push_back(answer);
    }
    std::vector<BoxSeen> seen() {
        const std::lock_guard<std::mutex> lock(mutex_);
        return seen_;
    }

private:
    void watch() {
        for (; !stop_; Sleep(20)) {
            GUITHREADINFO thread{};
            thread.cbSize = sizeof thread;
            // A box is ready once it shows and holds the keyboard focus, which it gives its
            // default button when it opens.
            HWND box = nullptr;
            while ((box = FindWindowExW(nullptr, box, L"#32770", nullptr)) != nullptr) {
                DWORD process = 0;
                const DWORD owner = GetWindowThreadProcessId(box, &process);
                if (process == GetCurrentProcessId() && IsWindowVisible(box) &&
                    GetGUIThreadInfo(owner, &thread) && IsChild(box, thread.hwndFocus))
                    break;
            }
            if (box != nullptr)
                answer(box, static_cast<MsgAnswer>(GetDlgCtrlID(thread.hwndFocus)));
        }
    }

    // The ids of a box's buttons are the values of their answers.
    void answer(HWND box, MsgAnswer defaultButton) {
        BoxSeen seen{narrow(textOf(box)), "", {}, defaultButton, false};
        for (int id = IDOK; id <= IDNO; ++id) {
            if (GetDlgItem(box, id) != nullptr)
                seen.buttons.push_back(static_cast<MsgAnswer>(id));
        }
        for (HWND child = GetWindow(box, GW_CHILD); child; child = GetWindow(child, GW_HWNDNEXT)) {
            wchar_t name[16] = {};
            GetClassNameW(child, name, 16);
            if (_wcsicmp(name, L"Static") != 0)
                continue;
            if ((GetWindowLongPtrW(child, GWL_STYLE) & SS_TYPEMASK) == SS_ICON)
                seen.hasIcon = seen.hasIcon || SendMessageW(child, STM_GETICON, 0, 0) != 0;
            else if (GetWindowTextLengthW(child) > 0)
                seen.text = narrow(textOf(child));
        }
        MsgAnswer press = defaultButton;
        {
            const std::lock_guard<std::mutex> lock(mutex_);
            seen_.push_back(seen);
            if (!planned_.empty())
                press = planned_.front();
            if (!planned_.empty())
                planned_.pop_front();
        }
        saveScreenshot(box, "message-box");
        DWORD_PTR result = 0;
        SendMessageTimeoutW(GetDlgItem(box, static_cast<int>(press)), BM_CLICK, 0, 0, SMTO_NORMAL,
                            5000, &result);
        for (int wait = 0; wait < 500 && IsWindow(box); ++wait)
            Sleep(10);
    }

    std::mutex mutex_;
    std::deque<MsgAnswer> planned_;
    std::vector<BoxSeen> seen_;
    std::atomic<bool> stop_{false};
    std::thread thread_;
};

std::unique_ptr<BoxAnswerer>& answerer() {
    static std::unique_ptr<BoxAnswerer> installed;
    return installed;
}

HWND handleOf(Control& control) {
    return dynamic_cast<NativeControl&>(control).hwnd();
}

HWND handleOf(Window& window) {
    std::pair<Window*, HWND> search{&window, nullptr};
    EnumThreadWindows(
        GetCurrentThreadId(),
        [](HWND hwnd, LPARAM data) {
            auto& [wanted, found] = *reinterpret_cast<std::pair<Window*, HWND>*>(data);
            if (NativeWindow::fromHandle(hwnd) != wanted)
                return TRUE;
            found = hwnd;
            return FALSE;
        },
        reinterpret_cast<LPARAM>(&search));
    return search.second;
}

// The press and the release of a mouse button at a point of the control, handled before this
// returns: the control's window procedure takes them as it takes the mouse's own.
void clickAt(HWND control, POINT at, int mouseButton) {
    const UINT press = mouseButton == kRightButton    ? WM_RBUTTONDOWN
                       : mouseButton == kMiddleButton ? WM_MBUTTONDOWN
                                                      : WM_LBUTTONDOWN;
    const WPARAM held = mouseButton == kRightButton    ? MK_RBUTTON
                        : mouseButton == kMiddleButton ? MK_MBUTTON
                                                       : MK_LBUTTON;
    PostMessageW(control, press, held, MAKELPARAM(at.x, at.y));
    PostMessageW(control, press + 1, 0, MAKELPARAM(at.x, at.y));  // the button's release
    pumpPendingMessages();
}

}  // namespace

void installBackendUnderTest(std::function<void()> atFirstYield) {
    answerer().reset();
    installUi(std::make_unique<BackendUnderTest<NativeUi>>(std::move(atFirstYield)));
    answerer() = std::make_unique<BoxAnswerer>();
}

// The check box is the first point of the row's middle line that the list view calls its
// state icon.
void clickCheckBox(ListView& view, int row) {
    HWND list = handleOf(view);
    RECT bounds{LVIR_BOUNDS, 0, 0, 0};
    SendMessageW(list, LVM_GETITEMRECT, static_cast<WPARAM>(row - 1),
                 reinterpret_cast<LPARAM>(&bounds));
    LVHITTESTINFO test{};
    test.pt = {bounds.left, (bounds.top + bounds.bottom) / 2};
    for (; test.pt.x < bounds.left + 60; ++test.pt.x) {
        SendMessageW(list, LVM_SUBITEMHITTEST, 0, reinterpret_cast<LPARAM>(&test));
        if (test.flags & LVHT_ONITEMSTATEICON) {
            clickAt(list, {test.pt.x + 3, test.pt.y}, kLeftButton);
            return;
        }
    }
    throw std::runtime_error("no check box in the row");
}

bool tickShown(ListView& view, int row) {
    const auto state = static_cast<UINT>(SendMessageW(
        handleOf(view), LVM_GETITEMSTATE, static_cast<WPARAM>(row - 1), LVIS_STATEIMAGEMASK));
    return (state & LVIS_STATEIMAGEMASK) >> 12 == 2;
}

void clickButton(Button& button, int mouseButton) {
    RECT client;
    GetClientRect(handleOf(button), &client);
    clickAt(handleOf(button), {client.right / 2, client.bottom / 2}, mouseButton);
}

void makeTaller(Window& window, int twips) {
    HWND hwnd = handleOf(window);
    RECT outer;
    GetWindowRect(hwnd, &outer);
    SetWindowPos(hwnd, nullptr, 0, 0, outer.right - outer.left,
                 outer.bottom - outer.top + MulDiv(twips, dpiOf(hwnd), 1440),
                 SWP_NOMOVE | SWP_NOZORDER);
}

bool isShown(Window& window) {
    return IsWindowVisible(handleOf(window)) != FALSE;
}

void photograph(Window& window, const std::string& state) {
    pumpPendingMessages();
    saveScreenshot(handleOf(window), state);
}

void planAnswer(MsgAnswer answer) {
    answerer()->plan(answer);
}

std::vector<BoxSeen> boxesSeen() {
    return answerer()->seen();
}
