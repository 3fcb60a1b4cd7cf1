#include "window/form1.h"

#include <algorithm>
#include <functional>
#include <vector>

#include <QAccessible>
#include <QGuiApplication>
#include <QPushButton>
#include <QScreen>

#include "calendar/date_services.h"
#include "window/accessibility.h"
#include "window/click_label.h"
#include "window/day_watch.h"
#include "window/face_style.h"
#include "window/failure.h"
#include "window/hand_pointer.h"
#include "window/layout_table.h"
#include "window/own_colours.h"
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

bool isArrowButton(const ControlSpec& row)
{
    return row.kind == Kind::CommandButton && row.font.face && QByteArrayView(row.font.face) == "Webdings";
}

// The colours a control has as its own, on the desktop's palette as it is now: those the
// table gives it, resolved on that palette; each other colour is the desktop's. The frame
// draws in a colour of its own, the year bar in the desktop's, and labels keep theirs.
QPalette coloursOf(const ControlSpec& row)
{
    const QPalette desktop = QGuiApplication::palette();
    QPalette own;
    const auto give = [&](QPalette::ColorRole background, QPalette::ColorRole text, double goal) {
        own.setColor(background, resolve(row.background, desktop));
        own.setColor(text, resolveOn(row.foreground, colourBehind(row), desktop, goal));
    };
    switch (row.kind) {
    case Kind::CommandButton:
        give(QPalette::Button, QPalette::ButtonText, isArrowButton(row) ? kShapeContrast : kTextContrast);
        break;
    case Kind::Panel: give(QPalette::Window, QPalette::WindowText, kTextContrast); break;
    case Kind::ListBox: give(QPalette::Base, QPalette::Text, kTextContrast); break;
    case Kind::Label:
    case Kind::DayCell:
    case Kind::Shape:
    case Kind::VScrollBar: break;
    }
    return own;
}

// Buttons with a face of their own colour show it flat, as the design draws them, in a
// style that takes every face from the palette on every platform; native styles, Windows'
// among them, may not.
QStyle* colouredButtonStyle()
{
    static QStyle* style = [] {
        auto* flat = new FlatFaceStyle;
        flat->setParent(qApp);
        return flat;
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
    label->setColours(colourBehind(row), row.foreground,
                      row.background.source != Colour::Source::Transparent);
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
    case Kind::CommandButton:
        if (isArrowButton(row)) {
            widget = new ArrowButton(arrowFor(row.caption), parent);
            // A screen reader names a triangle by its tooltip, without the trailing blank.
            widget->setAccessibleName(QString::fromUtf8(row.tooltip).trimmed());
        } else {
            widget = new QPushButton(QString::fromUtf8(row.caption), parent);
        }
        if (row.background.source == Colour::Source::Rgb)
            widget->setStyle(colouredButtonStyle());
        break;
    case Kind::Panel:
        widget = new Panel(parent);
        break;
    case Kind::ListBox:
        widget = new MonthList(parent);
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
        auto* frame = new SelectionFrame(parent);
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
    // A window of one size: it moves, minimises and closes, and offers no maximising.
    setWindowFlags(Qt::Window | Qt::CustomizeWindowHint | Qt::WindowTitleHint | Qt::WindowSystemMenuHint |
                   Qt::WindowMinimizeButtonHint | Qt::WindowCloseButtonHint);
    setFixedSize(pixelsFromTwips(kFormTwips).size());
    // The window's colours first: each control then takes its own as it is made, before it
    // has children to pass a palette on to.
    showColours();
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
    for (std::size_t i = 0; i < controls_.size(); ++i) {
        const ControlSpec& row = controlTable()[i];
        QWidget* parent = row.parent == Parent::Form ? static_cast<QWidget*>(this) : pctCAL;
        controls_[i] = createControl(row, parent);
        keepColours(controls_[i]);
        // Each control goes beneath those made before it: earlier in the table lies above.
        controls_[i]->lower();
        if (row.kind == Kind::Panel)
            pctCAL = static_cast<Panel*>(controls_[i]);
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
    // Every widget of the window, the controls' own parts among them, keeps its colours.
    for (QWidget* widget : findChildren<QWidget*>())
        widget->installEventFilter(this);
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

void Form1::changeEvent(QEvent* event)
{
    QWidget::changeEvent(event);
    // Where a title bar offers to maximize all the same (Qt's own, on Wayland), the window
    // keeps its one size.
    if (event->type() == QEvent::WindowStateChange && isMaximized())
        setWindowState(windowState() & ~Qt::WindowMaximized);
    if (event->type() == QEvent::PaletteChange)
        coloursChanged(this);
}

bool Form1::eventFilter(QObject* watched, QEvent* event)
{
    if (event->type() == QEvent::PaletteChange)
        coloursChanged(static_cast<QWidget*>(watched));
    return QWidget::eventFilter(watched, event);
}

// A desktop changes its theme with a new application palette, and may give each widget a
// palette of its own as well, in any order: a new desktop palette resolves every colour
// anew, and a palette given to any widget, a control or a part of one, is taken back. The
// design's colours always come from the table; only the system's follow the desktop.
void Form1::coloursChanged(QWidget* widget)
{
    if (QGuiApplication::palette() != paintedOn_)
        showColours();
    keepColours(widget);
}

void Form1::showColours()
{
    paintedOn_ = QGuiApplication::palette();
    keepColours(this);
    for (QWidget* control : controls_)
        if (control)
            keepColours(control);
}

void Form1::keepColours(QWidget* widget)
{
    if (widget == this) {
        QPalette own;
        own.setColor(QPalette::Window, resolve(kFormBackground, QGuiApplication::palette()));
        giveOwnColours(*this, own);
        return;
    }
    const auto control = std::ranges::find(controls_, widget);
    // A part of a control, such as the list's scroll bar, has no colours of its own.
    if (control == controls_.end()) {
        giveOwnColours(*widget, QPalette());
        return;
    }
    const ControlSpec& row = controlTable()[std::size_t(control - controls_.begin())];
    if (row.isLabel()) {
        static_cast<ClickLabel*>(widget)->showColours();
        return;
    }
    giveOwnColours(*widget, coloursOf(row));
    if (row.kind == Kind::Shape)
        static_cast<SelectionFrame*>(widget)->setColour(
            resolveOn(row.foreground, colourBehind(row), QGuiApplication::palette(), kShapeContrast));
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
