#pragma once

#include <QMessageBox>
#include <QWidget>
#include <functional>

#include "toolkit/ui/controls.h"

// What the Qt tests add to the user actions of tests/app/user_actions.h.

// The widget that draws a window of the tool.
QWidget& widgetOf(Window& window);

// Runs `act` on each message box before it is answered; a box that it closes gets no
// further answer.
void beforeEachAnswer(std::function<void(QMessageBox&)> act);
