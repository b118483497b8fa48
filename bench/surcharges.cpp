// Time per line of the surcharge split over 10 000 lines of a month with
// holidays, night work, every line kind and a shared daily budget.
#include <benchmark/benchmark.h>

#include <random>
#include <vector>

#include "book/zeitbuch.h"

namespace {

struct Line {
    int day, from, to, kind;
};

void BM_Zuschlaege_berechnen(benchmark::State& state) {
    book::NullHost host;
    book::Zeitbuch zb(host);
    zb.jahr = 2024;
    zb.Monat_einstellen(12);  // Christmas on Wednesday and Thursday

    constexpr int kLines = 10000;
    std::mt19937 random(42);
    std::vector<Line> lines(kLines);
    for (Line& l : lines) {
        l.day = 1 + static_cast<int>(random() % 31);
        l.from = static_cast<int>(random() % 96) * 15;
        l.to = static_cast<int>(random() % 96) * 15;
        l.kind = static_cast<int>(random() % 5);
    }

    for (auto _ : state) {
        zb.budgetTag = 0;
        zb.budgetMinuten = 0;
        int64_t sum = 0;
        for (const Line& l : lines) {
            zb.pTag = l.day;
            zb.pVon = l.from;
            zb.pBis = l.to;
            zb.Zuschlaege_berechnen(l.kind);
            sum += zb.rec.gesamt + zb.rec.extra + zb.rec.feiertag1;
        }
        benchmark::DoNotOptimize(sum);
    }
    // Reported as time per line.
    state.counters["per_line"] = benchmark::Counter(
        kLines, benchmark::Counter::kIsIterationInvariantRate | benchmark::Counter::kInvert);
}
BENCHMARK(BM_Zuschlaege_berechnen);

}  // namespace
