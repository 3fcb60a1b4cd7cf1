#pragma once

#include <memory>
#include <vector>

#include <QPushButton>
#include <QStyle>
#include <QStringList>

#include <gtest/gtest.h>

#include "calendar/clock.h"
#include "window/click_label.h"
#include "window/form1.h"
#include "window/selection_frame.h"
#include "window/small_controls.h"

namespace calendario::testing {

using namespace std::chrono;

// A calendar window on a pinned clock and the Italian locale, with a recorder in place of
// the message box, and the means to use it as a person would.
class FormTest : public ::testing::Test {
protected:
    void SetUp() override;
    void TearDown() override;

    // Builds the window, runs start-up and shows it.
    void start(const char* locale = "it_IT");
    // Builds the window only, as it stands before start-up.
    void create(const char* locale = "it_IT");

    template <typename T = QWidget>
    T* control(const QString& name) const
    {
        T* found = form->findChild<T*>(name);
        EXPECT_NE(found, nullptr) << name.toStdString();
        return found;
    }
    ClickLabel* label(const char* name) const { return control<ClickLabel>(QString::fromLatin1(name)); }
    ClickLabel* cell(int index) const { return control<ClickLabel>(QStringLiteral("G(%1)").arg(index)); }
    QPushButton* button(const char* name) const { return control<QPushButton>(QString::fromLatin1(name)); }
    MonthList* list() const { return control<MonthList>(QStringLiteral("lstMESI")); }
    YearScrollBar* bar() const { return control<YearScrollBar>(QStringLiteral("VScroll1")); }
    SelectionFrame* frame() const { return control<SelectionFrame>(QStringLiteral("Shape1")); }

    // Mouse clicks in the middle of a control, as a user makes them.
    void click(QWidget* widget);
    void clickCell(int index) { click(cell(index)); }
    // Opens the list if it is closed and clicks the month's entry (0 = January).
    void chooseMonth(int index);
    // Shows a month by setting the year bar and the list from code (month 1 to 12).
    void showMonth(int month, int year);

    // Where the year bar draws one of its parts: SC_ScrollBarSubLine is the up arrow.
    QRect barPart(QStyle::SubControl part) const;

    QStringList cellTexts() const;
    // The cells painted in today's colour.
    std::vector<int> paintedCells() const;
    // The cell the frame surrounds, or -1.
    int framedCell() const;
    QString title() const { return form->windowTitle(); }

    FixedClock clock{2005y / December / 7};
    std::unique_ptr<Form1> form;
    std::vector<RuntimeError> reported;
};

// Counts the grid's redraws and the day selections of a window.
struct EventCounter {
    explicit EventCounter(Form1* form);
    ~EventCounter();
    int draws = 0;
    int selections = 0;

private:
    QMetaObject::Connection drawn_, clicked_;
};

}  // namespace calendario::testing
