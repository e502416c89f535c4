#pragma once

#include <functional>
#include <string>
#include <vector>

#include "toolkit/ui/controls.h"
#include "toolkit/ui/ui.h"

// What a user does to the tool's windows and sees of them, on the backend under test. The
// window tests are portable: app_tests runs them on the headless backend, the GUI tests on Qt
// Widgets, each linking its own implementation of these.

// Installs the backend under test and forgets the message boxes seen so far. Its clock stands
// still, so that after its first yield only one that follows a change of what a window shows
// handles events; at the first yield the user does `atFirstYield`.
void installBackendUnderTest(std::function<void()> atFirstYield = nullptr);

// The user turns the check box of a row over (rows count from 1), and whether it shows a tick.
void toggleCheckBox(ListView& view, int row);
bool tickShown(ListView& view, int row);
// A click with the left, right or middle mouse button.
void clickButton(Button& button, int mouseButton = kLeftButton);
// Whether the window is on the screen, and the user closing it with its close box.
bool isShown(Window& window);
void closeByUser(Window& window);

// A message box as the user saw it.
struct BoxSeen {
    std::string title;
    std::string text;
    std::vector<MsgAnswer> buttons;  // in the order of their values
    MsgAnswer defaultButton;
    bool hasIcon;
};
// The button the user presses on the next message box; a box without one gets its default.
void planAnswer(MsgAnswer answer);
std::vector<BoxSeen> boxesSeen();
