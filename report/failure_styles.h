#pragma once

#include <string>

// The two failure styles of the report that end at the failing routine; the third, passing the
// failure to the caller, is a plain exception.

// Skip and continue: runs `step`; a failure ends that step silently and the caller goes on.
// True when the step ran to its end.
template <typename Step>
bool skipOnFailure(Step&& step) noexcept {
    try {
        step();
        return true;
    } catch (...) {
        return false;
    }
}

// Tell and go on: shows `text` in a message box with an OK button and the tool's title, and
// writes the same text to the application log.
void tellAndGoOn(const std::string& text);
