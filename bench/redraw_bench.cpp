#include <QApplication>
#include <QLabel>
#include <QPushButton>
#include <QTest>

#include <benchmark/benchmark.h>

#include "calendar/clock.h"
#include "window/form1.h"

namespace {

using namespace std::chrono;

// One press of the next-month button, as a user makes it, and the repaint of the window
// that follows; at December 2500 it turns round and steps back.
void NextMonthStepAndRepaint(benchmark::State &state)
{
    const calendario::FixedClock clock(2005y / December / 7);
    calendario::Form1 form(clock, QLocale(QStringLiteral("it_IT")));
    if (!form.load()) {
        state.SkipWithError("start-up failed");
        return;
    }
    form.show();
    if (!QTest::qWaitForWindowExposed(&form)) {
        state.SkipWithError("window not shown");
        return;
    }
    QPushButton *next = form.findChild<QPushButton *>(QStringLiteral("Command3"));
    QPushButton *previous = form.findChild<QPushButton *>(QStringLiteral("Command2"));
    const QLabel *anno = form.findChild<QLabel *>(QStringLiteral("lblANNO"));
    const QLabel *mese = form.findChild<QLabel *>(QStringLiteral("lblMESE"));
    QPushButton *step = next;
    for (auto _ : state) {
        QTest::mouseClick(step, Qt::LeftButton);
        form.repaint();
        if (anno->text() == QLatin1String("2500") && mese->text() == QLatin1String("Dicembre"))
            step = previous;
        else if (anno->text() == QLatin1String("1500") && mese->text() == QLatin1String("Gennaio"))
            step = next;
    }
}
BENCHMARK(NextMonthStepAndRepaint)->Unit(benchmark::kMicrosecond);

} // namespace

int main(int argc, char **argv)
{
    if (!qEnvironmentVariableIsSet("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
