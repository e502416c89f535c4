#pragma once

#include <stdexcept>
#include <string>

#include "toolkit/ui/controls.h"

// The window's control of that name and kind. The report reaches the main window's lists by
// name; a missing one is a fault of the window and ends the operation that needed it.
template <typename T>
T& controlNamed(const Window& window, const std::string& name) {
    T* control = window.findAs<T>(name);
    if (control == nullptr)
        throw std::logic_error("The window has no control named " + name);
    return *control;
}
