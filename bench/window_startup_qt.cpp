#include <QApplication>
#include <memory>

#include "bench/window_startup.h"
#include "toolkit/ui/qt/qt_ui.h"

int main(int argc, char** argv) {
    QApplication application(argc, argv);
    installUi(std::make_unique<QtUi>());
    return runWindowStartup(argc, argv, [] { QApplication::processEvents(); });
}
