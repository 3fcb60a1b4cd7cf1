#pragma once

#include <array>

#include <QTimer>
#include <QWidget>

#include "calendar/clock.h"
#include "calendar/date_names.h"
#include "calendar/int16.h"
#include "calendar/month_grid.h"
#include "window/control_table.h"
#include "window/controls.h"
#include "window/labels.h"

namespace calendario {

// The calendar's one window: a month as a grid of day numbers, Monday first, with the
// month and the year above it and today's date below.
class Form1 : public QWidget
{
    Q_OBJECT

public:
    Form1(const Clock &clock, const QLocale &locale, QWidget *parent = nullptr);

    // Runs the start-up handler, then follows the clock past midnight. False when start-up
    // failed; the failure has been reported.
    bool load();

    // Selected day of the month.
    Int16 Giorno;
    // Vero only while start-up returns to today: the redraws it raises are skipped.
    Int16 NoPass;

    void Oggi_Click();
    void cmdMESI_Click();
    void G_Click(Int16 Index);

    // A day cell's date written out, as a screen reader names it; empty for an empty cell.
    QString longDateOf(const DayCell &cell) const;

protected:
    bool event(QEvent *event) override;

private:
    // Tests read the window's private variables through this.
    friend struct FormInternals;

    void Form_Load();
    void Command1_Click();
    void Command2_Click();
    void Command3_Click();
    void lblMESE_Click();
    void lblANNO_Click();
    void lblOGGI_Click();
    void lstMESI_Click();
    void VScroll1_Change();
    void MostraMese();
    void pctCAL_KeyDown(int KeyCode);
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
    void connectHandlers();
    // Every control's colours, as the table gives them, on the desktop's palette as it is now.
    void applyColours();

    // Cell Index of the array G; an index that names no cell raises an error.
    DayCell *cellOf(Int16 Index) const;
    Int16 cellCount() const { return Int16(G.size()); }
    // The frame and the day a screen reader hears as selected move together.
    void putFrameAround(const DayCell *cell);

    // Runs the handler of a user's event. A runtime error that no handler trapped ends it
    // here: it is reported, once, and the program ends; no handler runs after it.
    template<typename Handler>
    void answer(Handler handler) noexcept;
    template<typename Sender, typename Signal>
    void onEvent(Sender *sender, Signal signal, void (Form1::*handler)());

    const Clock &clock_;
    DateNames names_;
    // The date the title names; "Oggi:" looks by it when midnight passes.
    Date selected_{};
    Date today_{};
    QTimer dayTimer_;
    bool failed_ = false;
    bool coloursDue_ = false;
    FlatFaceStyle faceStyle_;
    // The controls in the order of the table.
    std::array<QWidget *, kControlCount> controls_{};

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
    SelectionFrame *Shape1 = nullptr;
    ClickLabel *Oggi = nullptr;
    std::array<DayCell *, kCellCount> G{};
};

} // namespace calendario
