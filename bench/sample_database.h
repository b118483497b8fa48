// A sample user database for the benchmarks: 1 000 users (or as many as
// asked) with 24 months of 40 lines each (about 26 kB a user, 26 MB in all),
// written once into a temporary folder.
#pragma once

#include <stdlib.h>

#include <cstdlib>
#include <filesystem>
#include <map>
#include <string>

#include "book/database/db_check.h"
#include "book/database/user_db_format.h"
#include "platform/core/file.h"
#include "platform/core/path.h"

namespace bench_support {

constexpr int kUsers = 1000;
constexpr int kMonths = 24;
constexpr int kLines = 40;

struct Database {
    std::string dir;
    int64_t bytes = 0;
};

inline bool writeFile(const std::string& path, const std::string& bytes) {
    platform::File f;
    return f.open(path, platform::OpenMode::CreateWrite) && f.write(bytes) && f.close();
}

// Writes `users` users with kMonths months each, from January of
// `firstYear` on, into `dir`; the size in bytes, or -1 when a write failed.
inline int64_t writeSample(const std::string& dir, int users, int firstYear) {
    std::string log, dat;
    for (int u = 0; u < users; ++u) {
        const std::string name = "benutzer" + std::to_string(u);
        const uint32_t blockAt = static_cast<uint32_t>(dat.size());
        const uint32_t recordAt = static_cast<uint32_t>(log.size());
        log += book::encodeUserRecord(blockAt,
                                      {name, "kennwort", "Name", "Vorname", "4711", "Bereich", 0x11});
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
            body += book::encodeEntryHead(static_cast<uint32_t>(firstYear + m / 12),
                                          static_cast<uint8_t>(1 + m % 12),
                                          lastEntry ? 0 : static_cast<uint32_t>(4 + records.size()),
                                          kLines) +
                    records;
        }
        const bool lastBlock = u == users - 1;
        book::appendU32(dat, recordAt + 4);
        book::appendU32(dat, lastBlock ? 0 : static_cast<uint32_t>(12 + body.size()));
        book::appendU32(dat, last);
        dat += body;
    }
    book::appendU32(log, 0);
    if (!writeFile(book::indexPath(dir), log) || !writeFile(book::blockPath(dir), dat)) return -1;
    return static_cast<int64_t>(log.size() + dat.size());
}

// A temporary folder that goes with everything in it when the program ends.
struct TempFolder {
    std::string dir;
    TempFolder() {
        std::string tmpl = (std::filesystem::temp_directory_path() / "klb-bench-XXXXXX").string();
        if (!::mkdtemp(tmpl.data())) std::abort();
        dir = tmpl;
    }
    ~TempFolder() {
        std::error_code ec;
        std::filesystem::remove_all(dir, ec);
    }
    TempFolder(const TempFolder&) = delete;
    TempFolder& operator=(const TempFolder&) = delete;
};

// A sample of `users` users (1 000 unless asked), written at the first call
// for that count and removed at exit (with whatever the benchmarks put beside
// it in its folder).
inline const Database& database(int users = kUsers) {
    static const TempFolder folder;
    static std::map<int, Database> made;
    if (const auto it = made.find(users); it != made.end()) return it->second;
    const Database db = [users] {
        Database d;
        d.dir = folder.dir + "/db" + std::to_string(users);
        std::filesystem::create_directories(d.dir);
        d.bytes = writeSample(d.dir, users, 2000);
        if (d.bytes < 0 || !book::checkDatabase(d.dir).ok) std::abort();
        return d;
    }();
    return made[users] = db;
}

}  // namespace bench_support
