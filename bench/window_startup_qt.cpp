#include <QApplication>
#include <QWidget>
#include <memory>

#include "bench/window_startup.h"
#include "toolkit/ui/qt/qt_ui.h"

namespace {

bool anyDrawingHeld() {
    for (const QWidget* widget : QApplication::allWidgets()) {
        if (!widget->updatesEnabled())
            return true;
    }
    return false;
}

}  // namespace

int main(int argc, char** argv) {
    QApplication application(argc, argv);
    installUi(std::make_unique<QtUi>());
    // The list holds its drawing for up to 50 ms after its last row (qt_list_view.cpp); the
    // start-up ends once it has drawn them.
    return runWindowStartup(argc, argv, [] {
        while (anyDrawingHeld())
            QApplication::processEvents(QEventLoop::WaitForMoreEvents);
        QApplication::processEvents();
    });
}
