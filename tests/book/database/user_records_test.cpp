#include <gtest/gtest.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <functional>
#include <tuple>

#include "book/database/db_check.h"
#include "book/database/db_journal.h"
#include "platform/core/codepage.h"
#include "tests/book/database/db_fixture.h"

namespace book {
namespace {

using namespace dbtest;
using std::tuple;

const Benutzerdaten kCarla{"carla", "pw3", "Christ", "Carla", "99", "Lager", 0x24};
const std::string kLocked = "Zugriff auf Datenbank gesperrt";

std::string recordOf(uint32_t block, const Benutzerdaten& u) {
    return record(block,
                  {u.benutzername, u.passwort, u.name, u.vorname, u.personalnummer, u.bereich},
                  u.optionen);
}
// anna's record gone, bert's record as it stands in twoUsers().
const std::string kBertRecord =
    twoUsers().log.substr(kAnnaRecord, twoUsers().log.size() - 4 - kAnnaRecord);

TEST(AddUser, WritesTheHandBuiltBytes) {
    for (const std::string& start : {std::string(), std::string("\x05\x06")}) {  // short index
        Fixture f;
        writeFile(f.logPath(), start);
        const Benutzerdaten dora{"dora", "x", "D", "D", "1", "", 0};
        ASSERT_TRUE(f.zb.Benutzer_anlegen(kCarla) && f.zb.Benutzer_anlegen(dora));
        const std::string first = recordOf(0, kCarla);
        EXPECT_EQ(f.files().log, first + recordOf(12, dora) + u32(0));
        EXPECT_EQ(f.files().dat, blockHead(4, 12, 0) + blockHead(first.size() + 4, 0, 0));
    }
    // Behind two users: the chain grows from bert's block.
    const Database two = twoUsers();
    Fixture f(two);
    ASSERT_TRUE(f.zb.Benutzer_anlegen(kCarla));
    const auto carlaBlock = static_cast<uint32_t>(two.dat.size());
    EXPECT_EQ(f.files().log,
              two.log.substr(0, two.log.size() - 4) + recordOf(carlaBlock, kCarla) + u32(0));
    EXPECT_EQ(f.files().dat, patched(two.dat, kBertBlock + 4, carlaBlock - kBertBlock) +
                                 blockHead(static_cast<uint32_t>(two.log.size()), 0, 0));
    EXPECT_TRUE(f.zb.Datenbank_pruefen());
}

// No block file can be created: failure, and nothing goes into the index.
TEST(AddUser, NoBlockFileMeansNoRecord) {
    Fixture f;
    platform::createDir(f.datPath());  // a folder where the block file belongs
    platform::ScriptedMessages boxes;
    EXPECT_FALSE(f.zb.Benutzer_anlegen(kCarla));
    EXPECT_EQ(boxes.count(), 1u);
    EXPECT_EQ(lastBox(boxes), "Kein Zugriff auf die Datenbank!|" + kLocked);
    EXPECT_EQ(f.files().log, "");  // no record, no journal left
    EXPECT_FALSE(platform::fileExists(journalPath(f.zb.datenOrdner)));
}

// Damaged files or a block that is not there: every operation refuses and
// leaves the files as they were.
TEST(UserRecords, DamagedFilesAreRefusedUntouched) {
    const Database two = twoUsers();
    const std::tuple<Database, uint32_t, bool> cases[] = {
        {{two.log.substr(0, 10), two.dat}, 0, true},                   // index record cut
        {{two.log.substr(0, 50), two.dat}, 0, true},                   // second record cut
        {{two.log, two.dat.substr(0, two.dat.size() - 70)}, 0, true},  // chain leaves the file
        // A block shorter than its head; bert's block names a wrong record; no block there.
        {{two.log, blockHead(4, 3, 0) + blockHead(42, 0, 0)}, 0, true},
        {{two.log, patched(two.dat, kBertBlock, 9)}, 0, false},
        {two, 5, false},
    };
    for (const auto& [db, block, add] : cases) {
        Fixture f(db);
        platform::ScriptedMessages boxes;
        if (add) {
            EXPECT_FALSE(f.zb.Benutzer_anlegen(kCarla));
        }
        EXPECT_FALSE(f.zb.Datenbank_aendern(block, false, kCarla));
        EXPECT_FALSE(f.zb.Datenbank_aendern(block, true));
        ASSERT_EQ(boxes.count(), add ? 3u : 2u);
        EXPECT_EQ(boxes.shown()[0].text.rfind("Fehler in der Benutzerverwaltung", 0), 0u);
        EXPECT_TRUE(f.unchanged(db)) << db.log.size() << " " << db.dat.size();
    }
    Fixture none;
    platform::ScriptedMessages boxes;
    EXPECT_FALSE(none.zb.Datenbank_aendern(0, false, kCarla));  // no database
    EXPECT_EQ(lastBox(boxes),
              platform::cp1252("Fehler in der Benutzerverwaltung Daten konnten nicht "
                               "geändert werden|Fehlerhaftes Datenformat"));
}

// Add, change, delete and block move failing at each write before the commit:
// reported; the add leaves both files as they were, and a database the first
// three leave damaged is reported at once (a move leaves that to its caller).
TEST(UserRecords, EveryFailedWriteIsReported) {
    const std::function<bool(Zeitbuch&)> ops[] = {
        [](Zeitbuch& zb) { return zb.Benutzer_anlegen(kCarla); },
        [](Zeitbuch& zb) { return zb.Datenbank_aendern(0, false, kCarla); },
        [](Zeitbuch& zb) { return zb.Datenbank_aendern(0, true); },
        [](Zeitbuch& zb) { return zb.Benutzerblock_verschieben(0, false); }};
    for (int op = 0; op < 4; ++op) {
        int writes = 0;
        {
            Fixture f(twoUsers());
            platform::resetWriteCallCount();
            ASSERT_TRUE(ops[op](f.zb));
            writes = platform::writeCallCount();
        }
        ASSERT_GE(writes, 2);
        for (int k = 1; k <= writes; ++k) {
            SCOPED_TRACE(std::to_string(op) + " write " + std::to_string(k));
            Fixture f(twoUsers());
            platform::ScriptedMessages boxes;
            platform::injectWriteFailure(k);
            const bool done = ops[op](f.zb);
            platform::injectWriteFailure(0);
            // The journal's removal comes after the commit point.
            EXPECT_EQ(done, k == writes);
            if (done) continue;
            EXPECT_GE(boxes.count(), 1u);
            if (op == 0) {
                EXPECT_TRUE(boxes.count() == 1 && f.unchanged(twoUsers()));
            }
            if (op < 3 && !checkDatabase(f.dir.path()).ok) {
                EXPECT_EQ(boxes.last().caption, "Datenbank fehlerhaft");
            }
        }
    }
}

// Change: the record moves to the end and the block heads follow; the last
// record is rewritten where it stands. Delete: record and block go.
TEST(UserRecords, ChangeAndDeleteGiveTheHandBuiltFiles) {
    const Database two = twoUsers();
    const Database changed = {
        kBertRecord + recordOf(0, kCarla) + u32(0),
        patched(patched(two.dat, 0, uint32_t(kBertRecord.size() + 4)), kBertBlock, 4)};
    const Benutzerdaten c{"c", "p", "", "", "", "", 1};
    const std::tuple<Database, uint32_t, bool, Benutzerdaten, Database> cases[] = {
        {two, 0, false, kCarla, changed},
        {changed, 0, false, c, {kBertRecord + recordOf(0, c) + u32(0), changed.dat}},
        {oneUser({entry(2008, 3, {}, true)}), 0, true, {}, {u32(0), ""}},
        {two,
         0,
         true,
         {},
         {patched(kBertRecord, 4, 0) + u32(0), patched(two.dat.substr(kBertBlock), 0, 4)}},
        {two,
         kBertBlock,
         true,
         {},
         {two.log.substr(0, kAnnaRecord) + u32(0), patched(two.dat.substr(0, kBertBlock), 4, 0)}},
    };
    for (const auto& [before, at, remove, user, after] : cases) {
        Fixture f(before);
        ASSERT_TRUE(f.zb.Datenbank_aendern(at, remove, user));
        EXPECT_TRUE(f.unchanged(after)) << at;
        EXPECT_TRUE(f.zb.Datenbank_pruefen());
    }
}

// Deleting anna while bert's changed page is shown: the save question comes
// while bert's block still stands where the book has it, then sign-out.
TEST(DeleteUser, SignedInUserBehindIsAskedFirstThenSignedOut) {
    for (const auto answer : {platform::Answer::No, platform::Answer::Yes}) {
        Fixture f(twoUsers());
        ASSERT_TRUE(f.zb.Pruefe_Anmeldung("bert", "geheim"));
        f.zb.jahr = 2009;
        f.zb.seitenMonat = f.zb.monat = 2;
        f.host.enableAction(Action::Speichern, true);
        platform::ScriptedMessages boxes;
        boxes.answer(answer);
        ASSERT_TRUE(f.zb.Datenbank_aendern(0, true));
        ASSERT_EQ(boxes.count(), 2u);
        EXPECT_EQ(boxes.shown()[0].caption + boxes.shown()[1].caption,
                  "AchtungBitte Neu anmelden!");
        EXPECT_TRUE(!f.zb.angemeldet && checkDatabase(f.dir.path()).ok);
        // Saved: bert's block, now the only one, holds February 2009 (hand mode, no counts).
        EXPECT_EQ(f.files().dat.find(u32(2009 | 0xFFFFu << 16) + "\x02") != std::string::npos,
                  answer == platform::Answer::Yes);
    }
}

TEST(DeleteUser, SignOutOnlyWhileAUserBlockIsInUse) {
    const std::tuple<const char*, const char*, uint32_t, bool> cases[] = {
        {"", "8542", 0, false},              // administrator session: no user block in use
        {"bert", "geheim", 0, true},         // bert's block lies behind anna's
        {"anna", "pw1", kBertBlock, false},  // anna's block lies before bert's
        {"bert", "geheim", kBertBlock, true},
    };
    for (const auto& [who, pw, deleted, signedOut] : cases) {
        Fixture f(twoUsers());
        ASSERT_TRUE(f.zb.Pruefe_Anmeldung(who, pw));
        platform::ScriptedMessages boxes;
        ASSERT_TRUE(f.zb.Datenbank_aendern(deleted, true));
        EXPECT_EQ(f.zb.angemeldet, !signedOut) << who << deleted;
        EXPECT_EQ(boxes.count(), signedOut ? 1u : 0u);
    }
}

// The administrator's list names a user by his block offset: once another
// program's delete has moved the blocks up, that offset is the next user's,
// and a delete meant for the listed user is refused instead of removing him.
TEST(DeleteUser, OnlyTheUserMeant) {
    auto user = [](const char* name) { return Benutzerdaten{name, "pw", "N", "V", "1", "", 0}; };
    Fixture f;
    for (const char* name : {"u0", "u1", "u2"})
        ASSERT_TRUE(f.zb.Benutzer_anlegen(user(name)));
    Fixture other;
    other.zb.datenOrdner = f.zb.datenOrdner;
    ASSERT_TRUE(other.zb.Datenbank_aendern(0, true, user("u0")));  // u1's block to 0, u2's to 12
    const Database before = f.files();
    platform::ScriptedMessages boxes;
    EXPECT_FALSE(f.zb.Datenbank_aendern(12, true, user("u1")));
    EXPECT_TRUE(f.unchanged(before) && boxes.count() == 1);
    EXPECT_TRUE(f.zb.Datenbank_aendern(0, true, user("u1")));
    EXPECT_TRUE(f.zb.Pruefe_Anmeldung("u2", "pw") && !f.zb.Pruefe_Anmeldung("u1", "pw"));
}

// The signed-in user changes his own record after another program deleted
// the user before him: the offset the book holds names the next user's block
// now, yet his own record is rewritten and the book takes it at once. Once
// another program changed his record, his change is refused.
TEST(ChangeOwnRecord, FindsItAgainAndTakesTheNewRecord) {
    Fixture f;
    for (const char* name : {"u0", "u1", "u2"})
        ASSERT_TRUE(f.zb.Benutzer_anlegen({name, "pw", "N", "V", "1", "", 0}));
    ASSERT_TRUE(f.zb.Pruefe_Anmeldung("u1", "pw") && f.zb.blockPosition == 12);
    Fixture other;
    other.zb.datenOrdner = f.zb.datenOrdner;
    ASSERT_TRUE(other.zb.Datenbank_aendern(0, true));  // u1's block to 0, u2's to 12
    f.zb.geladenerMonat = {true, "u1", 2024, 3, {}};
    ASSERT_TRUE(f.zb.Datenbank_aendern(12, false, {"neu", "pw2", "M", "W", "7", "", 0}));
    EXPECT_EQ(tuple(f.zb.benutzerName, f.zb.passwort, f.zb.nachname, f.zb.blockPosition,
                    f.zb.geladenerMonat.benutzer),
              tuple("neu", "pw2", "M", 0, "neu"));
    EXPECT_TRUE(other.zb.Pruefe_Anmeldung("u2", "pw") && other.zb.Pruefe_Anmeldung("neu", "pw2"));
    ASSERT_TRUE(other.zb.Datenbank_aendern(0, false, {"neu", "pw3", "M", "W", "7", "", 0}));
    const Database before = f.files();
    platform::ScriptedMessages boxes;
    EXPECT_FALSE(f.zb.Datenbank_aendern(0, false, {"x", "y", "M", "W", "7", "", 0}));
    EXPECT_TRUE(f.unchanged(before) && boxes.count() == 1 && f.zb.passwort == "pw2");
}

// A database that cannot be opened for writing: a change or a delete names
// a write protection as such, any other failure gets the change error.
TEST(ChangeOwnRecord, AWriteProtectedDatabaseSaysSo) {
    const std::string denied = platform::cp1252("Die Datenbank ist schreibgechützt!|") + kLocked;
    for (const auto& [name, error, box] :
         {tuple("Benutzer.log", EACCES, denied), {"Benutzer.dat", EROFS, denied},
          {"Benutzer.dat", EIO, platform::cp1252("Fehler in der Benutzerverwaltung Daten konnten "
                                                 "nicht geändert werden|Fehlerhaftes Datenformat")}})
        for (const bool remove : {false, true}) {
            Fixture f(twoUsers());
            ASSERT_TRUE(f.zb.Pruefe_Anmeldung("bert", "geheim"));
            platform::ScriptedMessages boxes;
            platform::refuseOpens(name, error, true);
            EXPECT_FALSE(f.zb.Datenbank_aendern(kBertBlock, remove, kCarla));
            platform::refuseOpens("", 0, false);
            EXPECT_EQ(tuple(lastBox(boxes), f.zb.angemeldet, f.unchanged(twoUsers())),
                      tuple(box, true, true))
                << name << remove;
        }
}

// Positions are 32 bits: files beyond 4 GiB are refused, not wrapped (sparse, so cheap).
TEST(HugeFiles, AreRefusedWithTheUsualMessages) {
    Fixture f(twoUsers());
    platform::File file;
    ASSERT_TRUE(file.open(f.datPath(), platform::OpenMode::ReadWrite));
    ASSERT_TRUE(file.truncate(int64_t{5} << 30));
    platform::ScriptedMessages boxes;
    EXPECT_FALSE(f.zb.Benutzer_anlegen(kCarla) || f.zb.Benutzerblock_verschieben(0, false) ||
                 f.zb.Datenbank_aendern(0, false, kCarla) || f.zb.Datenbank_pruefen());
    EXPECT_EQ(f.zb.datenbankFehler, kFaultOther);
    EXPECT_EQ(boxes.count(), 3u);
    EXPECT_EQ(readFile(f.logPath()), twoUsers().log);
}

}  // namespace
}  // namespace book

namespace book {
namespace {

// An empty user name could never sign in, and a name two records hold could
// not be told apart: adding or changing refuses both, says so and writes
// nothing. A user keeps his own name.
TEST(UserNames, EmptyAndTakenNamesAreRefused) {
    const Benutzerdaten empty{"", "x", "", "", "", "", 0}, bert{"bert", "x", "", "", "", "", 0};
    const std::string
        missing = "Bitte einen Benutzernamen eingeben!|Achtung",
        taken = "Benutzername schon vorhanden, einen anderen Benutzernamen bitte.|Achtung";
    const std::tuple<const char*, std::function<bool(Zeitbuch&)>, std::string> cases[] = {
        {"add empty", [&](Zeitbuch& zb) { return zb.Benutzer_anlegen(empty); }, missing},
        {"add taken", [&](Zeitbuch& zb) { return zb.Benutzer_anlegen(bert); }, taken},
        {"change to empty", [&](Zeitbuch& zb) { return zb.Datenbank_aendern(0, false, empty); },
         missing},
        {"change to taken", [&](Zeitbuch& zb) { return zb.Datenbank_aendern(0, false, bert); },
         taken},
    };
    for (const auto& [what, op, box] : cases) {
        SCOPED_TRACE(what);
        Fixture f(twoUsers());
        platform::ScriptedMessages boxes;
        EXPECT_FALSE(op(f.zb));
        EXPECT_EQ(lastBox(boxes), box);
        EXPECT_TRUE(f.unchanged(twoUsers()));
    }
    Fixture f(twoUsers());
    EXPECT_TRUE(f.zb.Datenbank_aendern(kBertBlock, false, bert));
}

}  // namespace
}  // namespace book
