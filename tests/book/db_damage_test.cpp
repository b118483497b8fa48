// Damaged databases: every truncation and thousands of random mutations of a
// valid two-user database. Nothing may crash or hang; the check reports a
// known code or passes; an operation that succeeds on a database that passed
// the check leaves it passing.
#include <gtest/gtest.h>
#include <stdlib.h>

#include <random>
#include <set>

#include "book/db_check.h"
#include "platform/core/message_box.h"
#include "tests/book/db_fixture.h"

namespace book {
namespace {

using namespace dbtest;

const std::set<int> kCodes = {1, 2, 3, 4, 5, 6, 7, 8, 9, 17, 18, 19, 20, 21, 22, 23, 24};

// A fixture that writes only the files that differ from what it wrote last:
// the file system, not the code under test, would otherwise take the time.
struct DamageFixture : Fixture {
    // Thousands of small files are rewritten: in memory where the system has such a folder.
    DamageFixture() {
        std::string tmpl = "/dev/shm/klb-damage-XXXXXX";
        if (platform::dirExists("/dev/shm") && ::mkdtemp(tmpl.data())) zb.datenOrdner = shm = tmpl;
    }
    ~DamageFixture() {
        if (shm.empty()) return;
        platform::deleteFile(logPath());
        platform::deleteFile(datPath());
        platform::removeDir(shm);
    }
    std::string shm;
    Database onDisk{"-", "-"};
    void put(const Database& db) {
        if (db.log != onDisk.log) writeFile(logPath(), db.log);
        if (db.dat != onDisk.dat) writeFile(datPath(), db.dat);
        onDisk = db;
    }
    // Runs the readers and, when asked, the writers on the database.
    void exercise(const Database& db, bool writers) {
        put(db);
        zb.datenbankFehler = 0;
        const bool sound = zb.Datenbank_pruefen();
        if (!sound) {
            ASSERT_TRUE(kCodes.count(zb.datenbankFehler)) << int{zb.datenbankFehler};
        }
        zb.Pruefe_Anmeldung("anna", "pw1");
        zb.Pruefe_Anmeldung("bert", "geheim");
        zb.Benutzername_vorhanden("carla", false);
        zb.angemeldet = false;
        if (!writers) return;

        zb.jahr = 2008;
        zb.seitenMonat = 3;
        const bool moved = zb.Benutzerblock_verschieben(0, false);
        if (sound && moved) {
            EXPECT_TRUE(zb.Datenbank_pruefen());
        }
        onDisk = {"-", "-"};
        put(db);
        const bool deleted = zb.Datenbank_aendern(bertBlock(), true);
        if (sound && deleted) {
            EXPECT_TRUE(zb.Datenbank_pruefen());
        }
        onDisk = {"-", "-"};
        put(db);
        const bool added = zb.Benutzer_anlegen({"carla", "x", "C", "C", "3", "", 0});
        if (sound && added) {
            EXPECT_TRUE(zb.Datenbank_pruefen());
        }
        onDisk = {"-", "-"};
    }
};

TEST(DamagedDatabase, EveryTruncation) {
    const Database two = twoUsers();
    DamageFixture f;
    platform::ScriptedMessages boxes;
    for (size_t n = 0; n < two.dat.size(); ++n) {
        SCOPED_TRACE("dat " + std::to_string(n));
        const Database db{two.log, two.dat.substr(0, n)};
        f.exercise(db, true);
        f.put(db);
        EXPECT_FALSE(f.zb.Datenbank_pruefen());  // an empty block file too: the index has records
    }
    for (size_t n = 0; n < two.log.size(); ++n) {
        SCOPED_TRACE("log " + std::to_string(n));
        const Database db{two.log.substr(0, n), two.dat};
        f.exercise(db, true);
        f.put(db);
        EXPECT_FALSE(f.zb.Datenbank_pruefen());
    }
}

TEST(DamagedDatabase, RandomMutations) {
    const Database two = twoUsers();
    DamageFixture f;
    platform::ScriptedMessages boxes;
    std::mt19937 rng(20260);
    for (int i = 0; i < 3000; ++i) {
        Database db = two;
        std::string& target = rng() % 3 == 0 ? db.log : db.dat;
        const int edits = 1 + static_cast<int>(rng() % 3);
        for (int e = 0; e < edits && !target.empty(); ++e) {
            const size_t at = rng() % target.size();
            switch (rng() % 4) {
                case 0:
                    target[at] = static_cast<char>(rng());
                    break;  // any byte
                case 1:
                    target[at] ^= static_cast<char>(1u << (rng() % 8));
                    break;  // one bit
                case 2:
                    target[at] = static_cast<char>(rng() % 2 ? 0 : 0xFF);
                    break;
                case 3:
                    target.insert(at, 1, static_cast<char>(rng()));
                    break;
            }
        }
        SCOPED_TRACE(i);
        f.exercise(db, i % 4 == 0);  // the writers on a quarter: they rewrite files
        if (HasFailure()) return;
    }
}

// Long entries take the check's fast path through the read buffer.
TEST(DamagedDatabase, RandomMutationsOfLongEntries) {
    std::vector<std::string> lines;
    for (int i = 0; i < 120; ++i)
        lines.push_back(line(1 + i % 28, 7, 0, 16, i % 60, 5, std::string(i % 45, 'w')));
    const Database base{
        record(0, {"u", "p", "", "", "", ""}, 0) + u32(0),
        block(4, true, {entry(2010, 5, lines, false), entry(2010, 6, lines, true)})};
    DamageFixture f;
    platform::ScriptedMessages boxes;
    std::mt19937 rng(99);
    for (int i = 0; i < 1000; ++i) {
        Database db = base;
        for (int e = 0; e < 2; ++e) db.dat[rng() % db.dat.size()] = static_cast<char>(rng());
        f.put(db);
        f.zb.datenbankFehler = 0;
        if (!f.zb.Datenbank_pruefen()) {
            ASSERT_TRUE(kCodes.count(f.zb.datenbankFehler)) << i;
        }
    }
}

}  // namespace
}  // namespace book
