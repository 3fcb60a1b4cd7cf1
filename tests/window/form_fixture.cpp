#include "window/form_fixture.h"

#include <algorithm>
#include <limits>
#include <tuple>

#include <QApplication>
#include <QMessageBox>
#include <QPainter>
#include <QRegularExpression>
#include <QStyleOptionSlider>
#include <QTest>

namespace calendario {

namespace testing {

void FormTest::SetUp()
{
    // A report waits in its message box until someone reads it and presses OK.
    QObject::connect(&messageBoxes_, &QTimer::timeout, [this] {
        auto *box = qobject_cast<QMessageBox *>(QApplication::activeModalWidget());
        if (!box)
            return;
        const QRegularExpressionMatch number =
            QRegularExpression(QStringLiteral("^Errore di run-time '(\\d+)':")).match(box->text());
        EXPECT_TRUE(number.hasMatch()) << box->text().toStdString();
        reported.emplace_back(RuntimeError::Number(number.captured(1).toInt()));
        box->accept();
    });
    messageBoxes_.start(10);
}

void FormTest::TearDown()
{
    messageBoxes_.stop();
    form.reset();
}

void FormTest::create(const char *locale)
{
    form = std::make_unique<Form1>(clock, QLocale(QString::fromLatin1(locale)), options);
}

void FormTest::start(const char *locale)
{
    create(locale);
    ASSERT_TRUE(form->load());
    form->show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(form.get()));
}

void FormTest::click(QWidget *widget)
{
    ASSERT_NE(widget, nullptr);
    QTest::mouseClick(widget, Qt::LeftButton, {}, widget->rect().center());
}

void FormTest::chooseMonth(int index)
{
    if (list()->isHidden())
        click(button("cmdMESI"));
    ASSERT_FALSE(list()->isHidden());
    QListWidgetItem *item = list()->item(index);
    list()->scrollToItem(item);
    QTest::mouseClick(list()->viewport(), Qt::LeftButton, {},
                      list()->visualItemRect(item).center());
}

void FormTest::clickCell(int index)
{
    QTest::mouseClick(grid(), Qt::LeftButton, {}, grid()->cellRect(index).center());
}

void FormTest::showMonth(int month, int year)
{
    bar()->setYear(Int16(year));
    chooseMonth(month - 1);
}

void FormTest::wakeTheDayWatch()
{
    for (QTimer *timer : form->findChildren<QTimer *>())
        if (timer->isActive() && timer->isSingleShot())
            timer->start(0);
    QTest::qWait(20);
}

QRect FormTest::barPart(QStyle::SubControl part) const
{
    YearScrollBar *b = bar();
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
        texts << cell(i).text();
    return texts;
}

std::vector<int> FormTest::paintedCells() const
{
    std::vector<int> painted;
    const QColor today = label("Oggi")->palette().color(QPalette::Window);
    for (int i = 0; i < kCellCount; ++i)
        if (cell(i).shownBackground() == today)
            painted.push_back(i);
    return painted;
}

int FormTest::firstColumn() const
{
    int first = 0;
    while (first < kCellCount && cell(first).text().isEmpty())
        ++first;
    return first;
}

int FormTest::dayCount() const
{
    return int(std::ranges::count_if(cellTexts(), [](const QString &t) { return !t.isEmpty(); }));
}

namespace {

// The smallest part of a picture that holds every pixel unlike its background.
QImage inkOf(const QImage &picture, QColor background)
{
    QRect ink;
    for (int y = 0; y < picture.height(); ++y)
        for (int x = 0; x < picture.width(); ++x)
            if (picture.pixelColor(x, y) != background)
                ink |= QRect(x, y, 1, 1);
    return ink.isNull() ? QImage() : picture.copy(ink);
}

} // namespace

// The number from 1 to 53 that a band of the week column shows, read by comparing its ink
// with each number drawn in the column's font and colours; 0 where it shows none.
int numberDrawnIn(const QImage &band, const QWidget &column)
{
    const QColor background = column.palette().color(QPalette::Window);
    const QImage shown = inkOf(band, background);
    int best = 0;
    qint64 bestDistance = std::numeric_limits<qint64>::max();
    for (int n = 1; n <= 53 && !shown.isNull(); ++n) {
        QImage drawn(column.size(), QImage::Format_RGB32);
        drawn.fill(background);
        QPainter painter(&drawn);
        painter.setFont(column.font());
        painter.setPen(column.palette().color(QPalette::WindowText));
        painter.drawText(drawn.rect(), Qt::AlignCenter, QString::number(n));
        painter.end();
        const QImage ink = inkOf(drawn, background);
        if (ink.size() != shown.size())
            continue;
        qint64 distance = 0;
        for (int y = 0; y < ink.height(); ++y)
            for (int x = 0; x < ink.width(); ++x)
                distance += std::abs(qGray(ink.pixel(x, y)) - qGray(shown.pixel(x, y)));
        if (distance < bestDistance)
            std::tie(best, bestDistance) = std::tie(n, distance);
    }
    return best;
}

} // namespace testing
} // namespace calendario
