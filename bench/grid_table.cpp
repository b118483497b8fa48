// The grid table with 100 000 rows x 3 columns: filling it with automatic
// column widths (every cell measured in the control's font), and a
// type-ahead search that walks the whole search column.
#include <benchmark/benchmark.h>

#include <QApplication>
#include <string>

#include "controls/tabelle/tabelle.h"

namespace {

constexpr int kZeilen = 100000;
constexpr int kSpalten = 3;

QApplication& application() {
    static int argc = 1;
    static char name[] = "bench_grid_table";
    static char* argv[] = {name, nullptr};
    if (!qEnvironmentVariableIsSet("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
    static QApplication* app = new QApplication(argc, argv);
    return *app;
}

void fuellen(table::TTabelle& t) {
    t.SetTabelle(kZeilen, kSpalten, 0);
    for (int c = 0; c < kSpalten; ++c) t.SetCell(0, c, "Spalte " + std::to_string(c), 0);
    for (int r = 1; r < kZeilen; ++r)
        for (int c = 0; c < kSpalten; ++c)
            t.SetCell(r, c, "Zelle " + std::to_string(r) + "/" + std::to_string(c), 0);
    t.FEndUpdate(false);
}

void BM_FillAutoWidth(benchmark::State& state) {
    application();
    table::TTabelle t;
    t.resize(800, 600);
    t.AutoBreite = true;
    for (auto _ : state) fuellen(t);
    state.SetItemsProcessed(state.iterations() * kZeilen * kSpalten);
}
BENCHMARK(BM_FillAutoWidth)->Unit(benchmark::kMillisecond);

// A lower-case letter never matches the capitals: the walk covers every row.
void BM_SearchMiss(benchmark::State& state) {
    application();
    table::TTabelle t;
    t.resize(800, 600);
    fuellen(t);
    for (auto _ : state) t.TabelleModell::KeyPress('q');
    state.SetItemsProcessed(state.iterations() * kZeilen);
}
BENCHMARK(BM_SearchMiss)->Unit(benchmark::kMillisecond);

}  // namespace
