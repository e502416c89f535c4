#pragma once

#include <deque>
#include <functional>
#include <memory>
#include <vector>

#include "toolkit/ui/ui.h"

// The in-memory backend: every logic test and the unattended run use it. Its message box
// records each box shown and answers from a queue, else with the box's default button.
class HeadlessUi : public Ui {
public:
    MsgAnswer showMessageBox(const MessageBoxRequest& request) override;
    void DoEvents() override;
    int MousePointer() const override { return pointer_; }
    void setMousePointer(int pointer) override;
    std::unique_ptr<Window> createWindow() override;
    std::shared_ptr<const Picture> LoadPicture(const std::string& fileName) override;
    void endProgram(int exitCode) override;

    std::vector<MessageBoxRequest> shown;                        // every box shown, in order
    std::deque<MsgAnswer> answers;                               // answers to give, first one first
    std::function<void(const MessageBoxRequest&)> onMessageBox;  // told of each box shown
    std::function<void(int)> onEndProgram;  // replaces the real exit (tests throw from here)
    std::function<void()> onDoEvents;       // what the user does at a yield
    int doEventsCount = 0;
    std::vector<int> pointerHistory;  // every pointer set, in order

private:
    int pointer_ = 0;
};

// Installs a fresh headless backend and returns it.
HeadlessUi& installHeadlessUi();
