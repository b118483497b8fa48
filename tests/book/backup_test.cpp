#include "book/backup.h"

#include <gtest/gtest.h>

#include "book/zeitbuch.h"
#include "platform/core/codepage.h"
#include "platform/core/file.h"
#include "platform/core/message_box.h"
#include "platform/core/path.h"
#include "tests/support/temp_dir.h"

namespace book {
namespace {

using platform::Answer;
using platform::joinPath;
using platform::ScriptedMessages;
using testing_support::TempDir;

const char* const kRestoreQuestion =
    "Soll die alte Version der Datenbank wiederhergestellt werden?\n"
    "Alle geänderten Daten nach dem letzten fehlerfreien Start des\n"
    "Programms gehen dabei verloren!";
const char* const kSecondQuestion =
    "Die fehlerhafte Datenbank konnte nicht gesichert werden.\n"
    "Soll die alte Version trotzdem wiederhergestellt werden?";
const char* const kCopyFailed = "Es konnte keine Sicherungscopy von der Datenbank angelegt werden";
const char* const kRotationFailed =
    "Der Sicherungsordner konnte nicht vorbereitet werden.\n Deshalb wurde die Datenbank nicht "
    "gesichert!";
const char* const kSurplusQuestion = "Überflüssige Sicherungsverzeichnisse werden gelöscht!";

void put(const std::string& path, const std::string& bytes) {
    platform::File f;
    ASSERT_TRUE(f.open(path, platform::OpenMode::CreateWrite));
    ASSERT_TRUE(f.write(bytes));
    ASSERT_TRUE(f.close());
}

std::string get(const std::string& path) {
    std::string bytes;
    if (!platform::readWholeFile(path, bytes)) return "<missing>";
    return bytes;
}

std::vector<std::string> texts(const ScriptedMessages& boxes) {
    std::vector<std::string> out;
    for (const auto& m : boxes.shown()) out.push_back(platform::cp1252ToUtf8(m.text));
    return out;
}

class Backup : public ::testing::Test {
protected:
    NullHost host;
    TempDir dir;
    Zeitbuch book{host};
    std::string data = joinPath(dir.path(), "Benutzer");
    std::string base = joinPath(dir.path(), "Sicherung");

    Backup() {
        platform::createDir(data);
        book.programmOrdner = dir.path();
        book.datenOrdner = data;
    }
    std::string inData(const std::string& name) const { return joinPath(data, name); }
    std::string gen(int i) const { return joinPath(base, std::to_string(i)); }
    void database(const std::string& tag) {
        put(inData("Benutzer.dat"), "dat " + tag);
        put(inData("Benutzer.log"), "log " + tag);
    }
};

TEST_F(Backup, SafetyCopiesAtStart) {
    ScriptedMessages boxes;
    book.Datenbank_sichern_wiederherstellen(true);  // no database yet
    EXPECT_EQ(boxes.count(), 0u);
    EXPECT_FALSE(platform::fileExists(inData(kSafetyCopyDat)));

    database("v1");
    put(inData(kSafetyCopyDat), "older");
    book.Datenbank_sichern_wiederherstellen(true);
    EXPECT_EQ(boxes.count(), 0u);
    EXPECT_EQ(get(inData(kSafetyCopyDat)), "dat v1");
    EXPECT_EQ(get(inData(kSafetyCopyLog)), "log v1");

    platform::deleteFile(inData("Benutzer.log"));
    book.Datenbank_sichern_wiederherstellen(true);
    EXPECT_EQ(texts(boxes), std::vector<std::string>{kCopyFailed});
    EXPECT_EQ(boxes.last().caption, "Achtung Fehler");
    EXPECT_EQ(get(inData(kSafetyCopyLog)), "log v1");  // the old copy survives
}

TEST_F(Backup, FaultCopyStampHasNoSlashOrColon) {
    EXPECT_EQ(faultCopyStamp(platform::encodeDate(2026, 12, 6) + platform::encodeTime(9, 5, 7)),
              "06_12_2026 09_05_07");
}

TEST_F(Backup, RestoreKeepsFaultCopiesAndClearsTheErrorCode) {
    const platform::DateTime when = platform::encodeDate(2008, 3, 1) + platform::encodeTime(14, 2, 3);
    platform::ScopedClock clock(when);
    database("damaged");
    put(inData(kSafetyCopyDat), "dat good");
    put(inData(kSafetyCopyLog), "log good");
    const std::string before = platform::currentDir();

    struct Case {
        Answer first;
        bool restored;
    };
    for (const Case c : {Case{Answer::No, false}, Case{Answer::Yes, true}}) {
        book.datenbankFehler = 20;
        ScriptedMessages boxes;
        boxes.answer(c.first);
        book.Datenbank_sichern_wiederherstellen(false);
        ASSERT_EQ(boxes.count(), 1u);
        EXPECT_EQ(platform::cp1252ToUtf8(boxes.last().text), kRestoreQuestion);
        EXPECT_EQ(boxes.last().caption, "Achtung Datenbankwiederherstellung");
        EXPECT_EQ(boxes.last().buttons, platform::Buttons::YesNo);
        EXPECT_EQ(book.datenbankFehler, c.restored ? 0 : 20);
        EXPECT_EQ(get(inData("Benutzer.dat")), c.restored ? "dat good" : "dat damaged");
        EXPECT_EQ(get(inData("Benutzer.log")), c.restored ? "log good" : "log damaged");
    }
    EXPECT_EQ(get(inData("01_03_2008 14_02_03dat.Fehler")), "dat damaged");
    EXPECT_EQ(get(inData("01_03_2008 14_02_03log.Fehler")), "log damaged");
    EXPECT_EQ(platform::currentDir(), before);
}

TEST_F(Backup, CheckRestoreAndCheckAgainAsAtStart) {
    put(inData("Benutzer.log"), std::string(4, '\0'));  // only the end mark
    put(inData("Benutzer.dat"), "");
    ASSERT_TRUE(book.Datenbank_pruefen());
    book.Datenbank_sichern_wiederherstellen(true);

    put(inData("Benutzer.dat"), "kaput");  // too short for a block head
    ASSERT_FALSE(book.Datenbank_pruefen());
    ASSERT_EQ(book.datenbankFehler, 1);
    ScriptedMessages boxes;
    boxes.answer(Answer::Yes);
    book.Datenbank_sichern_wiederherstellen(false);
    EXPECT_EQ(boxes.count(), 1u);
    EXPECT_EQ(book.datenbankFehler, 0);
    EXPECT_TRUE(book.Datenbank_pruefen());
    EXPECT_EQ(get(inData("Benutzer.dat")), "");
}

TEST_F(Backup, FailedFaultCopyAsksASecondTime) {
    platform::ScopedClock clock(platform::encodeDate(2008, 3, 1));
    put(inData(kSafetyCopyDat), "dat good");
    put(inData(kSafetyCopyLog), "log good");
    for (const Answer second : {Answer::No, Answer::Yes}) {
        database("damaged");
        book.datenbankFehler = 3;
        ScriptedMessages boxes;
        boxes.answer(Answer::Yes);
        boxes.answer(second);
        platform::injectWriteFailure(1);  // the first fault copy
        book.Datenbank_sichern_wiederherstellen(false);
        platform::injectWriteFailure(0);
        ASSERT_EQ(boxes.count(), 2u);
        EXPECT_EQ(boxes.shown()[1].text, kSecondQuestion);
        EXPECT_EQ(boxes.shown()[1].caption, "Achtung Datenbankwiederherstellung");
        const bool restored = second == Answer::Yes;
        EXPECT_EQ(get(inData("Benutzer.dat")), restored ? "dat good" : "dat damaged");
        EXPECT_EQ(book.datenbankFehler, restored ? 0 : 3);
    }
}

TEST_F(Backup, RestoreWithoutSafetyCopiesFailsAndKeepsTheDatabase) {
    database("damaged");
    book.datenbankFehler = 1;
    ScriptedMessages boxes;
    boxes.answer(Answer::Yes);
    book.Datenbank_sichern_wiederherstellen(false);
    ASSERT_EQ(boxes.count(), 2u);
    EXPECT_EQ(boxes.last().text, "Die Datenbank konnte nicht wiederhergestellt werden!!");
    EXPECT_EQ(boxes.last().caption, "Achtung Fehler");
    EXPECT_EQ(get(inData("Benutzer.dat")), "dat damaged");
    EXPECT_EQ(book.datenbankFehler, 1);
}

TEST_F(Backup, PreparingAMissingBaseFolderAsksFirst) {
    {
        ScriptedMessages boxes;
        boxes.answer(Answer::No);
        EXPECT_TRUE(book.Sicherungsordner_vorbereiten(3, base));
        ASSERT_EQ(boxes.count(), 1u);
        EXPECT_EQ(platform::cp1252ToUtf8(boxes.last().text),
                  "Quellverzeichniss für die Datenbank nicht vorhanden.\nSoll es angelegt werden?");
        EXPECT_EQ(boxes.last().caption, "Hallo... anlegen?");
        EXPECT_FALSE(platform::dirExists(base));
        EXPECT_EQ(book.grundlagen.folgesicherungen, 1);
        EXPECT_EQ(book.backupOrdner, "");
    }
    ScriptedMessages boxes;
    EXPECT_FALSE(book.Sicherungsordner_vorbereiten(3, base));
    EXPECT_EQ(boxes.count(), 1u);
    for (int i = 1; i <= 3; ++i) EXPECT_TRUE(platform::dirExists(gen(i))) << i;
    EXPECT_FALSE(platform::dirExists(gen(4)));
    EXPECT_EQ(book.grundlagen.folgesicherungen, 3);
    EXPECT_EQ(book.backupOrdner, base);

    // A base below a missing folder cannot be created.
    boxes.clear();
    EXPECT_TRUE(book.Sicherungsordner_vorbereiten(2, joinPath(dir.path(), "a", "b")));
    EXPECT_EQ(boxes.last().text, "Verzeichniss konnte nicht angelegt werden");
    EXPECT_EQ(book.grundlagen.folgesicherungen, 3);
}

TEST_F(Backup, LoweringTheGenerationsAsksOnceAndRemovesTheSurplus) {
    {
        ScriptedMessages create;  // the base folder question: Yes
        ASSERT_FALSE(book.Sicherungsordner_vorbereiten(5, base));
    }
    for (int i = 1; i <= 5; ++i) put(joinPath(gen(i), "Benutzer.dat"), "x");

    {  // declined: asked for every surplus folder, nothing removed
        ScriptedMessages boxes;
        for (int i = 0; i < 3; ++i) boxes.answer(Answer::No);
        EXPECT_FALSE(book.Sicherungsordner_vorbereiten(2, base));
        EXPECT_EQ(texts(boxes), std::vector<std::string>(3, kSurplusQuestion));
        EXPECT_EQ(boxes.last().caption, platform::cp1252("Löschen"));
        for (int i = 1; i <= 5; ++i) EXPECT_TRUE(platform::dirExists(gen(i)));
    }
    const std::string before = platform::currentDir();
    ScriptedMessages boxes;
    boxes.answer(Answer::Yes);
    EXPECT_FALSE(book.Sicherungsordner_vorbereiten(2, base));
    EXPECT_EQ(boxes.count(), 1u);
    for (int i = 1; i <= 5; ++i) EXPECT_EQ(platform::dirExists(gen(i)), i <= 2) << i;
    EXPECT_EQ(book.grundlagen.folgesicherungen, 2);
    EXPECT_EQ(platform::currentDir(), before);
}

TEST_F(Backup, RotationKeepsTheNewestInFolderOne) {
    ScriptedMessages boxes;
    // A folder stored on Windows uses "\\".
    std::string stored = base;
    stored[stored.rfind('/')] = '\\';
    ASSERT_FALSE(book.Sicherungsordner_vorbereiten(3, stored));
    EXPECT_EQ(book.backupOrdner, stored);
    for (int close = 1; close <= 4; ++close) {
        database("v" + std::to_string(close));
        book.Sicherung_rotieren();
    }
    EXPECT_EQ(boxes.count(), 1u);  // only the question for the base folder
    EXPECT_EQ(get(joinPath(gen(1), "Benutzer.dat")), "dat v4");
    EXPECT_EQ(get(joinPath(gen(1), "Benutzer.log")), "log v4");
    EXPECT_EQ(get(joinPath(gen(2), "Benutzer.dat")), "dat v3");
    EXPECT_EQ(get(joinPath(gen(3), "Benutzer.dat")), "dat v2");
    EXPECT_FALSE(platform::dirExists(gen(0)));
    EXPECT_FALSE(platform::dirExists(gen(4)));
}

TEST_F(Backup, OneGenerationIsOverwrittenAndZeroDoesNothing) {
    ScriptedMessages boxes;
    ASSERT_FALSE(book.Sicherungsordner_vorbereiten(1, base));
    boxes.clear();
    database("a");
    book.Sicherung_rotieren();
    database("b");
    book.Sicherung_rotieren();
    EXPECT_EQ(get(joinPath(gen(1), "Benutzer.dat")), "dat b");
    EXPECT_FALSE(platform::dirExists(gen(2)));

    book.grundlagen.folgesicherungen = 0;
    database("c");
    book.Sicherung_rotieren();
    EXPECT_EQ(get(joinPath(gen(1), "Benutzer.dat")), "dat b");
    EXPECT_EQ(boxes.count(), 0u);
}

TEST_F(Backup, BrokenGenerationFoldersFailTheRotation) {
    struct Case {
        const char* name;
        int generations;
        std::vector<int> folders;  // existing before the close
        std::vector<int> after;    // existing after it
    };
    const Case cases[] = {
        {"no folder 1", 1, {}, {}},
        {"missing newest", 3, {1, 2}, {1, 2}},
        {"missing middle", 3, {1, 3}, {0, 1}},
        {"leftover 0", 2, {0, 1, 2}, {0, 1, 2}},
        {"no base folder", 1, {}, {}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        TempDir scratch;
        book.backupOrdner = std::string(c.name) == "no base folder" ? "" : scratch.path();
        book.grundlagen.folgesicherungen = static_cast<uint8_t>(c.generations);
        for (int i : c.folders) platform::createDir(joinPath(scratch.path(), std::to_string(i)));
        database("new");
        ScriptedMessages boxes;
        book.Sicherung_rotieren();
        EXPECT_EQ(texts(boxes), std::vector<std::string>{kRotationFailed});
        EXPECT_EQ(boxes.last().caption, "Achtung Fehler");
        for (int i = 0; i <= 4; ++i) {
            const bool want = std::find(c.after.begin(), c.after.end(), i) != c.after.end();
            EXPECT_EQ(platform::dirExists(joinPath(scratch.path(), std::to_string(i))), want) << i;
        }
    }
}

TEST_F(Backup, FailedCopyIntoTheNewestGenerationIsReported) {
    ScriptedMessages boxes;
    ASSERT_FALSE(book.Sicherungsordner_vorbereiten(1, base));
    boxes.clear();
    database("a");
    platform::injectWriteFailure(1);
    book.Sicherung_rotieren();
    platform::injectWriteFailure(0);
    EXPECT_EQ(texts(boxes), std::vector<std::string>{kCopyFailed});
}

}  // namespace
}  // namespace book
