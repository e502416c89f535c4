#pragma once

#include <array>
#include <functional>
#include <memory>

#include "toolkit/ui/controls.h"

// The main window's logic. It builds its window through the installed user interface and
// knows the controls only through the control interfaces, so the headless, Qt and Win32
// backends all run these handlers; a backend only draws the controls and forwards events.
class frmReportConfiguration {
public:
    frmReportConfiguration();

    Window& window() { return *window_; }

    // Whether a report run ends by opening the report (the window's behaviour); the unattended
    // run opens it only when asked.
    void setOpensReport(bool opens) { opensReport_ = opens; }

    // Start-up: the log (and a word to the user when the tool keeps its files elsewhere than it
    // wanted), the introduction view, the process list object, the folder list and the caption
    // with the version.
    void Form_Load();
    void Form_Resize();
    // Back to the introduction view; the folders' ticks and the last file list stay.
    void cmdReset_Click();
    // The right button ticks or clears every folder at once, by the first one's state.
    void cmdReset_MouseDown(int Button, int Shift, float X, float Y);
    // The user changed a folder's tick: asks to keep every folder ticked.
    void lvFolders_ItemCheck(ListItem& Item);
    // "Create Report": one report run from the report view to the opened report.
    void cmdGather_Click();
    void cmdExit_Click();

private:
    void wireEvents();
    // The handler to run for a user's action; it does nothing while start-up is running.
    template <typename... Args>
    std::function<void(Args...)> unlessLoading(void (frmReportConfiguration::*handler)(Args...));

    std::unique_ptr<Window> window_;
    Button& cmdGather_;
    RichTextBox& txtInfo_;
    Button& cmdExit_;
    ListBox& lstApps_;
    Button& cmdReset_;
    std::array<Label*, 2> Label1_;
    ListBox& lstFiles_;
    ListBox& lstDrives_;
    ListView& lvFolders_;
    bool opensReport_ = true;
    bool reportRunning_ = false;
    bool loading_ = false;
};
