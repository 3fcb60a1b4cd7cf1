#pragma once

#include <QListWidget>
#include <QPushButton>
#include <QScrollBar>

#include "calendar/int16.h"

namespace calendario {

// The panel that holds the calendar. The keys that move through the calendar reach
// `keyDown` while the panel, or a button on it, holds the keyboard; the scroll bar and the
// list keep their own.
class Panel : public QWidget {
    Q_OBJECT

public:
    explicit Panel(QWidget* parent);

signals:
    void keyDown(int key);
    void focusReceived();

protected:
    void keyPressEvent(QKeyEvent* event) override;
    void focusInEvent(QFocusEvent* event) override;
};

// A small button that shows a solid triangle, drawn rather than taken from a symbol font.
class ArrowButton : public QPushButton {
    Q_OBJECT

public:
    enum class Direction { Left, Right, Down };
    ArrowButton(Direction direction, QWidget* parent);

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    Direction direction_;
};

// The year bar: its top end is the larger year, so the up arrow and the Up key raise the
// year. Qt keeps the smaller value at the top, so the bar holds the year negated.
// Only finished changes count: dragging the thumb reports nothing until it is let go.
class YearScrollBar : public QScrollBar {
    Q_OBJECT

public:
    YearScrollBar(Int16 topEnd, Int16 bottomEnd, QWidget* parent);

    Int16 year() const { return -value(); }
    // A year outside the bar's range raises the invalid-property-value error.
    void setYear(Int16 year);
    Int16 topEnd() const { return -minimum(); }
    Int16 bottomEnd() const { return -maximum(); }

signals:
    void yearChanged();
};

// The month list. Its index is the selected entry; one entry, once chosen, always stays
// selected. `clicked` follows every change of the index, whether the user or the program
// made it, and also the user's choice of the entry already selected. Only a click of the
// left button, pressed and released on the same entry, chooses with the mouse.
class MonthList : public QListWidget {
    Q_OBJECT

public:
    explicit MonthList(QWidget* parent);

    Int16 listIndex() const { return selectedRow_; }
    // -1 (none) to the last entry; any other index raises the invalid-property-value error.
    void setListIndex(Int16 index);
    // The selected entry's text, empty with none selected.
    QString text() const;

    // As tall as the height given allows, snapped down to whole rows and kept inside the
    // parent, so that no entry is ever cut off; entries too wide for it then fitted. The
    // rows are fitted once control returns to the event loop, or as the list opens.
    void setHeightInWholeRows(int pixels);

signals:
    void clicked();

protected:
    QItemSelectionModel::SelectionFlags selectionCommand(const QModelIndex& index,
                                                         const QEvent* event) const override;
    void showEvent(QShowEvent* event) override;
    void hideEvent(QHideEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    void mouseDoubleClickEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;

private:
    void followSelection();
    // Entries too long for the list are drawn smaller, or broken between words.
    void fitEntries();
    void fitRows();
    int leftButtonRowAt(const QMouseEvent* event) const;

    int selectedRow_ = -1;
    int rowAtPress_ = -1;
    bool rowsToFit_ = false;
};

}  // namespace calendario
