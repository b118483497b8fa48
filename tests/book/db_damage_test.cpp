// Damaged databases: every truncation and thousands of random mutations of a
// valid two-user database. Nothing may crash or hang; the check reports a
// known code or passes; an operation that succeeds on a database that passed
// the check leaves it passing.
#include <gtest/gtest.h>
#include <stdlib.h>

#include <functional>
#include <random>
#include <set>

#include "book/db_check.h"
#include "tests/book/db_fixture.h"

namespace book {
namespace {

using namespace dbtest;

const std::set<int> kCodes = {1, 2, 3, 4, 5, 6, 7, 8, 9, 17, 18, 19, 20, 21, 22, 23, 24};

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
    platform::ScriptedMessages boxes;

    // Runs the check, the readers and, when asked, each writer on a fresh
    // copy of the database; returns whether the check passed.
    bool exercise(const Database& db, bool writers) {
        install(db);
        zb.datenbankFehler = 0;
        const bool sound = zb.Datenbank_pruefen();
        if (!sound) { EXPECT_TRUE(kCodes.count(zb.datenbankFehler)) << int{zb.datenbankFehler}; }
        zb.Pruefe_Anmeldung("anna", "pw1");
        zb.Pruefe_Anmeldung("bert", "geheim");
        zb.Benutzername_vorhanden("carla", false);
        zb.angemeldet = false;
        zb.jahr = 2008;
        zb.seitenMonat = 3;
        if (!writers) return sound;
        const std::function<bool()> ops[] = {
            [&] { return zb.Benutzerblock_verschieben(0, false); },
            [&] { return zb.Datenbank_aendern(kBertBlock, true); },
            [&] { return zb.Benutzer_anlegen({"carla", "x", "C", "C", "3", "", 0}); }};
        for (const auto& op : ops) {
            install(db);
            if (op() && sound) { EXPECT_TRUE(zb.Datenbank_pruefen()); }
        }
        return sound;
    }
};

TEST(DamagedDatabase, EveryTruncation) {
    const Database two = twoUsers();
    DamageFixture f;
    for (size_t n = 0; n < two.dat.size() + two.log.size(); ++n) {
        SCOPED_TRACE(n);
        // An empty block file fails too: the index has records.
        EXPECT_FALSE(f.exercise(n < two.dat.size() ? Database{two.log, two.dat.substr(0, n)}
                                                   : Database{two.log.substr(0, n - two.dat.size()), two.dat},
                                true));
    }
}

TEST(DamagedDatabase, RandomMutations) {
    const Database two = twoUsers();
    DamageFixture f;
    std::mt19937 rng(20260);
    for (int i = 0; i < 3000 && !::testing::Test::HasFailure(); ++i) {
        Database db = two;
        std::string& target = rng() % 3 == 0 ? db.log : db.dat;
        for (int e = 1 + static_cast<int>(rng() % 3); e > 0; --e) {
            const size_t at = rng() % target.size();
            switch (rng() % 4) {
                case 0: target[at] = static_cast<char>(rng()); break;
                case 1: target[at] ^= static_cast<char>(1u << (rng() % 8)); break;
                case 2: target[at] = static_cast<char>(rng() % 2 ? 0 : 0xFF); break;
                default: target.insert(at, 1, static_cast<char>(rng())); break;
            }
        }
        SCOPED_TRACE(i);
        f.exercise(db, i % 4 == 0);  // the writers on a quarter: they rewrite files
    }
}

// Long entries take the check's fast path through the read buffer.
TEST(DamagedDatabase, RandomMutationsOfLongEntries) {
    std::vector<std::string> lines;
    for (int i = 0; i < 120; ++i)
        lines.push_back(line(1 + i % 28, 7, 0, 16, i % 60, 5, std::string(i % 45, 'w')));
    const Database base = oneUser({entry(2010, 5, lines, false), entry(2010, 6, lines, true)});
    DamageFixture f;
    std::mt19937 rng(99);
    for (int i = 0; i < 1000; ++i) {
        Database db = base;
        for (int e = 0; e < 2; ++e) db.dat[rng() % db.dat.size()] = static_cast<char>(rng());
        f.install(db);
        f.zb.datenbankFehler = 0;
        if (!f.zb.Datenbank_pruefen()) { ASSERT_TRUE(kCodes.count(f.zb.datenbankFehler)) << i; }
    }
}

}  // namespace
}  // namespace book
