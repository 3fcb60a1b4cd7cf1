// Every text whole and legible: in every locale Qt knows, and on a dark desktop.
#include <QApplication>
#include <QFontMetrics>
#include <QStyle>
#include <QTextBoundaryFinder>

#include <map>
#include <set>

#include "window/contrast.h"
#include "window/form_fixture.h"

namespace calendario::testing {
namespace {

class Readability : public FormTest {
protected:
    void TearDown() override
    {
        FormTest::TearDown();
        QApplication::setPalette(QPalette());
    }
};

// A text drawn whole in `room` with `font`: on one line; or broken where the script lets a
// line break, each piece between two such places whole; or broken anywhere (every letter
// is still shown); with every line inside.
bool drawnWhole(const QString& text, const QFont& font, int breaks, QSize room)
{
    const QFontMetrics metrics(font);
    if (breaks == 0)
        return metrics.horizontalAdvance(text) <= room.width();
    if (breaks == Qt::TextWordWrap) {
        QTextBoundaryFinder finder(QTextBoundaryFinder::Line, text);
        for (qsizetype from = 0, to = finder.toNextBoundary(); to > 0; from = to, to = finder.toNextBoundary())
            if (metrics.horizontalAdvance(text.mid(from, to - from).trimmed()) > room.width())
                return false;
    }
    const QRect lines = metrics.boundingRect(QRect(QPoint(), room), breaks, text);
    return lines.width() <= room.width() && lines.height() <= room.height();
}

TEST_F(Readability, EveryTextShowsWholeInItsControlInEveryLocale)
{
    clock.set(2005y / December / 28);  // two digits for the day and the month
    int locales = 0, smallest = 13;
    std::map<std::string, int> shrunkIn;  // control: locales that need a smaller font there
    for (const QLocale& locale : QLocale::matchingLocales(QLocale::AnyLanguage, QLocale::AnyScript,
                                                          QLocale::AnyTerritory)) {
        form = std::make_unique<Form1>(clock, locale);
        ASSERT_TRUE(form->load()) << locale.name().toStdString();
        const std::string name = locale.name().toStdString();
        std::set<std::string> smaller;
        const auto expectWhole = [&](ClickLabel* l) {
            const FittedText shown = l->shownText();
            EXPECT_TRUE(drawnWhole(l->text(), shown.font, shown.breaks, l->contentsRect().size()))
                << name << ": " << l->text().toStdString();
            EXPECT_GE(shown.font.pixelSize(), kSmallestTextPixels) << name;
            if (shown.font != l->font())
                smaller.insert(l->objectName().toStdString());
            smallest = std::min(smallest, shown.font.pixelSize());
        };
        for (int month = 0; month < 12; ++month) {
            label("lblMESE")->setText(list()->item(month)->text());
            expectWhole(label("lblMESE"));
        }
        expectWhole(label("lblANNO"));
        expectWhole(label("lblOGGI"));
        form->show();
        form->cmdMESI_Click();
        // An entry's text lies inside its row, a focus frame's margin and a pixel from each end.
        const int margin = list()->style()->pixelMetric(QStyle::PM_FocusFrameHMargin, nullptr, list()) + 1;
        for (int month = 0; month < 12; ++month) {
            const QListWidgetItem* entry = list()->item(month);
            const QFont font = entry->font().resolve(list()->font());
            const int width = list()->visualItemRect(entry).width() - 2 * margin;
            const bool oneLine = QFontMetrics(font).horizontalAdvance(entry->text()) <= width;
            EXPECT_TRUE(drawnWhole(entry->text(), font, oneLine ? 0 : int(Qt::TextWordWrap), QSize(width, 0xFFFF)))
                << name << ": " << entry->text().toStdString();
            EXPECT_GE(font.pixelSize(), kSmallestTextPixels) << name;
            if (font != list()->font())
                smaller.insert("lstMESI");
        }
        if (locale.language() == QLocale::Italian) {
            EXPECT_TRUE(smaller.empty()) << name << ": Italian keeps the window's own fonts";
        }
        for (const std::string& control : smaller)
            ++shrunkIn[control];
        ++locales;
    }
    EXPECT_GT(locales, 500);
    std::cout << "[ figures  ] of " << locales << " locales, a smaller font in";
    for (const auto& [control, count] : shrunkIn)
        std::cout << " " << control << ": " << count;
    std::cout << "; the smallest " << smallest << " px\n";
}

// A dark desktop: light text on dark windows and buttons.
QPalette darkPalette()
{
    QPalette p;
    p.setColor(QPalette::Window, QColor(48, 48, 48));
    p.setColor(QPalette::WindowText, QColor(240, 240, 240));
    p.setColor(QPalette::Base, QColor(32, 32, 32));
    p.setColor(QPalette::Text, QColor(230, 230, 230));
    p.setColor(QPalette::Button, QColor(56, 56, 56));
    p.setColor(QPalette::ButtonText, QColor(240, 240, 240));
    p.setColor(QPalette::Highlight, QColor(42, 130, 218));
    p.setColor(QPalette::HighlightedText, Qt::white);
    return p;
}

// The lowest contrast of any text (and, apart, of any shape) in the open window, with
// today's cell painted and the month list open.
std::pair<double, double> lowestContrasts(const Form1& form)
{
    double text = 21, shape = 21;
    for (const ClickLabel* l : form.findChildren<ClickLabel*>())
        if (!l->text().isEmpty())
            text = std::min(text, contrastRatio(l->palette().color(QPalette::WindowText), l->background()));
    for (const QPushButton* b : form.findChildren<QPushButton*>()) {
        double& lowest = qobject_cast<const ArrowButton*>(b) ? shape : text;
        lowest = std::min(lowest, contrastRatio(b->palette().color(QPalette::ButtonText),
                                                b->palette().color(QPalette::Button)));
    }
    const MonthList* list = form.findChild<MonthList*>();
    text = std::min(text, contrastRatio(list->palette().color(QPalette::Text), list->palette().color(QPalette::Base)));
    const QWidget* panel = form.findChild<QWidget*>(QStringLiteral("pctCAL"));
    shape = std::min(shape, contrastRatio(form.findChild<SelectionFrame*>()->colour(), panel->palette().color(QPalette::Window)));
    return {text, shape};
}

TEST_F(Readability, OnADarkDesktopEveryTextAndShapeStandsOut)
{
    start();
    form->cmdMESI_Click();
    const auto [lightText, lightShape] = lowestContrasts(*form);

    QApplication::setPalette(darkPalette());
    start();
    form->cmdMESI_Click();
    ASSERT_EQ(paintedCells(), std::vector<int>{9});
    const auto [darkText, darkShape] = lowestContrasts(*form);
    EXPECT_GE(darkText, kTextContrast);
    EXPECT_GE(darkShape, kShapeContrast);
    // Only what needed it changed: the blue of "Oggi:" on its pink stays the design's.
    EXPECT_EQ(label("Oggi")->palette().color(QPalette::WindowText), QColor(0, 0, 192));
    std::cout << "[ figures  ] lowest contrast, light: text " << lightText << ", shapes " << lightShape
              << "; dark: text " << darkText << ", shapes " << darkShape << "\n";
}

}  // namespace
}  // namespace calendario::testing
