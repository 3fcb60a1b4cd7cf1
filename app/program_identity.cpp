#include "app/program_identity.h"

#include <cstring>

#include <QApplication>
#include <QDir>
#include <QIcon>
#include <QImage>
#include <QPixmap>
#include <QResource>
#include <QStandardPaths>

namespace calendario {
namespace {

// The icon the program carries, at each size as plain pixels: reading them loads no image
// decoder, whose plugins would cost start-up more time and memory than the icon itself.
QIcon carriedIcon()
{
    QIcon icon;
    for (const QFileInfo &file : QDir(QStringLiteral(":/icon")).entryInfoList(QDir::Files)) {
        const QResource pixels(file.filePath());
        const int side = file.fileName().toInt();
        if (side <= 0)
            continue;
        QImage image(side, side, QImage::Format_ARGB32);
        if (pixels.uncompressedSize() != image.sizeInBytes())
            continue;
        const QByteArray data = pixels.uncompressedData();
        std::memcpy(image.bits(), data.constData(), std::size_t(data.size()));
        icon.addPixmap(QPixmap::fromImage(image));
    }
    return icon;
}

// Whether the program's icon is installed in the icon theme, as a desktop's menu finds it.
bool iconInstalled()
{
    return !QStandardPaths::locate(
                QStandardPaths::GenericDataLocation,
                QStringLiteral("icons/hicolor/scalable/apps/" CALENDARIO_APP_ID ".svg"))
                .isEmpty();
}

} // namespace

void nameTheProgram()
{
    QCoreApplication::setApplicationName(QStringLiteral("calendario"));
    QCoreApplication::setApplicationVersion(QStringLiteral(CALENDARIO_VERSION));
    QGuiApplication::setDesktopFileName(QStringLiteral(CALENDARIO_APP_ID));
}

void showProgramIcon()
{
    // The theme's where the program is installed, so that the window shows what its
    // launcher shows; the carried one where the theme has none.
    QIcon icon = iconInstalled() ? QIcon::fromTheme(QStringLiteral(CALENDARIO_APP_ID)) : QIcon();
    if (icon.isNull())
        icon = carriedIcon();
    if (!icon.isNull())
        QApplication::setWindowIcon(icon);
}

} // namespace calendario
