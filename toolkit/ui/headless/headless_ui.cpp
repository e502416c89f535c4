#include "toolkit/ui/headless/headless_ui.h"

#include <cstdlib>
#include <utility>
#include <vector>

#include "toolkit/ui/headless/headless_picture.h"
#include "toolkit/ui/headless/headless_window.h"

namespace {

// The buttons of a box in the order they stand on it.
std::vector<MsgAnswer> buttonsOf(MsgButtons buttons) {
    switch (buttons) {
        case MsgButtons::YesNo:
            return {MsgAnswer::Yes, MsgAnswer::No};
        case MsgButtons::AbortRetryIgnore:
            return {MsgAnswer::Abort, MsgAnswer::Retry, MsgAnswer::Ignore};
        case MsgButtons::OK:
            break;
    }
    return {MsgAnswer::OK};
}

// The default button's answer; a position the box does not have falls back to its first
// button, as the platform's message box does.
MsgAnswer defaultAnswer(const MessageBoxRequest& request) {
    const std::vector<MsgAnswer> buttons = buttonsOf(request.buttons);
    const int position = request.defaultButton;
    if (position < 1 || position > static_cast<int>(buttons.size()))
        return buttons.front();
    return buttons[static_cast<size_t>(position - 1)];
}

}  // namespace

MsgAnswer HeadlessUi::showMessageBox(const MessageBoxRequest& request) {
    shown.push_back(request);
    if (onMessageBox)
        onMessageBox(request);
    if (answers.empty())
        return defaultAnswer(request);
    const MsgAnswer answer = answers.front();
    answers.pop_front();
    return answer;
}

void HeadlessUi::DoEvents() {
    ++doEventsCount;
    if (onDoEvents)
        onDoEvents();
}

void HeadlessUi::setMousePointer(int pointer) {
    pointer_ = pointer;
    pointerHistory.push_back(pointer);
}

std::unique_ptr<Window> HeadlessUi::createWindow() {
    return std::make_unique<HeadlessWindow>();
}

std::shared_ptr<const Picture> HeadlessUi::LoadPicture(const std::string& fileName) {
    return loadHeadlessPicture(fileName);
}

void HeadlessUi::endProgram(int exitCode) {
    if (onEndProgram) {
        onEndProgram(exitCode);
        return;
    }
    std::exit(exitCode);
}

HeadlessUi& installHeadlessUi() {
    auto backend = std::make_unique<HeadlessUi>();
    HeadlessUi& installed = *backend;
    installUi(std::move(backend));
    return installed;
}
