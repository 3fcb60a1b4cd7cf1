#pragma once

#include <array>

#include <QWidget>

#include "calendar/clock.h"
#include "calendar/date_names.h"
#include "calendar/int16.h"
#include "calendar/month_grid.h"
#include "window/layout_table.h"

class QPushButton;

namespace calendario {

class ArrowButton;
class ClickLabel;
class DayCell;
class MonthList;
class Panel;
class SelectionFrame;
class YearScrollBar;

// The calendar's one window: a month as a grid of day numbers, Monday first, with the
// month and the year above it and today's date below.
class Form1 : public QWidget {
    Q_OBJECT

public:
    Form1(const Clock& clock, const QLocale& locale, QWidget* parent = nullptr);

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

    // The window's variables as they stand, for a look from outside.
    struct Variables {
        int Giorno, NoPass, Indice, Mese, NumGiorni, Inizio, Cella;
    };
    Variables variables() const;

protected:
    void changeEvent(QEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

signals:
    // After every redraw of the grid and every day selection: for whoever observes them.
    void gridDrawn();
    void dayClicked(int index);

private:
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
    void showOggiLook(bool selectedIsToday);

    void buildControls();
    // Every control's colours, resolved on the desktop's palette as it is now.
    void showColours();
    // The colours of one widget of the window back, where it has other ones.
    void keepColours(QWidget* widget);
    void coloursChanged(QWidget* widget);
    void connectHandlers();
    void orderTabStops();
    void placeOnScreen();

    // Cell Index of the array G; an index that names no cell raises an error.
    DayCell* cellOf(Int16 Index) const;
    Int16 cellCount() const { return static_cast<int>(G.size()); }
    // The frame and the day a screen reader hears as selected move together.
    void putFrameAround(const DayCell* cell);
    // Each day cell named by its full date, for a screen reader; empty cells by nothing.
    void nameDays();
    // A screen reader's focus follows the selected day while the panel has the keyboard.
    void announceSelectedDay();

    template <typename Sender, typename Signal>
    void onEvent(Sender* sender, Signal signal, void (Form1::*handler)());

    const Clock& clock_;
    DateNames names_;
    // The controls in the order of the table, and the palette their colours were resolved on.
    std::array<QWidget*, kControlCount> controls_{};
    QPalette paintedOn_;

    Int16 Indice;
    Int16 Mese;
    Int16 NumGiorni;
    Int16 Inizio;
    Int16 Cella;

    QPushButton* Command1 = nullptr;
    Panel* pctCAL = nullptr;
    MonthList* lstMESI = nullptr;
    ArrowButton* cmdMESI = nullptr;
    YearScrollBar* VScroll1 = nullptr;
    ArrowButton* Command3 = nullptr;
    ArrowButton* Command2 = nullptr;
    ClickLabel* lblOGGI = nullptr;
    ClickLabel* lblMESE = nullptr;
    ClickLabel* lblANNO = nullptr;
    SelectionFrame* Shape1 = nullptr;
    ClickLabel* Oggi = nullptr;
    std::array<DayCell*, kCellCount> G{};
};

}  // namespace calendario
