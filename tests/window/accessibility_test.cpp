// What a screen reader finds in the calendar, walked through Qt's accessibility interfaces.
#include <QAccessible>
#include <QAccessibleValueInterface>
#include <QTest>

#include "window/form_fixture.h"

namespace calendario::testing {
namespace {

// Every interface below the window, depth first.
void walk(QAccessibleInterface *node, std::vector<QAccessibleInterface *> &out)
{
    out.push_back(node);
    for (int i = 0; i < node->childCount(); ++i)
        if (QAccessibleInterface *child = node->child(i))
            walk(child, out);
}

std::vector<QAccessibleInterface *> walkFrom(QWidget *widget)
{
    std::vector<QAccessibleInterface *> all;
    walk(QAccessible::queryAccessibleInterface(widget), all);
    return all;
}

TEST_F(FormTest, AScreenReaderFindsTheDaysAsATableNamedByTheirDatesTheSelectedOneFocused)
{
    start();
    QStringList days, selected;
    QStringList named;
    for (QAccessibleInterface *node : walkFrom(form.get())) {
        if (node->role() == QAccessible::Cell && !node->state().invisible) {
            days << node->text(QAccessible::Name);
            if (node->state().selected)
                selected << node->text(QAccessible::Name);
        }
        if (node->role() == QAccessible::Button)
            named << node->text(QAccessible::Name);
    }
    // hidden: it holds a month, not the focus
    for (QAccessibleInterface *node : walkFrom(list()))
        EXPECT_FALSE(node->state().focused) << node->text(QAccessible::Name).toStdString();
    ASSERT_EQ(days.size(), 31); // December 2005: no empty cell is there to read
    EXPECT_EQ(days.front(), QStringLiteral("giovedì 1 dicembre 2005"));
    EXPECT_EQ(selected, QStringList{QStringLiteral("mercoledì 7 dicembre 2005")});
    for (const char *name : {"Lista Mesi", "Incrementa Mesi", "Decrementa Mesi", "USCITA"})
        EXPECT_TRUE(named.contains(QString::fromUtf8(name))) << name;

    QAccessibleInterface *table = QAccessible::queryAccessibleInterface(grid());
    ASSERT_NE(table->tableInterface(), nullptr);
    EXPECT_EQ(table->tableInterface()->columnCount(), 7);
    QAccessibleInterface *first = table->tableInterface()->cellAt(0, 3);
    EXPECT_EQ(first->text(QAccessible::Name), QStringLiteral("giovedì 1 dicembre 2005"));
    EXPECT_EQ(table->indexOfChild(first), 3);
    EXPECT_EQ(first->tableCellInterface()->columnIndex(), 3);

    QAccessibleInterface *year = QAccessible::queryAccessibleInterface(bar());
    EXPECT_EQ(year->text(QAccessible::Name), QStringLiteral("Anno"));
    ASSERT_NE(year->valueInterface(), nullptr);
    EXPECT_EQ(year->valueInterface()->currentValue().toInt(), 2005);

    // The keys move the reader's focus with the selected day, while the window is active.
    form->activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(form.get()));
    QTest::keyClick(form->windowHandle(), Qt::Key_Right);
    EXPECT_EQ(table->focusChild()->text(QAccessible::Name),
              QStringLiteral("giovedì 8 dicembre 2005"));
    EXPECT_TRUE(table->focusChild()->state().focused);
    // The cells name the month shown, in the month shown.
    click(button("Command3"));
    EXPECT_EQ(table->focusChild()->text(QAccessible::Name),
              QStringLiteral("domenica 8 gennaio 2006"));
}

} // namespace
} // namespace calendario::testing
