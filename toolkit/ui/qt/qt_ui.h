#pragma once

#include <memory>
#include <string>
#include <utility>

#include "toolkit/ui/redraw_pacer.h"
#include "toolkit/ui/ui.h"

// The Qt Widgets backend. A QApplication must exist before it is used.
class QtUi : public Ui {
public:
    explicit QtUi(RedrawPacer pacer = RedrawPacer()) : pacer_(std::move(pacer)) {}
    MsgAnswer showMessageBox(const MessageBoxRequest& request) override;
    void DoEvents() override;
    int MousePointer() const override { return pointer_; }
    void setMousePointer(int pointer) override;
    std::unique_ptr<Window> createWindow() override;
    std::shared_ptr<const Picture> LoadPicture(const std::string& fileName) override;
    void endProgram(int exitCode) override;

private:
    RedrawPacer pacer_;
    int pointer_ = kPointerDefault;
};
