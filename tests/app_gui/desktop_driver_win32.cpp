#include "tests/app_gui/desktop_driver_win32.h"

#include <commctrl.h>

#include <algorithm>
#include <stdexcept>

namespace {

struct WindowSearch {
    DWORD processId;
    std::wstring caption;
    HWND found = nullptr;
};

BOOL CALLBACK matchWindow(HWND window, LPARAM data) {
    auto& search = *reinterpret_cast<WindowSearch*>(data);
    DWORD owner = 0;
    GetWindowThreadProcessId(window, &owner);
    if (owner != search.processId || !IsWindowVisible(window))
        return TRUE;
    if (textOf(window).rfind(search.caption, 0) != 0)
        return TRUE;
    search.found = window;
    return FALSE;
}

// A block of memory inside another process, for the list view messages that take a pointer.
class RemoteMemory {
public:
    RemoteMemory(HWND window, SIZE_T size) : size_(size) {
        DWORD processId = 0;
        GetWindowThreadProcessId(window, &processId);
        process_ = OpenProcess(PROCESS_VM_OPERATION | PROCESS_VM_READ | PROCESS_VM_WRITE, FALSE,
                               processId);
        address_ = VirtualAllocEx(process_, nullptr, size, MEM_COMMIT, PAGE_READWRITE);
        if (!address_)
            throw std::runtime_error("cannot reach the other process's memory");
    }
    ~RemoteMemory() {
        VirtualFreeEx(process_, address_, 0, MEM_RELEASE);
        CloseHandle(process_);
    }
    RemoteMemory(const RemoteMemory&) = delete;
    RemoteMemory& operator=(const RemoteMemory&) = delete;

    LPARAM address() const { return reinterpret_cast<LPARAM>(address_); }
    void write(const void* data) { WriteProcessMemory(process_, address_, data, size_, nullptr); }
    void read(void* data) const { ReadProcessMemory(process_, address_, data, size_, nullptr); }

private:
    HANDLE process_ = nullptr;
    void* address_ = nullptr;
    SIZE_T size_;
};

// The window that has the keyboard focus in the thread of `window`.
HWND focusOf(HWND window) {
    GUITHREADINFO thread{};
    thread.cbSize = sizeof thread;
    if (!GetGUIThreadInfo(GetWindowThreadProcessId(window, nullptr), &thread))
        return nullptr;
    return thread.hwndFocus;
}

int hitTest(HWND listView, POINT point) {
    LVHITTESTINFO test{};
    test.pt = point;
    RemoteMemory remote(listView, sizeof test);
    remote.write(&test);
    SendMessageW(listView, LVM_SUBITEMHITTEST, 0, remote.address());
    remote.read(&test);
    return static_cast<int>(test.flags);
}

}  // namespace

DrivenProgram::DrivenProgram(const std::wstring& program, const std::wstring& folder) {
    const std::wstring name = program.substr(program.find_last_of(L"\\/") + 1);
    const std::wstring copy = folder + L"\\" + name;
    if (!CopyFileW(program.c_str(), copy.c_str(), FALSE))
        throw std::runtime_error("cannot copy the program");
    STARTUPINFOW startup{};
    startup.cb = sizeof startup;
    std::wstring commandLine = L"\"" + copy + L"\"";
    if (!CreateProcessW(copy.c_str(), commandLine.data(), nullptr, nullptr, FALSE, 0, nullptr,
                        folder.c_str(), &startup, &info_))
        throw std::runtime_error("cannot start the program");
    WaitForInputIdle(info_.hProcess, 10000);
}

DrivenProgram::~DrivenProgram() {
    if (waitForExit(0) == STILL_ACTIVE) {
        TerminateProcess(info_.hProcess, 1);
        WaitForSingleObject(info_.hProcess, 5000);
    }
    CloseHandle(info_.hThread);
    CloseHandle(info_.hProcess);
}

DWORD DrivenProgram::waitForExit(DWORD milliseconds) const {
    WaitForSingleObject(info_.hProcess, milliseconds);
    DWORD code = STILL_ACTIVE;
    GetExitCodeProcess(info_.hProcess, &code);
    return code;
}

HWND DrivenProgram::window(const std::wstring& caption) const {
    WindowSearch search{id(), caption};
    waitUntil([&] {
        EnumWindows(matchWindow, reinterpret_cast<LPARAM>(&search));
        return search.found != nullptr;
    });
    return search.found;
}

bool waitUntil(const std::function<bool()>& done, DWORD milliseconds) {
    const ULONGLONG end = GetTickCount64() + milliseconds;
    while (!done()) {
        if (GetTickCount64() > end)
            return false;
        Sleep(50);
    }
    return true;
}

std::vector<HWND> controlsOf(HWND window) {
    std::vector<HWND> controls;
    for (int id = 100;; ++id) {
        HWND control = GetDlgItem(window, id);
        if (!control)
            return controls;
        controls.push_back(control);
    }
}

std::wstring className(HWND window) {
    wchar_t name[256] = {};
    GetClassNameW(window, name, 256);
    return name;
}

std::wstring textOf(HWND window) {
    const auto length = static_cast<size_t>(SendMessageW(window, WM_GETTEXTLENGTH, 0, 0));
    std::wstring text(length + 1, L'\0');
    const auto copied = static_cast<size_t>(
        SendMessageW(window, WM_GETTEXT, text.size(), reinterpret_cast<LPARAM>(text.data())));
    text.resize(std::min(copied, length));
    return text;
}

RECT placeOf(HWND control) {
    RECT rect;
    GetWindowRect(control, &rect);
    MapWindowPoints(HWND_DESKTOP, GetParent(control), reinterpret_cast<POINT*>(&rect), 2);
    return rect;
}

SIZE clientSize(HWND window) {
    RECT client;
    GetClientRect(window, &client);
    return {client.right, client.bottom};
}

void click(HWND window, POINT clientPoint, bool rightButton) {
    ClientToScreen(window, &clientPoint);
    SetCursorPos(clientPoint.x, clientPoint.y);
    INPUT inputs[2] = {};
    inputs[0].type = inputs[1].type = INPUT_MOUSE;
    inputs[0].mi.dwFlags = rightButton ? MOUSEEVENTF_RIGHTDOWN : MOUSEEVENTF_LEFTDOWN;
    inputs[1].mi.dwFlags = rightButton ? MOUSEEVENTF_RIGHTUP : MOUSEEVENTF_LEFTUP;
    SendInput(2, inputs, sizeof(INPUT));
}

POINT centreOf(HWND control) {
    const SIZE size = clientSize(control);
    return {size.cx / 2, size.cy / 2};
}

int rowCount(HWND listView) {
    return static_cast<int>(SendMessageW(listView, LVM_GETITEMCOUNT, 0, 0));
}

bool isTicked(HWND listView, int row) {
    const auto state = static_cast<UINT>(
        SendMessageW(listView, LVM_GETITEMSTATE, static_cast<WPARAM>(row), LVIS_STATEIMAGEMASK));
    return (state & LVIS_STATEIMAGEMASK) >> 12 == 2;
}

// The check box sits at the left of the row: the first point of the row's middle line that
// the list view itself calls its state icon.
POINT checkBoxOf(HWND listView, int row) {
    RECT bounds{};
    bounds.left = LVIR_BOUNDS;
    {
        RemoteMemory remote(listView, sizeof bounds);
        remote.write(&bounds);
        SendMessageW(listView, LVM_GETITEMRECT, static_cast<WPARAM>(row), remote.address());
        remote.read(&bounds);
    }
    const int middle = (bounds.top + bounds.bottom) / 2;
    for (int x = bounds.left; x < bounds.left + 60; ++x) {
        if (hitTest(listView, {x, middle}) & LVHT_ONITEMSTATEICON)
            return {x + 3, middle};
    }
    throw std::runtime_error("no check box in the row");
}

// The box is ready once it shows and holds the keyboard focus, which it gives its default
// button when it opens.
MessageBoxSeen findMessageBox(DWORD processId, const std::wstring& title, DWORD milliseconds) {
    MessageBoxSeen seen;
    const bool ready = waitUntil(
        [&] {
            seen.box = FindWindowW(L"#32770", title.c_str());
            DWORD owner = 0;
            GetWindowThreadProcessId(seen.box, &owner);
            return seen.box && owner == processId && IsWindowVisible(seen.box) &&
                   IsChild(seen.box, focusOf(seen.box));
        },
        milliseconds);
    if (!ready)
        return MessageBoxSeen{};
    seen.defaultButton = GetDlgCtrlID(focusOf(seen.box));
    for (HWND child = GetWindow(seen.box, GW_CHILD); child; child = GetWindow(child, GW_HWNDNEXT)) {
        const LONG_PTR style = GetWindowLongPtrW(child, GWL_STYLE);
        if (className(child) == L"Button") {
            seen.buttons.push_back(GetDlgCtrlID(child));
        } else if (className(child) == L"Static") {
            if ((style & SS_TYPEMASK) == SS_ICON)
                seen.hasIcon = seen.hasIcon || SendMessageW(child, STM_GETICON, 0, 0) != 0;
            else if (!textOf(child).empty())
                seen.text = textOf(child);
        }
    }
    std::sort(seen.buttons.begin(), seen.buttons.end());
    return seen;
}

void answer(const MessageBoxSeen& box, int button) {
    DWORD_PTR result = 0;
    SendMessageTimeoutW(GetDlgItem(box.box, button), BM_CLICK, 0, 0, SMTO_NORMAL, 5000, &result);
    waitUntil([&] { return !IsWindow(box.box); });
}
