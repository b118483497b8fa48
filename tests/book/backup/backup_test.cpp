#include "book/backup/backup.h"

#include <gtest/gtest.h>
#include <sys/stat.h>
#include <unistd.h>

#include <tuple>

#include "platform/core/codepage.h"
#include "platform/core/path.h"
#include "tests/book/database/db_fixture.h"

namespace book {
namespace {

using platform::Answer;
using platform::joinPath;
using platform::ScriptedMessages;
using Texts = std::vector<std::string>;

const char* const kRestoreQuestion =
    "Soll die alte Version der Datenbank wiederhergestellt werden?\n"
    "Alle geänderten Daten nach dem letzten fehlerfreien Start des\n"
    "Programms gehen dabei verloren!";
const char* const kBaseQuestion =
    "Quellverzeichniss für die Datenbank nicht vorhanden.\nSoll es angelegt werden?";
const char* const kCopyFailed = "Es konnte keine Sicherungscopy von der Datenbank angelegt werden";
const char* const kRotationFailed =
    "Der Sicherungsordner konnte nicht vorbereitet werden.\n Deshalb wurde die Datenbank nicht "
    "gesichert!";

std::string get(const std::string& path) {
    std::string bytes;
    return platform::readWholeFile(path, bytes) ? bytes : "<missing>";
}
// The messages shown, in UTF-8, with the last caption.
Texts texts(const ScriptedMessages& boxes) {
    Texts out;
    for (const auto& m : boxes.shown()) out.push_back(platform::cp1252ToUtf8(m.text));
    if (boxes.count()) out.push_back(platform::cp1252ToUtf8(boxes.last().caption));
    return out;
}

class Backup : public ::testing::Test {
protected:
    NullHost host;
    testing_support::TempDir dir;
    Zeitbuch book{host};
    std::string data = joinPath(dir.path(), "Benutzer");
    std::string base = joinPath(dir.path(), "Sicherung");

    Backup() {
        platform::createDir(data);
        book.programmOrdner = dir.path();
        book.datenOrdner = data;
    }
    std::string inData(const std::string& name) const { return joinPath(data, name); }
    std::string gen(int i, const char* file = "") const {
        return joinPath(joinPath(base, std::to_string(i)), file);
    }
    void database(const std::string& tag) {
        dbtest::writeFile(inData("Benutzer.dat"), "dat " + tag);
        dbtest::writeFile(inData("Benutzer.log"), "log " + tag);
    }
    void safetyCopies() {
        dbtest::writeFile(inData(kSafetyCopyDat), "dat good");
        dbtest::writeFile(inData(kSafetyCopyLog), "log good");
    }
};

TEST_F(Backup, SafetyCopiesAtStart) {
    ScriptedMessages boxes;
    book.Datenbank_sichern_wiederherstellen(true);  // no database yet
    EXPECT_FALSE(platform::fileExists(inData(kSafetyCopyDat)));
    database("v1");
    dbtest::writeFile(inData(kSafetyCopyDat), "older");
    book.Datenbank_sichern_wiederherstellen(true);
    EXPECT_EQ(boxes.count(), 0u);
    EXPECT_EQ(get(inData(kSafetyCopyDat)) + get(inData(kSafetyCopyLog)), "dat v1log v1");
    platform::deleteFile(inData("Benutzer.log"));
    book.Datenbank_sichern_wiederherstellen(true);
    EXPECT_EQ(texts(boxes), (Texts{kCopyFailed, "Achtung Fehler"}));
    EXPECT_EQ(get(inData(kSafetyCopyLog)), "log v1");  // the old copy survives
}

// The restore flow with scripted answers: Yes copies the damaged files as
// fault copies (stamp without "/" or ":"), restores the safety copies and
// clears the fault code; a failed fault copy asks a second time; without
// safety copies the restore fails. The current folder of the process stays.
// Safety copies that are links to a shared place stay links and the shared
// files get the copies; a link planted under the name the temporary file
// once had is not written through.
TEST_F(Backup, SafetyCopiesKeepLinksAndIgnorePlantedOnes) {
    testing_support::TempDir shared;
    database("v2");
    dbtest::writeFile(shared.file("dat"), "shared dat");
    dbtest::writeFile(shared.file("victim"), "keep");
    ASSERT_EQ(::symlink(shared.file("dat").c_str(), inData(kSafetyCopyDat).c_str()), 0);
    ASSERT_EQ(::symlink(shared.file("victim").c_str(),
                        inData(std::string(kSafetyCopyLog) + ".tmp").c_str()),
              0);
    ScriptedMessages boxes;
    book.Datenbank_sichern_wiederherstellen(true);
    EXPECT_EQ(boxes.count(), 0u);
    EXPECT_EQ(get(shared.file("dat")) + get(inData(kSafetyCopyLog)) + get(shared.file("victim")),
              "dat v2log v2keep");
    struct stat st {};
    EXPECT_TRUE(::lstat(inData(kSafetyCopyDat).c_str(), &st) == 0 && S_ISLNK(st.st_mode));
    EXPECT_FALSE(testing_support::hasTempFiles(data) ||
                 testing_support::hasTempFiles(shared.path()));
}

TEST_F(Backup, RestoreFlow) {
    platform::ScopedClock clock(platform::encodeDate(2008, 3, 1) + platform::encodeTime(14, 2, 3));
    const std::string caption = "Achtung Datenbankwiederherstellung",
                      again =
                          "Die fehlerhafte Datenbank konnte nicht gesichert werden.\n"
                          "Soll die alte Version trotzdem wiederhergestellt werden?",
                      failed = "Die Datenbank konnte nicht wiederhergestellt werden!!";
    const std::tuple<bool, int, std::vector<Answer>, Texts> cases[] = {
        {true, 0, {Answer::No}, {kRestoreQuestion, caption}},
        {true, 0, {Answer::Yes}, {kRestoreQuestion, caption}},
        {true, 1, {Answer::Yes, Answer::No}, {kRestoreQuestion, again, caption}},
        {true, 1, {Answer::Yes, Answer::Yes}, {kRestoreQuestion, again, caption}},
        {false, 0, {Answer::Yes}, {kRestoreQuestion, failed, "Achtung Fehler"}},
    };
    const std::string before = platform::currentDir();
    for (const auto& [copies, failWrite, answers, shown] : cases) {
        database("damaged");
        for (const char* name : {kSafetyCopyDat, kSafetyCopyLog})
            platform::deleteFile(inData(name));
        if (copies) safetyCopies();
        book.datenbankFehler = 20;
        ScriptedMessages boxes;
        for (Answer a : answers) boxes.answer(a);
        platform::injectWriteFailure(failWrite);  // the first fault copy
        book.Datenbank_sichern_wiederherstellen(false);
        platform::injectWriteFailure(0);
        EXPECT_EQ(texts(boxes), shown);
        EXPECT_EQ(boxes.shown()[0].buttons, platform::Buttons::YesNo);
        const bool restored = copies && answers.back() == Answer::Yes;
        EXPECT_EQ(book.datenbankFehler, restored ? 0 : 20);
        EXPECT_EQ(get(inData("Benutzer.dat")) + get(inData("Benutzer.log")),
                  restored ? "dat goodlog good" : "dat damagedlog damaged");
    }
    EXPECT_EQ(
        get(inData("01_03_2008 14_02_03dat.Fehler")) + get(inData("01_03_2008 14_02_03log.Fehler")),
        "dat damagedlog damaged");
    EXPECT_EQ(platform::currentDir(), before);
}

// Declined or impossible: no folder, one generation, no backup folder stored.
TEST_F(Backup, PreparingAMissingBaseFolderAsksFirst) {
    ScriptedMessages boxes;
    boxes.answer(Answer::No);
    EXPECT_TRUE(book.Sicherungsordner_vorbereiten(3, base));
    EXPECT_EQ(texts(boxes), (Texts{kBaseQuestion, "Hallo... anlegen?"}));
    EXPECT_FALSE(platform::dirExists(base));
    EXPECT_TRUE(book.Sicherungsordner_vorbereiten(2, joinPath(dir.path(), "a", "b")));  // Yes
    EXPECT_EQ(boxes.last().text, "Verzeichniss konnte nicht angelegt werden");
    EXPECT_EQ(book.grundlagen.folgesicherungen, 1);
    EXPECT_EQ(book.backupOrdner, "");
}

// Several closes keep the newest in folder 1 (one generation is overwritten);
// zero generations do nothing; a failed copy is reported; lowering the count
// asks for each surplus folder until Yes, then removes them all.
TEST_F(Backup, RotationKeepsTheNewestInFolderOne) {
    for (const int generations : {3, 1}) {
        testing_support::TempDir scratch;
        base = joinPath(scratch.path(), "Sicherung");
        std::string stored = base;  // a folder stored on Windows uses "\\"
        stored[stored.rfind('/')] = '\\';
        ScriptedMessages boxes;
        ASSERT_FALSE(book.Sicherungsordner_vorbereiten(generations, stored));
        EXPECT_EQ(book.backupOrdner, stored);
        for (int close = 1; close <= 4; ++close) {
            database("v" + std::to_string(close));
            book.Sicherung_rotieren();
        }
        EXPECT_EQ(boxes.count(), 1u);  // only the question for the base folder
        EXPECT_EQ(get(gen(1, "Benutzer.dat")) + get(gen(1, "Benutzer.log")), "dat v4log v4");
        for (int i = 2; i <= generations; ++i)
            EXPECT_EQ(get(gen(i, "Benutzer.dat")), "dat v" + std::to_string(5 - i));
        EXPECT_FALSE(platform::dirExists(gen(0)) || platform::dirExists(gen(generations + 1)));
        // A close without a database (a data folder not there) shifts nothing.
        ASSERT_TRUE(platform::renamePath(data, data + ".weg"));
        book.Sicherung_rotieren();
        ASSERT_TRUE(platform::renamePath(data + ".weg", data));
        EXPECT_EQ(get(gen(1, "Benutzer.dat")), "dat v4");
        EXPECT_EQ(boxes.count(), 1u);
        book.grundlagen.folgesicherungen = 0;
        database("c");
        book.Sicherung_rotieren();
        EXPECT_EQ(get(gen(1, "Benutzer.dat")), "dat v4");
        book.grundlagen.folgesicherungen = 1;
        platform::injectWriteFailure(1);
        book.Sicherung_rotieren();
        platform::injectWriteFailure(0);
        EXPECT_EQ(texts(boxes), (Texts{kBaseQuestion, kCopyFailed, "Achtung Fehler"}));
        if (generations == 1) continue;
        book.grundlagen.folgesicherungen = 3;
        const std::string question = "Überflüssige Sicherungsverzeichnisse werden gelöscht!";
        ScriptedMessages no;
        no.answer(Answer::No);
        no.answer(Answer::No);
        EXPECT_FALSE(book.Sicherungsordner_vorbereiten(1, stored));
        EXPECT_EQ(texts(no), (Texts{question, question, "Löschen"}));
        EXPECT_TRUE(platform::dirExists(gen(3)));
        ScriptedMessages yes;
        EXPECT_FALSE(book.Sicherungsordner_vorbereiten(1, stored));
        EXPECT_EQ(yes.count(), 1u);
        EXPECT_TRUE(platform::dirExists(gen(1)) && !platform::dirExists(gen(2)) &&
                    !platform::dirExists(gen(3)));
    }
}

// Missing generation folders fail the rotation; nothing is deleted.
TEST_F(Backup, BrokenGenerationFoldersFailTheRotation) {
    const std::tuple<const char*, int, std::vector<int>, std::vector<int>> cases[] = {
        {"no folder 1", 1, {}, {}},
        {"missing newest", 3, {1, 2}, {1, 2}},
        {"missing middle", 3, {1, 3}, {0, 1}},
        {"no base folder", 1, {}, {}},
    };
    for (const auto& [name, generations, folders, after] : cases) {
        SCOPED_TRACE(name);
        testing_support::TempDir scratch;
        book.backupOrdner = std::string(name) == "no base folder" ? "" : scratch.path();
        book.grundlagen.folgesicherungen = static_cast<uint8_t>(generations);
        for (int i : folders) platform::createDir(joinPath(scratch.path(), std::to_string(i)));
        database("new");
        ScriptedMessages boxes;
        book.Sicherung_rotieren();
        EXPECT_EQ(texts(boxes), (Texts{kRotationFailed, "Achtung Fehler"}));
        for (int i = 0; i <= 4; ++i) {
            const bool want = std::find(after.begin(), after.end(), i) != after.end();
            EXPECT_EQ(platform::dirExists(joinPath(scratch.path(), std::to_string(i))), want) << i;
        }
    }
}

// A rotation cut after any of its steps (the renames, the copy into folder
// "0") is completed by the next one: no message, folder 1 holds the newest
// copy and the older generations follow in order. A surplus folder "0"
// beside complete generations is dropped.
TEST_F(Backup, AnInterruptedRotationIsCompletedByTheNext) {
    const int generations = 3;
    const std::vector<std::pair<int, int>> steps = {{3, 0}, {2, 3}, {1, 2}, {-1, 0}, {0, 1}};
    auto threeGenerations = [&](const testing_support::TempDir& scratch) {
        base = scratch.path();
        book.backupOrdner = base;
        book.grundlagen.folgesicherungen = generations;
        for (int i = 1; i <= generations; ++i) {
            platform::createDir(gen(i));
            dbtest::writeFile(gen(i, "Benutzer.dat"), std::string("dat ") + "ABC"[i - 1]);
            dbtest::writeFile(gen(i, "Benutzer.log"), std::string("log ") + "ABC"[i - 1]);
        }
    };
    for (size_t cut = 0; cut <= steps.size() + 1; ++cut) {
        SCOPED_TRACE(cut);
        testing_support::TempDir scratch;
        threeGenerations(scratch);
        if (cut > steps.size()) platform::createDir(gen(0));  // surplus beside all three
        for (size_t k = 0; k < cut && cut <= steps.size(); ++k) {
            const auto [from, to] = steps[k];
            if (from < 0) {  // the copy into "0"
                dbtest::writeFile(gen(0, "Benutzer.dat"), "dat X");
                dbtest::writeFile(gen(0, "Benutzer.log"), "log X");
            } else {
                ASSERT_TRUE(platform::renamePath(gen(from), gen(to)));
            }
        }
        database("Y");
        ScriptedMessages boxes;
        book.Sicherung_rotieren();
        EXPECT_EQ(boxes.count(), 0u);
        const bool completed = cut == steps.size();  // the cut one had finished
        const Texts want = {"dat Y", completed ? "dat X" : "dat A", completed ? "dat A" : "dat B"};
        for (int i = 1; i <= generations; ++i) {
            EXPECT_EQ(get(gen(i, "Benutzer.dat")), want[i - 1]) << i;
            EXPECT_EQ(get(gen(i, "Benutzer.log")).substr(4), want[i - 1].substr(4)) << i;
        }
        EXPECT_FALSE(platform::dirExists(gen(0)) || platform::dirExists(gen(4)));
    }
    // A last rename that fails leaves folder "0" with the newest copy; the
    // next rotation goes on from there.
    testing_support::TempDir scratch;
    threeGenerations(scratch);
    database("Y");
    platform::resetWriteCallCount();
    book.Sicherung_rotieren();
    const int calls = platform::writeCallCount();  // ... the rename of "0", the folder's sync
    ScriptedMessages boxes;
    database("Z");
    platform::injectWriteFailure(calls - 1);
    book.Sicherung_rotieren();
    platform::injectWriteFailure(0);
    EXPECT_EQ(texts(boxes), (Texts{kRotationFailed, "Achtung Fehler"}));
    EXPECT_EQ(get(gen(0, "Benutzer.dat")) + get(gen(2, "Benutzer.dat")), "dat Zdat Y");
    database("W");
    book.Sicherung_rotieren();
    EXPECT_EQ(get(gen(1, "Benutzer.dat")) + get(gen(2, "Benutzer.dat")) +
                  get(gen(3, "Benutzer.dat")) + get(gen(0, "Benutzer.dat")),
              "dat Wdat Ydat A<missing>");
}

// A database without users (cut to nothing, or its users deleted) never
// pushes the users out of the generations, with one generation or three:
// each close says so and leaves them. A database with users again rotates.
TEST_F(Backup, GenerationsKeepTheUsersWhileTheDatabaseHasNone) {
    const std::string kept = platform::cp1252(
        "Die Datenbank enthält keine Benutzer, die Sicherungen im Sicherungsordner aber schon.\n"
        "Die Sicherungen wurden deshalb nicht erneuert.");
    auto install = [&](const dbtest::Database& db) {
        dbtest::writeFile(inData("Benutzer.log"), db.log);
        dbtest::writeFile(inData("Benutzer.dat"), db.dat);
    };
    const dbtest::Database users = dbtest::twoUsers(), fewer = dbtest::oneUser({});
    for (const int generations : {1, 3}) {
        for (const dbtest::Database& none : {dbtest::Database{"", ""}, {dbtest::u32(0), ""}}) {
            SCOPED_TRACE(std::to_string(generations) + " " + std::to_string(none.log.size()));
            testing_support::TempDir scratch;
            base = joinPath(scratch.path(), "Sicherung");
            ScriptedMessages boxes;
            ASSERT_FALSE(book.Sicherungsordner_vorbereiten(generations, base));
            install(users);
            book.Sicherung_rotieren();
            install(none);
            for (int close = 0; close <= generations; ++close) book.Sicherung_rotieren();
            EXPECT_EQ(boxes.count(), 2u + generations);
            EXPECT_EQ(texts(boxes).back(), "Achtung");
            EXPECT_EQ(boxes.last().text, kept);
            EXPECT_EQ(get(gen(1, "Benutzer.log")) + get(gen(1, "Benutzer.dat")),
                      users.log + users.dat);
            install(fewer);
            book.Sicherung_rotieren();
            EXPECT_EQ(get(gen(1, "Benutzer.log")), fewer.log);
            EXPECT_EQ(get(gen(std::min(generations, 2), "Benutzer.log")),
                      generations > 1 ? users.log : fewer.log);
        }
    }
}

// A copy into a generation that fails at any write before its files are
// renamed into place (a full disk) says so and leaves every generation a
// whole pair, never a new "Benutzer.dat" beside an old "Benutzer.log".
TEST_F(Backup, AFailedCopyLeavesEveryGenerationAWholePair) {
    for (const int generations : {1, 3}) {
        testing_support::TempDir scratch;
        base = joinPath(scratch.path(), "Sicherung");
        ScriptedMessages boxes;
        ASSERT_FALSE(book.Sicherungsordner_vorbereiten(generations, base));
        auto rotate = [&](const std::string& tag, int failAt) {
            database(tag);
            platform::injectWriteFailure(failAt);
            book.Sicherung_rotieren();
            platform::injectWriteFailure(0);
        };
        for (int close = 0; close < generations; ++close) rotate("old", 0);
        database("new");
        std::vector<platform::FileEvent> events;
        platform::recordFileEvents(&events);
        book.Sicherung_rotieren();
        platform::recordFileEvents(nullptr);
        int calls = 0;  // write-like calls up to the first file renamed into a generation
        for (const platform::FileEvent& e : events) {
            calls += e.kind != platform::FileEvent::Create;
            if (e.kind == platform::FileEvent::Rename && e.to.ends_with(".dat")) break;
        }
        for (int k = 1; k <= calls; ++k) {
            SCOPED_TRACE(std::to_string(generations) + " write " + std::to_string(k));
            rotate("old", 0);
            const size_t before = boxes.count();
            rotate("new", k);
            EXPECT_GT(boxes.count(), before);
            for (int i = 1; i <= generations; ++i)
                EXPECT_EQ(get(gen(i, "Benutzer.dat")).substr(4),
                          get(gen(i, "Benutzer.log")).substr(4));
        }
    }
}

// Temporary files that a killed copy or restore left beside the database go
// when the next program takes the lock; other temporary files stay.
TEST_F(Backup, TheNextLockHolderRemovesWhatKilledRestoresLeft) {
    const Texts gone = {"Benutzer.dat.a1b2c3d4e5f6.tmp", "Benutzer.log.0123456789ab.tmp",
                        "Benutzerlog.bak.abcdefghijkl.tmp",
                        "01_03_2008 14_02_03dat.Fehler.abcdefghijkl.tmp"};
    const Texts stay = {"Benutzer.dat.kurz.tmp", "Monat.txt.abcdefghijkl.tmp"};
    database("");
    for (const Texts* names : {&gone, &stay})
        for (const std::string& name : *names) dbtest::writeFile(inData(name), "x");
    EXPECT_FALSE(book.Datenbank_pruefen());  // "log " is no index: checked all the same
    for (const Texts* names : {&gone, &stay})
        for (const std::string& name : *names)
            EXPECT_EQ(platform::fileExists(inData(name)), names == &stay) << name;
}

}  // namespace
}  // namespace book
