// The database check against a plain sequential read of the same two files:
// 1 000 users with 24 months of 40 lines each.
#include <benchmark/benchmark.h>
#include <stdlib.h>

#include <cstring>
#include <filesystem>
#include <string>

#include "book/db_check.h"
#include "book/user_db_format.h"
#include "platform/core/file.h"
#include "platform/core/path.h"

namespace {

constexpr int kUsers = 1000;
constexpr int kMonths = 24;
constexpr int kLines = 40;

struct Database {
    std::string dir;
    int64_t bytes = 0;
};

bool writeFile(const std::string& path, const std::string& bytes) {
    platform::File f;
    return f.open(path, platform::OpenMode::CreateWrite) && f.write(bytes) && f.close();
}

const Database& database() {
    static const Database db = [] {
        Database d;
        std::string tmpl = (std::filesystem::temp_directory_path() / "klb-bench-XXXXXX").string();
        if (!::mkdtemp(tmpl.data())) std::abort();
        d.dir = tmpl;
        std::string log, dat;
        for (int u = 0; u < kUsers; ++u) {
            const std::string name = "benutzer" + std::to_string(u);
            const uint32_t blockAt = static_cast<uint32_t>(dat.size());
            const uint32_t recordAt = static_cast<uint32_t>(log.size());
            log += book::encodeUserRecord(
                blockAt, {name, "kennwort", "Name", "Vorname", "4711", "Bereich", 0x11});
            std::string body;
            uint32_t last = 0;
            for (int m = 0; m < kMonths; ++m) {
                std::string records;
                for (int l = 0; l < kLines; ++l)
                    records += book::encodeLineRecord(
                        {static_cast<uint8_t>(1 + l % 28), 7, 30, 16, static_cast<uint8_t>(l % 60),
                         static_cast<uint8_t>(1 + m % 12), " !-+VM"[l % 6],
                         std::string(static_cast<size_t>(l % 41), 'a' + l % 26)});
                const bool lastEntry = m == kMonths - 1;
                last = static_cast<uint32_t>(12 + body.size());
                body += book::encodeEntryHead(
                            static_cast<uint32_t>(2000 + m / 12), static_cast<uint8_t>(1 + m % 12),
                            lastEntry ? 0 : static_cast<uint32_t>(4 + records.size()), kLines) +
                        records;
            }
            const bool lastBlock = u == kUsers - 1;
            book::appendU32(dat, recordAt + 4);
            book::appendU32(dat, lastBlock ? 0 : static_cast<uint32_t>(12 + body.size()));
            book::appendU32(dat, last);
            dat += body;
        }
        book::appendU32(log, 0);
        if (!writeFile(book::indexPath(d.dir), log) || !writeFile(book::blockPath(d.dir), dat))
            std::abort();
        d.bytes = static_cast<int64_t>(log.size() + dat.size());
        if (!book::checkDatabase(d.dir).ok) std::abort();
        return d;
    }();
    return db;
}

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
