#pragma once

#include <QMessageBox>
#include <QString>
#include <functional>

// What the Qt tests add to the user actions of tests/app/user_actions.h.

// Runs `act` on each message box before it is answered; a box that it closes gets no
// further answer.
void beforeEachAnswer(std::function<void(QMessageBox&)> act);
// Saves a picture of the widget into $CR_SCREENSHOTS, when that is set.
void savePicture(QWidget& widget, const QString& name);
