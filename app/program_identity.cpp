#include "app/program_identity.h"

#include <QApplication>
#include <QDir>
#include <QIcon>
#include <QIconEngine>
#include <QImage>
#include <QPainter>
#include <QPixmap>
#include <QResource>
#include <QStandardPaths>

namespace calendario {
namespace {

// The icon the program carries, at each size as plain pixels: reading them loads no image
// decoder, whose plugins would cost start-up more time and memory than the icon itself. A
// size is drawn when it is asked for, as a window manager's icon is made, and not kept.
class CarriedIcon final : public QIconEngine
{
public:
    QIconEngine *clone() const override { return new CarriedIcon; }

    QList<QSize> availableSizes(QIcon::Mode, QIcon::State) override
    {
        QList<QSize> sizes;
        for (const QString &name : QDir(kFolder).entryList(QDir::Files))
            if (const int side = name.toInt(); side > 0)
                sizes.append(QSize(side, side));
        return sizes;
    }

    QPixmap pixmap(const QSize &size, QIcon::Mode, QIcon::State) override
    {
        const QResource pixels(kFolder + QLatin1Char('/') + QString::number(size.width()));
        const QByteArray data = pixels.uncompressedData();
        if (size.width() != size.height()
            || data.size() != qsizetype(size.width()) * size.height() * 4)
            return {};
        return QPixmap::fromImage(QImage(reinterpret_cast<const uchar *>(data.constData()),
                                         size.width(), size.height(), QImage::Format_ARGB32));
    }

    void paint(QPainter *painter, const QRect &rect, QIcon::Mode mode, QIcon::State state) override
    {
        painter->drawPixmap(rect, pixmap(rect.size(), mode, state));
    }

private:
    static inline const QString kFolder = QStringLiteral(":/icon");
};

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
        icon = QIcon(new CarriedIcon);
    if (!icon.isNull())
        QApplication::setWindowIcon(icon);
}

} // namespace calendario
