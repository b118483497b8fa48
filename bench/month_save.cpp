// Saving a month of the first user in a database of 1 000 users x 24 months
// (about 26 MB): the block moves to the end of the file, the month is
// rewritten and the whole database is checked. Beside it the yardstick, a
// plain copy of the same block file. Goal: the save under 3x the copy.
#include <benchmark/benchmark.h>

#include <cstdlib>
#include <filesystem>

#include "bench/sample_database.h"
#include "book/zeitbuch.h"
#include "platform/core/file.h"
#include "platform/core/path.h"

namespace {

using bench_support::database;

// A working copy of the sample database, put back before every save.
const std::string& workDir() {
    static const std::string dir = [] {
        const std::string d = database().dir + "-work";
        std::filesystem::create_directories(d);
        return d;
    }();
    return dir;
}

void restore() {
    for (const char* name : {book::kIndexFileName, book::kBlockFileName})
        if (!platform::copyFile(platform::joinPath(database().dir, name),
                                platform::joinPath(workDir(), name), true))
            std::abort();
}

void BM_MonthSave(benchmark::State& state) {
    book::NullHost host;
    for (auto _ : state) {
        state.PauseTiming();
        restore();
        book::Zeitbuch b(host);
        b.datenOrdner = workDir();
        if (!b.Pruefe_Anmeldung("benutzer0", "kennwort")) std::abort();
        b.jahr = 2000;
        b.Monat_einstellen(6);
        b.Monat_laden(6, 2000);
        if (!b.seiteGespeichert) std::abort();
        state.ResumeTiming();
        if (!b.Monat_speichern()) std::abort();
    }
    state.SetBytesProcessed(state.iterations() * database().bytes);
}
BENCHMARK(BM_MonthSave)->Unit(benchmark::kMillisecond);

void BM_PlainCopyOfTheBlockFile(benchmark::State& state) {
    const std::string from = book::blockPath(database().dir);
    const std::string to = platform::joinPath(workDir(), "Kopie.dat");
    for (auto _ : state)
        if (!platform::copyFile(from, to, true)) std::abort();
    state.SetBytesProcessed(state.iterations() * database().bytes);
}
BENCHMARK(BM_PlainCopyOfTheBlockFile)->Unit(benchmark::kMillisecond);

}  // namespace
