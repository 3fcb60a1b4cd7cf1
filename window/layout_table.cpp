#include "window/layout_table.h"

#include <algorithm>

#include <QStringList>

#include "window/contrast.h"
#include "window/units.h"

namespace calendario {

QColor resolve(const Colour& colour, const QPalette& palette)
{
    switch (colour.source) {
    case Colour::Source::Rgb: return QColor(colour.red, colour.green, colour.blue);
    case Colour::Source::System:
        switch (colour.systemIndex) {
        case 5: return palette.color(QPalette::Base);
        case 8: return palette.color(QPalette::Text);
        case 15: return palette.color(QPalette::Button);
        case 18: return palette.color(QPalette::ButtonText);
        }
        break;
    case Colour::Source::Transparent:
    case Colour::Source::Unset: break;
    }
    return QColor();
}

namespace {

// The desktop the design's colours were chosen on: black text on white windows and
// light grey buttons.
QPalette lightDesktop()
{
    QPalette p;
    p.setColor(QPalette::Base, Qt::white);
    p.setColor(QPalette::Text, Qt::black);
    p.setColor(QPalette::Button, QColor(240, 240, 240));
    p.setColor(QPalette::ButtonText, Qt::black);
    return p;
}

}  // namespace

QColor resolveOn(const Colour& colour, const Colour& background, const QPalette& palette,
                 double goal)
{
    static const QPalette designed = lightDesktop();
    const QColor back = resolve(background, palette);
    const QColor meant = resolve(colour, designed);
    // A light desktop draws dark text on light windows, as the design's did.
    const bool light = palette.color(QPalette::Base).lightness() > palette.color(QPalette::Text).lightness();
    const double needed = light ? std::min(goal, contrastRatio(meant, resolve(background, designed))) : goal;
    const QColor own = resolve(colour, palette);
    if (contrastRatio(own, back) >= needed)
        return own;
    // A colour that the desktop made unreadable here: the one the design chose, where that
    // reads; else the nearest that does.
    const double wanted = needed * kStrokeAllowance;
    return contrastRatio(meant, back) >= wanted ? meant : withContrast(own, back, wanted);
}

namespace {

// The faces a font of the design may take, the likeliest first: Qt takes the first it finds,
// and asks the platform for a substitute of each one before it that is missing, anew for
// every font. Windows has the design's own faces; elsewhere Liberation Sans, with Arial's
// metrics, stands in for all three.
QStringList facesFor(const char* face)
{
    const QString own = QString::fromLatin1(face);
#ifdef Q_OS_WIN
    return {own, QStringLiteral("Microsoft Sans Serif"), QStringLiteral("Liberation Sans"),
            QStringLiteral("Arial")};
#else
    return {QStringLiteral("Liberation Sans"), own, QStringLiteral("Arial"), QStringLiteral("DejaVu Sans")};
#endif
}

}  // namespace

QFont makeFont(const FontSpec& row)
{
    QFont font;
    font.setFamilies(facesFor(row.face));
    font.setPixelSize(pixelsFromPoints(row.points));
    font.setBold(row.bold);
    font.setUnderline(row.underline);
    return font;
}

QString ControlSpec::objectName() const
{
    const QString base = QString::fromLatin1(name);
    return index < 0 ? base : QStringLiteral("%1(%2)").arg(base).arg(index);
}

namespace {

constexpr FontSpec kTahomaBold{"Tahoma", 8.25, true};
constexpr FontSpec kTahoma{"Tahoma", 8.25};
constexpr FontSpec kArialBold{"Arial", 9.75, true};
constexpr FontSpec kSansSerifUnderlined{"MS Sans Serif", 8.25, false, true};
constexpr FontSpec kSansSerifBold{"MS Sans Serif", 8.25, true};
// The three small buttons carry their symbol in this face; they draw it themselves.
constexpr FontSpec kWebdings{"Webdings", 8.25};

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
    return {.name = "G", .index = i, .kind = Kind::DayCell,
            .left = kCellLeft[column], .top = kCellTop[i / 7],
            .width = kCellWidth[column], .height = kCellHeight,
            .tabIndex = 43 - i, .caption = "30",
            .background = kWindowBackground,
            .foreground = column >= 5 ? kDarkRed : kWindowText,
            .font = kTahomaBold, .alignment = Align::Right};
}

constexpr std::array<ControlSpec, kControlCount> makeTable()
{
    std::array<ControlSpec, kControlCount> t{};
    int n = 0;
    t[n++] = {.name = "Command1", .kind = Kind::CommandButton, .parent = Parent::Form,
              .left = 1530, .top = 2250, .width = 900, .height = 330, .tabIndex = 49,
              .caption = "&USCITA", .background = kButtonFace, .foreground = kButtonText};
    t[n++] = {.name = "pctCAL", .kind = Kind::Panel, .parent = Parent::Form,
              .left = 0, .top = 0, .width = 2415, .height = 2560, .tabIndex = 0,
              .background = kWindowBackground, .foreground = kWindowText};
    t[n++] = {.name = "lstMESI", .kind = Kind::ListBox,
              .left = 360, .top = 330, .width = 1095, .height = 615, .tabIndex = 4,
              .background = kPaleYellow, .foreground = kWindowText, .font = kTahoma};
    t[n++] = {.name = "cmdMESI", .kind = Kind::CommandButton,
              .left = 180, .top = 15, .width = 195, .height = 315, .tabIndex = 5,
              .caption = "6", .background = kLightGrey, .foreground = kButtonText,
              .font = kWebdings, .tooltip = "Lista Mesi "};
    t[n++] = {.name = "VScroll1", .kind = Kind::VScrollBar,
              .left = 2000, .top = 15, .width = 200, .height = 315, .tabIndex = 3};
    t[n++] = {.name = "Command3", .kind = Kind::CommandButton,
              .left = 2190, .top = 15, .width = 195, .height = 315, .tabIndex = 2,
              .caption = "4", .background = kPaleYellow, .foreground = kButtonText,
              .font = kWebdings, .tooltip = "Incrementa Mesi "};
    t[n++] = {.name = "Command2", .kind = Kind::CommandButton,
              .left = 0, .top = 15, .width = 195, .height = 315, .tabIndex = 1,
              .caption = "3", .background = rgb(255, 255, 192), .foreground = kButtonText,
              .font = kWebdings, .tooltip = "Decrementa Mesi "};
    t[n++] = {.name = "Label4", .index = 1,
              .left = 1695, .top = 405, .width = 690, .height = 255, .tabIndex = 48,
              .caption = " sab dom", .background = kWindowBackground, .foreground = kDarkRed,
              .font = kSansSerifUnderlined};
    t[n++] = {.name = "lblOGGI",
              .left = 570, .top = 2310, .width = 945, .height = 255, .tabIndex = 47,
              .caption = "lblOGGI", .background = kTransparent, .foreground = rgb(0, 192, 0),
              .shrinkToFit = true};
    t[n++] = {.name = "Label4", .index = 0,
              .left = 45, .top = 400, .width = 2535, .height = 255, .tabIndex = 46,
              .caption = "lun  mar  mer  gio  ven  ", .background = kWindowBackground,
              .foreground = kWindowText, .font = kSansSerifUnderlined};
    t[n++] = {.name = "lblMESE",
              .left = 330, .top = 15, .width = 1125, .height = 315, .tabIndex = 45,
              .caption = "Settembre", .background = kLightGrey, .foreground = kButtonText,
              .font = kArialBold, .alignment = Align::Centre, .borderStyle = 1,
              .shrinkToFit = true};
    t[n++] = {.name = "lblANNO",
              .left = 1410, .top = 15, .width = 570, .height = 315, .tabIndex = 44,
              .caption = "2005", .background = kLightGrey, .foreground = kButtonText,
              .font = kArialBold, .alignment = Align::Centre, .borderStyle = 1,
              .mousePointer = 99, .tooltip = "Riporta all'Anno Corrente", .shrinkToFit = true};
    t[n++] = dayCell(0);
    t[n++] = {.name = "Shape1", .kind = Kind::Shape,
              .left = 2040, .top = 1965, .width = 300, .height = 270,
              .background = kTransparent, .foreground = kFrameColour};
    for (int i = 1; i <= 36; ++i)
        t[n++] = dayCell(i);
    t[n++] = {.name = "Oggi",
              .left = 30, .top = 2280, .width = 495, .height = 255, .tabIndex = 6,
              .caption = "Oggi:", .background = rgb(255, 192, 192),
              .foreground = rgb(0, 0, 192), .font = kSansSerifBold,
              .alignment = Align::Centre, .mousePointer = 99,
              .tooltip = "Riporta la data a Oggi"};
    return t;
}

constexpr std::array<ControlSpec, kControlCount> kTable = makeTable();

}  // namespace

const std::array<ControlSpec, kControlCount>& controlTable() { return kTable; }

const Colour& colourBehind(const ControlSpec& row)
{
    if (row.background.source == Colour::Source::Rgb || row.background.source == Colour::Source::System)
        return row.background;
    if (row.parent == Parent::Panel)
        for (const ControlSpec& parent : kTable)
            if (parent.kind == Kind::Panel)
                return colourBehind(parent);
    return kFormBackground;
}

}  // namespace calendario
