#include <QApplication>
#include <memory>

#include "app/frm_report_configuration.h"
#include "app/qt/desktop_identity.h"
#include "toolkit/ui/qt/qt_ui.h"

// The desktop tool on Linux: its one window, drawn with Qt Widgets.
int main(int argc, char** argv) {
    QApplication application(argc, argv);
    identifyToDesktop();
    installUi(std::make_unique<QtUi>());
    frmReportConfiguration form;
    // Shown before it loads, so that the window repaints while the folder walk fills its list.
    form.window().show();
    form.Form_Load();
    return QApplication::exec();
}
