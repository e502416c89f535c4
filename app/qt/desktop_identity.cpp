#include "app/qt/desktop_identity.h"

#include <QApplication>
#include <QDir>
#include <QIcon>

void identifyToDesktop() {
    // The icon drawn at each size in its own file, so that small sizes stay sharp.
    QIcon icon;
    for (const QFileInfo& file : QDir(QStringLiteral(":/icons")).entryInfoList(QDir::Files))
        icon.addFile(file.filePath());
    QApplication::setWindowIcon(icon);
    QGuiApplication::setDesktopFileName(QStringLiteral("configreport"));
}
