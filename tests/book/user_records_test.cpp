#include <gmock/gmock.h>
#include <gtest/gtest.h>
#include <sys/stat.h>
#include <unistd.h>

#include "book/db_check.h"
#include "platform/core/codepage.h"
#include "platform/core/message_box.h"
#include "tests/book/db_fixture.h"

namespace book {
namespace {

using namespace dbtest;

const Benutzerdaten kCarla{"carla", "pw3", "Christ", "Carla", "99", "Lager", 0x24};

std::string recordOf(uint32_t block, const Benutzerdaten& u) {
    return record(block,
                  {u.benutzername, u.passwort, u.name, u.vorname, u.personalnummer, u.bereich},
                  u.optionen);
}

TEST(AddUser, FirstUserCreatesBothFiles) {
    Fixture f;
    platform::ScriptedMessages boxes;
    ASSERT_TRUE(f.zb.Benutzer_anlegen(kCarla));
    EXPECT_EQ(f.files().log, recordOf(0, kCarla) + u32(0));
    EXPECT_EQ(f.files().dat, blockHead(4, 0, 0));
    const Benutzerdaten dora{"dora", "x", "D", "D", "1", "", 0};
    ASSERT_TRUE(f.zb.Benutzer_anlegen(dora));
    const std::string first = recordOf(0, kCarla);
    EXPECT_EQ(f.files().log, first + recordOf(12, dora) + u32(0));
    EXPECT_EQ(f.files().dat, blockHead(4, 12, 0) + blockHead(first.size() + 4, 0, 0));
    EXPECT_EQ(boxes.count(), 0u);
    EXPECT_TRUE(f.zb.Datenbank_pruefen());
    EXPECT_TRUE(f.zb.Pruefe_Anmeldung("dora", "x"));
    EXPECT_EQ(f.zb.blockPosition, 12);
}

TEST(AddUser, ShortIndexGetsTheEndMarkFirst) {
    for (const std::string& start : {std::string(), std::string("\x05\x06")}) {
        Fixture f;
        writeFile(f.logPath(), start);
        ASSERT_TRUE(f.zb.Benutzer_anlegen(kCarla));
        EXPECT_EQ(f.files().log, recordOf(0, kCarla) + u32(0));
    }
}

TEST(AddUser, BehindTwoUsersTheirBlockChainGrows) {
    Fixture f;
    f.install(twoUsers());
    ASSERT_TRUE(f.zb.Benutzer_anlegen(kCarla));
    const Database two = twoUsers();
    const uint32_t carlaBlock = static_cast<uint32_t>(two.dat.size());
    EXPECT_EQ(f.files().log,
              two.log.substr(0, two.log.size() - 4) + recordOf(carlaBlock, kCarla) + u32(0));
    std::string dat = two.dat;
    putU32(reinterpret_cast<uint8_t*>(dat.data()) + bertBlock() + 4, carlaBlock - bertBlock());
    EXPECT_EQ(f.files().dat, dat + blockHead(static_cast<uint32_t>(two.log.size()), 0, 0));
    EXPECT_TRUE(f.zb.Datenbank_pruefen());
}

TEST(AddUser, NoBlockFileMeansNoRecord) {
    Fixture f;
    platform::createDir(f.datPath());  // a folder where the block file belongs
    platform::ScriptedMessages boxes;
    EXPECT_FALSE(f.zb.Benutzer_anlegen(kCarla));
    ASSERT_EQ(boxes.count(), 1u);
    EXPECT_EQ(boxes.last().text, "Kein Zugriff auf die Datenbank!");
    EXPECT_EQ(boxes.last().caption, "Zugriff auf Datenbank gesperrt");
    EXPECT_EQ(f.files().log, u32(0));  // only the end mark
}

TEST(AddUser, DamagedFilesAreRefusedUntouched) {
    const Database two = twoUsers();
    const Database cases[] = {
        {two.log.substr(0, 10), two.dat},                     // index record cut
        {two.log, two.dat.substr(0, two.dat.size() - 70)},    // chain leaves the file
        {two.log, blockHead(4, 3, 0) + blockHead(42, 0, 0)},  // block shorter than its head
    };
    for (const Database& db : cases) {
        Fixture f;
        f.install(db);
        platform::ScriptedMessages boxes;
        EXPECT_FALSE(f.zb.Benutzer_anlegen(kCarla));
        ASSERT_EQ(boxes.count(), 1u);
        EXPECT_EQ(boxes.last().text, "Fehler in der Benutzerverwaltung");
        EXPECT_EQ(f.files().log, db.log);
        EXPECT_EQ(f.files().dat, db.dat);
    }
}

// A write that fails at any point leaves both files as they were.
TEST(AddUser, EveryFailedWriteIsReportedAndUndone) {
    int writes = 0;
    {
        Fixture f;
        f.install(twoUsers());
        platform::resetWriteCallCount();
        ASSERT_TRUE(f.zb.Benutzer_anlegen(kCarla));
        writes = platform::writeCallCount();
    }
    ASSERT_GE(writes, 5);
    for (int k = 1; k <= writes; ++k) {
        SCOPED_TRACE(k);
        Fixture f;
        f.install(twoUsers());
        platform::ScriptedMessages boxes;
        platform::injectWriteFailure(k);
        EXPECT_FALSE(f.zb.Benutzer_anlegen(kCarla));
        platform::injectWriteFailure(0);
        EXPECT_EQ(boxes.count(), 1u);
        EXPECT_EQ(f.files().log, twoUsers().log);
        EXPECT_EQ(f.files().dat, twoUsers().dat);
    }
}

TEST(ChangeUser, RecordMovesToTheEndAndBlockHeadsFollow) {
    Fixture f;
    f.install(twoUsers());
    ASSERT_TRUE(f.zb.Datenbank_aendern(0, false, kCarla));  // anna's block
    const Database two = twoUsers();
    const std::string bert = two.log.substr(kAnnaRecord, two.log.size() - 4 - kAnnaRecord);
    EXPECT_EQ(f.files().log, bert + recordOf(0, kCarla) + u32(0));
    std::string dat = two.dat;
    putU32(reinterpret_cast<uint8_t*>(dat.data()), static_cast<uint32_t>(bert.size() + 4));
    putU32(reinterpret_cast<uint8_t*>(dat.data()) + bertBlock(), 4);
    EXPECT_EQ(f.files().dat, dat);
    EXPECT_TRUE(f.zb.Datenbank_pruefen());
    EXPECT_TRUE(f.zb.Pruefe_Anmeldung("carla", "pw3"));
    EXPECT_EQ(f.zb.blockPosition, 0);
    EXPECT_TRUE(f.zb.Pruefe_Anmeldung("bert", "geheim"));

    // The last record is rewritten where it stands.
    ASSERT_TRUE(f.zb.Datenbank_aendern(0, false, {"c", "p", "", "", "", "", 1}));
    EXPECT_EQ(f.files().log, bert + record(0, {"c", "p", "", "", "", ""}, 1) + u32(0));
    EXPECT_TRUE(f.zb.Datenbank_pruefen());
}

TEST(DeleteUser, RemovesRecordAndBlock) {
    {
        Fixture f;  // the only user
        f.install({record(0, {"u", "p", "", "", "", ""}, 0) + u32(0),
                   block(4, true, {entry(2008, 3, {}, true)})});
        ASSERT_TRUE(f.zb.Datenbank_aendern(0, true));
        EXPECT_EQ(f.files().log, u32(0));
        EXPECT_EQ(f.files().dat, "");
        EXPECT_TRUE(f.zb.Datenbank_pruefen());
    }
    const Database two = twoUsers();
    const std::string bertRecord = two.log.substr(kAnnaRecord, two.log.size() - 4 - kAnnaRecord);
    {
        Fixture f;  // the first user: bert's record and block move up
        f.install(two);
        ASSERT_TRUE(f.zb.Datenbank_aendern(0, true));
        std::string log = bertRecord + u32(0);
        putU32(reinterpret_cast<uint8_t*>(log.data()) + 4, 0);
        EXPECT_EQ(f.files().log, log);
        std::string dat = two.dat.substr(bertBlock());
        putU32(reinterpret_cast<uint8_t*>(dat.data()), 4);
        EXPECT_EQ(f.files().dat, dat);
        EXPECT_TRUE(f.zb.Datenbank_pruefen());
    }
    {
        Fixture f;  // the last user: the file is cut and anna's block is last again
        f.install(two);
        ASSERT_TRUE(f.zb.Datenbank_aendern(bertBlock(), true));
        EXPECT_EQ(f.files().log, two.log.substr(0, kAnnaRecord) + u32(0));
        std::string dat = two.dat.substr(0, bertBlock());
        putU32(reinterpret_cast<uint8_t*>(dat.data()) + 4, 0);
        EXPECT_EQ(f.files().dat, dat);
        EXPECT_TRUE(f.zb.Datenbank_pruefen());
    }
}

TEST(DeleteUser, SignedInUserBehindIsAskedFirstThenSignedOut) {
    for (const auto answer : {platform::Answer::No, platform::Answer::Yes}) {
        Fixture f;
        f.install(twoUsers());
        ASSERT_TRUE(f.zb.Pruefe_Anmeldung("bert", "geheim"));
        f.zb.jahr = 2009;
        f.zb.seitenMonat = f.zb.monat = 2;
        f.host.enableAction(Action::Speichern, true);  // bert's page was changed
        platform::ScriptedMessages boxes;
        boxes.answer(answer);
        ASSERT_TRUE(f.zb.Datenbank_aendern(0, true));
        // The question came while bert's block still stood where the book has it.
        ASSERT_EQ(boxes.count(), 2u);
        EXPECT_EQ(boxes.shown()[0].caption, "Achtung");
        EXPECT_EQ(boxes.shown()[1].caption, "Bitte Neu anmelden!");
        EXPECT_FALSE(f.zb.angemeldet);
        EXPECT_TRUE(f.host.has("disable Speichern"));
        EXPECT_TRUE(checkDatabase(f.dir.path()).ok);
        // Saved: bert's block, now the only one, holds February 2009 (hand mode, no counts).
        EXPECT_EQ(f.files().dat.find(u32(2009 | 0xFFFFu << 16) + "\x02") != std::string::npos,
                  answer == platform::Answer::Yes);
    }
}

TEST(DeleteUser, AFailedSaveStopsTheDelete) {
    Fixture f;
    f.install(twoUsers());
    ASSERT_TRUE(f.zb.Pruefe_Anmeldung("bert", "geheim"));
    f.host.enableAction(Action::Speichern, true);
    platform::ScriptedMessages boxes;
    boxes.answer(platform::Answer::Yes);
    platform::injectWriteFailure(1);  // the save's first write
    EXPECT_FALSE(f.zb.Datenbank_aendern(0, true));
    platform::injectWriteFailure(0);
    EXPECT_EQ(readFile(f.logPath()), twoUsers().log);
    EXPECT_TRUE(f.zb.Pruefe_Anmeldung("anna", "pw1"));
}

TEST(DeleteUser, SignOutOnlyWhileAUserBlockIsInUse) {
    const struct {
        const char* who;  // signed in before the delete
        bool deleteBert;
        bool signedOut;
    } cases[] = {
        {"admin", false, false},  // administrator session: no user block in use
        {"bert", false, true},    // bert's block lies behind anna's
        {"anna", true, false},    // anna's block lies before bert's
        {"bert", true, true},     // bert's own block, the last one
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.who);
        Fixture f;
        f.install(twoUsers());
        if (std::string(c.who) == "admin")
            ASSERT_TRUE(f.zb.Pruefe_Anmeldung("", "8542"));
        else
            ASSERT_TRUE(
                f.zb.Pruefe_Anmeldung(c.who, std::string(c.who) == "anna" ? "pw1" : "geheim"));
        platform::ScriptedMessages boxes;
        ASSERT_TRUE(f.zb.Datenbank_aendern(c.deleteBert ? bertBlock() : 0, true));
        EXPECT_EQ(f.zb.angemeldet, !c.signedOut);
        EXPECT_EQ(boxes.count(), c.signedOut ? 1u : 0u);
    }
}

TEST(ChangeUser, FailuresAreReportedAndFilesKept) {
    Fixture f;
    platform::ScriptedMessages boxes;
    EXPECT_FALSE(f.zb.Datenbank_aendern(0, false, kCarla));  // no database
    EXPECT_EQ(
        boxes.last().text,
        platform::cp1252("Fehler in der Benutzerverwaltung Daten konnten nicht geändert werden"));
    EXPECT_EQ(boxes.last().caption, "Fehlerhaftes Datenformat");

    const Database two = twoUsers();
    std::string brokenBack = two.dat;
    brokenBack[bertBlock()] = 9;  // bert's block names a wrong record
    for (const auto& [db, block] :
         {std::pair{two, 5u}, std::pair{Database{two.log.substr(0, 50), two.dat}, 0u},
          std::pair{Database{two.log, brokenBack}, 0u}}) {
        Fixture g;
        g.install(db);
        platform::ScriptedMessages b;
        EXPECT_FALSE(g.zb.Datenbank_aendern(block, false, kCarla));
        EXPECT_FALSE(g.zb.Datenbank_aendern(block, true));
        EXPECT_EQ(b.count(), 2u);
        EXPECT_EQ(g.files().log, db.log);
        EXPECT_EQ(g.files().dat, db.dat);
    }
}

TEST(ChangeUser, EveryFailedWriteIsReported) {
    for (const bool remove : {false, true}) {
        int writes = 0;
        {
            Fixture f;
            f.install(twoUsers());
            platform::resetWriteCallCount();
            ASSERT_TRUE(f.zb.Datenbank_aendern(0, remove, kCarla));
            writes = platform::writeCallCount();
        }
        for (int k = 1; k <= writes; ++k) {
            SCOPED_TRACE(k);
            Fixture f;
            f.install(twoUsers());
            platform::ScriptedMessages boxes;
            platform::injectWriteFailure(k);
            EXPECT_FALSE(f.zb.Datenbank_aendern(0, remove, kCarla));
            platform::injectWriteFailure(0);
            EXPECT_GE(boxes.count(), 1u);
            // A database left damaged has been caught and reported at once.
            if (!checkDatabase(f.dir.path()).ok) {
                EXPECT_EQ(boxes.last().caption, "Datenbank fehlerhaft");
            }
        }
    }
}

// Positions are 32 bits: files beyond 4 GiB are refused, not wrapped (sparse, so cheap).
TEST(HugeFiles, AreRefusedWithTheUsualMessages) {
    const auto grow = [](const std::string& path) {
        platform::File f;
        ASSERT_TRUE(f.open(path, platform::OpenMode::ReadWrite));
        ASSERT_TRUE(f.truncate(int64_t{5} << 30));
    };
    {
        Fixture f;
        f.install(twoUsers());
        grow(f.datPath());
        platform::ScriptedMessages boxes;
        EXPECT_FALSE(f.zb.Benutzer_anlegen(kCarla));
        EXPECT_FALSE(f.zb.Benutzerblock_verschieben(0, false));
        EXPECT_FALSE(f.zb.Datenbank_aendern(0, false, kCarla));
        EXPECT_EQ(boxes.count(), 3u);
        EXPECT_EQ(readFile(f.logPath()), twoUsers().log);
    }
    {
        Fixture f;
        f.install(twoUsers());
        grow(f.logPath());
        platform::ScriptedMessages boxes;
        EXPECT_FALSE(f.zb.Pruefe_Anmeldung("anna", "pw1"));
        EXPECT_FALSE(f.zb.Benutzer_anlegen(kCarla));
        EXPECT_EQ(boxes.count(), 2u);
        EXPECT_EQ(boxes.last().text, "Fehler in der Benutzerverwaltung");
    }
}

TEST(AccessDenied, SelectsTheLockedTexts) {
    if (::geteuid() == 0) GTEST_SKIP() << "root opens every file";
    Fixture f;
    f.install(twoUsers());
    ASSERT_EQ(::chmod(f.datPath().c_str(), 0400), 0);
    platform::ScriptedMessages boxes;
    EXPECT_FALSE(f.zb.Benutzer_anlegen(kCarla));
    EXPECT_EQ(boxes.last().text, platform::cp1252("Die Datenbank ist schreibgechützt!"));
    EXPECT_EQ(boxes.last().caption, "Zugriff auf Datenbank gesperrt");
    EXPECT_FALSE(f.zb.Benutzerblock_verschieben(0, false));
    EXPECT_EQ(boxes.last().text, platform::cp1252("Die Datenbank ist schreibgechützt!"));
    EXPECT_EQ(f.files().log, twoUsers().log);
    ASSERT_EQ(::chmod(f.logPath().c_str(), 0), 0);
    EXPECT_FALSE(f.zb.Pruefe_Anmeldung("anna", "pw1"));
    EXPECT_EQ(boxes.last().text, "Kein Zugriff auf die Datenbank!");
    EXPECT_EQ(boxes.last().caption, "Zugriff auf Datenbank gesperrt");
}

}  // namespace
}  // namespace book
