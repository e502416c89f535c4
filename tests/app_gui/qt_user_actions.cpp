#include "tests/app_gui/qt_user_actions.h"

#include <QAbstractButton>
#include <QApplication>
#include <QTest>
#include <QTimer>
#include <QWindow>
#include <chrono>
#include <deque>
#include <memory>
#include <utility>

#include "tests/app/user_actions.h"
#include "toolkit/ui/qt/qt_controls.h"
#include "toolkit/ui/qt/qt_list_view.h"
#include "toolkit/ui/qt/qt_ui.h"
#include "toolkit/ui/qt/qt_window.h"
#include "toolkit/ui/redraw_pacer.h"

namespace {

// The buttons a box may have, in the order of their answers' values.
const std::pair<QMessageBox::StandardButton, MsgAnswer> kButtons[] = {
    {QMessageBox::Ok, MsgAnswer::OK},       {QMessageBox::Abort, MsgAnswer::Abort},
    {QMessageBox::Retry, MsgAnswer::Retry}, {QMessageBox::Ignore, MsgAnswer::Ignore},
    {QMessageBox::Yes, MsgAnswer::Yes},     {QMessageBox::No, MsgAnswer::No},
};

// The answers planned, what the boxes showed, and what runs before each answer.
std::deque<MsgAnswer> planned;
std::vector<BoxSeen> seen;
std::function<void(QMessageBox&)> beforeAnswer;

// Answers the open modal message box as a user would: notes what it shows and presses the
// button planned for it, or else its default button. A window manager may still move a box
// that is not yet exposed, and a click would then land beside its button.
void answerOpenBox() {
    auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget());
    if (box == nullptr || !box->isVisible() || !box->windowHandle()->isExposed())
        return;
    BoxSeen shown{box->windowTitle().toStdString(),
                  box->text().toStdString(),
                  {},
                  {},
                  box->icon() != QMessageBox::NoIcon};
    QAbstractButton* press = box->defaultButton();
    for (const auto& [standard, answer] : kButtons) {
        QAbstractButton* button = box->button(standard);
        if (button == nullptr)
            continue;
        shown.buttons.push_back(answer);
        if (button == box->defaultButton())
            shown.defaultButton = answer;
        if (!planned.empty() && planned.front() == answer)
            press = button;
    }
    seen.push_back(shown);
    if (beforeAnswer)
        beforeAnswer(*box);
    if (!box->isVisible())
        return;
    if (!planned.empty())
        planned.pop_front();
    QTest::mouseClick(press, Qt::LeftButton);
}

// The Qt backend with a clock that stands still, so that only its first yield and those that
// follow a change of what a window shows handle events, and which runs `atFirstYield` at its
// first yield.
class BackendUnderTest : public QtUi {
public:
    explicit BackendUnderTest(std::function<void()> atFirstYield)
        : QtUi(RedrawPacer([] { return std::chrono::steady_clock::time_point{}; })),
          atFirstYield_(std::move(atFirstYield)) {}
    void DoEvents() override {
        if (auto act = std::exchange(atFirstYield_, nullptr))
            act();
        QtUi::DoEvents();
    }

private:
    std::function<void()> atFirstYield_;
};

// Counts the paints of a widget.
class PaintCounter : public QObject {
public:
    int paints = 0;

protected:
    bool eventFilter(QObject*, QEvent* event) override {
        paints += event->type() == QEvent::Paint;
        return false;
    }
};

// The paints the widget receives from now on.
const int& paintsOf(QWidget& widget) {
    static PaintCounter counter;
    counter.paints = 0;
    widget.installEventFilter(&counter);
    return counter.paints;
}

QTreeWidget& treeOf(ListView& view) {
    return dynamic_cast<QtListView&>(view).widget();
}

}  // namespace

QWidget& widgetOf(Window& window) {
    return dynamic_cast<QtWindow&>(window).widget();
}

void beforeEachAnswer(std::function<void(QMessageBox&)> act) {
    beforeAnswer = std::move(act);
}

// A timer looks for a box while the box's own event loop runs.
void installBackendUnderTest(std::function<void()> atFirstYield) {
    static QTimer* const watch = [] {
        auto* timer = new QTimer(QCoreApplication::instance());
        QObject::connect(timer, &QTimer::timeout, answerOpenBox);
        timer->start(20);
        return timer;
    }();
    (void)watch;
    installUi(std::make_unique<BackendUnderTest>(std::move(atFirstYield)));
    planned.clear();
    seen.clear();
    beforeAnswer = nullptr;
}

// The user makes the row current and presses Space, which turns its check box over.
void toggleCheckBox(ListView& view, int row) {
    QTreeWidget& tree = treeOf(view);
    tree.setCurrentItem(tree.topLevelItem(row - 1));
    QTest::keyClick(&tree, Qt::Key_Space);
}

bool tickShown(ListView& view, int row) {
    return treeOf(view).topLevelItem(row - 1)->checkState(0) == Qt::Checked;
}

void clickButton(Button& button, int mouseButton) {
    const Qt::MouseButton pressed = mouseButton == kRightButton    ? Qt::RightButton
                                    : mouseButton == kMiddleButton ? Qt::MiddleButton
                                                                   : Qt::LeftButton;
    QTest::mouseClick(&dynamic_cast<QtButton&>(button).widget(), pressed);
}

bool isShown(Window& window) {
    return widgetOf(window).isVisible();
}

void closeByUser(Window& window) {
    widgetOf(window).close();
}

const int& paintsOf(ListView& view) {
    return paintsOf(*treeOf(view).viewport());
}

void waitHandlingEvents(std::chrono::milliseconds time) {
    QTest::qWait(static_cast<int>(time.count()));
}

void planAnswer(MsgAnswer answer) {
    planned.push_back(answer);
}

std::vector<BoxSeen> boxesSeen() {
    return seen;
}
