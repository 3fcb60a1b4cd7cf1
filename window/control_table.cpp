#include "window/control_table.h"

#include <QStringList>

#include "window/units.h"

namespace calendario {

namespace {

// The faces a font of the design may take, the likeliest first: Qt takes the first it finds,
// and asks the platform for a substitute of each one before it that is missing, anew for
// every font. Windows has the design's own faces; elsewhere Liberation Sans, with Arial's
// metrics, stands in for all three.
QStringList facesFor(const char *face)
{
    const QString own = QString::fromLatin1(face);
#ifdef Q_OS_WIN
    return {own, QStringLiteral("Microsoft Sans Serif"), QStringLiteral("Liberation Sans"),
            QStringLiteral("Arial")};
#else
    return {QStringLiteral("Liberation Sans"), own, QStringLiteral("Arial"),
            QStringLiteral("DejaVu Sans")};
#endif
}

} // namespace

QFont makeFont(const FontSpec &design)
{
    QFont font;
    font.setFamilies(facesFor(design.face));
    font.setPixelSize(pixelsFromPoints(design.points));
    font.setBold(design.bold);
    font.setUnderline(design.underline);
    return font;
}

QString ControlSpec::objectName() const
{
    static constexpr const char *kNames[] = {
        "Command1", "pctCAL",  "lstMESI", "cmdMESI", "VScroll1", "Command3", "Command2",
        "Label4",   "lblOGGI", "lblMESE", "lblANNO", "G",        "Shape1",   "Oggi",
    };
    static_assert(std::size(kNames) == std::size_t(Control::Oggi) + 1);
    const QString base = QString::fromLatin1(kNames[std::size_t(id)]);
    return index < 0 ? base : QStringLiteral("%1(%2)").arg(base).arg(index);
}

namespace {

constexpr FontSpec kTahomaBold{"Tahoma", 8.25, true};
constexpr FontSpec kTahoma{"Tahoma", 8.25};
constexpr FontSpec kArialBold{"Arial", 9.75, true};
constexpr FontSpec kSansSerifUnderlined{"MS Sans Serif", 8.25, false, true};
constexpr FontSpec kSansSerifBold{"MS Sans Serif", 8.25, true};

constexpr Colour kDarkRed = rgb(192, 0, 0);
constexpr Colour kLightGrey = rgb(224, 224, 224);
constexpr Colour kPaleYellow = rgb(255, 255, 213);

// Day cells: the column gives left and width, the row gives top; the pitch is uneven.
constexpr std::array<int, 7> kCellLeft{60, 420, 720, 1080, 1440, 1785, 2100};
constexpr std::array<int, 7> kCellWidth{220, 220, 220, 220, 220, 225, 220};
constexpr std::array<int, 6> kCellTop{700, 960, 1220, 1480, 1740, 2000};
constexpr int kCellHeight = 210;

constexpr ControlSpec dayCell(int i)
{
    const int column = i % 7;
    return {.id = Control::G,
            .index = i,
            .kind = Kind::DayCell,
            .left = kCellLeft[column],
            .top = kCellTop[i / 7],
            .width = kCellWidth[column],
            .height = kCellHeight,
            .tabIndex = 43 - i,
            .caption = "30",
            .background = kWindowBackground,
            .foreground = column >= 5 ? kDarkRed : kWindowText,
            .font = kTahomaBold,
            .alignment = Align::Right};
}

// The three small buttons: the symbol font's triangle ("3", "4" or "6" in Webdings) on a
// coloured face.
constexpr ControlSpec arrowButton(Control id, int left, int tabIndex, Colour face, Arrow arrow,
                                  const char *tooltip)
{
    return {.id = id,
            .kind = Kind::CommandButton,
            .left = left,
            .top = 15,
            .width = 195,
            .height = 315,
            .tabIndex = tabIndex,
            .background = face,
            .foreground = kButtonText,
            .tooltip = tooltip,
            .arrow = arrow};
}

constexpr std::array<ControlSpec, kControlCount> makeTable()
{
    std::array<ControlSpec, kControlCount> t{};
    int n = 0;
    t[n++] = {.id = Control::Command1,
              .kind = Kind::CommandButton,
              .parent = Parent::Form,
              .left = 1530,
              .top = 2250,
              .width = 900,
              .height = 330,
              .tabIndex = 49,
              .caption = "&USCITA",
              .background = kButtonFace,
              .foreground = kButtonText};
    t[n++] = {.id = Control::pctCAL,
              .kind = Kind::Panel,
              .parent = Parent::Form,
              .left = 0,
              .top = 0,
              .width = 2415,
              .height = 2560,
              .tabIndex = 0,
              .background = kWindowBackground,
              .foreground = kWindowText};
    t[n++] = {.id = Control::lstMESI,
              .kind = Kind::ListBox,
              .left = 360,
              .top = 330,
              .width = 1095,
              .height = 615,
              .tabIndex = 4,
              .background = kPaleYellow,
              .foreground = kWindowText,
              .font = kTahoma};
    t[n++] = arrowButton(Control::cmdMESI, 180, 5, kLightGrey, Arrow::Down, "Lista Mesi ");
    t[n++] = {.id = Control::VScroll1,
              .kind = Kind::VScrollBar,
              .left = 2000,
              .top = 15,
              .width = 200,
              .height = 315,
              .tabIndex = 3};
    t[n++] = arrowButton(Control::Command3, 2190, 2, kPaleYellow, Arrow::Right, "Incrementa Mesi ");
    t[n++] =
        arrowButton(Control::Command2, 0, 1, rgb(255, 255, 192), Arrow::Left, "Decrementa Mesi ");
    t[n++] = {.id = Control::Label4,
              .index = 1,
              .left = 1695,
              .top = 405,
              .width = 690,
              .height = 255,
              .tabIndex = 48,
              .caption = " sab dom",
              .background = kWindowBackground,
              .foreground = kDarkRed,
              .font = kSansSerifUnderlined};
    t[n++] = {.id = Control::lblOGGI,
              .left = 570,
              .top = 2310,
              .width = 945,
              .height = 255,
              .tabIndex = 47,
              .caption = "lblOGGI",
              .background = kTransparent,
              .foreground = rgb(0, 192, 0),
              .fitsText = true};
    t[n++] = {.id = Control::Label4,
              .index = 0,
              .left = 45,
              .top = 400,
              .width = 2535,
              .height = 255,
              .tabIndex = 46,
              .caption = "lun  mar  mer  gio  ven  ",
              .background = kWindowBackground,
              .foreground = kWindowText,
              .font = kSansSerifUnderlined};
    t[n++] = {.id = Control::lblMESE,
              .left = 330,
              .top = 15,
              .width = 1125,
              .height = 315,
              .tabIndex = 45,
              .caption = "Settembre",
              .background = kLightGrey,
              .foreground = kButtonText,
              .font = kArialBold,
              .alignment = Align::Centre,
              .borderStyle = 1,
              .fitsText = true};
    t[n++] = {.id = Control::lblANNO,
              .left = 1410,
              .top = 15,
              .width = 570,
              .height = 315,
              .tabIndex = 44,
              .caption = "2005",
              .background = kLightGrey,
              .foreground = kButtonText,
              .font = kArialBold,
              .alignment = Align::Centre,
              .borderStyle = 1,
              .mousePointer = 99,
              .tooltip = "Riporta all'Anno Corrente",
              .fitsText = true};
    t[n++] = dayCell(0);
    t[n++] = {.id = Control::Shape1,
              .kind = Kind::Shape,
              .left = 2040,
              .top = 1965,
              .width = 300,
              .height = 270,
              .background = kTransparent,
              .foreground = rgb(0, 0, 255)};
    for (int i = 1; i <= 36; ++i)
        t[n++] = dayCell(i);
    t[n++] = {.id = Control::Oggi,
              .left = 30,
              .top = 2280,
              .width = 495,
              .height = 255,
              .tabIndex = 6,
              .caption = "Oggi:",
              .background = rgb(255, 192, 192),
              .foreground = rgb(0, 0, 192),
              .font = kSansSerifBold,
              .alignment = Align::Centre,
              .mousePointer = 99,
              .tooltip = "Riporta la data a Oggi"};
    return t;
}

constexpr std::array<ControlSpec, kControlCount> kTable = makeTable();
constexpr const ControlSpec &kPanel = kTable[1];
static_assert(kPanel.id == Control::pctCAL);

} // namespace

const std::array<ControlSpec, kControlCount> &controlTable()
{
    return kTable;
}

const Colour &colourBehind(const ControlSpec &row)
{
    if (isOpaque(row.background))
        return row.background;
    return row.parent == Parent::Panel ? kPanel.background : kFormBackground;
}

} // namespace calendario
