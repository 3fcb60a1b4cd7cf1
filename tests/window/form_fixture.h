#pragma once

#include <memory>
#include <vector>

#include <QPushButton>
#include <QStringList>
#include <QStyle>
#include <QTimer>

#include <gtest/gtest.h>

#include "calendar/clock.h"
#include "window/controls.h"
#include "window/form1.h"
#include "window/labels.h"

namespace calendario {

// What the window keeps to itself, for a test's look: its variables, the statements that
// set the year bar and the month list from code, and its look at the clock.
struct FormInternals
{
    struct Variables
    {
        int Giorno, NoPass, Indice, Mese, NumGiorni, Inizio, Cella;
    };
    static Variables variables(const Form1 &form);
    static void setYear(Form1 &form, int year) { form.setYear(Int16(year)); }
    static void setListIndex(Form1 &form, int index) { form.setListIndex(Int16(index)); }
    // What the window does when its timer wakes it to look at the clock.
    static void watchTheDay(Form1 &form) { form.watchTheDay(); }
};

namespace testing {

using namespace std::chrono;

// A calendar window on a pinned clock and the Italian locale, and the means to use it as a
// person would. A message box that reports an error is read and closed, as a user would.
class FormTest : public ::testing::Test
{
protected:
    void SetUp() override;
    void TearDown() override;

    // Builds the window, runs start-up and shows it.
    void start(const char *locale = "it_IT");
    // Builds the window only, as it stands before start-up.
    void create(const char *locale = "it_IT");

    template<typename T = QWidget>
    T *control(const QString &name) const
    {
        T *found = form->findChild<T *>(name);
        EXPECT_NE(found, nullptr) << name.toStdString();
        return found;
    }
    ClickLabel *label(const char *name) const
    {
        return control<ClickLabel>(QString::fromLatin1(name));
    }
    ClickLabel *cell(int index) const
    {
        return control<ClickLabel>(QStringLiteral("G(%1)").arg(index));
    }
    QPushButton *button(const char *name) const
    {
        return control<QPushButton>(QString::fromLatin1(name));
    }
    MonthList *list() const { return control<MonthList>(QStringLiteral("lstMESI")); }
    YearScrollBar *bar() const { return control<YearScrollBar>(QStringLiteral("VScroll1")); }
    SelectionFrame *frame() const { return control<SelectionFrame>(QStringLiteral("Shape1")); }
    FormInternals::Variables variables() const { return FormInternals::variables(*form); }

    // Mouse clicks in the middle of a control, as a user makes them.
    void click(QWidget *widget);
    void clickCell(int index) { click(cell(index)); }
    // Opens the list if it is closed and clicks the month's entry (0 = January).
    void chooseMonth(int index);
    // Shows a month as the program does, setting the year bar and the list (month 1 to 12).
    void showMonth(int month, int year);

    // Where the year bar draws one of its parts: SC_ScrollBarSubLine is the up arrow.
    QRect barPart(QStyle::SubControl part) const;

    QStringList cellTexts() const;
    // The cells painted in today's colour.
    std::vector<int> paintedCells() const;
    // The cell the frame surrounds, or -1.
    int framedCell() const;
    // The frame's corner lies 30 twips, 2 pixels, left of and above its cell's.
    static constexpr QPoint kFrameOffset{2, 2};
    QString title() const { return form->windowTitle(); }

    FixedClock clock{2005y / December / 7};
    std::unique_ptr<Form1> form;
    // The errors the message boxes reported.
    std::vector<RuntimeError> reported;

private:
    QTimer messageBoxes_;
};

// The grid's redraws, as the mouse pointer shows them: every redraw empties every cell, to
// the default pointer, before it writes the days again, with the hand; and cell 14 holds a
// day in every month. Each redraw is listed by the month and year shown at that moment,
// "Dicembre 2006".
class Redraws : public QObject
{
public:
    explicit Redraws(const Form1 &form);

    int count() const { return int(shown.size()); }
    QStringList shown;

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    QLabel *cell_;
    const QLabel *mese_;
    const QLabel *anno_;
};

} // namespace testing
} // namespace calendario
