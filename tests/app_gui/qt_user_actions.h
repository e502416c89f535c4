#pragma once

#include <QMessageBox>
#include <QWidget>
#include <chrono>
#include <functional>

#include "toolkit/ui/controls.h"

// What the Qt tests add to the user actions of tests/app/user_actions.h.

// The widget that draws a window of the tool.
QWidget& widgetOf(Window& window);

// Runs `act` on each message box before it is answered; a box that it closes gets no
// further answer.
void beforeEachAnswer(std::function<void(QMessageBox&)> act);

// The paints of the list's drawing area from now on.
const int& paintsOf(ListView& view);
// Lets the time pass while the backend handles its events.
void waitHandlingEvents(std::chrono::milliseconds time);
// Handles events until `done` holds, for at most `limit`, and says whether it came to hold. A
// timer may fire late on a loaded machine, so a test waits for its effect, not for its time.
inline bool waitHandlingEventsUntil(const std::function<bool()>& done,
                                    std::chrono::milliseconds limit = std::chrono::seconds(5)) {
    constexpr std::chrono::milliseconds kStep{10};
    for (std::chrono::milliseconds waited{0}; !done(); waited += kStep) {
        if (waited >= limit)
            return false;
        waitHandlingEvents(kStep);
    }
    return true;
}
