#include "app/frm_report_configuration.h"

#include "app/main_window_layout.h"
#include "report/control_lookup.h"
#include "report/folder_walk.h"
#include "sysinfo/process_list.h"
#include "toolkit/list_file_helpers.h"
#include "toolkit/log.h"
#include "toolkit/program_state.h"
#include "toolkit/tell_and_go_on.h"
#include "toolkit/ui/application.h"
#include "toolkit/ui/ui.h"

namespace {

constexpr const char* kIntroductionText =
    "This program gathers information "
    "from your Morva Software installations "
    "in order to assist with fault finding.\r\n"
    "\r\n"
    "You can analyse this report yourself, or "
    "you can email it to our support "
    "section to resolve the problem for you.\r\n"
    "\r\n\r\n\r\n";

constexpr const char* kKeepTickedTitle = "All Paths should be Ticked";
constexpr const char* kKeepTickedText =
    "Please leave all checkboxes ticked in order to get\r\n"
    "an accurate picture of what the problem may be.\r\n\r\n"
    "Do you want to leave all items ticked?";

std::unique_ptr<Window> createMainWindow() {
    std::unique_ptr<Window> window = ui().createWindow();
    buildMainWindow(*window);
    return window;
}

}  // namespace

frmReportConfiguration::frmReportConfiguration()
    : window_(createMainWindow()),
      cmdGather_(controlNamed<Button>(*window_, "cmdGather")),
      txtInfo_(controlNamed<RichTextBox>(*window_, "txtInfo")),
      cmdExit_(controlNamed<Button>(*window_, "cmdExit")),
      lstApps_(controlNamed<ListBox>(*window_, "lstApps")),
      cmdReset_(controlNamed<Button>(*window_, "cmdReset")),
      Label1_{&controlNamed<Label>(*window_, "Label1(0)"),
              &controlNamed<Label>(*window_, "Label1(1)")},
      lstFiles_(controlNamed<ListBox>(*window_, "lstFiles")),
      lstDrives_(controlNamed<ListBox>(*window_, "lstDrives")),
      lvFolders_(controlNamed<ListView>(*window_, "lvFolders")) {
    wireEvents();
}

// The folder walk of start-up yields so that the window repaints, and a user's click then
// arrives while the list is still being filled: it must neither start a report of the folders
// listed so far nor change ticks that start-up is about to set. Exit and the close box always
// work.
template <typename... Args>
std::function<void(Args...)> frmReportConfiguration::unlessLoading(
    void (frmReportConfiguration::*handler)(Args...)) {
    return [this, handler](Args... args) {
        if (!loading_)
            (this->*handler)(args...);
    };
}

void frmReportConfiguration::wireEvents() {
    cmdGather_.setOnClick(unlessLoading(&frmReportConfiguration::cmdGather_Click));
    cmdReset_.setOnClick(unlessLoading(&frmReportConfiguration::cmdReset_Click));
    cmdReset_.setOnMouseDown(unlessLoading(&frmReportConfiguration::cmdReset_MouseDown));
    cmdExit_.setOnClick([this] { cmdExit_Click(); });
    lvFolders_.setOnItemCheck(unlessLoading(&frmReportConfiguration::lvFolders_ItemCheck));
    window_->setOnResize([this] { Form_Resize(); });
    // Closing the only window ends the program, as Exit does.
    window_->setOnClose([this] { cmdExit_Click(); });
}

void frmReportConfiguration::Form_Load() {
    loading_ = true;
    gLog().init();
    if (!App().PathNote.empty())
        tellAndGoOn(App().PathNote);
    cmdReset_Click();
    gApp().init();
    FillFolderList(lvFolders_);
    window_->setCaption("Configuration Report - " + gLog().getAppVersionString());
    loading_ = false;
}

void frmReportConfiguration::Form_Resize() {
    // The controls keep their design places at every window size.
}

void frmReportConfiguration::cmdReset_Click() {
    lstApps_.Clear();
    cmdGather_.setEnabled(true);
    for (Label* label : Label1_)
        label->setVisible(false);
    lstFiles_.setVisible(false);
    lstApps_.setVisible(false);
    lstDrives_.setVisible(false);
    lvFolders_.setVisible(true);
    txtInfo_.setText(kIntroductionText);
    txtInfo_.setVisible(true);
}

void frmReportConfiguration::cmdReset_MouseDown(int Button, int /*Shift*/, float /*X*/,
                                                float /*Y*/) {
    ListItemCollection& items = lvFolders_.ListItems();
    if (Button != kRightButton || items.Count() == 0)
        return;
    SetAllChecked(lvFolders_, items.Item(1).Checked() ? 0 : 1);
}

void frmReportConfiguration::lvFolders_ItemCheck(ListItem& /*Item*/) {
    const MsgAnswer answer =
        MsgBox(kKeepTickedText, MsgButtons::YesNo, MsgIcon::None, kKeepTickedTitle, 1);
    if (answer != MsgAnswer::No)
        SetAllChecked(lvFolders_, 1);
}

void frmReportConfiguration::cmdExit_Click() {
    EndProgram(0);
}
