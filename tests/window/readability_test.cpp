// Every text whole and legible: in every locale Qt knows, and on a dark desktop.
#include <QApplication>
#include <QFontMetrics>
#include <QStyle>
#include <QTextBoundaryFinder>

#include <cmath>
#include <map>
#include <set>
#include <tuple>

#include "window/colours.h"
#include "window/form_fixture.h"

namespace calendario::testing {
namespace {

class Readability : public FormTest
{
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
bool drawnWhole(const QString &text, const QFont &font, int breaks, QSize room)
{
    const QFontMetrics metrics(font);
    if (breaks == 0)
        return metrics.horizontalAdvance(text) <= room.width();
    if (breaks == Qt::TextWordWrap) {
        QTextBoundaryFinder finder(QTextBoundaryFinder::Line, text);
        for (qsizetype from = 0, to = finder.toNextBoundary(); to > 0;
             from = to, to = finder.toNextBoundary())
            if (metrics.horizontalAdvance(text.mid(from, to - from).trimmed()) > room.width())
                return false;
    }
    const QRect lines = metrics.boundingRect(QRect(QPoint(), room), breaks, text);
    return lines.width() <= room.width() && lines.height() <= room.height();
}

TEST_F(Readability, EveryTextShowsWholeInItsControlInEveryLocale)
{
    clock.set(2005y / December / 28); // two digits for the day and the month
    int locales = 0, smallest = 13;
    std::map<std::string, int> shrunkIn; // control: locales that need a smaller font there
    for (const QLocale &locale : QLocale::matchingLocales(QLocale::AnyLanguage, QLocale::AnyScript,
                                                          QLocale::AnyTerritory)) {
        form = std::make_unique<Form1>(clock, locale);
        ASSERT_TRUE(form->load()) << locale.name().toStdString();
        const std::string name = locale.name().toStdString();
        std::set<std::string> smaller;
        // Drawn in the label's own size (13 pixels for the month and the year, 11 for the
        // date) or smaller.
        const auto expectWhole = [&](ClickLabel *l, int ownPixels) {
            l->grab(); // polished and drawn, as the user sees it, then fitted
            QCoreApplication::processEvents();
            const QSize room = l->contentsRect().size();
            const FittedText shown = l->shownText();
            EXPECT_TRUE(drawnWhole(l->text(), shown.font, shown.breaks, room))
                << name << ": " << l->text().toStdString();
            EXPECT_GE(shown.font.pixelSize(), kSmallestTextPixels) << name;
            if (shown.font.pixelSize() < ownPixels)
                smaller.insert(l->objectName().toStdString());
            smallest = std::min(smallest, shown.font.pixelSize());
        };
        for (int month = 0; month < 12; ++month) {
            label("lblMESE")->setCaption(list()->item(month)->text());
            expectWhole(label("lblMESE"), 13);
        }
        expectWhole(label("lblANNO"), 13);
        expectWhole(label("lblOGGI"), 11);
        form->show();
        click(button("cmdMESI"));
        // An entry's text lies inside its row, a focus frame's margin and a pixel from each end.
        const int margin =
            list()->style()->pixelMetric(QStyle::PM_FocusFrameHMargin, nullptr, list()) + 1;
        for (int month = 0; month < 12; ++month) {
            const QListWidgetItem *entry = list()->item(month);
            const QFont font = entry->font().resolve(list()->font());
            const int width = list()->visualItemRect(entry).width() - 2 * margin;
            const bool oneLine = QFontMetrics(font).horizontalAdvance(entry->text()) <= width;
            EXPECT_TRUE(drawnWhole(entry->text(), font, oneLine ? 0 : int(Qt::TextWordWrap),
                                   QSize(width, 0xFFFF)))
                << name << ": " << entry->text().toStdString();
            EXPECT_GE(font.pixelSize(), kSmallestTextPixels) << name;
            if (font != list()->font())
                smaller.insert("lstMESI");
        }
        if (locale.language() == QLocale::Italian) {
            EXPECT_TRUE(smaller.empty()) << name << ": Italian keeps the window's own fonts";
        }
        for (const std::string &control : smaller)
            ++shrunkIn[control];
        ++locales;
    }
    EXPECT_GT(locales, 500);
    std::cout << "[ figures  ] of " << locales << " locales, a smaller font in";
    for (const auto &[control, count] : shrunkIn)
        std::cout << " " << control << ": " << count;
    std::cout << "; the smallest " << smallest << " px\n";
}

// A dark desktop, as qt6ct's "darker" scheme paints it: white text on grey windows.
QPalette darkPalette()
{
    QPalette p;
    p.setColor(QPalette::Window, QColor(34, 32, 32));
    p.setColor(QPalette::WindowText, Qt::white);
    p.setColor(QPalette::Base, QColor(61, 61, 61));
    p.setColor(QPalette::Text, Qt::white);
    p.setColor(QPalette::Button, QColor(66, 66, 69));
    p.setColor(QPalette::ButtonText, Qt::white);
    p.setColor(QPalette::Highlight, QColor(18, 96, 138));
    p.setColor(QPalette::HighlightedText, QColor(249, 249, 249));
    return p;
}

// The lowest contrast of any text (and, apart, of any shape) in the open window, with
// today's cell painted and the month list open.
std::pair<double, double> lowestContrasts(const Form1 &form)
{
    double text = 21, shape = 21;
    for (const ClickLabel *l : form.findChildren<ClickLabel *>())
        if (!l->text().isEmpty())
            text = std::min(text,
                            contrastRatio(l->palette().color(QPalette::WindowText),
                                          l->palette().color(QPalette::Window)));
    const DayGrid *grid = form.findChild<DayGrid *>();
    for (int i = 0; i < grid->count(); ++i)
        if (!grid->cell(i).text().isEmpty())
            text = std::min(
                text, contrastRatio(grid->cell(i).shownText(), grid->cell(i).shownBackground()));
    for (const QPushButton *b : form.findChildren<QPushButton *>()) {
        double &lowest = qobject_cast<const ArrowButton *>(b) ? shape : text;
        lowest = std::min(lowest,
                          contrastRatio(b->palette().color(QPalette::ButtonText),
                                        b->palette().color(QPalette::Button)));
    }
    const MonthList *list = form.findChild<MonthList *>();
    text = std::min(text,
                    contrastRatio(list->palette().color(QPalette::Text),
                                  list->palette().color(QPalette::Base)));
    const QWidget *panel = form.findChild<QWidget *>(QStringLiteral("pctCAL"));
    shape = std::min(
        shape, contrastRatio(grid->frame().colour(), panel->palette().color(QPalette::Window)));
    return {text, shape};
}

TEST_F(Readability, OnADarkDesktopEveryTextAndShapeStandsOut)
{
    // The measure itself, on WCAG's own figures: black on white, and #777 on white just short
    // of 4.5.
    ASSERT_NEAR(contrastRatio(Qt::black, Qt::white), 21.0, 1e-9);
    ASSERT_NEAR(contrastRatio(QColor(0x77, 0x77, 0x77), Qt::white), 4.48, 0.005);
    start();
    click(button("cmdMESI"));
    const auto [lightText, lightShape] = lowestContrasts(*form);

    QApplication::setPalette(darkPalette());
    start();
    click(button("cmdMESI"));
    ASSERT_EQ(paintedCells(), std::vector<int>{9});
    const auto [darkText, darkShape] = lowestContrasts(*form);
    EXPECT_GE(darkText, kTextContrast);
    EXPECT_GE(darkShape, kShapeContrast);
    // Only what needed it changed: the blue of "Oggi:" on its pink stays the design's.
    EXPECT_EQ(label("Oggi")->palette().color(QPalette::WindowText), QColor(0, 0, 192));
    std::cout << "[ figures  ] lowest contrast, light: text " << lightText << ", shapes "
              << lightShape << "; dark: text " << darkText << ", shapes " << darkShape << "\n";
}

// A desktop's theme changed while the window is open, as qt6ct changes it when its settings
// change (seen in a debugger, in this order): the application's font; a new object of the
// same style, and with it the palettes the platform theme gives widget classes; the
// application's palette; the font once more; then, widget by widget, ThemeChange and the
// new palette as the widget's own.
void switchThemeAsADesktopDoes(const QPalette &palette)
{
    QApplication::setFont(QApplication::font());
    QApplication::setStyle(QApplication::style()->name());
    for (const char *widgetClass :
         {"QToolButton", "QAbstractButton", "QCheckBox", "QRadioButton", "QHeaderView",
          "QAbstractItemView", "QMessageBoxLabel", "QTabBar", "QLabel", "QGroupBox", "QMenu",
          "QMenuBar", "QTextEdit", "QTextControl", "QLineEdit"})
        QApplication::setPalette(palette, widgetClass);
    QApplication::setPalette(palette);
    QGuiApplication::setFont(QGuiApplication::font());
    for (QWidget *widget : QApplication::allWidgets()) {
        QEvent themeChange(QEvent::ThemeChange);
        QCoreApplication::sendEvent(widget, &themeChange);
        widget->setPalette(palette);
    }
    QApplication::processEvents();
}

// The colours a user sees switched while the window is open.
TEST_F(Readability, AThemeSwitchedWhileOpenRedrawsTheWindowAsAStartUnderIt)
{
    // The window after some use: another month, a day chosen, the list open.
    const auto used = [this] {
        showMonth(2, 2004);
        clickCell(29); // Sunday 29 February 2004
        click(button("cmdMESI"));
        return form->grab().toImage();
    };
    const QPalette light = QApplication::palette();
    QApplication::setPalette(darkPalette());
    start();
    const QImage startedDark = used();
    QApplication::setPalette(light);
    start();
    const QImage startedLight = used();
    const auto state = [this] {
        return std::tuple(title().toStdString(), selectedDay(), list()->listIndex().value(),
                          bar()->year().value(), list()->isVisible());
    };
    const auto before = state();

    for (const auto &[theme, palette, expected] :
         {std::tuple("dark", darkPalette(), startedDark),
          std::tuple("light again", light, startedLight)}) {
        switchThemeAsADesktopDoes(palette);
        const QImage shown = form->grab().toImage();
        EXPECT_TRUE(shown == expected) << theme;
        // The coloured faces show the design's colour flat, around the triangle.
        for (const auto &[name, face] : {std::pair("Command2", QColor(255, 255, 192)),
                                         std::pair("Command3", QColor(255, 255, 213)),
                                         std::pair("cmdMESI", QColor(224, 224, 224))}) {
            const QRect r = button(name)->geometry().translated(control("pctCAL")->pos());
            for (const QPoint p : {r.center() + QPoint(0, -6), r.center() + QPoint(-4, 6),
                                   r.center() + QPoint(4, 6)}) {
                const QColor seen = shown.pixelColor(p);
                EXPECT_LE(std::max({std::abs(seen.red() - face.red()),
                                    std::abs(seen.green() - face.green()),
                                    std::abs(seen.blue() - face.blue())}),
                          2)
                    << theme << ", " << name << ": " << seen.name().toStdString();
            }
        }
        EXPECT_EQ(state(), before) << theme;
    }
}

} // namespace
} // namespace calendario::testing
