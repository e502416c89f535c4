// The report run behind "Create Report".

#include "app/frm_report_configuration.h"
#include "report/document_launcher.h"
#include "report/failure_styles.h"
#include "report/report_document.h"
#include "report/tool_files.h"
#include "sysinfo/process_list.h"
#include "sysinfo/system_facts.h"
#include "toolkit/list_file_helpers.h"
#include "toolkit/program_state.h"
#include "toolkit/ui/ui.h"

// Each step that fails is skipped and the run goes on with the next, so the window always
// ends in the report view with the default pointer, whatever failed on the way. The report
// view is arranged and repainted before the long work starts.
void frmReportConfiguration::cmdGather_Click() {
    // A click that was queued before the button was disabled, or one after a Reset pressed
    // while the run yields, reaches here during the run; it must not start a second one.
    if (reportRunning_)
        return;
    reportRunning_ = true;
    skipOnFailure([] { ui().setMousePointer(kPointerHourglass); });
    skipOnFailure([] { ui().DoEvents(); });
    skipOnFailure([] { gReportPath = toolFile(kReportFileName); });
    skipOnFailure([this] { txtInfo_.setText("Please Wait..."); });
    skipOnFailure([this] { cmdGather_.setEnabled(false); });
    skipOnFailure([this] {
        for (Label* label : Label1_)
            label->setVisible(true);
    });
    skipOnFailure([this] { lstFiles_.setVisible(true); });
    skipOnFailure([this] { lvFolders_.setVisible(false); });
    skipOnFailure([this] { lstApps_.setVisible(true); });
    skipOnFailure([this] { lstDrives_.setVisible(true); });
    skipOnFailure([] {
        for (int i = 0; i < 3; ++i)
            ui().DoEvents();
    });
    skipOnFailure([this] { gApp().TEST_getAndListApps(lstApps_); });
    skipOnFailure([this] {
        int linesWritten = 0;
        SaveListboxToFile(lstApps_, toolFile(kProcessListFileName), linesWritten);
    });
    skipOnFailure([this] {
        lstDrives_.Clear();
        listFixedDrives(lstDrives_);
    });
    skipOnFailure([this] { writeReport(*window_); });
    skipOnFailure([this] {
        txtInfo_.setText("");
        txtInfo_.setVisible(false);
    });
    skipOnFailure([this] {
        if (opensReport_)
            ShellExecuteDocument(gReportPath, false, "");
    });
    skipOnFailure([] { ui().setMousePointer(kPointerDefault); });
    reportRunning_ = false;
}
