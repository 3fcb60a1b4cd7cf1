#include "window/form1.h"

#include <algorithm>
#include <functional>
#include <vector>

#include <QAccessible>
#include <QGuiApplication>
#include <QPushButton>
#include <QScreen>
#include <QStyleFactory>

#include "calendar/date_services.h"
#include "window/accessibility.h"
#include "window/click_label.h"
#include "window/day_watch.h"
#include "window/failure.h"
#include "window/hand_pointer.h"
#include "window/layout_table.h"
#include "window/selection_frame.h"
#include "window/small_controls.h"
#include "window/units.h"

namespace calendario {
namespace {

ArrowButton::Direction arrowFor(const char* caption)
{
    // The symbol font draws "3" as a left, "4" as a right and "6" as a down triangle.
    switch (caption[0]) {
    case '3': return ArrowButton::Direction::Left;
    case '4': return ArrowButton::Direction::Right;
    default: return ArrowButton::Direction::Down;
    }
}

Qt::Alignment alignmentOf(Align align)
{
    switch (align) {
    case Align::Right: return Qt::AlignRight | Qt::AlignTop;
    case Align::Centre: return Qt::AlignHCenter | Qt::AlignTop;
    case Align::Left: break;
    }
    return Qt::AlignLeft | Qt::AlignTop;
}

void paint(QWidget* widget, QPalette::ColorRole role, const Colour& colour)
{
    if (colour.source != Colour::Source::Rgb && colour.source != Colour::Source::System)
        return;
    QPalette p = widget->palette();
    p.setColor(role, resolve(colour, p));
    widget->setPalette(p);
}

// A text or shape colour, resolved against the background it is drawn on.
void paintOn(QWidget* widget, QPalette::ColorRole role, const Colour& colour,
             const Colour& background, double goal)
{
    QPalette p = widget->palette();
    p.setColor(role, resolveOn(colour, background, p, goal));
    widget->setPalette(p);
}

// The panel's background: what shows through a transparent label and around the frame.
const Colour& panelBackground()
{
    static const Colour& colour = [] {
        for (const ControlSpec& row : controlTable())
            if (row.kind == Kind::Panel)
                return std::cref(row.background);
        return std::cref(kWindowBackground);
    }();
    return colour;
}

// Buttons with a face of their own colour draw in Fusion, which paints every button face
// from the palette on every platform; native styles, Windows' among them, may not.
QStyle* colouredButtonStyle()
{
    static QStyle* style = [] {
        QStyle* fusion = QStyleFactory::create(QStringLiteral("Fusion"));
        fusion->setParent(qApp);
        return fusion;
    }();
    return style;
}

// The buttons on the panel take the keyboard by Tab only: a click on one leaves it with
// the panel, whose keys move through the calendar.
Qt::FocusPolicy focusPolicyOf(const ControlSpec& row)
{
    if (!row.takesFocus())
        return Qt::NoFocus;
    return row.kind == Kind::CommandButton && row.parent == Parent::Panel ? Qt::TabFocus
                                                                          : Qt::StrongFocus;
}

QWidget* createLabel(const ControlSpec& row, QWidget* parent)
{
    ClickLabel* label = row.kind == Kind::DayCell ? new DayCell(parent) : new ClickLabel(parent);
    label->setTwipsGeometry(row.twips());
    label->setText(QString::fromUtf8(row.caption));
    if (row.background.source == Colour::Source::Transparent)
        label->setTransparent(panelBackground());
    else
        label->setBackground(row.background);
    label->setTextColour(row.foreground);
    label->setAlignment(alignmentOf(row.alignment));
    label->setBorderStyle(row.borderStyle);
    label->setMousePointer(row.mousePointer);
    label->setShrinkToFit(row.shrinkToFit);
    return label;
}

QWidget* createControl(const ControlSpec& row, QWidget* parent)
{
    QWidget* widget = nullptr;
    switch (row.kind) {
    case Kind::CommandButton: {
        const bool arrow = row.font.face && QByteArrayView(row.font.face) == "Webdings";
        if (arrow)
            widget = new ArrowButton(arrowFor(row.caption), parent);
        else
            widget = new QPushButton(QString::fromUtf8(row.caption), parent);
        if (row.background.source == Colour::Source::Rgb)
            widget->setStyle(colouredButtonStyle());
        // A screen reader names a triangle by its tooltip, without the trailing blank.
        if (arrow)
            widget->setAccessibleName(QString::fromUtf8(row.tooltip).trimmed());
        paint(widget, QPalette::Button, row.background);
        paintOn(widget, QPalette::ButtonText, row.foreground, row.background,
                arrow ? kShapeContrast : kTextContrast);
        break;
    }
    case Kind::Panel:
        widget = new Panel(parent);
        paint(widget, QPalette::Window, row.background);
        paintOn(widget, QPalette::WindowText, row.foreground, row.background, kTextContrast);
        break;
    case Kind::ListBox:
        widget = new MonthList(parent);
        paint(widget, QPalette::Base, row.background);
        paintOn(widget, QPalette::Text, row.foreground, row.background, kTextContrast);
        break;
    case Kind::VScrollBar:
        widget = new YearScrollBar(kTopYear, kBottomYear, parent);
        widget->setAccessibleName(QStringLiteral("Anno"));
        break;
    case Kind::Label:
    case Kind::DayCell:
        widget = createLabel(row, parent);
        break;
    case Kind::Shape: {
        const QColor line = resolveOn(row.foreground, panelBackground(), parent->palette(),
                                      kShapeContrast);
        auto* frame = new SelectionFrame(line, parent);
        frame->setTwipsGeometry(row.twips());
        widget = frame;
        break;
    }
    }
    // Labels and the frame keep their twips, for the frame to be placed by them.
    if (!row.isLabel() && row.kind != Kind::Shape)
        widget->setGeometry(pixelsFromTwips(row.twips()));
    if (row.font.face && row.kind != Kind::CommandButton)
        widget->setFont(makeFont(row.font));
    widget->setFocusPolicy(focusPolicyOf(row));
    if (row.tooltip)
        widget->setToolTip(QString::fromUtf8(row.tooltip));
    widget->setObjectName(row.objectName());
    return widget;
}

}  // namespace

Form1::Form1(const Clock& clock, const QLocale& locale, QWidget* parent)
    : QWidget(parent), clock_(clock), names_(locale)
{
    installAccessibility();
    setObjectName(QStringLiteral("Form1"));
    setFont(makeFont(kWindowDefaultFont));
    paint(this, QPalette::Window, kButtonFace);
    setFixedSize(pixelsFromTwips(kFormTwips).size());
    buildControls();
    connectHandlers();
    orderTabStops();
    placeOnScreen();
    // The year label shows the bar's year from the first: start-up writes it only when
    // it moves the bar, and today may lie in the bar's first year, 2500.
    lblANNO->setText(decimalText(VScroll1->year()));
    pctCAL->setFocus();
}

void Form1::buildControls()
{
    for (const ControlSpec& row : controlTable()) {
        QWidget* parent = row.parent == Parent::Form ? static_cast<QWidget*>(this) : pctCAL;
        QWidget* control = createControl(row, parent);
        // Each control goes beneath those made before it: earlier in the table lies above.
        control->lower();
        if (row.kind == Kind::Panel)
            pctCAL = static_cast<Panel*>(control);
    }
    const auto find = [this]<typename T>(T*& pointer, const char* name) {
        pointer = findChild<T*>(QString::fromLatin1(name));
    };
    find(Command1, "Command1");
    find(lstMESI, "lstMESI");
    find(cmdMESI, "cmdMESI");
    find(VScroll1, "VScroll1");
    find(Command3, "Command3");
    find(Command2, "Command2");
    find(lblOGGI, "lblOGGI");
    find(lblMESE, "lblMESE");
    find(lblANNO, "lblANNO");
    find(Shape1, "Shape1");
    find(Oggi, "Oggi");
    for (int i = 0; i < kCellCount; ++i)
        G[i] = findChild<DayCell*>(QStringLiteral("G(%1)").arg(i));
    Oggi->setMouseIcon(handPointer());
}

template <typename Sender, typename Signal>
void Form1::onEvent(Sender* sender, Signal signal, void (Form1::*handler)())
{
    connect(sender, signal, this, [this, handler] { runGuarded([this, handler] { (this->*handler)(); }); });
}

void Form1::connectHandlers()
{
    onEvent(Command1, &QPushButton::clicked, &Form1::Command1_Click);
    onEvent(Command2, &QPushButton::clicked, &Form1::Command2_Click);
    onEvent(Command3, &QPushButton::clicked, &Form1::Command3_Click);
    onEvent(cmdMESI, &QPushButton::clicked, &Form1::cmdMESI_Click);
    onEvent(lstMESI, &MonthList::clicked, &Form1::lstMESI_Click);
    onEvent(VScroll1, &YearScrollBar::yearChanged, &Form1::VScroll1_Change);
    onEvent(lblMESE, &ClickLabel::clicked, &Form1::lblMESE_Click);
    onEvent(lblANNO, &ClickLabel::clicked, &Form1::lblANNO_Click);
    onEvent(lblOGGI, &ClickLabel::clicked, &Form1::lblOGGI_Click);
    onEvent(Oggi, &ClickLabel::clicked, &Form1::Oggi_Click);
    for (int i = 0; i < kCellCount; ++i)
        connect(G[i], &ClickLabel::clicked, this, [this, i] { runGuarded([this, i] { G_Click(i); }); });
    connect(pctCAL, &Panel::keyDown, this, [this](int key) {
        if (runGuarded([this, key] { pctCAL_KeyDown(key); }))
            announceSelectedDay();
    });
    // Queued, so that a screen reader hears the panel take the keyboard before the day.
    connect(pctCAL, &Panel::focusReceived, this, &Form1::announceSelectedDay, Qt::QueuedConnection);
    connect(this, &Form1::gridDrawn, this, &Form1::nameDays);
}

// The keyboard visits the controls that take the focus in the order of their tab index.
void Form1::orderTabStops()
{
    std::vector<const ControlSpec*> stops;
    for (const ControlSpec& row : controlTable())
        if (row.takesFocus())
            stops.push_back(&row);
    std::ranges::sort(stops, {}, &ControlSpec::tabIndex);
    for (std::size_t i = 1; i < stops.size(); ++i)
        setTabOrder(findChild<QWidget*>(stops[i - 1]->objectName()),
                    findChild<QWidget*>(stops[i]->objectName()));
}

// The client area opens where it was designed to, as long as the whole window fits on
// the screen there; otherwise the window manager places it.
void Form1::placeOnScreen()
{
    const QRect design = pixelsFromTwips(kFormTwips);
    const QScreen* screen = QGuiApplication::primaryScreen();
    constexpr int frame = 8, titleBar = 32;
    if (screen && screen->availableGeometry().contains(
                      design.adjusted(-frame, -titleBar - frame, frame, frame)))
        setGeometry(design);
}

DayCell* Form1::cellOf(Int16 Index) const
{
    if (Index < 0 || Index >= cellCount())
        throw RuntimeError(RuntimeError::SubscriptOutOfRange);
    return G[Index.value()];
}

void Form1::putFrameAround(const DayCell* cell)
{
    Shape1->moveTwips(cell->leftTwips() - 30, cell->topTwips() - 30);
    for (DayCell* day : G)
        day->setSelected(day == cell && !day->text().isEmpty());
}

void Form1::nameDays()
{
    using namespace std::chrono;
    const year anno{VScroll1->year().value()};
    const month mese(static_cast<unsigned>(lstMESI->listIndex().value() + 1));
    for (DayCell* cell : G) {
        const Date date{anno / mese / static_cast<unsigned>(cell->text().toInt())};
        cell->setAccessibleName(date.ok() ? names_.longDate(date) : QString());
    }
}

void Form1::announceSelectedDay()
{
    if (!pctCAL->hasFocus())
        return;
    for (DayCell* day : G)
        if (day->isSelected()) {
            QAccessibleEvent focus(day, QAccessible::Focus);
            QAccessible::updateAccessibility(&focus);
        }
}

bool Form1::load()
{
    if (!runGuarded([this] { Form_Load(); }))
        return false;
    onEvent(new DayWatch(clock_, std::chrono::minutes{1}, this), &DayWatch::dayChanged, &Form1::newDay);
    return true;
}

Form1::Variables Form1::variables() const
{
    return {Giorno.value(), NoPass.value(), Indice.value(), Mese.value(),
            NumGiorni.value(), Inizio.value(), Cella.value()};
}

}  // namespace calendario
