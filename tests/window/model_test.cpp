// A model of what the calendar shows, written from how it is meant to behave, and a
// random walk of user events (clicks, keys, midnights) that compares the real window
// with it after every event.
#include <cstdlib>
#include <optional>
#include <random>
#include <set>
#include <sstream>

#include <QTest>

#include "window/form_fixture.h"

namespace calendario::testing {
namespace {

using namespace std::chrono;

constexpr int kFirstYear = 1500, kLastYear = 2500;

struct Model
{
    year_month_day today, title;
    int year = 0, month = 0, giorno = 0; // shown year and month, selected day
    bool listShown = false;
    bool bold = true, border = true, underline = false, hand = false; // the look of "Oggi:"

    explicit Model(year_month_day t) : today(t), title(t) { oggi(); }

    int column() const
    {
        return int(weekday{sys_days{year_month_day{std::chrono::year{year} / month / 1}}}
                       .iso_encoding())
            - 1;
    }
    int length() const
    {
        return int(unsigned(
            year_month_day_last{std::chrono::year{year} / std::chrono::month(month) / last}.day()));
    }
    int framedCell() const { return giorno + column() - 1; }
    std::optional<int> dayIn(int cell) const
    {
        const int day = cell - column() + 1;
        return day >= 1 && day <= length() ? std::optional(day) : std::nullopt;
    }
    std::optional<int> paintedCell() const
    {
        const bool shown = int(today.year()) == year && int(unsigned(today.month())) == month;
        return shown ? std::optional(int(unsigned(today.day())) + column() - 1) : std::nullopt;
    }

    // Every change of year or month redraws, and a redraw takes the emphasis off "Oggi:".
    void redraw() { bold = border = false; }
    void setYear(int y)
    {
        if (y != year) {
            year = y;
            redraw();
        }
    }
    void setMonth(int m)
    {
        if (m != month) {
            month = m;
            listShown = false;
            redraw();
        }
    }
    void lookFor(bool isToday)
    {
        border = bold = isToday;
        underline = hand = !isToday;
    }

    void clickCell(int cell)
    {
        if (const auto day = dayIn(cell)) {
            title = std::chrono::year{year} / month / *day;
            lookFor(title == today);
            giorno = *day;
        }
    }
    void previous()
    {
        if (month > 1)
            setMonth(month - 1);
        else if (year > kFirstYear) {
            setYear(year - 1);
            setMonth(12);
        }
    }
    void next()
    {
        if (month < 12)
            setMonth(month + 1);
        else if (year < kLastYear) {
            setYear(year + 1);
            setMonth(1);
        }
    }
    void chooseMonth(int m)
    {
        if (!listShown)
            return;
        if (m == month) {
            listShown = false;
            redraw();
        } // a choice all the same: the list closes
        else
            setMonth(m);
    }
    void move(int days)
    {
        const int from = std::min(giorno, length());
        const year_month_day to{sys_days{std::chrono::year{year} / month / from}
                                + std::chrono::days{days}};
        if (int(to.year()) < kFirstYear || int(to.year()) > kLastYear)
            return;
        if (int(unsigned(to.month())) != month)
            days < 0 ? previous() : next();
        clickCell(int(unsigned(to.day())) + column() - 1);
    }
    void key(int k)
    {
        switch (k) {
        case Qt::Key_Left:
            move(-1);
            break;
        case Qt::Key_Right:
            move(1);
            break;
        case Qt::Key_Up:
            move(-7);
            break;
        case Qt::Key_Down:
            move(7);
            break;
        case Qt::Key_PageUp:
            previous();
            break;
        case Qt::Key_PageDown:
            next();
            break;
        case Qt::Key_Home:
            oggi();
            break;
        }
    }
    // Past midnight "Oggi:" looks as selecting the selected date would make it look now.
    void midnight()
    {
        today = year_month_day{sys_days{today} + std::chrono::days{1}};
        lookFor(title == today);
    }
    void oggi()
    {
        setYear(int(today.year()));
        setMonth(int(unsigned(today.month())));
        giorno = int(unsigned(today.day()));
        lookFor(true);
        title = today;
    }
};

enum class Kind { Click, Cell, Choose, BarUp, BarDown, Tab, Key, Midnight };
struct Event
{
    Kind kind;
    int index = 0; // cell, month (0 = January) or key
    const char *control = ""; // for a click
};

// The keys of the panel, by name.
constexpr std::pair<const char *, int> kKeys[] = {
    {"Left", Qt::Key_Left}, {"Right", Qt::Key_Right},   {"Up", Qt::Key_Up},
    {"Down", Qt::Key_Down}, {"PageUp", Qt::Key_PageUp}, {"PageDown", Qt::Key_PageDown},
    {"Home", Qt::Key_Home}};

std::string describe(const Event &e)
{
    switch (e.kind) {
    case Kind::Click:
        return e.control;
    case Kind::Cell:
        return "G(" + std::to_string(e.index) + ")";
    case Kind::Choose:
        return "list:" + std::to_string(e.index);
    case Kind::BarUp:
        return "bar:up";
    case Kind::BarDown:
        return "bar:down";
    case Kind::Tab:
        return "Tab";
    case Kind::Key:
        return std::string("key:") + kKeys[e.index].first;
    case Kind::Midnight:
        return "midnight";
    }
    return "?";
}

constexpr const char *kClickable[] = {"Command2", "Command3", "cmdMESI",   "lblMESE",  "lblANNO",
                                      "Oggi",     "lblOGGI",  "Label4(0)", "Label4(1)"};

std::optional<Event> parse(const std::string &word)
{
    if (word == "bar:up")
        return Event{Kind::BarUp};
    if (word == "bar:down")
        return Event{Kind::BarDown};
    if (word == "Tab")
        return Event{Kind::Tab};
    if (word == "midnight")
        return Event{Kind::Midnight};
    for (std::size_t k = 0; k < std::size(kKeys); ++k)
        if (word == std::string("key:") + kKeys[k].first)
            return Event{Kind::Key, int(k)};
    const auto number = [&](std::size_t from, int below) -> std::optional<int> {
        const int n = std::atoi(word.c_str() + from);
        return n >= 0 && n < below ? std::optional(n) : std::nullopt;
    };
    if (word.starts_with("list:"))
        if (const auto n = number(5, 12))
            return Event{Kind::Choose, *n};
    if (word.starts_with("G("))
        if (const auto n = number(2, kCellCount))
            return Event{Kind::Cell, *n};
    for (const char *name : kClickable)
        if (word == name)
            return Event{Kind::Click, 0, name};
    return std::nullopt;
}

struct Walk
{
    const char *name;
    year_month_day today;
    unsigned seed;
    int events;
    int day31Bias; // in percent: clicks aimed at the cell of the 31st
};

void PrintTo(const Walk &walk, std::ostream *out)
{
    *out << walk.name;
}

// CALENDARIO_MODEL_EVENTS shortens the walks, for slow builds such as the sanitizers'.
int eventsFor(const Walk &walk)
{
    bool ok = false;
    const int events = qEnvironmentVariableIntValue("CALENDARIO_MODEL_EVENTS", &ok);
    return ok ? events : walk.events;
}

class ModelWalk : public FormTest, public ::testing::WithParamInterface<Walk>
{
protected:
    // Builds a fresh window on the walk's day; false when it would not start.
    bool open(year_month_day today)
    {
        clock.set(today);
        start();
        if (!form)
            return false;
        return true;
    }

    // A click where a user would make it: on the window, at that point of the control,
    // reaching whatever lies on top there. False, and no click, where the open list
    // covers the point: the walk leaves those out.
    bool clickAt(QWidget *w, QPoint point)
    {
        const QPoint at = w->mapTo(form.get(), point);
        if (list()->isVisible()
            && list()->geometry().contains(list()->parentWidget()->mapFrom(form.get(), at)))
            return false;
        QTest::mouseClick(form->windowHandle(), Qt::LeftButton, {}, at);
        return true;
    }

    void apply(const Event &e, Model &m)
    {
        switch (e.kind) {
        case Kind::Click: {
            const std::string name = e.control;
            QWidget *w = control(QString::fromLatin1(e.control));
            if (!clickAt(w, w->rect().center()))
                break;
            if (name == "Command2")
                m.previous();
            else if (name == "Command3")
                m.next();
            else if (name == "cmdMESI" || name == "lblMESE")
                m.listShown = !m.listShown;
            else if (name == "lblANNO")
                m.setYear(int(m.today.year()));
            else if (name == "Oggi" || name == "lblOGGI")
                m.oggi();
            break;
        }
        case Kind::Cell:
            if (clickAt(grid(), grid()->cellRect(e.index).center()))
                m.clickCell(e.index);
            break;
        case Kind::Choose:
            if (!list()->isHidden())
                chooseMonth(e.index);
            m.chooseMonth(e.index + 1);
            break;
        case Kind::BarUp:
        case Kind::BarDown: {
            const bool up = e.kind == Kind::BarUp;
            clickAt(
                bar(),
                barPart(up ? QStyle::SC_ScrollBarSubLine : QStyle::SC_ScrollBarAddLine).center());
            m.setYear(std::clamp(m.year + (up ? 1 : -1), kFirstYear, kLastYear));
            break;
        }
        case Kind::Tab:
            QTest::keyClick(form->windowHandle(), Qt::Key_Tab);
            break;
        case Kind::Key: // while the panel has the keyboard
            QTest::keyClick(control("pctCAL"), Qt::Key(kKeys[e.index].second));
            m.key(kKeys[e.index].second);
            break;
        case Kind::Midnight:
            if (m.today == std::chrono::year{kLastYear} / December / 31)
                break; // the clock stays in the bar's years
            m.midnight();
            clock.set(m.today);
            wakeTheDayWatch();
            break;
        }
    }

    // The first difference between the window and the model, or "".
    std::string differences(const Model &m)
    {
        std::ostringstream out;
        std::set<std::string> found;
        const auto check = [&](bool same, const char *what) {
            if (!same && found.insert(what).second)
                out << what << ' ';
        };
        check(reported.empty(), "failed");
        check(bar()->year() == m.year && label("lblANNO")->text() == QString::number(m.year),
              "year");
        check(list()->listIndex() == m.month - 1
                  && label("lblMESE")->text() == list()->item(m.month - 1)->text(),
              "month");
        check(list()->isHidden() == !m.listShown, "list");
        check(selectedDay() == m.giorno, "Giorno");
        const DateNames italian(QLocale(QStringLiteral("it_IT")));
        check(title() == italian.fullDate(m.title), "title");
        check(label("lblOGGI")->text() == italian.shortDate(m.today), "today's date");
        const ClickLabel *oggi = label("Oggi");
        const auto painted = m.paintedCell();
        for (int i = 0; i < kCellCount; ++i) {
            const auto day = m.dayIn(i);
            check(cell(i).text() == (day ? QString::number(*day) : QString()), "cells");
            check((cell(i).shownBackground() == oggi->palette().color(QPalette::Window))
                      == (painted == i),
                  "today's cell");
        }
        check(framedCell() == m.framedCell(), "frame");
        check(oggi->font().bold() == m.bold && (oggi->borderStyle() == 1) == m.border
                  && oggi->font().underline() == m.underline
                  && oggi->mousePointer() == (m.hand ? CustomPointer : ArrowPointer),
              "Oggi look");
        return out.str();
    }

    // Replays the events on a fresh window; the number of events run before the first
    // difference, or -1 when there is none.
    int replay(const std::vector<Event> &events, year_month_day today, std::string *why = nullptr)
    {
        if (!open(today))
            return 0;
        Model model(today);
        for (std::size_t i = 0; i < events.size(); ++i) {
            apply(events[i], model);
            if (std::string d = differences(model); !d.empty()) {
                if (why)
                    *why = d;
                return int(i) + 1;
            }
        }
        return -1;
    }

    // The shortest list found that still diverges: drop ever smaller runs of events.
    std::vector<Event> shrink(std::vector<Event> events, year_month_day today)
    {
        for (std::size_t run = events.size() / 2; run >= 1; run /= 2)
            for (std::size_t at = 0; at + run <= events.size();) {
                std::vector<Event> fewer = events;
                fewer.erase(fewer.begin() + at, fewer.begin() + at + run);
                if (replay(fewer, today) >= 0)
                    events = fewer;
                else
                    at += run;
            }
        return events;
    }
};

Event randomEvent(std::mt19937 &rng, const Model &m, int day31Bias)
{
    const auto roll = [&](int n) { return std::uniform_int_distribution<int>(0, n - 1)(rng); };
    const int r = roll(100);
    if (r < 30) {
        if (roll(100) < day31Bias)
            return {Kind::Cell, 31 + m.column() - 1};
        return {Kind::Cell, roll(kCellCount)};
    }
    if (r < 50)
        return {Kind::Click, 0, roll(2) ? "Command3" : "Command2"};
    if (r < 60)
        return m.listShown ? Event{Kind::Choose, roll(12)}
                           : Event{Kind::Click, 0, roll(2) ? "cmdMESI" : "lblMESE"};
    if (r < 68)
        return {roll(2) ? Kind::BarUp : Kind::BarDown};
    if (r < 80)
        return {Kind::Click, 0, kClickable[roll(std::size(kClickable))]};
    if (r < 84)
        return {Kind::Tab};
    if (r < 99)
        return {Kind::Key, roll(std::size(kKeys))};
    return {Kind::Midnight};
}

// A walk, or with CALENDARIO_REPLAY='From1500: Command3 G(4) ...' the events that a
// failed walk printed.
TEST_P(ModelWalk, TheWindowFollowsTheModelEventAfterEvent)
{
    const Walk &walk = GetParam();
    const std::string replayText = qEnvironmentVariable("CALENDARIO_REPLAY").toStdString();
    if (replayText.starts_with(std::string(walk.name) + ":")) {
        std::istringstream words(replayText.substr(replayText.find(':') + 1));
        std::vector<Event> events;
        for (std::string word; words >> word;) {
            const auto e = parse(word);
            ASSERT_TRUE(e.has_value()) << word;
            events.push_back(*e);
        }
        std::string why;
        EXPECT_EQ(replay(events, walk.today, &why), -1) << why;
        return;
    }
    std::mt19937 rng(walk.seed);
    std::vector<Event> events;
    ASSERT_TRUE(open(walk.today));
    Model model(walk.today);
    for (int i = 0, n = eventsFor(walk); i < n; ++i) {
        events.push_back(randomEvent(rng, model, walk.day31Bias));
        apply(events.back(), model);
        if (const std::string d = differences(model); !d.empty()) {
            const std::vector<Event> shortest = shrink(events, walk.today);
            std::string why, list;
            replay(shortest, walk.today, &why);
            for (const Event &e : shortest)
                list += describe(e) + ' ';
            FAIL() << walk.name << " seed " << walk.seed << " after " << events.size()
                   << " events: " << d << "\nshortest (" << why << "): " << list
                   << "\nreplay: CALENDARIO_REPLAY='" << walk.name << ": " << list << "'";
        }
    }
}

INSTANTIATE_TEST_SUITE_P(
    Walks, ModelWalk,
    ::testing::Values(Walk{"From1500", 1500y / January / 10, 1500, 25000, 0},
                      Walk{"From2500", 2500y / December / 20, 2500, 25000, 0},
                      Walk{"AcrossALeapFebruary", 2000y / February / 29, 2000, 25000, 5},
                      Walk{"The31stThroughShortMonths", 2005y / January / 31, 31, 25000, 40}),
    [](const auto &info) { return std::string(info.param.name); });

} // namespace
} // namespace calendario::testing
