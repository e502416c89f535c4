#pragma once

#include <QMessageBox>
#include <QString>
#include <QTimer>
#include <deque>
#include <functional>
#include <vector>

#include "tests/app/user_actions.h"

// Answers the application's modal message boxes as a user would: it watches for the next one,
// notes what it shows and presses the button planned for it, or else its default button.
class MessageBoxAnswerer {
public:
    MessageBoxAnswerer();
    void plan(MsgAnswer answer) { answers_.push_back(answer); }
    const std::vector<BoxSeen>& seen() const { return seen_; }
    // Called with each box before it is answered; a box that it closes gets no further answer.
    std::function<void(QMessageBox&)> onBox;

private:
    void answerOpenBox();

    QTimer timer_;
    std::deque<MsgAnswer> answers_;
    std::vector<BoxSeen> seen_;
};

// The answerer of the backend under test.
MessageBoxAnswerer& messageBoxAnswerer();
// Saves a picture of the widget into $CR_SCREENSHOTS, when that is set.
void savePicture(QWidget& widget, const QString& name);
