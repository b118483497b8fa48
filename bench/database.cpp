// The database check against a plain sequential read of the same two files:
// 1 000 users with 24 months of 40 lines each.
#include <benchmark/benchmark.h>
#include <cstring>
#include <string>

#include "bench/sample_database.h"
#include "book/database/db_check.h"
#include "book/database/user_db_format.h"
#include "platform/core/file.h"

namespace {

using bench_support::database;
using bench_support::Database;

void BM_DatabaseCheck(benchmark::State& state) {
    const Database& db = database();
    for (auto _ : state) benchmark::DoNotOptimize(book::checkDatabase(db.dir).ok);
    state.SetBytesProcessed(state.iterations() * db.bytes);
    state.counters["file_MB"] = static_cast<double>(db.bytes) / 1e6;
}
BENCHMARK(BM_DatabaseCheck)->Unit(benchmark::kMillisecond);

// The yardstick: both files read front to back through the same 256 KiB
// buffer size the check's reader uses, each byte touched once by a 64-bit sum
// (a read nobody looks at is no fair comparison for a check that looks at
// every byte).
void BM_PlainSequentialRead(benchmark::State& state) {
    const Database& db = database();
    static uint64_t buffer[256 * 1024 / 8];
    for (auto _ : state) {
        int64_t total = 0;
        uint64_t sum = 0;
        for (const std::string& path : {book::indexPath(db.dir), book::blockPath(db.dir)}) {
            platform::File f;
            if (!f.open(path, platform::OpenMode::ReadOnly)) std::abort();
            for (int64_t n; (n = f.read(buffer, sizeof buffer)) > 0;) {
                total += n;
                std::memset(reinterpret_cast<char*>(buffer) + n, 0, (8 - n % 8) % 8);
                for (int64_t i = 0; i < (n + 7) / 8; ++i) sum += buffer[i];
            }
        }
        benchmark::DoNotOptimize(total);
        benchmark::DoNotOptimize(sum);
    }
    state.SetBytesProcessed(state.iterations() * db.bytes);
}
BENCHMARK(BM_PlainSequentialRead)->Unit(benchmark::kMillisecond);

}  // namespace
