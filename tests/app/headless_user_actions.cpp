#include <map>

#include "tests/app/user_actions.h"
#include "toolkit/ui/headless/headless_ui.h"
#include "toolkit/ui/headless/headless_window.h"

// The headless backend that the fixture installed stays; only its yield hook is new.
void installBackendUnderTest(std::function<void()> atFirstYield) {
    auto& headless = dynamic_cast<HeadlessUi&>(ui());
    headless.shown.clear();
    headless.answers.clear();
    headless.onDoEvents = [&headless, atFirstYield] {
        const std::function<void()> act = atFirstYield;  // the hook ends with the next line
        headless.onDoEvents = nullptr;
        if (act)
            act();
    };
}

void toggleCheckBox(ListView& view, int row) {
    const bool ticked = view.ListItems().Item(row).Checked();
    dynamic_cast<HeadlessListView&>(view).userSetChecked(row, !ticked);
}

bool tickShown(ListView& view, int row) {
    return view.ListItems().Item(row).Checked();
}

void clickButton(Button& button, int mouseButton) {
    auto& headless = dynamic_cast<HeadlessButton&>(button);
    headless.mouseDown(mouseButton);
    if (mouseButton == kLeftButton)
        headless.click();
}

bool isShown(Window& window) {
    return dynamic_cast<HeadlessWindow&>(window).isShown();
}

void closeByUser(Window& window) {
    dynamic_cast<HeadlessWindow&>(window).userClose();
}

void planAnswer(MsgAnswer answer) {
    dynamic_cast<HeadlessUi&>(ui()).answers.push_back(answer);
}

std::vector<BoxSeen> boxesSeen() {
    const std::map<MsgButtons, std::vector<MsgAnswer>> answersOf = {
        {MsgButtons::OK, {MsgAnswer::OK}},
        {MsgButtons::YesNo, {MsgAnswer::Yes, MsgAnswer::No}},
        {MsgButtons::AbortRetryIgnore, {MsgAnswer::Abort, MsgAnswer::Retry, MsgAnswer::Ignore}},
    };
    std::vector<BoxSeen> seen;
    for (const MessageBoxRequest& box : dynamic_cast<HeadlessUi&>(ui()).shown) {
        const std::vector<MsgAnswer>& buttons = answersOf.at(box.buttons);
        seen.push_back({box.title, box.text, buttons,
                        buttons.at(static_cast<size_t>(box.defaultButton - 1)),
                        box.icon != MsgIcon::None});
    }
    return seen;
}
