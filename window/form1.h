#pragma once

#include <array>
#include <exception>

#include <QTimer>
#include <QWidget>

#include "calendar/clock.h"
#include "calendar/date_names.h"
#include "calendar/int16.h"
#include "calendar/month_grid.h"
#include "window/control_table.h"
#include "window/controls.h"
#include "window/day_grid.h"
#include "window/labels.h"
#include "window/week_column.h"

namespace calendario {

// The calendar's one window: a month as a grid of day numbers, Monday first, with the
// month and the year above it and today's date below.
class Form1 : public QWidget
{
    Q_OBJECT

public:
    // Ways the window can be asked for, each adding to the design's window.
    struct Options
    {
        // A narrow column of ISO week numbers left of the grid; the window grows by it.
        bool weekNumbers = false;
        // A panel's calendar: it opens at the mouse pointer, stays above other windows, shows
        // in no taskbar, and closes on Esc and when another window takes the focus.
        bool popup = false;
        // A date picker: Enter, or a double click on a day, chooses the selected day; Esc
        // closes the window, choosing none.
        bool picker = false;
    };

    Form1(const Clock &clock, const QLocale &locale, QWidget *parent = nullptr);
    Form1(const Clock &clock, const QLocale &locale, const Options &options,
          QWidget *parent = nullptr);

    // Runs the start-up handler, then follows the clock past midnight. False when start-up
    // failed; the failure has been reported.
    bool load();

    // Shows the date's month and selects the date, as a click on its cell does; the date
    // must lie in the year bar's years.
    void showDate(Date date);
    // Shown, in front of other windows and with the keyboard, as when a later start of the
    // program asks for the calendar.
    void bringToFront();

    // The selected day: the one the frame surrounds, which the keys move from, a screen reader
    // hears, and Enter, a double click and Ctrl+C take. None while the frame stands on a cell
    // without a day (the 31st selected, a month of 30 shown).
    std::optional<Date> selectedDate() const;
    // The month (1 to 12) and the year shown.
    int monthShown() const { return lstMESI->listIndex().value() + 1; }
    int yearShown() const { return VScroll1->year().value(); }

signals:
    // A date picker's day chosen with Enter or a double click; once.
    void dateChosen(Date date);
    // A panel's calendar hidden because another window took the focus.
    void dismissed();

protected:
    bool event(QEvent *event) override;
    void changeEvent(QEvent *event) override;

private:
    void Form_Load();
    void Command1_Click();
    void Command2_Click();
    void Command3_Click();
    void cmdMESI_Click();
    void lblMESE_Click();
    void lblANNO_Click();
    void lblOGGI_Click();
    void lstMESI_Click();
    void VScroll1_Change();
    void G_Click(Int16 Index);
    void Oggi_Click();
    void MostraMese();
    void pctCAL_KeyDown(int KeyCode);
    void pctCAL_MouseWheel(QWidget *over, bool up);
    void moveSelectionBy(int days);
    void newDay();
    // Answers a new date with newDay, then sleeps until midnight, or a minute when that is
    // sooner, which also catches a clock set forward or back and a resume from suspend.
    void watchTheDay();

    // Setting the year bar's value or the list's index from code runs its handler inside
    // the setting statement when the value changes, as a user's change of it does.
    void setYear(Int16 anno);
    void setListIndex(Int16 indice);
    // "Oggi:" as a plain framed label while today is selected, else as a link back to today.
    void showOggiLook(bool selectedIsToday);

    void buildControls();
    void addWeekColumn();
    void placeAtPointer();
    void connectHandlers();
    // Every control's colours, as the table gives them, on the desktop's palette as it is now.
    void applyColours();

    // Cell Index of the array G; an index that names no cell raises an error.
    DayCell &G(Int16 Index) { return grid_->cell(Index); }
    Int16 cellCount() const { return Int16(grid_->count()); }
    void putFrameAround(const DayCell &cell);
    // A picker's day chosen: the selected one, if there is one.
    void chooseSelected();
    // Why start-up or a new day fails, when the clock lies outside the calendar's years.
    QString clockOutsideTheYears() const;

    // Runs the handler of a user's event. A runtime error that no handler trapped ends it
    // here: it is reported, once, as soon as control is back in the event loop, and the
    // program ends; no handler runs after it.
    template<typename Handler>
    void answer(Handler handler) noexcept;
    void fail(const std::exception_ptr &error) noexcept;
    template<typename Sender, typename Signal>
    void onEvent(Sender *sender, Signal signal, void (Form1::*handler)());

    const Clock &clock_;
    DateNames names_;
    const Options options_;
    bool wasActive_ = false;
    // The day the title names, the last chosen: "Oggi:" looks by it when midnight passes, as
    // choosing it again would make it look.
    Date titleDate_{};
    Date today_{};
    QTimer dayTimer_;
    bool failed_ = false;
    // A picker's day has been chosen.
    bool answered_ = false;
    bool coloursDue_ = false;
    // The controls in the order of the table; none for the cells and the frame, which the
    // grid draws.
    std::array<QWidget *, kControlCount> controls_{};

    Int16 Giorno;
    Int16 NoPass;
    Int16 Indice;
    Int16 Mese;
    Int16 NumGiorni;
    Int16 Inizio;
    Int16 Cella;

    QPushButton *Command1 = nullptr;
    Panel *pctCAL = nullptr;
    MonthList *lstMESI = nullptr;
    ArrowButton *cmdMESI = nullptr;
    YearScrollBar *VScroll1 = nullptr;
    ArrowButton *Command3 = nullptr;
    ArrowButton *Command2 = nullptr;
    ClickLabel *lblOGGI = nullptr;
    ClickLabel *lblMESE = nullptr;
    ClickLabel *lblANNO = nullptr;
    ClickLabel *Oggi = nullptr;
    // The day cells G and the frame Shape1, drawn by one grid.
    DayGrid *grid_ = nullptr;
    SelectionFrame *Shape1 = nullptr;
    WeekColumn *weekColumn_ = nullptr;
};

} // namespace calendario
