#include "tests/app_gui/qt_message_box_answerer.h"

#include <QAbstractButton>
#include <QApplication>
#include <QPushButton>
#include <QTest>

MessageBoxAnswerer::MessageBoxAnswerer() {
    timer_.setInterval(20);
    QObject::connect(&timer_, &QTimer::timeout, [this] { answerOpenBox(); });
    timer_.start();
}

void MessageBoxAnswerer::answerOpenBox() {
    auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget());
    if (box == nullptr || !box->isVisible())
        return;
    Seen shown{box->windowTitle(), box->text(), {}, {}, box->icon() != QMessageBox::NoIcon};
    for (QAbstractButton* button : box->buttons())
        shown.buttons << button->text().remove('&');
    if (box->defaultButton() != nullptr)
        shown.defaultButton = box->defaultButton()->text().remove('&');
    seen_.push_back(shown);
    if (onBox)
        onBox(*box);
    if (!box->isVisible())
        return;  // onBox has answered it already
    QAbstractButton* press = box->escapeButton();
    if (!answers_.empty()) {
        press = box->button(answers_.front());
        answers_.pop_front();
    }
    if (press != nullptr)
        QTest::mouseClick(press, Qt::LeftButton);
    else
        box->reject();
}
