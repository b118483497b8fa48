#include <gtest/gtest.h>

#include <random>

#include "platform/core/message_box.h"
#include "tests/book/db_fixture.h"

namespace book {
namespace {

using namespace dbtest;

// anna's two entries, as twoUsers() holds them.
std::string annaMarch(bool last) {
    return entry(2008, 3, {line(3, 8, 0, 17, 30, 0x03, "Wartung"), line(4, 22, 0, 6, 0, 0x13, "")},
                 last);
}
std::string annaApril(bool last) {
    return entry(2008, 4, {line(30, 7, 15, 9, 45, 0x24, "Ausgleich \xE4")}, last);
}

TEST(BlockMove, FirstBlockGoesLastWithThePageEntryAtItsEnd) {
    Fixture f;
    f.install(twoUsers());
    f.zb.jahr = 2008;
    f.zb.seitenMonat = 3;
    bool last = false;
    ASSERT_TRUE(f.zb.Benutzerblock_verschieben(0, false, &last));
    EXPECT_TRUE(last);
    const Database two = twoUsers();
    std::string bert = two.dat.substr(bertBlock());
    putU32(reinterpret_cast<uint8_t*>(bert.data()) + 4, static_cast<uint32_t>(bert.size()));
    EXPECT_EQ(f.files().dat, bert + block(4, true, {annaApril(false), annaMarch(true)}));
    EXPECT_EQ(f.zb.blockPosition, bert.size());
    std::string log = two.log;
    putU32(reinterpret_cast<uint8_t*>(log.data()) + 4, static_cast<uint32_t>(bert.size()));
    putU32(reinterpret_cast<uint8_t*>(log.data()) + kAnnaRecord + 4, 0);
    EXPECT_EQ(f.files().log, log);
    EXPECT_TRUE(f.zb.Datenbank_pruefen());
}

TEST(BlockMove, EntriesStayWhenThePageIsAbsentOrAlreadyLast) {
    const struct {
        int year, month;
        bool found;
    } cases[] = {{2009, 5, false}, {2008, 4, true}, {2007, 3, false}};
    for (const auto& c : cases) {
        Fixture f;
        f.install(twoUsers());
        f.zb.jahr = c.year;
        f.zb.seitenMonat = c.month;
        bool last = !c.found;
        ASSERT_TRUE(f.zb.Benutzerblock_verschieben(0, false, &last));
        EXPECT_EQ(last, c.found);
        EXPECT_EQ(f.files().dat.substr(f.files().dat.size() - bertBlock()),
                  block(4, true, {annaMarch(false), annaApril(true)}));
        EXPECT_TRUE(f.zb.Datenbank_pruefen());
    }
}

TEST(BlockMove, OtherEntriesKeepTheirOrder) {
    const auto month = [](int m, bool last) {
        return entry(2011, static_cast<uint8_t>(m),
                     {line(m, 8, 0, 9, 0, m, "m" + std::to_string(m))}, last);
    };
    Fixture f;
    f.install(
        {record(0, {"u", "p", "", "", "", ""}, 0) + u32(0),
         block(4, true, {month(1, false), month(2, false), month(3, false), month(4, true)})});
    f.zb.jahr = 2011;
    f.zb.seitenMonat = 2;
    bool last = false;
    ASSERT_TRUE(f.zb.Benutzerblock_verschieben(0, false, &last));
    EXPECT_TRUE(last);
    EXPECT_EQ(f.files().dat,
              block(4, true, {month(1, false), month(3, false), month(4, false), month(2, true)}));
    EXPECT_TRUE(f.zb.Datenbank_pruefen());
}

TEST(BlockMove, TheLastBlockStaysWhereItIs) {
    Fixture f;
    f.install(twoUsers());
    f.zb.jahr = 2009;
    f.zb.seitenMonat = 1;
    platform::resetWriteCallCount();
    bool last = false;
    ASSERT_TRUE(f.zb.Benutzerblock_verschieben(bertBlock(), false, &last));
    EXPECT_TRUE(last);
    EXPECT_EQ(platform::writeCallCount(), 0);
    EXPECT_EQ(f.files().dat, twoUsers().dat);
    EXPECT_EQ(f.zb.blockPosition, bertBlock());
}

TEST(BlockMove, RefusedFilesStayUntouched) {
    const Database two = twoUsers();
    std::string brokenBack = two.log;
    brokenBack[kAnnaRecord + 4] = 3;  // bert's record names another block
    std::string lastElsewhere = two.dat;
    lastElsewhere[8] = 13;  // anna's head names a last entry that is not the last
    const struct {
        const char* name;
        Database db;
        uint32_t block;
        const char* text;
    } cases[] = {
        {"no block there", two, 5, "Fehler in der Benutzerverwaltung"},
        {"back pointer", {brokenBack, two.dat}, 0, "Fehler in der Benutzerverwaltung"},
        {"last entry", {two.log, lastElsewhere}, 0, "Fehler in der Benutzerverwaltung"},
        {"chain cut",
         {two.log, two.dat.substr(0, two.dat.size() - 55)},
         0,
         "Fehler in der Benutzerverwaltung"},
        {"no index", {"", two.dat}, 0, "Kein Zugriff auf die Datenbank!"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        Fixture f;
        f.install(c.db);
        if (c.db.log.empty()) platform::deleteFile(f.logPath());
        f.zb.jahr = 2008;
        f.zb.seitenMonat = 3;
        platform::ScriptedMessages boxes;
        bool last = true;
        EXPECT_FALSE(f.zb.Benutzerblock_verschieben(c.block, false, &last));
        EXPECT_FALSE(last);
        ASSERT_EQ(boxes.count(), 1u);
        EXPECT_EQ(boxes.last().text, c.text);
        EXPECT_EQ(f.files().dat, c.db.dat);
    }
    Fixture none;
    platform::ScriptedMessages boxes;
    EXPECT_FALSE(none.zb.Benutzerblock_verschieben(0, false));
    EXPECT_EQ(boxes.last().text, "Kein Zugriff auf die Datenbank!");
    EXPECT_EQ(boxes.last().caption, "Zugriff auf Datenbank gesperrt");
}

TEST(BlockMove, EveryFailedWriteIsReported) {
    for (int k = 1; k <= 6; ++k) {
        Fixture f;
        f.install(twoUsers());
        f.zb.jahr = 2008;
        f.zb.seitenMonat = 3;
        platform::ScriptedMessages boxes;
        platform::injectWriteFailure(k);
        const bool ok = f.zb.Benutzerblock_verschieben(0, false);
        platform::injectWriteFailure(0);
        if (k <= 4) {  // index, index, rest, block
            EXPECT_FALSE(ok) << k;
            EXPECT_EQ(boxes.last().text, "Die Daten konnten nicht gespeichert werden!");
        } else {
            EXPECT_TRUE(ok) << k;
        }
    }
}

// Many users added, changed, moved and deleted in random order: after every
// step the check passes and every user still signs in to the right block.
TEST(BlockMove, RandomOperationsKeepTheDatabaseSound) {
    Fixture f;
    platform::ScriptedMessages boxes;
    std::mt19937 rng(4711);
    std::vector<std::string> users;
    int next = 0;
    for (int step = 0; step < 150; ++step) {
        const int op = users.empty() ? 0 : static_cast<int>(rng() % 4);
        const std::string who = users.empty() ? "" : users[rng() % users.size()];
        if (op == 0) {
            const std::string name = "u" + std::to_string(next++);
            ASSERT_TRUE(f.zb.Benutzer_anlegen({name, "pw", "N", "V", "1", "", 0}));
            users.push_back(name);
        } else {
            ASSERT_TRUE(f.zb.Pruefe_Anmeldung(who, "pw"));
            const uint32_t b = static_cast<uint32_t>(f.zb.blockPosition);
            f.zb.angemeldet = false;
            if (op == 1) {
                ASSERT_TRUE(f.zb.Datenbank_aendern(b, false, {who, "pw", "M", "W", "2", "x", 1}));
            } else if (op == 2) {
                ASSERT_TRUE(f.zb.Benutzerblock_verschieben(b, false));
            } else {
                ASSERT_TRUE(f.zb.Datenbank_aendern(b, true));
                users.erase(std::find(users.begin(), users.end(), who));
            }
        }
        ASSERT_TRUE(f.zb.Datenbank_pruefen()) << step << " code " << int{f.zb.datenbankFehler};
        for (const std::string& u : users) {
            ASSERT_TRUE(f.zb.Pruefe_Anmeldung(u, "pw"));
            uint32_t back = 0;
            platform::File dat;
            ASSERT_TRUE(dat.open(f.datPath(), platform::OpenMode::ReadOnly));
            ASSERT_TRUE(dat.seek(f.zb.blockPosition) && dat.readExact(&back, 4));
            uint32_t field = 0;
            platform::File log;
            ASSERT_TRUE(log.open(f.logPath(), platform::OpenMode::ReadOnly));
            ASSERT_TRUE(log.seek(back) && log.readExact(&field, 4));
            EXPECT_EQ(field, f.zb.blockPosition);
        }
    }
    EXPECT_EQ(boxes.count(), 0u);
}

}  // namespace
}  // namespace book
