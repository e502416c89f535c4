#pragma once

#include <memory>
#include <string>

#include "toolkit/ui/controls.h"

enum class MsgButtons { OK, YesNo, AbortRetryIgnore };
enum class MsgIcon { None, Exclamation, Critical, Information, Question };
// The button pressed, with the values the message box of the tool's platform answers.
enum class MsgAnswer { OK = 1, Cancel = 2, Abort = 3, Retry = 4, Ignore = 5, Yes = 6, No = 7 };

struct MessageBoxRequest {
    std::string text;
    std::string title;
    MsgButtons buttons = MsgButtons::OK;
    MsgIcon icon = MsgIcon::None;
    int defaultButton = 1;  // 1-based position among the buttons
};

// The user-interface services of one backend: modal message boxes, the yield, the screen's
// mouse pointer, windows, and ending the program.
class Ui {
public:
    virtual ~Ui() = default;
    virtual MsgAnswer showMessageBox(const MessageBoxRequest& request) = 0;
    // Lets the window system process pending messages (repaints, clicks).
    virtual void DoEvents() = 0;
    virtual int MousePointer() const = 0;
    virtual void setMousePointer(int pointer) = 0;
    virtual std::unique_ptr<Window> createWindow() = 0;
    // The picture in the file (BMP, JPEG, GIF or PNG), or null when it cannot be read.
    virtual std::shared_ptr<const Picture> LoadPicture(const std::string& fileName) = 0;
    // Ends the program at once with `exitCode`; open files are already closed.
    virtual void endProgram(int exitCode) = 0;
};

// The backend in use: the headless one until a GUI installs its own.
Ui& ui();
void installUi(std::unique_ptr<Ui> backend);

// A modal message box; an empty title is the application's title.
MsgAnswer MsgBox(const std::string& text, MsgButtons buttons = MsgButtons::OK,
                 MsgIcon icon = MsgIcon::None, const std::string& title = "",
                 int defaultButton = 1);

// Ends the whole program at once: open files are closed, nothing else is cleaned up.
[[noreturn]] void EndProgram(int exitCode);
