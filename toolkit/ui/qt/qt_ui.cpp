#include "toolkit/ui/qt/qt_ui.h"

#include <QApplication>
#include <QCloseEvent>
#include <QKeyEvent>
#include <QMessageBox>
#include <QPushButton>
#include <cstdlib>
#include <utility>
#include <vector>

#include "toolkit/ui/qt/qt_picture.h"
#include "toolkit/ui/qt/qt_window.h"

namespace {

struct ButtonAnswer {
    QMessageBox::StandardButton button;
    MsgAnswer answer;
};

// The buttons of a box in the order they stand on it.
std::vector<ButtonAnswer> buttonsOf(MsgButtons buttons) {
    switch (buttons) {
        case MsgButtons::YesNo:
            return {{QMessageBox::Yes, MsgAnswer::Yes}, {QMessageBox::No, MsgAnswer::No}};
        case MsgButtons::AbortRetryIgnore:
            return {{QMessageBox::Abort, MsgAnswer::Abort},
                    {QMessageBox::Retry, MsgAnswer::Retry},
                    {QMessageBox::Ignore, MsgAnswer::Ignore}};
        case MsgButtons::OK:
            break;
    }
    return {{QMessageBox::Ok, MsgAnswer::OK}};
}

QMessageBox::Icon iconOf(MsgIcon icon) {
    switch (icon) {
        case MsgIcon::Exclamation:
            return QMessageBox::Warning;
        case MsgIcon::Critical:
            return QMessageBox::Critical;
        case MsgIcon::Information:
            return QMessageBox::Information;
        case MsgIcon::Question:
            return QMessageBox::Question;
        case MsgIcon::None:
            break;
    }
    return QMessageBox::NoIcon;
}

// A Windows message box without a Cancel button cannot be dismissed: Esc and the close box do
// nothing, except on a box with OK alone, where both answer OK. Left to itself, Qt would pick an
// escape button (No, Abort) and answer it.
// https://learn.microsoft.com/windows/win32/api/winuser/nf-winuser-messagebox
class MessageBoxWithoutCancel : public QMessageBox {
public:
    using QMessageBox::QMessageBox;
    // Whether Esc and the close box answer the box's one button.
    void setDismissable(bool dismissable) { dismissable_ = dismissable; }

protected:
    void keyPressEvent(QKeyEvent* event) override {
        if (!dismissable_ && event->matches(QKeySequence::Cancel))
            return;
        QMessageBox::keyPressEvent(event);
    }
    void closeEvent(QCloseEvent* event) override {
        if (!dismissable_) {
            event->ignore();
            return;
        }
        QMessageBox::closeEvent(event);
    }

private:
    bool dismissable_ = true;
};

}  // namespace

MsgAnswer QtUi::showMessageBox(const MessageBoxRequest& request) {
    MessageBoxWithoutCancel box(iconOf(request.icon), QString::fromStdString(request.title),
                                QString::fromStdString(request.text), QMessageBox::NoButton,
                                QApplication::activeWindow());
    box.setTextFormat(Qt::PlainText);
    box.setDismissable(request.buttons == MsgButtons::OK);
    const std::vector<ButtonAnswer> buttons = buttonsOf(request.buttons);
    for (const ButtonAnswer& button : buttons)
        box.addButton(button.button);
    // A default position the box does not have falls back to its first button.
    const int position = request.defaultButton;
    const bool known = position >= 1 && position <= static_cast<int>(buttons.size());
    box.setDefaultButton(buttons[known ? static_cast<size_t>(position - 1) : 0].button);
    const auto pressed = static_cast<QMessageBox::StandardButton>(box.exec());
    for (const ButtonAnswer& button : buttons) {
        if (button.button == pressed)
            return button.answer;
    }
    return MsgAnswer::Cancel;
}

// The pacer decides which yields handle events (redraw_pacer.h). Timers run only when a redraw
// is due: an item view lays out all its rows on a timer after each row added, so a walk that
// adds a row between yields would otherwise lay out the whole growing list at every one. A
// changed widget posts its window one UpdateRequest, so one processEvents() paints every
// control shown, hidden or changed before the yield and puts the window on the screen.
void QtUi::DoEvents() {
    pacer_.yield([] { QApplication::processEvents(QEventLoop::X11ExcludeTimers); },
                 [] { QApplication::processEvents(); });
}

// The hourglass stands for the whole program, over every window, until it is taken back.
void QtUi::setMousePointer(int pointer) {
    const bool wasWaiting = pointer_ == kPointerHourglass;
    if (pointer != pointer_)
        RedrawPacer::markWindowChanged();
    pointer_ = pointer;
    if (pointer == kPointerHourglass && !wasWaiting)
        QApplication::setOverrideCursor(Qt::WaitCursor);
    else if (pointer != kPointerHourglass && wasWaiting)
        QApplication::restoreOverrideCursor();
}

std::unique_ptr<Window> QtUi::createWindow() {
    return std::make_unique<QtWindow>();
}

std::shared_ptr<const Picture> QtUi::LoadPicture(const std::string& fileName) {
    return loadQtPicture(fileName);
}

void QtUi::endProgram(int exitCode) {
    std::exit(exitCode);
}
