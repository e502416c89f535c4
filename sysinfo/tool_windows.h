#pragma once

#include <cstdint>
#include <string>

// The tool's own top-level windows, found by their titles. A platform that cannot reach other
// programs' windows answers the window questions with these; a window's handle is its address.

// The first of the tool's windows whose caption is exactly `title`; 0 when there is none.
std::intptr_t findToolWindow(const std::string& title);
// Closes the window as its close box does; a handle that is no window of the tool does nothing.
void closeToolWindow(std::intptr_t window);
// The window's caption; empty for a handle that is no window of the tool.
std::string toolWindowCaption(std::intptr_t window);
