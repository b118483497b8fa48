// Saving a month page of 40 lines into a database of 200 users with 12
// months each (the check after the save included), with the files synced to
// the disk before success is reported (sync:1) and without (sync:0): the
// difference is what durability costs. Saves alternate between two users, so
// every save also moves a block to the end of the file.
#include <benchmark/benchmark.h>
#include <stdlib.h>

#include <cstdlib>
#include <filesystem>
#include <string>

#include "book/sheet/host.h"
#include "book/database/user_db_format.h"
#include "book/sheet/zeitbuch.h"
#include "platform/core/file.h"

namespace {

constexpr int kUsers = 200;
constexpr int kMonths = 12;
constexpr int kLines = 40;

bool writeFile(const std::string& path, const std::string& bytes) {
    platform::File f;
    return f.open(path, platform::OpenMode::CreateWrite) && f.write(bytes) && f.close();
}

// A fresh data folder on the disk that holds the temporary folder.
std::string database() {
    std::string tmpl = (std::filesystem::temp_directory_path() / "klb-bench-XXXXXX").string();
    if (!::mkdtemp(tmpl.data())) std::abort();
    std::string log, dat;
    for (int u = 0; u < kUsers; ++u) {
        const uint32_t blockAt = static_cast<uint32_t>(dat.size());
        const uint32_t recordAt = static_cast<uint32_t>(log.size());
        log += book::encodeUserRecord(blockAt, {"benutzer" + std::to_string(u), "kennwort", "Name",
                                                "Vorname", "4711", "Bereich", 0});
        std::string body;
        uint32_t last = 0;
        for (int m = 1; m <= kMonths; ++m) {
            std::string records;
            for (int l = 0; l < kLines; ++l)
                records += book::encodeLineRecord(
                    {static_cast<uint8_t>(1 + l % 28), static_cast<uint8_t>(l % 12 * 2), 0,
                     static_cast<uint8_t>(l % 12 * 2 + 1), 30, static_cast<uint8_t>(m), ' ',
                     "Wartung Anlage " + std::to_string(l)});
            last = static_cast<uint32_t>(12 + body.size());
            body += book::encodeEntryHead(
                        2024, static_cast<uint8_t>(m),
                        m == kMonths ? 0 : static_cast<uint32_t>(4 + records.size()), kLines) +
                    records;
        }
        book::appendU32(dat, recordAt + 4);
        book::appendU32(dat, u + 1 == kUsers ? 0 : static_cast<uint32_t>(12 + body.size()));
        book::appendU32(dat, last);
        dat += body;
    }
    book::appendU32(log, 0);
    if (!writeFile(book::indexPath(tmpl), log) || !writeFile(book::blockPath(tmpl), dat))
        std::abort();
    return tmpl;
}

void BM_MonthSave(benchmark::State& state) {
    const std::string dir = database();
    platform::setSyncToDisk(state.range(0) != 0);
    book::NullHost host;
    book::Zeitbuch a(host), b(host);
    for (book::Zeitbuch* zb : {&a, &b}) {
        zb->datenOrdner = dir;
        const std::string name = zb == &a ? "benutzer10" : "benutzer150";
        if (!zb->Pruefe_Anmeldung(name, "kennwort")) std::abort();
        zb->Monat_laden(6, 2024);
        if (!zb->seiteGespeichert || zb->zeilen.size() != kLines + 1) std::abort();
    }
    bool first = true;
    for (auto _ : state) {
        // Each save moved the other user's block: sign in anew to find it.
        book::Zeitbuch& zb = first ? a : b;
        if (!zb.Pruefe_Anmeldung(first ? "benutzer10" : "benutzer150", "kennwort") ||
            !zb.Monat_speichern())
            std::abort();
        first = !first;
    }
    platform::setSyncToDisk(true);
    std::filesystem::remove_all(dir);
}
BENCHMARK(BM_MonthSave)->ArgName("sync")->Arg(0)->Arg(1)->Unit(benchmark::kMillisecond);

}  // namespace
