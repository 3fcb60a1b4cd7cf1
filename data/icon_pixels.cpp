// Build tool: writes an image's pixels, as QImage::Format_ARGB32 holds them in memory, to a
// file, for the program to carry its icon as plain pixels that it reads without an image
// decoder, whose plugins would cost its start-up time and memory.
//   icon_pixels IMAGE OUTPUT
#include <QFile>
#include <QImage>

int main(int argc, char *argv[])
{
    if (argc != 3)
        return 2;
    const QImage image =
        QImage(QString::fromLocal8Bit(argv[1])).convertToFormat(QImage::Format_ARGB32);
    QFile out(QString::fromLocal8Bit(argv[2]));
    if (image.isNull() || !out.open(QIODevice::WriteOnly))
        return 1;
    for (int y = 0; y < image.height(); ++y)
        out.write(reinterpret_cast<const char *>(image.constScanLine(y)),
                  qsizetype(image.width()) * 4);
    return out.error() == QFile::NoError ? 0 : 1;
}
