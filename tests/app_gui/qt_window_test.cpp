// What only the Qt backend has: the layout's font and the tool's icon, the application-wide
// hourglass, message boxes that Esc and the close box answer only where they may, windows
// centred over the active one, a list drawn a bounded number of times while start-up fills it,
// and the program's end. The portable window tests (main_window_test.cpp) run here too, under
// Qt's offscreen platform and, through run_qt_on_display.sh, on X11 and Wayland.

#include <gtest/gtest.h>
#include <unistd.h>
#include <QApplication>
#include <QPushButton>
#include <QTest>
#include <QTreeWidget>
#include <cstdlib>
#include <string>
#include <vector>

#include "app/msg_box_form.h"
#include "app/qt/desktop_identity.h"
#include "tests/app/app_fixture.h"
#include "tests/app_gui/qt_user_actions.h"
#include "toolkit/ui/qt/qt_list_view.h"
#include "toolkit/ui/qt/qt_window.h"

namespace {

QWidget& widgetOf(Window& window) {
    return dynamic_cast<QtWindow&>(window).widget();
}

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

using QtWindowTest = MainWindowTest;

TEST_F(QtWindowTest, LayoutsFontTheToolsIconAndTheHourglassTakenBackAfterTheRun) {
    startWithThreeFolders();
    QWidget& widget = widgetOf(window());
    EXPECT_EQ(widget.size(), QSize(490, 388));
    EXPECT_EQ(widget.findChild<QPushButton*>("cmdGather")->font().pointSizeF(), 8.0);
    EXPECT_TRUE(widget.windowIcon().availableSizes().contains(QSize(16, 16)));
    clickButton(cmdGather());
    EXPECT_EQ(QApplication::overrideCursor(), nullptr);
}

// Regression: Esc on "Error reading from File" answered Abort and ended the program, and Esc on
// the tick question answered No. Only a box with OK alone may be answered by Esc or its close
// box; any other box stays open until a button is pressed.
TEST_F(QtWindowTest, EscAndTheCloseBoxAnswerOnlyABoxWithOkAlone) {
    start();
    const struct {
        MsgButtons buttons;
        MsgAnswer pressedAfter;  // OK: Esc or the close box answered
    } cases[] = {
        {MsgButtons::OK, MsgAnswer::OK},
        {MsgButtons::YesNo, MsgAnswer::Yes},
        {MsgButtons::AbortRetryIgnore, MsgAnswer::Retry},
    };
    for (const auto& c : cases) {
        for (const bool byEsc : {true, false}) {
            beforeEachAnswer([byEsc](QMessageBox& box) {
                if (!byEsc)
                    box.close();
                else
                    QTest::keyClick(box.focusWidget() ? box.focusWidget() : &box, Qt::Key_Escape);
            });
            if (c.buttons != MsgButtons::OK)
                planAnswer(c.pressedAfter);
            EXPECT_EQ(MsgBox("Go on?", c.buttons), c.pressedAfter);
        }
    }
    EXPECT_EQ(boxesSeen().size(), 6u);
}

// Where the program alone places its windows (give or take the frame's edge); a window manager
// may place them elsewhere.
TEST_F(QtWindowTest, MessageWindowOpensCentredOverTheActiveWindow) {
    if (QGuiApplication::platformName() != QStringLiteral("offscreen"))
        GTEST_SKIP() << "the window manager places the windows";
    start();
    QWidget& owner = widgetOf(window());
    owner.activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(&owner));
    frmMsgBox box;
    box.show();
    const QPoint offCentre =
        widgetOf(box.window()).frameGeometry().center() - owner.frameGeometry().center();
    EXPECT_LE(offCentre.manhattanLength(), 4);
}

// The walk yields before every folder; were the list drawn at each yield, start-up would grow
// with the square of the folders.
TEST_F(QtWindowTest, StartUpRedrawsTheFolderListABoundedNumberOfTimes) {
    for (int i = 0; i < 400; ++i)
        folder.makeFolder("many/" + std::to_string(i));
    setProductFoldersForTesting(std::vector<std::string>{folder.file("many")});
    PaintCounter counter;
    start([&] {
        dynamic_cast<QtListView&>(lvFolders()).widget().viewport()->installEventFilter(&counter);
    });
    EXPECT_EQ(lvFolders().ListItems().Count(), 401);
    EXPECT_LE(counter.paints, 3);
}

// Each way out ends the process, so each is taken in a death test's forked child. That child
// lacks the threads that painting and the exit handlers wait for: it paints nothing, and the
// exit handler registered last runs first and ends it at once.
TEST_F(QtWindowTest, ExitAndTheCloseBoxEndTheProgram) {
    start();
    widgetOf(window()).setUpdatesEnabled(false);
    const auto endAtOnce = [] { std::atexit([] { _exit(0); }); };
    EXPECT_EXIT((endAtOnce(), clickButton(control<Button>("cmdExit"))),
                ::testing::ExitedWithCode(0), "");
    EXPECT_EXIT((endAtOnce(), widgetOf(window()).close()), ::testing::ExitedWithCode(0), "");
}

}  // namespace

int main(int argc, char** argv) {
    QApplication application(argc, argv);
    identifyToDesktop();
    ::testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}
