#include "window/labels.h"

#include <algorithm>
#include <array>
#include <string_view>

#include <QImage>
#include <QPixmap>

namespace calendario {
namespace {

constexpr int kHandPointerSize = 32;
constexpr QPoint kHandPointerHotSpot{12, 1};

// One letter a pixel: K black, W white, G grey, B dark blue, '.' transparent. The rows
// below the hand are transparent too.
constexpr std::array<std::string_view, 26> kHand = {
    "................................", "............KK..................",
    "...........KWWK.................", "...........KWWK.................",
    "...........KWWK.................", "...........KWWK.................",
    "...........KWWK.................", "...........KWWKKK...............",
    "...........KWWKWWKKK............", "...........KWWKWWKWWKK..........",
    "...........KWWKWWKWWKWWK........", ".......KKK.KWWKWWKWWKWWK........",
    ".......KWWKKWWWWWGWWGWWK........", ".......KWWWKWWWWWGWWGWWK........",
    "........KWWWWWWWWWWWWWGK........", "........KWWWWWWWWWWWWWGK........",
    ".........KWWWWWWWWWWWWGK........", ".........KWWWWWWWWWWWGGK........",
    "..........KWWWWWWWWWWGK.........", "..........KWWWWWWWWWWGK.........",
    "...........KWWWWWWWWGGK.........", "...........KWWWWWWWWGK..........",
    "...........KKKKKKKKKKK..........", "...........KBBBBBBBBBK..........",
    "...........KBBBBBBBBBK..........", "...........KKKKKKKKKKK..........",
};

static_assert(std::ranges::all_of(kHand, [](std::string_view row) {
    return row.size() == kHandPointerSize;
}));

QRgb colourOf(char letter)
{
    switch (letter) {
    case 'K':
        return qRgb(0, 0, 0);
    case 'W':
        return qRgb(255, 255, 255);
    case 'G':
        return qRgb(128, 128, 128);
    case 'B':
        return qRgb(0, 0, 128);
    default:
        return qRgba(0, 0, 0, 0);
    }
}

QImage handPointerImage()
{
    QImage image(kHandPointerSize, kHandPointerSize, QImage::Format_ARGB32);
    image.fill(Qt::transparent);
    for (int y = 0; y < int(kHand.size()); ++y)
        for (int x = 0; x < kHandPointerSize; ++x)
            image.setPixel(x, y, colourOf(kHand[y][x]));
    return image;
}

} // namespace

QCursor handPointer()
{
    return QCursor(QPixmap::fromImage(handPointerImage()), kHandPointerHotSpot.x(),
                   kHandPointerHotSpot.y());
}

} // namespace calendario
