#include "window/form_fixture.h"

#include <QStyleOptionSlider>
#include <QTest>

#include "window/failure.h"

namespace calendario::testing {

void FormTest::SetUp()
{
    resetFailure();
    setFailureReporter([this](const RuntimeError& error) { reported.push_back(error); });
}

void FormTest::TearDown()
{
    form.reset();
    setFailureReporter(nullptr);
    resetFailure();
}

void FormTest::create(const char* locale)
{
    form = std::make_unique<Form1>(clock, QLocale(QString::fromLatin1(locale)));
}

void FormTest::start(const char* locale)
{
    create(locale);
    ASSERT_TRUE(form->load());
    form->show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(form.get()));
}

void FormTest::click(QWidget* widget)
{
    ASSERT_NE(widget, nullptr);
    QTest::mouseClick(widget, Qt::LeftButton, {}, widget->rect().center());
}

void FormTest::chooseMonth(int index)
{
    if (list()->isHidden())
        click(button("cmdMESI"));
    ASSERT_FALSE(list()->isHidden());
    QListWidgetItem* item = list()->item(index);
    list()->scrollToItem(item);
    QTest::mouseClick(list()->viewport(), Qt::LeftButton, {},
                      list()->visualItemRect(item).center());
}

void FormTest::showMonth(int month, int year)
{
    bar()->setYear(year);
    list()->setListIndex(month - 1);
}

QRect FormTest::barPart(QStyle::SubControl part) const
{
    YearScrollBar* b = bar();
    QStyleOptionSlider option;
    option.initFrom(b);
    option.orientation = Qt::Vertical;
    option.minimum = b->minimum();
    option.maximum = b->maximum();
    option.sliderPosition = b->sliderPosition();
    option.sliderValue = b->value();
    return b->style()->subControlRect(QStyle::CC_ScrollBar, &option, part, b);
}

QStringList FormTest::cellTexts() const
{
    QStringList texts;
    for (int i = 0; i < kCellCount; ++i)
        texts << cell(i)->text();
    return texts;
}

std::vector<int> FormTest::paintedCells() const
{
    std::vector<int> painted;
    for (int i = 0; i < kCellCount; ++i)
        if (cell(i)->background() == label("Oggi")->background())
            painted.push_back(i);
    return painted;
}

int FormTest::framedCell() const
{
    for (int i = 0; i < kCellCount; ++i)
        if (frame()->leftTwips() == cell(i)->leftTwips() - 30 &&
            frame()->topTwips() == cell(i)->topTwips() - 30)
            return i;
    return -1;
}

EventCounter::EventCounter(Form1* form)
{
    drawn_ = QObject::connect(form, &Form1::gridDrawn, [this] { ++draws; });
    clicked_ = QObject::connect(form, &Form1::dayClicked, [this] { ++selections; });
}

EventCounter::~EventCounter()
{
    QObject::disconnect(drawn_);
    QObject::disconnect(clicked_);
}

}  // namespace calendario::testing
