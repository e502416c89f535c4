// What only the Qt backend has: the layout's font and the tool's icon, windows centred over the
// active one, the application-wide hourglass, the folder list drawn a bounded number of times
// during start-up, message boxes that Esc and the close box answer only where they may, and the
// program's end. The portable window tests run here too, under Qt's offscreen platform and,
// through run_qt_on_display.sh, on X11 and Wayland.

#include <gtest/gtest.h>
#include <unistd.h>
#include <QApplication>
#include <QBackingStore>
#include <QHeaderView>
#include <QImage>
#include <QLabel>
#include <QListWidget>
#include <QPushButton>
#include <QTest>
#include <QTreeWidget>
#include <cstdlib>
#include <string>
#include <tuple>
#include <vector>

#include "app/msg_box_form.h"
#include "app/qt/desktop_identity.h"
#include "tests/app/app_fixture.h"
#include "tests/app_gui/qt_user_actions.h"
#include "toolkit/ui/ui.h"

namespace {

using QtWindowTest = MainWindowTest;

// A window that opens while another is active opens centred over it where the program alone
// places its windows (give or take the frame's edge); a window manager may place it elsewhere.
// The message window's label wraps its text and is painted in its own grey, not in the
// window's colour.
TEST_F(QtWindowTest, LayoutsFontTheToolsIconCentringTheLabelsGreyAndTheHourglassTakenBack) {
    Qt::CursorShape walkCursor = Qt::ArrowCursor;
    startWithThreeFolders([&walkCursor] {
        if (QApplication::overrideCursor() != nullptr)
            walkCursor = QApplication::overrideCursor()->shape();
    });
    EXPECT_EQ(walkCursor, Qt::WaitCursor);
    QWidget& owner = widgetOf(window());
    EXPECT_EQ(owner.size(), QSize(490, 388));
    EXPECT_EQ(owner.findChild<QPushButton*>("cmdGather")->font().pointSizeF(), 8.0);
    EXPECT_TRUE(owner.windowIcon().availableSizes().contains(QSize(16, 16)));
    EXPECT_EQ(QGuiApplication::desktopFileName(), "configreport");
    const bool programPlacesWindows = QGuiApplication::platformName() == "offscreen";
    if (programPlacesWindows) {
        owner.activateWindow();
        ASSERT_TRUE(QTest::qWaitForWindowActive(&owner));
    }
    frmMsgBox box;
    box.show();
    QWidget& form = widgetOf(box.window());
    const QPoint offCentre = form.frameGeometry().center() - owner.frameGeometry().center();
    if (programPlacesWindows) {
        EXPECT_LE(offCentre.manhattanLength(), 4);
        form.move(form.pos() + QPoint(40, 0));  // shown again, a window keeps its place
        const QPoint moved = form.pos();
        form.hide();
        box.show();
        EXPECT_EQ(form.pos(), moved);
    }
    EXPECT_TRUE(form.findChild<QLabel*>("lblText")->wordWrap());
    EXPECT_EQ(form.findChild<QLabel*>("lblText")->alignment(), Qt::AlignLeft | Qt::AlignTop);
    EXPECT_EQ(form.findChild<QLabel*>("lblText")->textFormat(), Qt::PlainText);
    const QImage picture = form.grab().toImage();
    const QPoint inLabel =
        form.findChild<QWidget*>("lblText")->geometry().bottomRight() - QPoint(2, 2);
    EXPECT_EQ(picture.pixelColor(inLabel * picture.devicePixelRatio()), QColor(192, 192, 192));
    const std::string saved = folder.file("window.png");  // a picture loads if it is one
    ASSERT_TRUE(picture.save(QString::fromStdString(saved)));
    EXPECT_NE(ui().LoadPicture(saved), nullptr);
    EXPECT_EQ(ui().LoadPicture(folder.file("missing.png")), nullptr);
    // A picture painted larger is scaled smoothly inside the box's border of two pixels: black
    // beside white blends through grey.
    QImage blackWhite(2, 1, QImage::Format_RGB32);
    blackWhite.setPixel(0, 0, qRgb(0, 0, 0));
    blackWhite.setPixel(1, 0, qRgb(255, 255, 255));
    ASSERT_TRUE(blackWhite.save(QString::fromStdString(folder.file("pair.png"))));
    PictureBox& pictureBox = box.window().addPictureBox("picPair", {0, 0, 900, 900});
    pictureBox.setAppearance(kAppearance3D);
    pictureBox.PaintPicture(ui().LoadPicture(folder.file("pair.png")), 0, 0, 36, 36);
    QWidget* pairBox = form.findChild<QWidget*>("picPair");
    EXPECT_EQ(pictureBox.ScaleWidth(), pairBox->width() - 4);
    const QImage painted = pairBox->grab().toImage();
    std::vector<int> reds;
    for (const int x : {3, 20, 36})
        reds.push_back(painted.pixelColor(QPoint(x, 20) * painted.devicePixelRatio()).red());
    EXPECT_TRUE(reds[0] < 60 && reds[1] > 60 && reds[1] < 195 && reds[2] > 195)
        << testing::PrintToString(reds);
    // The picture begins inside the border: its last row is the box's 38th, not the border's.
    const auto at = [&](int x, int y) {
        return painted.pixelColor(QPoint(x, y) * painted.devicePixelRatio());
    };
    EXPECT_EQ(at(20, 37), at(20, 20));
    // A picture larger than the box is cut at its border, which stays as it was.
    const QColor rightBorder = at(pairBox->width() - 1, 20);
    pictureBox.PaintPicture(ui().LoadPicture(folder.file("pair.png")), 0, 0, 400, 400);
    const QImage cut = pairBox->grab().toImage();
    EXPECT_EQ(cut.pixelColor(QPoint(pairBox->width() - 1, 20) * cut.devicePixelRatio()),
              rightBorder);
    // A label lies beneath the other controls, as it is drawn on the window itself: one added
    // after a button stacks below it (a parent's children run from the bottom up).
    box.window().addButton("cmdUnder", "x", {0, 1000, 900, 300});
    box.window().addLabel("lblOver", "over", {0, 1000, 900, 300});
    QWidget* under = form.findChild<QWidget*>("cmdUnder");
    const QObjectList& stack = under->parentWidget()->children();
    EXPECT_LT(stack.indexOf(form.findChild<QWidget*>("lblOver")), stack.indexOf(under));
    ui().setMousePointer(kPointerHourglass);  // asked for twice, taken back once
    ui().setMousePointer(kPointerHourglass);
    EXPECT_NE(QApplication::overrideCursor(), nullptr);
    clickButton(cmdGather());
    EXPECT_EQ(QApplication::overrideCursor(), nullptr);
}

// A row added holds the list's drawing until the pacer's interval has passed, so that a long
// walk does not lay the list out anew between its redraws. Its further columns show their texts,
// headers cleared leave one untitled column, and it looks like a Windows list view in its
// report view: no tree lines, the focus drawn across the row, columns that do not move.
TEST_F(QtWindowTest, AnAddedRowHoldsTheListsDrawingForAnInterval) {
    start();
    const auto* list = widgetOf(window()).findChild<QTreeWidget*>("lvFolders");
    lvFolders().ListItems().Add("row").ListSubItems().Add("1,024");
    EXPECT_EQ(list->topLevelItem(0)->text(1), "1,024");
    lvFolders().ColumnHeaders().Clear();
    lvFolders().ColumnHeaders().Add("Name");
    lvFolders().ColumnHeaders().Add("Size");
    EXPECT_EQ(list->headerItem()->text(0) + "," + list->headerItem()->text(1), "Name,Size");
    lvFolders().ColumnHeaders().Clear();
    EXPECT_EQ(list->columnCount(), 1);
    EXPECT_EQ((std::vector<bool>{list->rootIsDecorated(), list->allColumnsShowFocus(),
                                 list->header()->sectionsMovable(),
                                 list->header()->stretchLastSection()}),
              (std::vector<bool>{false, true, false, true}));
    EXPECT_FALSE(list->updatesEnabled());
    EXPECT_TRUE(waitHandlingEventsUntil([list] { return list->updatesEnabled(); }));
}

// Regression: the walk yields before each folder it adds, and each yield drew the whole growing
// list, so that start-up grew with the square of the folders (20 ms a folder under Wine).
TEST_F(QtWindowTest, StartUpDrawsTheFolderListABoundedNumberOfTimesThenByItself) {
    for (int i = 0; i < 400; ++i)
        folder.makeFolder("many/" + std::to_string(i));
    setProductFoldersForTesting(std::vector<std::string>{folder.file("many")});
    const int* paints = nullptr;
    start([&] { paints = &paintsOf(lvFolders()); });
    EXPECT_EQ(lvFolders().ListItems().Count(), 401);
    EXPECT_LE(*paints, 3);
    const int paintsDuringRows = *paints;
    EXPECT_TRUE(waitHandlingEventsUntil([&] { return *paints > paintsDuringRows; }));
}

// Regression: the report run's three yields after it arranged the report view fell within the
// pacer's interval after its first yield and did nothing, so the folder list stayed on the
// screen under the hourglass for the whole run; and a folder list hidden while its drawing was
// held stayed on the window. When the process listing begins, the window's painted picture (its
// backing store, which the screen shows) is the window as its controls now are.
TEST_F(QtWindowTest, TheReportViewIsOnTheScreenWhenTheLongWorkBegins) {
    startWithThreeFolders();
    QWidget& form = widgetOf(window());
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&form));
    std::vector<bool> shown;
    std::string text;
    QImage painted, asNow;
    QObject::connect(
        form.findChild<QListWidget*>("lstApps")->model(), &QAbstractItemModel::modelAboutToBeReset,
        &form,
        [&] {
            shown = view();
            text = control<RichTextBox>("txtInfo").Text();
            asNow = form.grab().toImage();
            const QPaintDevice* device = form.backingStore()->paintDevice();
            if (device != nullptr && device->devType() == QInternal::Image)
                painted = static_cast<const QImage*>(device)->copy(asNow.rect());
        },
        Qt::SingleShotConnection);
    clickButton(cmdGather());
    EXPECT_EQ(shown, (std::vector<bool>{true, false, true, true, true, true, true, false}));
    EXPECT_EQ(text, "Please Wait...");
    ASSERT_FALSE(painted.isNull());
    EXPECT_TRUE(painted.convertToFormat(asNow.format()) == asNow);
}

// What the window's backing store, the picture the screen shows, holds now: null where the
// platform paints elsewhere.
QImage paintedPicture(QWidget& form) {
    const QPaintDevice* device = form.backingStore()->paintDevice();
    if (device == nullptr || device->devType() != QInternal::Image)
        return QImage();
    return static_cast<const QImage*>(device)->copy(form.grab().toImage().rect());
}

// Between two yields on a still clock only a change of what the window shows has the second one
// redraw: each such change marks the window changed, or it would stay off the screen until the
// pacer's interval had passed.
TEST_F(QtWindowTest, EachChangeOfWhatTheWindowShowsIsOnTheScreenAfterTheNextYield) {
    start();
    QWidget& form = widgetOf(window());
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&form));
    QImage red(4, 4, QImage::Format_RGB32);
    red.fill(Qt::red);
    ASSERT_TRUE(red.save(QString::fromStdString(folder.file("red.png"))));
    PictureBox& pictureBox = window().addPictureBox("picRed", {0, 0, 600, 600});
    pictureBox.setVisible(true);
    // The labels and lists of the report's view are hidden until they are shown.
    const std::pair<const char*, std::function<void()>> changes[] = {
        {"hidden", [this] { lvFolders().setVisible(false); }},
        {"shown",
         [this] {
             for (const char* name : {"Label1(0)", "Label1(1)", "lstApps"})
                 window().find(name)->setVisible(true);
         }},
        {"button caption", [this] { cmdGather().setCaption("Another caption"); }},
        {"label caption", [this] { control<Label>("Label1(1)").setCaption("Another label"); }},
        {"text", [this] { control<RichTextBox>("txtInfo").setText("Another text"); }},
        {"disabled", [this] { cmdGather().setEnabled(false); }},
        {"moved",
         [this] {
             lstApps().setBounds({180, 3330, 3000, 1035});
         }},
        {"colour",
         [this] {
             control<Label>("Label1(0)").setBackColor({255, 0, 0});
         }},
        {"picture painted",
         [&] { pictureBox.PaintPicture(ui().LoadPicture(folder.file("red.png")), 0, 0, 20, 20); }},
        {"picture set", [&] { pictureBox.setPicture(ui().LoadPicture(folder.file("red.png"))); }},
    };
    for (const auto& [what, change] : changes) {
        ui().DoEvents();
        change();
        ui().DoEvents();
        const QImage painted = paintedPicture(form);
        if (painted.isNull())
            GTEST_SKIP() << "the platform paints the window elsewhere";
        EXPECT_TRUE(painted.convertToFormat(QImage::Format_RGB32) ==
                    form.grab().toImage().convertToFormat(QImage::Format_RGB32))
            << what;
    }
}

// Regression: Esc on "Error reading from File" answered Abort and ended the program, and Esc on
// the tick question answered No. Only a box with OK alone may be answered by Esc or its close
// box; any other box stays open until a button is pressed.
TEST_F(QtWindowTest, EscAndTheCloseBoxAnswerOnlyABoxWithOkAlone) {
    start();
    // The answer pressed after Esc or the close box; OK where they answered the box.
    const std::tuple<MsgButtons, MsgAnswer> cases[] = {
        {MsgButtons::OK, MsgAnswer::OK},
        {MsgButtons::YesNo, MsgAnswer::Yes},
        {MsgButtons::AbortRetryIgnore, MsgAnswer::Retry},
    };
    std::vector<bool> dismissed;
    for (const auto& [buttons, pressedAfter] : cases) {
        for (const bool byEsc : {true, false}) {
            beforeEachAnswer([byEsc, &dismissed](QMessageBox& box) {
                if (!byEsc)
                    box.close();
                else
                    QTest::keyClick(box.focusWidget() ? box.focusWidget() : &box, Qt::Key_Escape);
                dismissed.push_back(!box.isVisible());
            });
            if (buttons != MsgButtons::OK)
                planAnswer(pressedAfter);
            EXPECT_EQ(MsgBox("Go on?", buttons), pressedAfter);
        }
    }
    EXPECT_EQ(dismissed, (std::vector<bool>{true, true, false, false, false, false}));
}

// A message names folders and files as they are, and a name may look like markup.
TEST_F(QtWindowTest, AMessageShowsItsTextAsWritten) {
    start();
    Qt::TextFormat format = Qt::AutoText;
    beforeEachAnswer([&format](QMessageBox& box) {
        if (const auto* label = box.findChild<QLabel*>("qt_msgbox_label"))
            format = label->textFormat();
    });
    MsgBox("/home/<b>bob</b> & <i>co</i>", MsgButtons::OK);
    EXPECT_EQ(format, Qt::PlainText);
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
