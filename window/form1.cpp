#include "window/form1.h"

#include <algorithm>
#include <utility>
#include <vector>

#include <QCursor>
#include <QGuiApplication>
#include <QPushButton>
#include <QScreen>

#include "calendar/calendar_years.h"
#include "calendar/date_format.h"
#include "window/accessibility.h"
#include "window/failure.h"
#include "window/units.h"

namespace calendario {
namespace {

// A window's client area with the frame a window manager is likely to give it.
QRect withFrame(const QRect &client)
{
    constexpr int frame = 8, titleBar = 32;
    return client.adjusted(-frame, -titleBar - frame, frame, frame);
}

} // namespace

Form1::Form1(const Clock &clock, const QLocale &locale, QWidget *parent)
    : Form1(clock, locale, Options(), parent)
{
}

Form1::Form1(const Clock &clock, const QLocale &locale, const Options &options, QWidget *parent)
    : QWidget(parent), clock_(clock), names_(locale), options_(options), dayTimer_(this)
{
    installAccessibility();
    setObjectName(QStringLiteral("Form1"));
    setFont(makeFont(kWindowDefaultFont));
    // A window of one size: it moves, minimises and closes, and offers no maximising. A
    // panel's calendar stays above other windows, out of the taskbar.
    const Qt::WindowFlags kind = options.popup ? Qt::Tool | Qt::WindowStaysOnTopHint : Qt::Window;
    setWindowFlags(kind | Qt::CustomizeWindowHint | Qt::WindowTitleHint | Qt::WindowSystemMenuHint
                   | Qt::WindowMinimizeButtonHint | Qt::WindowCloseButtonHint);
    setFixedSize(pixelsFromTwips(kFormTwips).size());
    buildControls();
    if (options.weekNumbers)
        addWeekColumn();
    applyColours();
    connectHandlers();
    if (options.popup) {
        placeAtPointer();
    } else {
        // The client area opens where it was designed to, as long as the whole window fits
        // on the screen there; otherwise the window manager places it.
        const QRect design(pixelsFromTwips(kFormTwips).topLeft(), size());
        if (const QScreen *screen = QGuiApplication::primaryScreen();
            screen && screen->availableGeometry().contains(withFrame(design)))
            setGeometry(design);
    }
    // The year label shows the bar's year from the first: start-up writes it only when
    // it moves the bar, and today may lie in the bar's first year, 2500.
    lblANNO->setCaption(decimalText(VScroll1->year()));
    pctCAL->setFocus();
}

// The week column takes the window's left edge; the design's window, whole, moves right
// beside it.
void Form1::addWeekColumn()
{
    weekColumn_ = new WeekColumn(*grid_, this);
    weekColumn_->setObjectName(QStringLiteral("weekNumbers"));
    const int width = weekColumn_->width();
    for (QWidget *control : {static_cast<QWidget *>(pctCAL), static_cast<QWidget *>(Command1)})
        control->move(control->pos() + QPoint(width, 0));
    setFixedSize(size() + QSize(width, 0));
}

// A panel's calendar opens at the pointer, whole on the pointer's screen: moved left and up
// from it as far as it must.
void Form1::placeAtPointer()
{
    const QPoint pointer = QCursor::pos();
    const QScreen *screen = QGuiApplication::screenAt(pointer);
    if (!screen)
        screen = QGuiApplication::primaryScreen();
    if (!screen)
        return;
    const QRect room = screen->availableGeometry();
    const QRect outer = withFrame(QRect(QPoint(), size()));
    QPoint corner(std::clamp(pointer.x(), room.left(), room.right() + 1 - outer.width()),
                  std::clamp(pointer.y(), room.top(), room.bottom() + 1 - outer.height()));
    corner = QPoint(std::max(corner.x(), room.left()), std::max(corner.y(), room.top()));
    setGeometry(QRect(corner - outer.topLeft(), size()));
}

// Each control straight into its member, in the order of the table; the day cells and the
// frame into the one grid that draws them, where the first cell lies.
void Form1::buildControls()
{
    std::vector<std::pair<int, QWidget *>> tabStops;
    for (std::size_t i = 0; i < controls_.size(); ++i) {
        const ControlSpec &row = controlTable()[i];
        const auto label = [&] { return new ClickLabel(row, pctCAL); };
        const auto arrow = [&] { return new ArrowButton(row.arrow, pctCAL); };
        QWidget *control = nullptr;
        switch (row.id) {
        case Control::Command1:
            control = Command1 = new QPushButton(QString::fromUtf8(row.caption), this);
            break;
        case Control::pctCAL:
            control = pctCAL = new Panel(this);
            break;
        case Control::lstMESI:
            control = lstMESI = new MonthList(pctCAL);
            break;
        case Control::cmdMESI:
            control = cmdMESI = arrow();
            break;
        case Control::VScroll1:
            control = VScroll1 = new YearScrollBar(Int16(kLastYear), Int16(kFirstYear), pctCAL);
            break;
        case Control::Command3:
            control = Command3 = arrow();
            break;
        case Control::Command2:
            control = Command2 = arrow();
            break;
        case Control::Label4:
            control = label();
            break;
        case Control::lblOGGI:
            control = lblOGGI = label();
            break;
        case Control::lblMESE:
            control = lblMESE = label();
            break;
        case Control::lblANNO:
            control = lblANNO = label();
            break;
        case Control::G:
            if (!grid_) {
                grid_ = new DayGrid(names_, pctCAL);
                grid_->setObjectName(QStringLiteral("G"));
                grid_->lower();
                Shape1 = &grid_->frame();
            }
            continue;
        case Control::Shape1:
            continue;
        case Control::Oggi:
            control = Oggi = label();
            break;
        }
        // Labels place themselves.
        if (!row.isLabel())
            control->setGeometry(pixelsFromTwips(row.twips()));
        if (row.font.face && !row.isLabel())
            control->setFont(makeFont(row.font));
        if (row.tooltip)
            control->setToolTip(QString::fromUtf8(row.tooltip));
        // A screen reader names a triangle by its tooltip, without the trailing blank.
        if (row.arrow != Arrow::None)
            control->setAccessibleName(QString::fromUtf8(row.tooltip).trimmed());
        // The buttons on the panel take the keyboard by Tab only: a click on one leaves it
        // with the panel, whose keys move through the calendar.
        const bool panelButton = row.kind == Kind::CommandButton && row.parent == Parent::Panel;
        control->setFocusPolicy(!row.takesFocus() ? Qt::NoFocus
                                    : panelButton ? Qt::TabFocus
                                                  : Qt::StrongFocus);
        if (row.takesFocus())
            tabStops.emplace_back(row.tabIndex, control);
        control->setObjectName(row.objectName());
        // Each control goes beneath those made before it: earlier in the table lies above.
        control->lower();
        controls_[i] = control;
    }
    // The panel holds the keyboard through its grid of days, which a screen reader follows.
    grid_->setFocusPolicy(Qt::StrongFocus);
    pctCAL->setFocusProxy(grid_);
    // The keyboard visits the controls that take the focus in the order of their tab index.
    std::ranges::sort(tabStops);
    for (std::size_t i = 1; i < tabStops.size(); ++i)
        setTabOrder(tabStops[i - 1].second, tabStops[i].second);
    VScroll1->setAccessibleName(QStringLiteral("Anno"));
    Oggi->setMouseIcon(handPointer());
}

// A desktop changes its theme with a new application palette, and may then give every
// widget a palette of its own, one by one: once it has done, the window takes the
// design's colours again, each resolved on the new palette.
bool Form1::event(QEvent *event)
{
    const QEvent::Type type = event->type();
    if ((type == QEvent::ThemeChange || type == QEvent::ApplicationPaletteChange) && !coloursDue_) {
        coloursDue_ = true;
        QMetaObject::invokeMethod(this, &Form1::applyColours, Qt::QueuedConnection);
    }
    return QWidget::event(event);
}

// Where a title bar offers to maximize all the same (Qt's own, on Wayland), the window
// keeps its one size. A panel's calendar goes once another window takes the focus from it.
void Form1::changeEvent(QEvent *event)
{
    QWidget::changeEvent(event);
    if (event->type() == QEvent::WindowStateChange && isMaximized())
        setWindowState(windowState() & ~Qt::WindowMaximized);
    if (event->type() == QEvent::ActivationChange && options_.popup && !failed_) {
        if (isActiveWindow()) {
            wasActive_ = true;
        } else if (std::exchange(wasActive_, false) && isVisible()) {
            hide();
            emit dismissed();
        }
    }
}

// A date asked for: its year and month shown, then its cell selected as a click selects it.
void Form1::showDate(Date date)
{
    answer([this, date] {
        setYear(yearOf(date));
        setListIndex(monthOf(date) - 1);
        G_Click(CellaDelGiorno(dayOf(date), Inizio));
    });
}

void Form1::bringToFront()
{
    if (isMinimized())
        setWindowState(windowState() & ~Qt::WindowMinimized);
    show();
    raise();
    activateWindow();
}

void Form1::applyColours()
{
    // The parts of a control, such as the list's scroll bars, take their control's colours.
    for (QWidget *widget : findChildren<QWidget *>())
        widget->setPalette(QPalette());
    QPalette form;
    form.setColor(QPalette::Window, resolve(kFormBackground, QGuiApplication::palette()));
    setPalette(form);
    for (std::size_t i = 0; i < controls_.size(); ++i) {
        const ControlSpec &row = controlTable()[i];
        const auto give = [&](QPalette::ColorRole background, QPalette::ColorRole text,
                              double goal) {
            controls_[i]->setPalette(ownColours(background, row.background, text, row.foreground,
                                                colourBehind(row), goal));
        };
        switch (row.kind) {
        case Kind::CommandButton:
            give(QPalette::Button, QPalette::ButtonText,
                 row.arrow != Arrow::None ? kShapeContrast : kTextContrast);
            break;
        case Kind::Panel:
            give(QPalette::Window, QPalette::WindowText, kTextContrast);
            break;
        case Kind::ListBox:
            give(QPalette::Base, QPalette::Text, kTextContrast);
            break;
        case Kind::Label:
            static_cast<ClickLabel *>(controls_[i])->showColours();
            break;
        case Kind::DayCell:
        case Kind::Shape:
        case Kind::VScrollBar: // the desktop's own
            break;
        }
    }
    grid_->showColours();
    if (weekColumn_)
        weekColumn_->showColours();
    coloursDue_ = false;
}

template<typename Handler>
void Form1::answer(Handler handler) noexcept
{
    if (failed_)
        return;
    try {
        handler();
    } catch (...) {
        fail(std::current_exception());
    }
}

void Form1::fail(const std::exception_ptr &error) noexcept
{
    failed_ = true;
    // Reported from the event loop, once the signal that ran the handler has returned.
    try {
        QMetaObject::invokeMethod(
            this, [this, error, why = clockOutsideTheYears()] { reportFailure(this, error, why); },
            Qt::QueuedConnection);
    } catch (...) {
        reportFailure(this, error);
    }
}

template<typename Sender, typename Signal>
void Form1::onEvent(Sender *sender, Signal signal, void (Form1::*handler)())
{
    connect(sender, signal, this,
            [this, handler] { answer([this, handler] { (this->*handler)(); }); });
}

void Form1::connectHandlers()
{
    onEvent(Command1, &QPushButton::clicked, &Form1::Command1_Click);
    onEvent(Command2, &QPushButton::clicked, &Form1::Command2_Click);
    onEvent(Command3, &QPushButton::clicked, &Form1::Command3_Click);
    onEvent(cmdMESI, &QPushButton::clicked, &Form1::cmdMESI_Click);
    onEvent(VScroll1, &QScrollBar::valueChanged, &Form1::VScroll1_Change);
    onEvent(lblMESE, &ClickLabel::clicked, &Form1::lblMESE_Click);
    onEvent(lblANNO, &ClickLabel::clicked, &Form1::lblANNO_Click);
    onEvent(lblOGGI, &ClickLabel::clicked, &Form1::lblOGGI_Click);
    onEvent(Oggi, &ClickLabel::clicked, &Form1::Oggi_Click);
    onEvent(lstMESI, &MonthList::chosen, &Form1::lstMESI_Click);
    connect(grid_, &DayGrid::clicked, this,
            [this](int cell) { answer([this, cell] { G_Click(Int16(cell)); }); });
    connect(pctCAL, &Panel::keyDown, this,
            [this](int key) { answer([this, key] { pctCAL_KeyDown(key); }); });
    connect(pctCAL, &Panel::wheelNotch, this, [this](QWidget *over, bool up) {
        answer([this, over, up] { pctCAL_MouseWheel(over, up); });
    });
    // A date picker's double click chooses the day its first click selected; on a cell
    // without a day it chooses nothing.
    if (options_.picker)
        connect(grid_, &DayGrid::doubleClicked, this, [this](int cell) {
            answer([this, cell] {
                if (grid_->selectedCell() == cell)
                    chooseSelected();
            });
        });
}

void Form1::putFrameAround(const DayCell &cell)
{
    Shape1->moveTwips(cell.leftTwips() - kFrameInset, cell.topTwips() - kFrameInset);
}

std::optional<Date> Form1::selectedDate() const
{
    const int cell = grid_->selectedCell();
    return cell >= 0 ? grid_->cell(cell).date() : std::nullopt;
}

void Form1::chooseSelected()
{
    // One answer: keys still queued once it is given (Enter pressed twice) give none.
    if (const std::optional<Date> day = selectedDate(); day && !answered_) {
        answered_ = true;
        emit dateChosen(*day);
    }
}

QString Form1::clockOutsideTheYears() const
{
    const Date today = clock_.today();
    if (inCalendar(today))
        return {};
    return QStringLiteral("today, %1, lies outside the calendar's years, %2 to %3")
        .arg(isoText(today))
        .arg(kFirstYear)
        .arg(kLastYear);
}

bool Form1::load()
{
    // Read before start-up, so that a midnight passed while it runs is answered at once.
    today_ = clock_.today();
    try {
        Form_Load();
    } catch (...) {
        failed_ = true;
        reportFailure(this, std::current_exception(), clockOutsideTheYears());
        return false;
    }
    dayTimer_.setSingleShot(true);
    connect(&dayTimer_, &QTimer::timeout, this, &Form1::watchTheDay);
    watchTheDay();
    return true;
}

void Form1::watchTheDay()
{
    using namespace std::chrono;
    const LocalTime now = clock_.now();
    const local_days midnight = floor<days>(now) + days{1};
    if (const Date today{floor<days>(now)}; today != today_) {
        today_ = today;
        answer([this] { newDay(); });
    }
    // Just past midnight, so that a timer that wakes a hair early still finds the new day.
    dayTimer_.start(
        std::min(duration_cast<milliseconds>(midnight - now) + 50ms, milliseconds{1min}));
}

} // namespace calendario
