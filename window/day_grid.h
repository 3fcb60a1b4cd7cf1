#pragma once

#include <array>
#include <optional>

#include <QCursor>
#include <QWidget>

#include "calendar/date_names.h"
#include "calendar/date_services.h"
#include "calendar/int16.h"
#include "calendar/month_grid.h"
#include "window/colours.h"
#include "window/control_table.h"

namespace calendario {

class DayGrid;

// One of the grid's day cells, G(Index): its caption, its background and its mouse pointer,
// as the window sets them, and the date it shows. The grid draws it.
class DayCell
{
public:
    const QString &text() const { return caption_; }
    // An empty caption leaves the cell without a date.
    void setCaption(const QString &caption);
    const std::optional<Date> &date() const { return date_; }
    void setDate(Date date);

    const Colour &backgroundColour() const { return background_; }
    void setBackground(const Colour &colour);

    // 0 default, 1 arrow, 99 the cell's mouse icon; others raise invalid-property-value.
    Int16 mousePointer() const { return mousePointer_; }
    void setMousePointer(Int16 pointer);
    const QCursor &mouseIcon() const { return mouseIcon_; }
    void setMouseIcon(const QCursor &icon);

    int leftTwips() const { return row_->left; }
    int topTwips() const { return row_->top; }
    // Its colours as drawn, on the desktop's palette as it is now.
    QColor shownBackground() const { return shownBackground_; }
    QColor shownText() const { return shownText_; }

private:
    friend class DayGrid;
    void showColours();

    DayGrid *grid_ = nullptr;
    const ControlSpec *row_ = nullptr;
    QString caption_;
    std::optional<Date> date_;
    Colour background_;
    Int16 mousePointer_;
    QCursor mouseIcon_;
    QColor shownBackground_;
    QColor shownText_;
    // Its name, the date, changed since a screen reader was last told.
    bool renamed_ = false;
};

// The frame around the selected day, Shape1: a solid outline 2 pixels wide that the grid
// draws over the cells.
class SelectionFrame
{
public:
    // Moves the frame to a place in twips, keeping its size.
    void moveTwips(int left, int top);
    // Where it is drawn, in the grid's pixels.
    QRect rect() const;
    QColor colour() const { return colour_; }

private:
    friend class DayGrid;

    DayGrid *grid_ = nullptr;
    const ControlSpec *row_ = nullptr;
    int left_ = 0;
    int top_ = 0;
    QColor colour_;
};

// The month's grid of day cells: it draws their numbers and backgrounds and the frame,
// shows each cell's mouse pointer, reports a click on a cell, and tells a screen reader of
// every change of the selected day: the one the frame surrounds. The keys it leaves to the
// panel it lies on.
class DayGrid : public QWidget
{
    Q_OBJECT

public:
    // The cells and the frame as the control table places them; names for a reader.
    DayGrid(const DateNames &names, QWidget *panel);

    int count() const { return kCellCount; }
    // Cell `index`; an index that names no cell raises the subscript error.
    DayCell &cell(Int16 index);
    const DayCell &cell(int index) const { return cells_.at(std::size_t(index)); }
    SelectionFrame &frame() { return frame_; }
    const SelectionFrame &frame() const { return frame_; }

    // The cell the frame surrounds, or -1.
    int framedCell() const;
    // The selected day: the framed cell, when it shows a date; else -1.
    int selectedCell() const;
    // Where a cell lies, in the grid's pixels; the cell at a point, or -1.
    QRect cellRect(int index) const;
    int cellAt(QPoint point) const;

    // How a screen reader names a date.
    QString nameOf(Date date) const { return names_.longDate(date); }

    // The cells' and the frame's colours, resolved on the desktop's palette as it is now.
    void showColours();

    // "settimana 36": the ISO week a date lies in, as a day's tooltip and a reader tell it.
    static QString weekOf(Date date);

signals:
    // A left click on a cell: pressed and released there.
    void clicked(int index);
    // The second click of a double click on a cell, once its click has been told.
    void doubleClicked(int index);
    // The cells show other dates, once the handler that changed them has finished.
    void datesChanged();

protected:
    bool event(QEvent *event) override;
    void paintEvent(QPaintEvent *event) override;
    void mousePressEvent(QMouseEvent *event) override;
    void mouseReleaseEvent(QMouseEvent *event) override;
    void mouseMoveEvent(QMouseEvent *event) override;
    void mouseDoubleClickEvent(QMouseEvent *event) override;
    void focusInEvent(QFocusEvent *event) override;

private:
    friend class DayCell;
    friend class SelectionFrame;

    // Something drawn changed: it is drawn again, and once the handler that changed it has
    // finished, the pointer and a screen reader follow.
    void changed();
    void follow();
    void showPointer(QPoint at);
    void announce(bool focusMoved);

    const DateNames &names_;
    std::array<DayCell, kCellCount> cells_;
    SelectionFrame frame_;
    int pressed_ = -1;
    bool doublePressed_ = false;
    bool following_ = false;
    // The selected day a screen reader last heard of.
    std::optional<Date> announced_;
    int announcedCell_ = -1;
};

} // namespace calendario
