#pragma once

#include <QListWidget>
#include <QProxyStyle>
#include <QPushButton>
#include <QScrollBar>

#include "calendar/int16.h"
#include "window/control_table.h"
#include "window/units.h"

namespace calendario {

// The panel that holds the calendar. The keys that move through the calendar reach
// `keyDown` while the panel, or a button on it, holds the keyboard; the scroll bar and the
// list keep their own.
class Panel : public QWidget
{
    Q_OBJECT

public:
    explicit Panel(QWidget *parent);

signals:
    void keyDown(int key);

protected:
    void keyPressEvent(QKeyEvent *event) override;
    void focusInEvent(QFocusEvent *event) override;
};

// Fusion, with a push button's face in its palette colour, flat, as the design draws a
// coloured button; darker while it is pressed. Fusion's own outline and focus stay, and
// every platform takes the face from the palette, which native styles may not.
class FlatFaceStyle : public QProxyStyle
{
    Q_OBJECT

public:
    FlatFaceStyle();
    void drawPrimitive(PrimitiveElement element, const QStyleOption *option, QPainter *painter,
                       const QWidget *widget = nullptr) const override;
};

// A small button that shows a solid triangle, drawn rather than taken from a symbol font.
// It lies on the panel, so the arrow keys move through the calendar, not among buttons.
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
// entry that could claim the keyboard or a screen reader's focus. The mouse chooses with
// a click of the left button (QAbstractItemView::clicked) and never moves the selection
// by itself; the keys move it as in any list.
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

protected:
    QItemSelectionModel::SelectionFlags selectionCommand(const QModelIndex &index,
                                                         const QEvent *event) const override;
    void showEvent(QShowEvent *event) override;
    void hideEvent(QHideEvent *event) override;

private:
    void fitRows();

    bool rowsToFit_ = false;
};

// The frame around the selected day: a solid outline, 2 pixels wide, in its palette's
// text colour, drawn inside its bounds, with a see-through middle that lets clicks through
// to the cell beneath.
class SelectionFrame : public QWidget
{
    Q_OBJECT

public:
    SelectionFrame(const ControlSpec &row, QWidget *parent);

    // Moves the frame to a place in twips, keeping its size.
    void moveTwips(int left, int top) { move(pixelsFromTwips(left), pixelsFromTwips(top)); }
    QColor colour() const { return palette().color(QPalette::WindowText); }

protected:
    void paintEvent(QPaintEvent *event) override;
};

} // namespace calendario
