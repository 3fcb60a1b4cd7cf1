#include <benchmark/benchmark.h>

#include "calendar/month_grid.h"

namespace {

constexpr int kMonths = (2500 - 1500 + 1) * 12;

// Every month of 1500 to 2500, as a redraw computes it. The counter gives the time per month.
void DayCountAndColumnOfEveryMonth(benchmark::State &state)
{
    for (auto _ : state) {
        for (int anno = 1500; anno <= 2500; ++anno)
            for (int mese = 1; mese <= 12; ++mese) {
                benchmark::DoNotOptimize(
                    calendario::GiorniDelMese(calendario::Int16(mese), calendario::Int16(anno)));
                benchmark::DoNotOptimize(
                    calendario::ColonnaInizio(calendario::Int16(mese), calendario::Int16(anno)));
            }
    }
    state.counters["per_month"] = benchmark::Counter(
        kMonths, benchmark::Counter::kIsIterationInvariantRate | benchmark::Counter::kInvert);
}
BENCHMARK(DayCountAndColumnOfEveryMonth)->Unit(benchmark::kMillisecond);

} // namespace
