#include "app/program_identity.h"

#include <QApplication>
#include <QDir>
#include <QIcon>

namespace calendario {

void nameTheProgram()
{
    QCoreApplication::setApplicationName(QStringLiteral("calendario"));
    QCoreApplication::setApplicationVersion(QStringLiteral(CALENDARIO_VERSION));
    QGuiApplication::setDesktopFileName(QStringLiteral(CALENDARIO_APP_ID));
}

void showProgramIcon()
{
    QIcon carried;
    for (const QFileInfo& png : QDir(QStringLiteral(":/icon")).entryInfoList(QDir::Files))
        carried.addFile(png.filePath());
    const QIcon icon = QIcon::fromTheme(QStringLiteral(CALENDARIO_APP_ID), carried);
    if (!icon.isNull())
        QApplication::setWindowIcon(icon);
}

}  // namespace calendario
