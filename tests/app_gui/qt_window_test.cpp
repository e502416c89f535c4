// The Linux window through real clicks and keys, under Qt's offscreen platform and, through
// run_qt_on_display.sh, on X11 and Wayland. Each test starts the tool's window on a temporary
// tool folder with a small product tree, and saves a picture of each state it reaches into
// $CR_SCREENSHOTS when that is set.

#include <sys/wait.h>
#include <unistd.h>
#include <QDir>
#include <QLabel>
#include <QListWidget>
#include <QPushButton>
#include <QStyle>
#include <QStyleOptionViewItem>
#include <QTest>
#include <QTextEdit>
#include <QTreeWidget>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <functional>
#include <memory>
#include <string>
#include <utility>
#include <vector>

#include "app/batch_run.h"
#include "app/frm_report_configuration.h"
#include "app/msg_box_form.h"
#include "app/qt/desktop_identity.h"
#include "report/candidate_folders.h"
#include "report/document_launcher.h"
#include "tests/app_gui/qt_message_box_answerer.h"
#include "tests/support/temp_folder.h"
#include "toolkit/program_state.h"
#include "toolkit/ui/application.h"
#include "toolkit/ui/qt/qt_ui.h"
#include "toolkit/ui/qt/qt_window.h"

namespace {

// A window manager on a busy machine may take some seconds to map the first window.
constexpr int kExposeTimeoutMs = 30000;

const QString kRuleTitle = "All Paths should be Ticked";
const QString kRuleText =
    "Please leave all checkboxes ticked in order to get\r\n"
    "an accurate picture of what the problem may be.\r\n\r\n"
    "Do you want to leave all items ticked?";

QWidget& widgetOf(Window& window) {
    return dynamic_cast<QtWindow&>(window).widget();
}

void saveScreenshot(QWidget& widget, const QString& name) {
    const QString folder = qEnvironmentVariable("CR_SCREENSHOTS");
    if (folder.isEmpty())
        return;
    QDir().mkpath(folder);
    const QPixmap picture = widget.grab();
    const int dpi = qRound(96 * picture.devicePixelRatio());
    picture.save(QStringLiteral("%1/qt-%2-%3dpi.png").arg(folder, name).arg(dpi));
}

// Clicks the check box of `row` where a user would: on its indicator.
void clickCheckBox(QTreeWidget& tree, int row) {
    QStyleOptionViewItem option;
    option.initFrom(&tree);
    option.rect = tree.visualItemRect(tree.topLevelItem(row));
    option.features = QStyleOptionViewItem::HasCheckIndicator;
    const QRect indicator =
        tree.style()->subElementRect(QStyle::SE_ItemViewItemCheckIndicator, &option, &tree);
    QTest::mouseClick(tree.viewport(), Qt::LeftButton, {}, indicator.center());
}

// A Qt backend whose first yield runs what the user does then, and whose clock stands still,
// so that only the first yield may redraw.
class StillClockQtUi : public QtUi {
public:
    explicit StillClockQtUi(std::function<void()> atFirstYield = nullptr)
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

std::vector<bool> checks(const QTreeWidget& tree) {
    std::vector<bool> states;
    for (int row = 0; row < tree.topLevelItemCount(); ++row)
        states.push_back(tree.topLevelItem(row)->checkState(0) == Qt::Checked);
    return states;
}

}  // namespace

class QtWindowTest : public QObject {
    Q_OBJECT

private slots:
    void init();
    void cleanup();
    void exitAndTheCloseBoxEndTheProgram();
    void startUpShowsIntroductionWithEveryFolderTicked();
    void userTickAsksToKeepEveryFolderTicked();
    void rightButtonOnResetTogglesAllWithoutAsking();
    void createReportShowsReportViewAndWritesReport();
    void msgBoxFollowsItsWindowSize();
    void escAndCloseBoxAnswerOnlyABoxWithOkAlone();
    void userActionsDuringStartUpReachNoHandler();
    void startUpRedrawsTheFolderListABoundedNumberOfTimes();

private:
    // A new window, shown before it loads as the tool starts it, on `ui`.
    void startShownOn(std::unique_ptr<QtUi> ui);
    template <typename T>
    T& control(const char* name) {
        T* found = widgetOf(form_->window()).findChild<T*>(name);
        if (found == nullptr)
            qFatal("no control %s", name);
        return *found;
    }

    std::unique_ptr<TempFolder> folder_;
    std::unique_ptr<MessageBoxAnswerer> answerer_;
    std::unique_ptr<frmReportConfiguration> form_;
    std::vector<std::string> launched_;
};

void QtWindowTest::init() {
    folder_ = std::make_unique<TempFolder>();
    App().Path = folder_->path();
    folder_->write("products/Alpha/alpha.ini", "[alpha]\r\nmode=1\r\n");
    folder_->makeFolder("products/Alpha/Data");
    folder_->write("products/Beta/beta.log", "started\r\n");
    setProductFoldersForTesting(
        std::vector<std::string>{folder_->file("products/Alpha"), folder_->file("products/Beta")});
    launched_.clear();
    setDocumentLauncherForTesting([this](const std::string& file, const std::string&) {
        launched_.push_back(file);
        return 33;
    });
    identifyToDesktop();
    installUi(std::make_unique<QtUi>());
    answerer_ = std::make_unique<MessageBoxAnswerer>();
    form_ = std::make_unique<frmReportConfiguration>();
    form_->Form_Load();
    form_->window().show();
    QVERIFY(QTest::qWaitForWindowExposed(&widgetOf(form_->window()), kExposeTimeoutMs));
}

void QtWindowTest::cleanup() {
    form_.reset();
    answerer_.reset();
    setDocumentLauncherForTesting(nullptr);
    setProductFoldersForTesting(std::nullopt);
    folder_.reset();
}

void QtWindowTest::startUpShowsIntroductionWithEveryFolderTicked() {
    QWidget& window = widgetOf(form_->window());
    const AppObject& app = App();
    QCOMPARE(window.windowTitle(), QStringLiteral("Configuration Report - v%1.%2   (build %3)")
                                       .arg(app.Major)
                                       .arg(app.Minor)
                                       .arg(app.Revision));
    QCOMPARE(window.size(), QSize(490, 388));
    QCOMPARE(control<QPushButton>("cmdGather").font().pointSizeF(), 8.0);  // as laid out
    QVERIFY(window.windowIcon().availableSizes().contains(QSize(16, 16)));

    auto& folders = control<QTreeWidget>("lvFolders");
    QCOMPARE(folders.headerItem()->text(0), QStringLiteral("List of Folders to Examine"));
    QCOMPARE(folders.topLevelItemCount(), 3);  // Alpha, Alpha/Data, Beta
    QCOMPARE(checks(folders), std::vector<bool>(3, true));
    QVERIFY(folders.isVisible());

    auto& info = control<QTextEdit>("txtInfo");
    QVERIFY(info.isVisible());
    QVERIFY(info.toPlainText().startsWith("This program gathers information from your"));
    for (const char* hidden : {"lstApps", "lstFiles", "lstDrives"})
        QVERIFY2(!control<QListWidget>(hidden).isVisible(), hidden);
    QVERIFY(!control<QLabel>("Label1(0)").isVisible());
    QVERIFY(!control<QLabel>("Label1(1)").isVisible());
    QCOMPARE(control<QPushButton>("cmdExit").text(), QStringLiteral("E&xit"));
    QVERIFY(control<QPushButton>("cmdGather").isEnabled());
    saveScreenshot(window, "introduction");
}

void QtWindowTest::userTickAsksToKeepEveryFolderTicked() {
    auto& folders = control<QTreeWidget>("lvFolders");
    answerer_->onBox = [](QMessageBox& box) { saveScreenshot(box, "keep-ticked-question"); };

    answerer_->plan(QMessageBox::No);
    clickCheckBox(folders, 1);
    QCOMPARE(checks(folders), (std::vector<bool>{true, false, true}));

    answerer_->plan(QMessageBox::Yes);
    clickCheckBox(folders, 0);
    QCOMPARE(checks(folders), std::vector<bool>(3, true));

    // The space key turns the current row's box over just as a click does.
    answerer_->plan(QMessageBox::Yes);
    folders.setCurrentItem(folders.topLevelItem(2));
    QTest::keyClick(&folders, Qt::Key_Space);
    QCOMPARE(checks(folders), std::vector<bool>(3, true));

    QCOMPARE(answerer_->seen().size(), size_t{3});
    for (const MessageBoxAnswerer::Seen& box : answerer_->seen()) {
        QCOMPARE(box.title, kRuleTitle);
        QCOMPARE(box.text, kRuleText);
        QCOMPARE(box.buttons.size(), 2);
        QVERIFY(box.buttons.contains("Yes") && box.buttons.contains("No"));
        QCOMPARE(box.defaultButton, QStringLiteral("Yes"));
        QVERIFY(!box.hasIcon);
    }
}

void QtWindowTest::rightButtonOnResetTogglesAllWithoutAsking() {
    auto& folders = control<QTreeWidget>("lvFolders");
    auto& reset = control<QPushButton>("cmdReset");

    QTest::mouseClick(&reset, Qt::RightButton);
    QCOMPARE(checks(folders), std::vector<bool>(3, false));
    saveScreenshot(widgetOf(form_->window()), "all-cleared");
    QTest::mouseClick(&reset, Qt::MiddleButton);
    QCOMPARE(checks(folders), std::vector<bool>(3, false));
    QTest::mouseClick(&reset, Qt::RightButton);
    QCOMPARE(checks(folders), std::vector<bool>(3, true));
    QVERIFY(answerer_->seen().empty());
}

void QtWindowTest::createReportShowsReportViewAndWritesReport() {
    QTest::mouseClick(&control<QPushButton>("cmdGather"), Qt::LeftButton);

    for (const char* shown : {"lstApps", "lstFiles", "lstDrives"})
        QVERIFY2(control<QListWidget>(shown).isVisible(), shown);
    QVERIFY(control<QLabel>("Label1(0)").isVisible());
    QVERIFY(control<QLabel>("Label1(1)").isVisible());
    QVERIFY(!control<QTreeWidget>("lvFolders").isVisible());
    QVERIFY(!control<QTextEdit>("txtInfo").isVisible());
    QVERIFY(!control<QPushButton>("cmdGather").isEnabled());
    QVERIFY(control<QListWidget>("lstApps").count() > 0);
    QVERIFY(QApplication::overrideCursor() == nullptr);
    saveScreenshot(widgetOf(form_->window()), "report");

    const std::string report = folder_->file("morvasoftware_bug_report.htm");
    QVERIFY(isCompleteReport(report));
    QCOMPARE(launched_, std::vector<std::string>{report});
    QVERIFY(answerer_->seen().empty());
}

void QtWindowTest::msgBoxFollowsItsWindowSize() {
    QWidget& owner = widgetOf(form_->window());
    owner.activateWindow();
    QVERIFY(QTest::qWaitForWindowActive(&owner, kExposeTimeoutMs));
    frmMsgBox box;
    box.show();
    QWidget& window = widgetOf(box.window());
    QVERIFY(QTest::qWaitForWindowExposed(&window, kExposeTimeoutMs));
    // It opens centred over the window that was active, where the program alone places its
    // windows (give or take the frame's edge); a window manager may place it elsewhere.
    if (QGuiApplication::platformName() == QStringLiteral("offscreen")) {
        const QPoint offCentre = window.frameGeometry().center() - owner.frameGeometry().center();
        QVERIFY(offCentre.manhattanLength() <= 4);
    }
    QCOMPARE(window.windowTitle(), QStringLiteral("Information"));
    QCOMPARE(window.size(), QSize(339, 197));  // 5085 x 2955 twips
    saveScreenshot(window, "msgbox");

    window.resize(339, 197 + 40);  // 600 twips taller
    auto* label = window.findChild<QLabel*>("lblText");
    QCOMPARE(label->geometry(), QRect(8, 8, 323, 139 + 40));
    for (const char* name : {"cmdYes", "cmdNo", "cmdOK", "cmdCancel"})
        QCOMPARE(window.findChild<QPushButton*>(name)->y(), 197);
    saveScreenshot(window, "msgbox-taller");

    QTest::mouseClick(window.findChild<QPushButton*>("cmdOK"), Qt::LeftButton);
    QVERIFY(!window.isVisible());
}

// Regression: Esc on "Error reading from File" answered Abort and ended the program, and Esc on
// the tick question answered No. Only a box with OK alone may be answered by Esc or its close
// box; any other box stays open until a button is pressed.
void QtWindowTest::escAndCloseBoxAnswerOnlyABoxWithOkAlone() {
    const struct {
        MsgButtons buttons;
        QMessageBox::StandardButton pressedAfter;  // NoButton: Esc or the close box answered
        MsgAnswer expected;
    } cases[] = {
        {MsgButtons::OK, QMessageBox::NoButton, MsgAnswer::OK},
        {MsgButtons::YesNo, QMessageBox::Yes, MsgAnswer::Yes},
        {MsgButtons::AbortRetryIgnore, QMessageBox::Retry, MsgAnswer::Retry},
    };
    for (const auto& c : cases) {
        for (const bool byEsc : {true, false}) {
            answerer_->onBox = [byEsc](QMessageBox& box) {
                if (!byEsc)
                    box.close();
                else
                    QTest::keyClick(box.focusWidget() ? box.focusWidget() : &box, Qt::Key_Escape);
            };
            if (c.pressedAfter != QMessageBox::NoButton)
                answerer_->plan(c.pressedAfter);
            QCOMPARE(static_cast<int>(MsgBox("Go on?", c.buttons)), static_cast<int>(c.expected));
        }
    }
    QCOMPARE(answerer_->seen().size(), size_t{6});
}

void QtWindowTest::startShownOn(std::unique_ptr<QtUi> ui) {
    form_.reset();
    installUi(std::move(ui));
    form_ = std::make_unique<frmReportConfiguration>();
    form_->window().show();
    form_->Form_Load();
}

// Regression: a click while start-up was still listing folders wrote a report of the folders
// listed so far.
void QtWindowTest::userActionsDuringStartUpReachNoHandler() {
    startShownOn(std::make_unique<StillClockQtUi>([this] {
        QTest::mouseClick(&control<QPushButton>("cmdGather"), Qt::LeftButton);
        QTest::mouseClick(&control<QPushButton>("cmdReset"), Qt::RightButton);
        QTest::mouseClick(&control<QPushButton>("cmdReset"), Qt::LeftButton);
        clickCheckBox(control<QTreeWidget>("lvFolders"), 0);
    }));
    QVERIFY(control<QTreeWidget>("lvFolders").isVisible());
    QVERIFY(control<QPushButton>("cmdGather").isEnabled());
    QCOMPARE(checks(control<QTreeWidget>("lvFolders")), std::vector<bool>(3, true));
    QVERIFY(launched_.empty());
    QVERIFY(answerer_->seen().empty());
}

// The walk yields before every folder; were the list drawn at each yield, start-up would grow
// with the square of the folders.
void QtWindowTest::startUpRedrawsTheFolderListABoundedNumberOfTimes() {
    const int kFolders = 400;
    for (int i = 0; i < kFolders; ++i)
        folder_->makeFolder("many/" + std::to_string(i));
    setProductFoldersForTesting(std::vector<std::string>{folder_->file("many")});
    auto counter = std::make_unique<PaintCounter>();
    startShownOn(std::make_unique<StillClockQtUi>(
        [&] { control<QTreeWidget>("lvFolders").viewport()->installEventFilter(counter.get()); }));
    QCOMPARE(control<QTreeWidget>("lvFolders").topLevelItemCount(), kFolders + 1);
    QVERIFY2(counter->paints <= 3, qPrintable(QString::number(counter->paints)));
}

// Each way out ends the process, so each is taken in a child of this one. A forked child lacks
// the threads that painting and the exit handlers wait for: it paints nothing, and the exit
// handler registered last runs first and ends it at once.
void QtWindowTest::exitAndTheCloseBoxEndTheProgram() {
    const std::function<void()> waysOut[] = {
        [this] { QTest::mouseClick(&control<QPushButton>("cmdExit"), Qt::LeftButton); },
        [this] { widgetOf(form_->window()).close(); },
    };
    for (const auto& wayOut : waysOut) {
        std::fflush(nullptr);
        const pid_t child = fork();
        if (child == 0) {
            std::atexit([] { _exit(0); });
            widgetOf(form_->window()).setUpdatesEnabled(false);
            wayOut();
            _exit(3);
        }
        int status = -1;
        QCOMPARE(waitpid(child, &status, 0), child);
        QVERIFY(WIFEXITED(status));
        QCOMPARE(WEXITSTATUS(status), 0);
    }
}

QTEST_MAIN(QtWindowTest)
#include "qt_window_test.moc"
