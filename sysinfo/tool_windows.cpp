#include "sysinfo/tool_windows.h"

#include "toolkit/ui/controls.h"

namespace {

std::intptr_t handleOf(const Window* window) {
    return reinterpret_cast<std::intptr_t>(window);
}

// The window behind a handle, looked up among the existing windows so that a stale or made-up
// handle is never followed.
Window* windowOf(std::intptr_t handle) {
    for (Window* window : Window::existingWindows()) {
        if (handleOf(window) == handle)
            return window;
    }
    return nullptr;
}

}  // namespace

std::intptr_t findToolWindow(const std::string& title) {
    for (const Window* window : Window::existingWindows()) {
        if (window->Caption() == title)
            return handleOf(window);
    }
    return 0;
}

void closeToolWindow(std::intptr_t window) {
    if (Window* found = windowOf(window))
        found->closeAsUser();
}

std::string toolWindowCaption(std::intptr_t window) {
    const Window* found = windowOf(window);
    return found != nullptr ? found->Caption() : std::string();
}
