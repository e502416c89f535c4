#include "tests/app_gui/qt_user_actions.h"

#include <QAbstractButton>
#include <QApplication>
#include <QDir>
#include <QStyle>
#include <QStyleOptionViewItem>
#include <QTest>
#include <memory>
#include <utility>

#include "tests/app_gui/backend_under_test.h"
#include "toolkit/ui/qt/qt_controls.h"
#include "toolkit/ui/qt/qt_list_view.h"
#include "toolkit/ui/qt/qt_ui.h"
#include "toolkit/ui/qt/qt_window.h"

namespace {

// The buttons a box may have, in the order of their answers' values.
const std::pair<QMessageBox::StandardButton, MsgAnswer> kButtons[] = {
    {QMessageBox::Ok, MsgAnswer::OK},         {QMessageBox::Cancel, MsgAnswer::Cancel},
    {QMessageBox::Abort, MsgAnswer::Abort},   {QMessageBox::Retry, MsgAnswer::Retry},
    {QMessageBox::Ignore, MsgAnswer::Ignore}, {QMessageBox::Yes, MsgAnswer::Yes},
    {QMessageBox::No, MsgAnswer::No},
};

std::unique_ptr<MessageBoxAnswerer>& answerer() {
    static std::unique_ptr<MessageBoxAnswerer> installed;
    return installed;
}

QTreeWidget& treeOf(ListView& view) {
    return dynamic_cast<QtListView&>(view).widget();
}

QWidget& widgetOf(Window& window) {
    return dynamic_cast<QtWindow&>(window).widget();
}

}  // namespace

MessageBoxAnswerer::MessageBoxAnswerer() {
    timer_.setInterval(20);
    QObject::connect(&timer_, &QTimer::timeout, [this] { answerOpenBox(); });
    timer_.start();
}

void MessageBoxAnswerer::answerOpenBox() {
    auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget());
    if (box == nullptr || !box->isVisible())
        return;
    BoxSeen shown{box->windowTitle().toStdString(),
                  box->text().toStdString(),
                  {},
                  MsgAnswer::Cancel,
                  box->icon() != QMessageBox::NoIcon};
    QAbstractButton* press = box->defaultButton();
    for (const auto& [standard, answer] : kButtons) {
        QAbstractButton* button = box->button(standard);
        if (button == nullptr)
            continue;
        shown.buttons.push_back(answer);
        if (button == box->defaultButton())
            shown.defaultButton = answer;
        if (!answers_.empty() && answers_.front() == answer)
            press = button;
    }
    seen_.push_back(shown);
    savePicture(*box, "message-box");
    if (onBox)
        onBox(*box);
    if (!box->isVisible())
        return;  // onBox has answered it already
    if (!answers_.empty())
        answers_.pop_front();
    if (press != nullptr)
        QTest::mouseClick(press, Qt::LeftButton);
    else
        box->reject();
}

MessageBoxAnswerer& messageBoxAnswerer() {
    return *answerer();
}

void savePicture(QWidget& widget, const QString& name) {
    const QString folder = qEnvironmentVariable("CR_SCREENSHOTS");
    if (folder.isEmpty())
        return;
    QDir().mkpath(folder);
    const QPixmap picture = widget.grab();
    const int dpi = qRound(96 * picture.devicePixelRatio());
    picture.save(QStringLiteral("%1/qt-%2-%3dpi.png").arg(folder, name).arg(dpi));
}

void installBackendUnderTest(std::function<void()> atFirstYield) {
    installUi(std::make_unique<BackendUnderTest<QtUi>>(std::move(atFirstYield)));
    answerer() = std::make_unique<MessageBoxAnswerer>();
}

// Where a user clicks: on the row's check indicator.
void clickCheckBox(ListView& view, int row) {
    QTreeWidget& tree = treeOf(view);
    QStyleOptionViewItem option;
    option.initFrom(&tree);
    option.rect = tree.visualItemRect(tree.topLevelItem(row - 1));
    option.features = QStyleOptionViewItem::HasCheckIndicator;
    const QRect indicator =
        tree.style()->subElementRect(QStyle::SE_ItemViewItemCheckIndicator, &option, &tree);
    QTest::mouseClick(tree.viewport(), Qt::LeftButton, {}, indicator.center());
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

void makeTaller(Window& window, int twips) {
    QWidget& widget = widgetOf(window);
    widget.resize(widget.width(), widget.height() + twips / kTwipsPerPixel);
}

bool isShown(Window& window) {
    return widgetOf(window).isVisible();
}

void photograph(Window& window, const std::string& state) {
    savePicture(widgetOf(window), QString::fromStdString(state));
}

void planAnswer(MsgAnswer answer) {
    answerer()->plan(answer);
}

std::vector<BoxSeen> boxesSeen() {
    return answerer()->seen();
}
