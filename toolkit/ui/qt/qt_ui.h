#pragma once

#include <memory>
#include <string>

#include "toolkit/ui/ui.h"

// The Qt Widgets backend. A QApplication must exist before it is used.
class QtUi : public Ui {
public:
    MsgAnswer showMessageBox(const MessageBoxRequest& request) override;
    void DoEvents() override;
    int MousePointer() const override { return pointer_; }
    void setMousePointer(int pointer) override;
    std::unique_ptr<Window> createWindow() override;
    std::shared_ptr<const Picture> LoadPicture(const std::string& fileName) override;
    void endProgram(int exitCode) override;

private:
    int pointer_ = kPointerDefault;
};
