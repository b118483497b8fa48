#include <gtest/gtest.h>

#include <random>
#include <tuple>

#include "tests/book/database/db_fixture.h"

namespace book {
namespace {

using namespace dbtest;

// The block goes last with the page's entry at its end (an absent page or the
// last entry leave the entries as they are); the last block stays unwritten.
TEST(BlockMove, BlockAndPageEntryGoLast) {
    const auto month = [](int m, bool last) {
        return entry(2011, static_cast<uint8_t>(m), {line(m, 8, 0, 9, 0, m, "m")}, last);
    };
    const std::string e1 = month(1, false), e2 = month(2, false), e3 = month(3, false);
    const Database four = oneUser({e1, e2, e3, month(4, true)}), two = twoUsers();
    const auto bertAt = static_cast<uint32_t>(two.dat.size() - kBertBlock);  // moved up
    const Database annaLast = {patched(patched(two.log, 4, bertAt), kAnnaRecord + 4, 0),
                               patched(two.dat.substr(kBertBlock), 4, bertAt) +
                                   block(4, true, {annaApril(false), annaMarch(true)})};
    const std::tuple<Database, uint32_t, int, int, bool, Database, uint32_t> cases[] = {
        {two, 0, 2008, 3, true, annaLast, bertAt},
        {two, kBertBlock, 2009, 1, true, two, kBertBlock},
        {four, 0, 2011, 5, false, four, 0},
        {four, 0, 2010, 2, false, four, 0},
        {four, 0, 2011, 4, true, four, 0},
        {four, 0, 2011, 2, true, oneUser({e1, e3, month(4, false), month(2, true)}), 0},
    };
    for (const auto& [before, at, year, page, found, after, position] : cases) {
        SCOPED_TRACE(page);
        Fixture f(before);
        f.zb.jahr = year;
        f.zb.seitenMonat = page;
        platform::resetWriteCallCount();
        bool last = !found;
        ASSERT_TRUE(f.zb.Benutzerblock_verschieben(at, false, &last));
        EXPECT_EQ(last, found);
        EXPECT_TRUE(f.unchanged(after));
        EXPECT_EQ(f.zb.blockPosition, position);
        EXPECT_TRUE(after.dat != before.dat || platform::writeCallCount() == 0);
        EXPECT_TRUE(f.zb.Datenbank_pruefen());
    }
}

TEST(BlockMove, RefusedFilesStayUntouched) {
    const Database two = twoUsers();
    const std::string kFormat = "Fehler in der Benutzerverwaltung|Fehlerhaftes Datenformat";
    const std::tuple<Database, uint32_t, std::string> cases[] = {
        {two, 5, kFormat},                                                // no block there
        {{patched(two.log, kAnnaRecord + 4, 3), two.dat}, 0, kFormat},    // back pointer
        {{two.log, patched(two.dat, 8, 13)}, 0, kFormat},                 // last entry elsewhere
        {{two.log, two.dat.substr(0, two.dat.size() - 55)}, 0, kFormat},  // chain cut
        {{"", two.dat}, 0, "Kein Zugriff auf die Datenbank!|Zugriff auf Datenbank gesperrt"},
    };
    for (const auto& [db, block, box] : cases) {
        Fixture f(db);
        f.zb.jahr = 2008;
        f.zb.seitenMonat = 3;
        if (db.log.empty()) platform::deleteFile(f.logPath());
        platform::ScriptedMessages boxes;
        bool last = true;
        EXPECT_FALSE(f.zb.Benutzerblock_verschieben(block, false, &last));
        EXPECT_FALSE(last);
        EXPECT_EQ(boxes.count(), 1u);
        EXPECT_EQ(lastBox(boxes), box) << block;
        EXPECT_EQ(f.files().dat, db.dat);
    }
}

// Users added, changed, moved and deleted in random order: after every step
// the check passes (back pointers included) and every user still signs in.
TEST(BlockMove, RandomOperationsKeepTheDatabaseSound) {
    Fixture f;
    platform::ScriptedMessages boxes;
    std::mt19937 rng(4711);
    std::vector<std::string> users;
    for (int step = 0, next = 0; step < 150; ++step) {
        const int op = users.empty() ? 0 : static_cast<int>(rng() % 4);
        if (op == 0) {
            users.push_back("u" + std::to_string(next++));
            ASSERT_TRUE(f.zb.Benutzer_anlegen({users.back(), "pw", "N", "V", "1", "", 0}));
        } else {
            const std::string who = users[rng() % users.size()];
            ASSERT_TRUE(f.zb.Pruefe_Anmeldung(who, "pw"));
            const auto b = static_cast<uint32_t>(f.zb.blockPosition);
            f.zb.angemeldet = false;
            if (op == 1) {
                ASSERT_TRUE(f.zb.Datenbank_aendern(b, false, {who, "pw", "M", "W", "2", "x", 1}));
            }
            if (op == 2) {
                ASSERT_TRUE(f.zb.Benutzerblock_verschieben(b, false));
            }
            if (op == 3) {
                ASSERT_TRUE(f.zb.Datenbank_aendern(b, true));
                users.erase(std::find(users.begin(), users.end(), who));
            }
        }
        ASSERT_TRUE(f.zb.Datenbank_pruefen()) << step << " code " << int{f.zb.datenbankFehler};
        for (const std::string& u : users) ASSERT_TRUE(f.zb.Pruefe_Anmeldung(u, "pw")) << u;
    }
    EXPECT_EQ(boxes.count(), 0u);
}

}  // namespace
}  // namespace book
