#pragma once

#include <QMessageBox>
#include <QString>
#include <QTimer>
#include <deque>
#include <functional>
#include <vector>

// Answers the application's modal message boxes as a user would: it watches for the next one,
// notes what it shows and presses the button planned for it. A box that comes without a
// planned answer is noted and closed with its escape button, so a test never hangs on it.
class MessageBoxAnswerer {
public:
    struct Seen {
        QString title;
        QString text;
        QStringList buttons;
        QString defaultButton;
        bool hasIcon = false;
    };

    MessageBoxAnswerer();
    void plan(QMessageBox::StandardButton answer) { answers_.push_back(answer); }
    const std::vector<Seen>& seen() const { return seen_; }
    // Called with each box before it is answered (to take its picture, for instance); a box
    // that it closes gets no further answer.
    std::function<void(QMessageBox&)> onBox;

private:
    void answerOpenBox();

    QTimer timer_;
    std::deque<QMessageBox::StandardButton> answers_;
    std::vector<Seen> seen_;
};
