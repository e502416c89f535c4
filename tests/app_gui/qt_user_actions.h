#pragma once

#include <QMessageBox>
#include <functional>

// What the Qt tests add to the user actions of tests/app/user_actions.h.

// Runs `act` on each message box before it is answered; a box that it closes gets no
// further answer.
void beforeEachAnswer(std::function<void(QMessageBox&)> act);
