// Damaged databases: every truncation and thousands of random mutations of a
// valid two-user database and of one with long entries (the check's fast
// path). Nothing may crash or hang; the check reports a known code or passes;
// an operation that succeeds on a database that passed the check leaves it passing.
#include <gtest/gtest.h>
#include <stdlib.h>

#include <functional>
#include <random>
#include <set>

#include "book/database/db_check.h"
#include "tests/book/database/db_fixture.h"

namespace book {
namespace {

using namespace dbtest;

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

    // The check, the readers and, when asked, each writer on a fresh copy.
    bool exercise(const Database& db, bool writers) {
        static const std::set<int> codes = {1,  2,  3,  4,  5,  6,  7,  8, 9,
                                            17, 18, 19, 20, 21, 22, 23, 24};
        install(db);
        zb.datenbankFehler = 0;
        const bool sound = zb.Datenbank_pruefen();
        if (!sound) {
            EXPECT_TRUE(codes.count(zb.datenbankFehler)) << int{zb.datenbankFehler};
        }
        zb.Pruefe_Anmeldung("anna", "pw1");
        zb.Pruefe_Anmeldung("bert", "geheim");
        zb.Benutzername_vorhanden("carla", false);
        for (const int block : {0, static_cast<int>(kBertBlock)}) {  // the month loader
            zb.blockPosition = block;
            for (const int month : {3, 0, 1}) {
                zb.seiteLeeren();
                zb.Monat_laden(static_cast<uint8_t>(month), 2008 + block % 2);
                EXPECT_EQ(zb.zeilen.size(), zb.texte.size());
            }
        }
        zb.angemeldet = false;
        zb.jahr = 2008;
        zb.seitenMonat = 3;
        const std::function<bool()> ops[] = {
            [&] { return zb.Benutzerblock_verschieben(0, false); },
            [&] { return zb.Datenbank_aendern(kBertBlock, true); },
            [&] {
                return zb.Benutzer_anlegen({"carla", "x", "C", "C", "3", "", 0});
            }};
        for (const auto& op : ops) {
            install(db);
            if (writers && op() && sound) {
                EXPECT_TRUE(zb.Datenbank_pruefen());
            }
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
        EXPECT_FALSE(f.exercise(n < two.dat.size()
                                    ? Database{two.log, two.dat.substr(0, n)}
                                    : Database{two.log.substr(0, n - two.dat.size()), two.dat},
                                true));
    }
}

TEST(DamagedDatabase, RandomMutations) {
    std::vector<std::string> lines;
    for (int i = 0; i < 120; ++i)
        lines.push_back(line(1 + i % 28, 7, 0, 16, i % 60, 5, std::string(i % 45, 'w')));
    const Database bases[] = {twoUsers(),
                              oneUser({entry(2010, 5, lines, false), entry(2010, 6, lines, true)})};
    DamageFixture f;
    std::mt19937 rng(20260);
    for (int i = 0; i < 4000 && !::testing::Test::HasFailure(); ++i) {
        Database db = bases[i % 4 == 3];
        std::string& target = rng() % 3 == 0 ? db.log : db.dat;
        mutate(target, rng, 3, 1 + i % 4);
        SCOPED_TRACE(i);
        f.exercise(db, i % 4 == 0);  // the writers on a quarter: they rewrite files
    }
}

}  // namespace
}  // namespace book
