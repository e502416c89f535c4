#pragma once

#include <memory>

#include "toolkit/ui/controls.h"

// The tool's own message window, titled "Information": a text label over the buttons Yes, No,
// OK and Cancel, any of which closes it. It lays the label and the buttons out again whenever
// its size changes. Callers fill lblText and box through window().
class frmMsgBox {
public:
    // Creates the window with its controls through the installed backend; show() opens it.
    frmMsgBox();

    Window& window() { return *window_; }
    void show() { window_->show(); }

    void Form_Resize();
    void cmdYes_Click() { unload(); }
    void cmdNo_Click() { unload(); }
    void cmdOK_Click() { unload(); }
    void cmdCancel_Click() { unload(); }

private:
    void unload() { window_->close(); }

    std::unique_ptr<Window> window_;
    Label* lblText_ = nullptr;
    Button* commandButtons_[4] = {};
};
