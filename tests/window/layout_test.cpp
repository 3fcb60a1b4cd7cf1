#include <QApplication>
#include <QFontInfo>
#include <QFontMetrics>
#include <QScreen>
#include <QStyle>
#include <QTest>

#include "window/control_table.h"
#include "window/form_fixture.h"
#include "window/units.h"

namespace calendario::testing {
namespace {

class Layout : public FormTest
{
};

TEST_F(Layout, EveryControlSitsWhereTheTableSaysConvertedOnceToPixels)
{
    create();
    for (const ControlSpec &row : controlTable()) {
        const std::string name = row.objectName().toStdString();
        const QRect expected = pixelsFromTwips(row.twips());
        if (row.kind == Kind::DayCell) {
            EXPECT_EQ(cellRect(row.index), expected) << name;
        } else if (row.kind == Kind::Shape) {
            EXPECT_EQ(frameRect(), expected) << name;
        } else {
            const QWidget *w = control(row.objectName());
            ASSERT_NE(w, nullptr);
            EXPECT_EQ(w->geometry(), expected) << name;
            const QWidget *parent = row.parent == Parent::Form ? form.get() : control("pctCAL");
            EXPECT_EQ(w->parentWidget(), parent) << name;
        }
    }
    // One grid draws the 37 cells and the frame, over the panel, and inside it.
    EXPECT_EQ(grid()->count(), 37);
    EXPECT_EQ(grid()->parentWidget(), control("pctCAL"));
    EXPECT_TRUE(control("pctCAL")->rect().contains(grid()->geometry()));
}

TEST_F(Layout, TwipsBecomePixelsAtFifteenToThePixel)
{
    EXPECT_EQ(pixelsFromTwips(15), 1);
    EXPECT_EQ(pixelsFromTwips(2415), 161);
    EXPECT_EQ(pixelsFromTwips(2580), 172);
    EXPECT_EQ(pixelsFromTwips(700), 47); // 46.67 rounds up
    EXPECT_EQ(pixelsFromTwips(1220), 81); // 81.33 rounds down
    EXPECT_EQ(pixelsFromTwips(-30), -2);
    EXPECT_EQ(pixelsFromTwips(QRect(10890, 3060, 2415, 2580)), QRect(726, 204, 161, 172));
}

TEST_F(Layout, CellsFollowTheUnevenColumnsAndRows)
{
    create();
    EXPECT_EQ(cellRect(12), QRect(119, 64, 15, 14)); // 1785, 960, 225 wide
    EXPECT_EQ(cell(12).leftTwips(), 1785);
    EXPECT_EQ(cell(36).leftTwips(), 420);
    EXPECT_EQ(cell(36).topTwips(), 2000);
}

TEST_F(Layout, TheWindowHasAFixedClientAreaAtItsDesignPositionWhenThatFits)
{
    start();
    EXPECT_EQ(form->size(), QSize(161, 172));
    EXPECT_EQ(form->minimumSize(), form->maximumSize());
    const QRect screen = form->screen()->availableGeometry();
    const QRect design(726, 204, 161, 172);
    // A small screen (the offscreen platform's is 800 by 600) gets the window whole.
    if (screen.contains(design.adjusted(-8, -40, 8, 8)))
        EXPECT_EQ(form->geometry(), design);
    else
        EXPECT_TRUE(screen.contains(form->geometry()));
    // One size only: no maximize button is offered, and a request to maximize changes nothing.
    EXPECT_FALSE(form->windowFlags() & Qt::WindowMaximizeButtonHint);
    EXPECT_TRUE(form->windowFlags() & Qt::WindowMinimizeButtonHint);
    form->setWindowState(Qt::WindowMaximized);
    QApplication::processEvents();
    EXPECT_FALSE(form->isMaximized());
    EXPECT_EQ(form->size(), QSize(161, 172));
}

TEST_F(Layout, EarlierControlsLieAboveLaterOnes)
{
    create();
    QWidget *panel = control("pctCAL");
    // Command1 covers the panel's lower right corner.
    EXPECT_EQ(form->childAt(155, 160), control("Command1"));
    // cmdMESI over the right pixel of Command2; lblMESE over the left of lblANNO.
    EXPECT_EQ(panel->childAt(12, 10), button("cmdMESI"));
    EXPECT_EQ(panel->childAt(95, 10), label("lblMESE"));
    // " sab dom" over the end of the longer header label.
    EXPECT_EQ(panel->childAt(120, 32), control("Label4(1)"));
    EXPECT_EQ(panel->childAt(10, 32), control("Label4(0)"));
}

TEST_F(Layout, ColoursAreTheDesignsOrThePlatformsSystemColours)
{
    create();
    const QPalette system = QApplication::palette();
    EXPECT_EQ(label("lblMESE")->palette().color(QPalette::Window), QColor(224, 224, 224));
    EXPECT_EQ(label("lblANNO")->palette().color(QPalette::Window), QColor(224, 224, 224));
    EXPECT_EQ(label("Oggi")->palette().color(QPalette::Window), QColor(255, 192, 192));
    EXPECT_EQ(label("Oggi")->palette().color(QPalette::WindowText), QColor(0, 0, 192));
    EXPECT_EQ(label("lblOGGI")->palette().color(QPalette::WindowText), QColor(0, 192, 0));
    EXPECT_FALSE(label("lblOGGI")->autoFillBackground()); // the panel shows through
    EXPECT_EQ(control<ClickLabel>("Label4(1)")->palette().color(QPalette::WindowText),
              QColor(192, 0, 0));
    EXPECT_EQ(control<ClickLabel>("Label4(0)")->palette().color(QPalette::WindowText),
              system.color(QPalette::Text));
    for (int i = 0; i < 37; ++i) {
        const QColor expected = i % 7 >= 5 ? QColor(192, 0, 0) : system.color(QPalette::Text);
        EXPECT_EQ(cell(i).shownText(), expected) << i;
        EXPECT_EQ(cell(i).shownBackground(), system.color(QPalette::Base)) << i;
    }
    EXPECT_EQ(button("Command2")->palette().color(QPalette::Button), QColor(255, 255, 192));
    EXPECT_EQ(button("Command3")->palette().color(QPalette::Button), QColor(255, 255, 213));
    EXPECT_EQ(button("cmdMESI")->palette().color(QPalette::Button), QColor(224, 224, 224));
    EXPECT_EQ(button("Command1")->palette().color(QPalette::Button),
              system.color(QPalette::Button));
    EXPECT_EQ(list()->palette().color(QPalette::Base), QColor(255, 255, 213));
    EXPECT_EQ(grid()->frame().colour(), QColor(0, 0, 255));
}

TEST_F(Layout, FontsHaveTheDesignsSizesAndWeights)
{
    create();
    const auto check = [](const QWidget *w, int pixels, bool bold, bool underline) {
        EXPECT_EQ(w->font().pixelSize(), pixels) << w->objectName().toStdString();
        EXPECT_EQ(w->font().bold(), bold) << w->objectName().toStdString();
        EXPECT_EQ(w->font().underline(), underline) << w->objectName().toStdString();
        EXPECT_FALSE(w->font().italic());
    };
    check(grid(), 11, true, false);
    check(label("lblMESE"), 13, true, false);
    check(label("lblANNO"), 13, true, false);
    check(label("Oggi"), 11, true, false);
    check(label("lblOGGI"), 11, false, false);
    check(button("Command1"), 11, false, false);
    check(control("Label4(0)"), 11, false, true);
    check(control("Label4(1)"), 11, false, true);
    check(list(), 11, false, false);
    // The named faces where the platform has them, else Liberation Sans with Arial's metrics.
    const QStringList faces = {"Tahoma", "Arial", "MS Sans Serif", "Microsoft Sans Serif",
                               "Liberation Sans"};
    for (const QWidget *w : {static_cast<QWidget *>(grid()), control("lblMESE"), control("Oggi")})
        EXPECT_TRUE(faces.contains(QFontInfo(w->font()).family()))
            << QFontInfo(w->font()).family().toStdString();
}

TEST_F(Layout, EveryDayNumberShowsWholeInItsCell)
{
    create();
    const QFontMetrics metrics(grid()->font());
    for (int i = 0; i < 37; ++i) {
        for (int day = 1; day <= 31; ++day)
            ASSERT_LE(metrics.horizontalAdvance(QString::number(day)), cellRect(i).width())
                << "day " << day << " in cell " << i;
        EXPECT_LE(metrics.height(), cellRect(i).height() + 1) << i;
    }
}

TEST_F(Layout, TooltipsAreExactThreeEndInABlank)
{
    create();
    EXPECT_EQ(button("cmdMESI")->toolTip(), QStringLiteral("Lista Mesi "));
    EXPECT_EQ(button("Command3")->toolTip(), QStringLiteral("Incrementa Mesi "));
    EXPECT_EQ(button("Command2")->toolTip(), QStringLiteral("Decrementa Mesi "));
    EXPECT_EQ(label("lblANNO")->toolTip(), QStringLiteral("Riporta all'Anno Corrente"));
    EXPECT_EQ(label("Oggi")->toolTip(), QStringLiteral("Riporta la data a Oggi"));
}

TEST_F(Layout, CaptionsBeforeStartUp)
{
    create();
    EXPECT_EQ(control<ClickLabel>("Label4(0)")->text(),
              QStringLiteral("lun  mar  mer  gio  ven  "));
    EXPECT_EQ(control<ClickLabel>("Label4(1)")->text(), QStringLiteral(" sab dom"));
    EXPECT_EQ(button("Command1")->text(), QStringLiteral("&USCITA"));
    EXPECT_EQ(label("Oggi")->text(), QStringLiteral("Oggi:"));
    EXPECT_EQ(label("lblMESE")->alignment() & Qt::AlignHorizontal_Mask, Qt::AlignHCenter);
    EXPECT_EQ(label("lblMESE")->borderStyle(), 1);
    EXPECT_EQ(label("Oggi")->borderStyle(), 0);
}

// The darkest pixels of a rendered button: the triangle.
QImage renderOf(QWidget *w)
{
    return w->grab().toImage();
}

std::pair<int, int> darkCountsAtEnds(const QImage &image, bool alongX)
{
    int first = -1, last = -1;
    std::map<int, int> counts;
    for (int y = 0; y < image.height(); ++y)
        for (int x = 0; x < image.width(); ++x)
            if (qGray(image.pixel(x, y)) < 60)
                ++counts[alongX ? x : y];
    if (counts.empty())
        return {0, 0};
    first = counts.begin()->first;
    last = counts.rbegin()->first;
    return {counts[first], counts[last]};
}

TEST_F(Layout, SmallButtonsShowSolidTrianglesPointingTheirWay)
{
    start();
    const auto [leftEndL, rightEndL] = darkCountsAtEnds(renderOf(button("Command2")), true);
    EXPECT_LT(leftEndL, rightEndL); // a point on the left, a wide base on the right
    const auto [leftEndR, rightEndR] = darkCountsAtEnds(renderOf(button("Command3")), true);
    EXPECT_GT(leftEndR, rightEndR);
    const auto [topEnd, bottomEnd] = darkCountsAtEnds(renderOf(button("cmdMESI")), false);
    EXPECT_GT(topEnd, bottomEnd);
}

TEST_F(Layout, TheYearBarRunsFrom2500AtTheTopTo1500AtTheBottom)
{
    start();
    YearScrollBar *b = bar();
    EXPECT_EQ(b->topEnd(), 2500);
    EXPECT_EQ(b->bottomEnd(), 1500);

    const QRect up = barPart(QStyle::SC_ScrollBarSubLine);
    const QRect down = barPart(QStyle::SC_ScrollBarAddLine);
    ASSERT_LT(up.center().y(), down.center().y());

    b->setYear(2005_i16);
    QTest::mouseClick(b, Qt::LeftButton, {}, up.center());
    EXPECT_EQ(b->year(), 2006);
    QTest::mouseClick(b, Qt::LeftButton, {}, down.center());
    QTest::mouseClick(b, Qt::LeftButton, {}, down.center());
    EXPECT_EQ(b->year(), 2004);

    b->setFocus();
    QTest::keyClick(b, Qt::Key_Up);
    EXPECT_EQ(b->year(), 2005);
    QTest::keyClick(b, Qt::Key_Down);
    EXPECT_EQ(b->year(), 2004);
    QTest::keyClick(b, Qt::Key_PageUp);
    EXPECT_EQ(b->year(), 2005);

    // The thumb dragged, as a style that draws one moves it, changes the year only once it is
    // let go.
    b->setSliderDown(true);
    b->setSliderPosition(-1999);
    EXPECT_EQ(b->year(), 2005);
    EXPECT_EQ(label("lblANNO")->text(), QStringLiteral("2005"));
    b->setSliderDown(false);
    EXPECT_EQ(b->year(), 1999);
    EXPECT_EQ(label("lblANNO")->text(), QStringLiteral("1999"));

    b->setYear(2500_i16);
    QTest::mouseClick(b, Qt::LeftButton, {}, up.center());
    QTest::keyClick(b, Qt::Key_Up);
    EXPECT_EQ(b->year(), 2500);
    b->setYear(1500_i16);
    QTest::mouseClick(b, Qt::LeftButton, {}, down.center());
    QTest::keyClick(b, Qt::Key_Down);
    EXPECT_EQ(b->year(), 1500);
}

TEST_F(Layout, TheFrameIsATwoPixelBlueOutline)
{
    start();
    EXPECT_EQ(frameRect().size(), QSize(20, 18));
    const QImage panel = control("pctCAL")->grab().toImage();
    const QPoint corner = frameRect().topLeft();
    EXPECT_EQ(QColor(panel.pixel(corner)), QColor(0, 0, 255));
    EXPECT_EQ(QColor(panel.pixel(corner + QPoint(1, 1))), QColor(0, 0, 255));
    EXPECT_NE(QColor(panel.pixel(corner + QPoint(2, 2))), QColor(0, 0, 255));
}

TEST_F(Layout, TheHandPointerIsDrawnToItsDescription)
{
    const QImage hand = handPointer().pixmap().toImage();
    ASSERT_EQ(hand.size(), QSize(32, 32));
    // The hot spot is the black tip of the index finger, with nothing above it.
    EXPECT_EQ(hand.pixel(12, 1), qRgb(0, 0, 0));
    EXPECT_EQ(qAlpha(hand.pixel(12, 0)), 0);
    // Every pixel is see-through or one of the standard 16 colours, and the hand has
    // white, grey, black and the dark blue cuff.
    const QList<QRgb> standard16 = {
        qRgb(0, 0, 0),       qRgb(128, 0, 0),   qRgb(0, 128, 0),   qRgb(128, 128, 0),
        qRgb(0, 0, 128),     qRgb(128, 0, 128), qRgb(0, 128, 128), qRgb(192, 192, 192),
        qRgb(128, 128, 128), qRgb(255, 0, 0),   qRgb(0, 255, 0),   qRgb(255, 255, 0),
        qRgb(0, 0, 255),     qRgb(255, 0, 255), qRgb(0, 255, 255), qRgb(255, 255, 255)};
    QSet<QRgb> used;
    for (int y = 0; y < 32; ++y)
        for (int x = 0; x < 32; ++x) {
            const QRgb p = hand.pixel(x, y);
            if (qAlpha(p) == 0)
                continue;
            ASSERT_EQ(qAlpha(p), 255);
            ASSERT_TRUE(standard16.contains(p)) << x << "," << y;
            used.insert(p);
        }
    for (QRgb needed : {qRgb(255, 255, 255), qRgb(0, 0, 0), qRgb(128, 128, 128), qRgb(0, 0, 128)})
        EXPECT_TRUE(used.contains(needed));
    // The cuff is at the wrist, below the finger; the thumb reaches left of the finger.
    int cuffTop = 32, leftmost = 32;
    for (int y = 0; y < 32; ++y)
        for (int x = 0; x < 32; ++x) {
            if (hand.pixel(x, y) == qRgb(0, 0, 128))
                cuffTop = std::min(cuffTop, y);
            if (qAlpha(hand.pixel(x, y)) != 0)
                leftmost = std::min(leftmost, x);
        }
    EXPECT_GT(cuffTop, 16);
    EXPECT_LT(leftmost, 10);
    EXPECT_EQ(qAlpha(hand.pixel(0, 0)), 0);
    EXPECT_EQ(qAlpha(hand.pixel(31, 31)), 0);

    create();
    const QCursor icon = label("Oggi")->mouseIcon();
    EXPECT_EQ(icon.shape(), Qt::BitmapCursor);
    EXPECT_EQ(icon.hotSpot(), QPoint(12, 1));
    EXPECT_EQ(label("Oggi")->mousePointer(), CustomPointer);
    EXPECT_EQ(label("Oggi")->cursor().shape(), Qt::BitmapCursor);
}

TEST_F(Layout, TabVisitsThePanelButtonsBarAndListInTheirOrder)
{
    start();
    QApplication::setActiveWindow(form.get());
    ASSERT_TRUE(QTest::qWaitForWindowActive(form.get()));
    EXPECT_EQ(QApplication::focusWidget(), grid()); // the panel's keys

    const auto visit = [&] {
        QStringList names;
        for (int i = 0; i < 7; ++i) {
            QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
            names << QApplication::focusWidget()->objectName();
        }
        return names;
    };
    EXPECT_EQ(
        visit(),
        QStringList({"Command2", "Command3", "VScroll1", "cmdMESI", "Command1", "G", "Command2"}));
    click(button("cmdMESI")); // the list, once shown, takes its place
    control("pctCAL")->setFocus();
    EXPECT_EQ(
        visit(),
        QStringList({"Command2", "Command3", "VScroll1", "lstMESI", "cmdMESI", "Command1", "G"}));
}

TEST_F(Layout, AltUPressesUscitaAndClosesTheWindow)
{
    start();
    QApplication::setActiveWindow(form.get());
    ASSERT_TRUE(QTest::qWaitForWindowActive(form.get()));
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_U, Qt::AltModifier);
    // An access key presses the button as a click would, released a moment later.
    EXPECT_TRUE(QTest::qWaitFor([&] { return !form->isVisible(); }, 2000));
    EXPECT_TRUE(reported.empty());
}

TEST_F(Layout, UscitaClosesTheWindowWithoutAQuestion)
{
    start();
    click(button("Command1"));
    EXPECT_FALSE(form->isVisible());
    EXPECT_TRUE(reported.empty());
}

} // namespace
} // namespace calendario::testing
