#include "toolkit/ui/ui.h"

#include <cstdlib>
#include <utility>

#include "toolkit/file_numbers.h"
#include "toolkit/program_state.h"
#include "toolkit/ui/application.h"
#include "toolkit/ui/headless/headless_ui.h"

namespace {

std::unique_ptr<Ui>& installedUi() {
    static std::unique_ptr<Ui> backend;
    return backend;
}

}  // namespace

Ui& ui() {
    std::unique_ptr<Ui>& backend = installedUi();
    if (!backend)
        backend = std::make_unique<HeadlessUi>();
    return *backend;
}

void installUi(std::unique_ptr<Ui> backend) {
    installedUi() = std::move(backend);
}

MsgAnswer MsgBox(const std::string& text, MsgButtons buttons, MsgIcon icon,
                 const std::string& title, int defaultButton) {
    MessageBoxRequest request;
    request.text = text;
    request.title = title.empty() ? App().Title : title;
    request.buttons = buttons;
    request.icon = icon;
    request.defaultButton = defaultButton;
    return ui().showMessageBox(request);
}

void EndProgram(int exitCode) {
    gFileNumbers().closeAll();
    ui().endProgram(exitCode);
    // A backend whose exit hook returns (a test's, for instance) still ends the program here.
    std::exit(exitCode);
}
