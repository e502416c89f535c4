// cr-window-startup: the window's start-up exactly as the tool runs it (Qt), ended as soon as
// the filled folder list has been drawn once, so that a benchmark can time it from outside.
// Prints the number of folders listed.
#include <QApplication>
#include <iostream>
#include <memory>

#include "app/frm_report_configuration.h"
#include "toolkit/ui/controls.h"
#include "toolkit/ui/qt/qt_ui.h"

int main(int argc, char** argv) {
    QApplication application(argc, argv);
    installUi(std::make_unique<QtUi>());
    frmReportConfiguration form;
    // Shown before it loads, so that the window repaints while the folder walk fills its list.
    form.window().show();
    form.Form_Load();
    QApplication::processEvents();
    std::cout << form.window().findAs<ListView>("lvFolders")->ListItems().Count() << "\n";
    return 0;
}
