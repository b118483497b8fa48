// Recomputation of a full month page: 31 days with two periods each.
#include <benchmark/benchmark.h>

#include <cstdlib>
#include <string>
#include <utility>

#include "book/sheet/host.h"
#include "book/sheet/zeitbuch.h"

namespace {

std::string line(int day, int month, const char* von, const char* bis) {
    std::string e = book::kTemplateLine;
    e[book::col::kDay] = static_cast<char>('0' + day / 10);
    e[book::col::kDay + 1] = static_cast<char>('0' + day % 10);
    e[book::col::kMonth] = static_cast<char>('0' + month / 10);
    e[book::col::kMonth + 1] = static_cast<char>('0' + month % 10);
    e.replace(book::col::kFromHour, 5, von);
    e.replace(book::col::kToHour, 5, bis);
    return e;
}

// Types the lines last day first, so that the time index is in reverse order.
void fillPage(book::Zeitbuch& zb) {
    zb.jahr = 2024;
    zb.Monat_einstellen(3);
    zb.zeitvorschlag = false;
    zb.blattAngezeigt = true;
    for (int day = 31; day >= 1; --day) {
        for (const auto& [von, bis] : {std::pair{"16:00", "23:30"}, std::pair{"06:30", "12:00"}}) {
            zb.eingabe = line(day, 3, von, bis);
            zb.aktuelleZeile = static_cast<int>(zb.zeilen.size()) - 1;
            if (zb.Zeile_pruefen(true) >= 0) std::abort();
            zb.texte.insert(zb.texte.end() - 1, "");
            zb.Zeile_einfuegen(zb.aktuelleZeile, zb.Zeile_auswerten(true, false), false);
        }
    }
}

void BM_RecomputeMonthPage(benchmark::State& state) {
    book::NullHost host;
    book::Zeitbuch zb{host};
    fillPage(zb);
    if (zb.zeilen.size() != 63) std::abort();
    for (auto _ : state) {
        zb.Zuschlaege_neu_berechnen();
        benchmark::DoNotOptimize(zb.summen);
    }
    state.SetItemsProcessed(state.iterations() * 62);
}
BENCHMARK(BM_RecomputeMonthPage);

}  // namespace
