#pragma once

#include <memory>
#include <string>
#include <utility>

#include "toolkit/ui/redraw_pacer.h"
#include "toolkit/ui/ui.h"

// The native Win32 backend: common controls 6 (the executable's manifest asks for them), a
// Msftedit rich edit box, MessageBoxW and the system's wait cursor. COM must be initialised
// on the user-interface thread for pictures.
class NativeUi : public Ui {
public:
    explicit NativeUi(RedrawPacer pacer = RedrawPacer());
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
