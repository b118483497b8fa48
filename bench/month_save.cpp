// Saving a month of the first user in a database of 115 and 11 500 users x 24
// months (about 3 MB and 300 MB): the block moves to the end of the file, the
// month is rewritten and the whole database is checked. Beside it the
// yardstick, a plain copy of the same block file to a new file. Goals: the
// save at most 2x the copy, and the memory the save takes (peak_growth_MiB)
// the same at both sizes: the rest of the file moves in pieces.
#include <benchmark/benchmark.h>

#include <algorithm>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <string>

#include "bench/sample_database.h"
#include "book/sheet/zeitbuch.h"
#include "platform/core/file.h"
#include "platform/core/path.h"

namespace {

using bench_support::database;

// A working copy of the sample database, put back before every save.
std::string workDir(int users) {
    const std::string d = database(users).dir + "-work";
    std::filesystem::create_directories(d);
    return d;
}

void restore(int users) {
    for (const char* name : {book::kIndexFileName, book::kBlockFileName})
        if (!platform::copyFile(platform::joinPath(database(users).dir, name),
                                platform::joinPath(workDir(users), name), true))
            std::abort();
}

// Resident and peak resident memory in kB; the peak can be reset.
long memoryKb(const char* field) {
    std::ifstream in("/proc/self/status");
    for (std::string line; std::getline(in, line);)
        if (line.rfind(field, 0) == 0) return std::atol(line.c_str() + std::strlen(field));
    return 0;
}
void resetPeak() {
    std::ofstream("/proc/self/clear_refs") << "5";
}

void BM_MonthSave(benchmark::State& state) {
    const int users = static_cast<int>(state.range(0));
    book::NullHost host;
    long growth = 0;
    for (auto _ : state) {
        state.PauseTiming();
        restore(users);
        book::Zeitbuch b(host);
        b.datenOrdner = workDir(users);
        if (!b.Pruefe_Anmeldung("benutzer0", "kennwort")) std::abort();
        b.jahr = 2000;
        b.Monat_einstellen(6);
        b.Monat_laden(6, 2000);
        if (!b.seiteGespeichert) std::abort();
        resetPeak();
        const long before = memoryKb("VmRSS:");
        state.ResumeTiming();
        if (!b.Monat_speichern()) std::abort();
        state.PauseTiming();
        growth = std::max(growth, memoryKb("VmHWM:") - before);
        state.ResumeTiming();
    }
    state.counters["peak_growth_MiB"] = static_cast<double>(growth) / 1024.0;
    state.SetBytesProcessed(state.iterations() * database(users).bytes);
}
BENCHMARK(BM_MonthSave)->Arg(115)->Arg(11500)->Iterations(5)->Unit(benchmark::kMillisecond);

void BM_PlainCopyOfTheBlockFile(benchmark::State& state) {
    const int users = static_cast<int>(state.range(0));
    const std::string from = book::blockPath(database(users).dir);
    const std::string to = platform::joinPath(workDir(users), "Kopie.dat");
    for (auto _ : state) {
        // A new file each time: copying over the last copy would also time
        // freeing that copy's blocks.
        state.PauseTiming();
        std::filesystem::remove(to);
        state.ResumeTiming();
        if (!platform::copyFile(from, to, false)) std::abort();
    }
    std::filesystem::remove(to);
    state.SetBytesProcessed(state.iterations() * database(users).bytes);
}
BENCHMARK(BM_PlainCopyOfTheBlockFile)
    ->Arg(115)
    ->Arg(11500)
    ->Iterations(5)
    ->Unit(benchmark::kMillisecond);

}  // namespace
