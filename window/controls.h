#pragma once

#include <QListWidget>
#include <QPushButton>
#include <QScrollBar>

#include "calendar/int16.h"
#include "window/control_table.h"
#include "window/units.h"

namespace calendario {

// The panel that holds the calendar. The keys that move through the calendar reach
// `keyDown` while the panel, its grid of days or a button on it holds the keyboard; the
// scroll bar and the list keep their own. A wheel turned over a control that has no use
// for it reaches `wheelNotch`, a notch at a time.
class Panel : public QWidget
{
    Q_OBJECT

public:
    explicit Panel(QWidget *parent);

signals:
    // A key that moves through the calendar, Esc, Enter, or Qt::Key_Copy for Ctrl+C.
    void keyDown(int key);
    void wheelNotch(QWidget *over, bool up);

protected:
    void keyPressEvent(QKeyEvent *event) override;
    void wheelEvent(QWheelEvent *event) override;

private:
    QWidget *wheelOver_ = nullptr;
    int wheelTurn_ = 0;
};

// A small button that shows a solid triangle, drawn rather than taken from a symbol font, on
// a face of its palette's button colour, flat, as the design draws a coloured button; darker
// while it is pressed. It lies on the panel, so the arrow keys move through the calendar,
// not among buttons.
class ArrowButton : public QPushButton
{
    Q_OBJECT

public:
    ArrowButton(Arrow arrow, QWidget *parent);

protected:
    void paintEvent(QPaintEvent *event) override;
    void keyPressEvent(QKeyEvent *event) override;

private:
    Arrow arrow_;
};

// The year bar: its top end is the larger year, so the up arrow and the Up key raise the
// year. Qt keeps the smaller value at the top, so the bar holds the year negated.
// Only finished changes count: dragging the thumb reports nothing until it is let go.
class YearScrollBar : public QScrollBar
{
    Q_OBJECT

public:
    YearScrollBar(Int16 topEnd, Int16 bottomEnd, QWidget *parent);

    Int16 year() const { return Int16(-value()); }
    // A year outside the bar's range raises the invalid-property-value error.
    void setYear(Int16 year);
    Int16 topEnd() const { return Int16(-minimum()); }
    Int16 bottomEnd() const { return Int16(-maximum()); }
};

// The month list. Its index is the selected entry, and a hidden list holds no current
// entry that could claim the keyboard or a screen reader's focus. The view selects as Qt's
// lists do, an entry whole and never none: with the left button, or with the keys; once it
// has, `chosen` tells that the user chose the entry selected.
class MonthList : public QListWidget
{
    Q_OBJECT

public:
    explicit MonthList(QWidget *parent);

    Int16 listIndex() const;
    // -1 (none) to the last entry; any other index raises the invalid-property-value error.
    void setListIndex(Int16 index);
    // The selected entry's text, empty with none selected.
    QString text() const;

    // As tall as the height given allows, snapped down to whole rows and kept inside the
    // parent, so that no entry is ever cut off; entries too wide for it then fitted. The
    // rows are fitted once control returns to the event loop, or as the list opens.
    void setHeightInWholeRows(int pixels);

signals:
    // A left click in the list, or a key that moved its selection: a month chosen.
    void chosen();

protected:
    QItemSelectionModel::SelectionFlags selectionCommand(const QModelIndex &index,
                                                         const QEvent *event) const override;
    void keyPressEvent(QKeyEvent *event) override;
    void mouseReleaseEvent(QMouseEvent *event) override;
    void showEvent(QShowEvent *event) override;
    void hideEvent(QHideEvent *event) override;

private:
    void fitRows();

    bool rowsToFit_ = false;
};

} // namespace calendario
