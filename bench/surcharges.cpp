// Time per line of the surcharge split over 10 000 lines of a month with
// holidays, night work and a shared daily budget: random lines of every kind
// (the worst case for branch prediction) and a month as people type it.
#include <benchmark/benchmark.h>

#include <random>
#include <vector>

#include "book/sheet/zeitbuch.h"

namespace {

struct Line {
    int day, from, to, kind;
};

constexpr int kLines = 10000;

std::vector<Line> randomLines() {
    std::mt19937 random(42);
    std::vector<Line> lines(kLines);
    for (Line& l : lines) {
        l.day = 1 + static_cast<int>(random() % 31);
        l.from = static_cast<int>(random() % 96) * 15;
        l.to = static_cast<int>(random() % 96) * 15;
        l.kind = static_cast<int>(random() % 5);
    }
    return lines;
}

// Day by day, two or three periods a day, now and then a night shift or a
// line of another kind.
std::vector<Line> typedLines() {
    static const Line kDay[] = {{0, 480, 720, 0},  {0, 750, 1020, 0}, {0, 1080, 1200, 0},
                                {0, 1320, 360, 0}, {0, 480, 600, 1},  {0, 420, 960, 4}};
    std::vector<Line> lines;
    lines.reserve(kLines);
    for (int i = 0; lines.size() < kLines; ++i) {
        const int day = 1 + (i / 3) % 31;
        Line l = kDay[i % 3];
        if (i % 17 == 0) l = kDay[3 + (i / 17) % 3];
        l.day = day;
        lines.push_back(l);
    }
    return lines;
}

void splitAll(benchmark::State& state, const std::vector<Line>& lines) {
    book::NullHost host;
    book::Zeitbuch zb(host);
    zb.jahr = 2024;
    zb.Monat_einstellen(12);  // Christmas on Wednesday and Thursday

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

void BM_Zuschlaege_berechnen_random(benchmark::State& state) {
    splitAll(state, randomLines());
}
void BM_Zuschlaege_berechnen_typed(benchmark::State& state) {
    splitAll(state, typedLines());
}
BENCHMARK(BM_Zuschlaege_berechnen_random);
BENCHMARK(BM_Zuschlaege_berechnen_typed);

}  // namespace
