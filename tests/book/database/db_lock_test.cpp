// The lock always excludes: where record locks are refused, the lock file
// "Benutzer.lck" stands in; a left-behind one is taken over, a live one is
// waited for, and a wait that runs out says why; one that cannot be removed
// ends the wait after a few tries and is named. A journal is rolled back
// only by the lock's holder. A wait shows itself after half a second. In a
// read-only folder without record locks the database is read unlocked and
// nothing changes.
#include <gtest/gtest.h>
#include <fcntl.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <chrono>
#include <thread>
#include <tuple>

#include "book/database/db_lock.h"
#include "platform/core/codepage.h"
#include "tests/book/database/journal_fixture.h"

namespace book {
namespace {

using namespace dbtest;
using Ms = std::chrono::milliseconds;

const std::string kBusy = platform::cp1252(
    "Kein Zugriff auf die Datenbank!\nEin anderes Programm verwendet gerade die Benutzerdaten. "
    "Bitte später noch einmal versuchen.");

std::string thisHost() {
    char name[256] = {};
    ::gethostname(name, sizeof name - 1);
    return name;
}

pid_t goneProcess() {
    const pid_t child = ::fork();
    if (child == 0) ::_exit(0);
    ::waitpid(child, nullptr, 0);
    return child;
}

// A lock file with `content` (or a folder under its name), last written `age`
// seconds ago.
void plantLockFile(const std::string& dir, const std::string& content, int age,
                   bool folder = false) {
    const std::string path = lockFilePath(dir);
    if (folder)
        ASSERT_TRUE(platform::createDir(path));
    else
        writeFile(path, content);
    const timespec then[2] = {{::time(nullptr) - age, 0}, {::time(nullptr) - age, 0}};
    ASSERT_EQ(::utimensat(AT_FDCWD, path.c_str(), then, 0), 0);
}

// Record locks refused and a short wait, for one test.
struct LockFileOnly {
    explicit LockFileOnly(int waitMs = 300) {
        platform::refuseRecordLocks(ENOLCK);
        setLockWaitLimit(waitMs);
    }
    ~LockFileOnly() {
        platform::refuseRecordLocks(0);
        setLockWaitLimit(0);
    }
};

TEST(LockFile, LeftBehindOnesAreTakenOverLiveOnesWaitedFor) {
    const std::string here = thisHost();
    struct Case {
        const char* what;
        std::string content;
        int age;
        bool taken;
    };
    const Case cases[] = {
        {"this host, process gone", here + "\n" + std::to_string(goneProcess()) + "\n1\n", 0, true},
        {"this host, process runs", here + "\n" + std::to_string(::getppid()) + "\n1\n", 3600, false},
        {"other host, fresh", "anderer-rechner\n4711\n1\n", 60, false},
        {"other host, old", "anderer-rechner\n4711\n1\n", 10 * 60, true},
        {"unreadable, fresh", "", 0, false},
        {"unreadable, old", "\x01\x02", 10 * 60, true},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        Fixture f(twoUsers());
        const LockFileOnly only;
        plantLockFile(f.dir.path(), c.content, c.age);
        platform::ScriptedMessages boxes;
        EXPECT_EQ(f.zb.Pruefe_Anmeldung("anna", "pw1"), c.taken);
        if (c.taken) {
            EXPECT_EQ(boxes.count(), 0u);
            EXPECT_TRUE(platform::findFiles(f.dir.path(), "Benutzer.lck*").empty());
        } else {
            EXPECT_EQ(lastBox(boxes), kBusy + "|Fehler in der Benutzerverwaltung");
            EXPECT_EQ(readFile(lockFilePath(f.dir.path())), c.content);
            // Nothing runs unlocked: no change either, and the files stay.
            EXPECT_FALSE(f.zb.Benutzer_anlegen(kCarla));
            EXPECT_TRUE(f.unchanged(twoUsers()));
        }
    }
}

// Another program's change in progress (its journal, its lock file) is left
// alone; once that program is gone, the next holder rolls it back.
TEST(LockFile, AJournalIsRolledBackOnlyByTheLockHolder) {
    const Database before = twoUsers();
    const Database during{before.log, before.dat + std::string(30, 'n')};
    Fixture f(during);
    const LockFileOnly only;
    const std::string j = journal(before.log.size(), before.dat.size(), {});
    writeFile(journalPath(f.dir.path()), j);
    plantLockFile(f.dir.path(), thisHost() + "\n" + std::to_string(::getppid()) + "\n1\n", 0);
    platform::ScriptedMessages boxes;
    EXPECT_FALSE(f.zb.Datenbank_pruefen());
    EXPECT_EQ(lastLockFailure(), LockFailure::Busy);
    EXPECT_FALSE(saveAnnasMarch(f.zb));
    EXPECT_TRUE(f.unchanged(during));
    EXPECT_EQ(readFile(journalPath(f.dir.path())), j);

    platform::deleteFile(lockFilePath(f.dir.path()));
    EXPECT_TRUE(f.zb.Datenbank_pruefen());
    EXPECT_TRUE(f.unchanged(before));
    EXPECT_FALSE(platform::fileExists(journalPath(f.dir.path())));
}

// The lock file cannot be written (a full disk): nothing changes, and the
// message says why.
TEST(LockFile, NeitherKindOfLockRefusesChangesAndSaysWhy) {
    Fixture f(twoUsers());
    platform::ScriptedMessages boxes;
    const LockFileOnly only;
    platform::injectWriteFailure(1);
    EXPECT_FALSE(f.zb.Benutzer_anlegen(kCarla));
    platform::injectWriteFailure(0);
    EXPECT_EQ(lastLockFailure(), LockFailure::NoLock);
    EXPECT_FALSE(platform::fileExists(lockFilePath(f.dir.path())));
    EXPECT_NE(lastBox(boxes).find("Benutzer.lck"), std::string::npos);
    EXPECT_TRUE(f.unchanged(twoUsers()));
}

// Something under the lock file's name that cannot be removed (a folder, left
// behind or fresh) is tried a few times and named long before the wait runs out.
TEST(LockFile, AnUnremovableOneEndsTheWaitAfterAFewTriesAndIsNamed) {
    for (const int age : {600, 0}) {
        Fixture f(twoUsers());
        const LockFileOnly only(15000);
        plantLockFile(f.dir.path(), "", age, true);
        platform::ScriptedMessages boxes;
        platform::resetWriteCallCount();
        const auto start = std::chrono::steady_clock::now();
        EXPECT_FALSE(f.zb.Pruefe_Anmeldung("anna", "pw1"));
        EXPECT_LE(std::chrono::steady_clock::now() - start, Ms(5000)) << age;
        EXPECT_LE(platform::writeCallCount(), 2 * 4);  // each try writes and syncs its lock file
        EXPECT_EQ(lastLockFailure(), LockFailure::Stuck);
        EXPECT_NE(lastBox(boxes).find("Bitte \"Benutzer.lck\" l\xF6schen"), std::string::npos);
        EXPECT_TRUE(platform::findFiles(f.dir.path(), "Benutzer.lck*").empty());
    }
}

// The holder of the lock file removes what dead processes of this host left
// (a lock file not yet linked, a claim on a left-behind one), nothing else.
TEST(LockFile, TheHolderRemovesWhatDeadProcessesOfThisHostLeft) {
    const std::string host = thisHost(), dead = std::to_string(goneProcess()),
                      live = std::to_string(::getppid());
    const std::tuple<std::string, std::string, bool> cases[] = {
        {"neu." + host + "." + dead, "", true},
        {"neu." + host + "." + live, "", false},
        {"neu.anderer-rechner." + dead, "", false},
        {"1a2b-3c4d.0", host + "\n" + dead + "\n1\n", true},
        {"1a2b-3c4d.1", host + "\n" + live + "\n1\n", false},
        {"1a2b-3c4d.2", "anderer-rechner\n" + dead + "\n1\n", false},
    };
    Fixture f(twoUsers());
    const LockFileOnly only;
    for (const auto& [name, content, gone] : cases)
        writeFile(f.dir.file("Benutzer.lck." + name), content);
    EXPECT_TRUE(f.zb.Pruefe_Anmeldung("anna", "pw1"));
    for (const auto& [name, content, gone] : cases)
        EXPECT_EQ(platform::fileExists(f.dir.file("Benutzer.lck." + name)), !gone) << name;
}

// A folder nobody here can write, without record locks (the hook stands in
// for permission bits, which root ignores): the database is read without a
// lock, just as from a writable folder; a change is refused as on a
// write-protected database, and another program's live lock file is waited for.
std::vector<std::string> readAsAnna(Fixture& f) {
    std::vector<std::string> seen;
    if (!f.zb.Datenbank_pruefen() || !f.zb.Pruefe_Anmeldung("anna", "pw1")) return seen;
    f.zb.jahr = 2008;
    if (f.zb.BilanzExecute(true)) seen = f.zb.zeilen;  // the year balance
    f.zb.BilanzExecute(true);                          // and back to the last saved page
    seen.insert(seen.end(), f.zb.zeilen.begin(), f.zb.zeilen.end());
    seen.insert(seen.end(), f.zb.texte.begin(), f.zb.texte.end());
    return seen;
}

TEST(ReadOnlyFolder, ReadsWithoutALockAndRefusesChanges) {
    Fixture writable(twoUsers());
    const std::vector<std::string> expected = readAsAnna(writable);
    ASSERT_GT(expected.size(), 20u);
    for (const bool entriesOnly : {false, true}) {  // read-only file system; no write permission
        Fixture f(twoUsers());
        const LockFileOnly only;
        platform::simulateReadOnlyFolder(f.dir.path(), entriesOnly);
        platform::ScriptedMessages boxes;
        EXPECT_EQ(readAsAnna(f), expected);
        EXPECT_EQ(boxes.count(), 0u);
        f.zb.texte[0] = "neu";
        EXPECT_FALSE(f.zb.Monat_speichern());
        EXPECT_EQ(lastBox(boxes), platform::cp1252("Die Datenbank ist schreibgechützt!|"
                                                   "Zugriff auf Datenbank gesperrt"));
        EXPECT_FALSE(f.zb.Benutzer_anlegen(kCarla));
        platform::simulateReadOnlyFolder("");
        EXPECT_TRUE(f.unchanged(twoUsers()));
        EXPECT_EQ(platform::findFiles(f.dir.path(), "Benutzer.*").size(), 2u);

        plantLockFile(f.dir.path(), thisHost() + "\n" + std::to_string(::getppid()) + "\n", 0);
        platform::simulateReadOnlyFolder(f.dir.path(), entriesOnly);
        EXPECT_FALSE(f.zb.Datenbank_pruefen());
        EXPECT_EQ(lastLockFailure(), LockFailure::Busy);
        platform::simulateReadOnlyFolder("");
    }
}

// Another program holds the record lock (or the lock file) for `holdMs`; the
// window hears of the wait after half a second, and again when it ends.
TEST(LockWait, ShownAfterHalfASecondUntilItEnds) {
    struct Case {
        const char* what;
        bool lockFile;
        int holdMs, limitMs;
        bool had, shown;
    };
    const Case cases[] = {
        {"short wait", false, 100, 3000, true, false},
        {"long wait", false, 900, 3000, true, true},
        {"wait runs out", false, 2000, 1200, false, true},
        {"lock file, long wait", true, 900, 3000, true, true},
        {"lock file, wait runs out", true, 2000, 1200, false, true},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        Fixture f(twoUsers());
        if (c.lockFile) platform::refuseRecordLocks(ENOLCK);
        setLockWaitLimit(c.limitMs);
        int fd = -1;
        if (c.lockFile) {
            plantLockFile(f.dir.path(), thisHost() + "\n" + std::to_string(::getppid()) + "\n", 0);
        } else {
            fd = ::open(f.logPath().c_str(), O_RDWR);
            ASSERT_EQ(platform::tryRecordLock(fd, true), 0);
        }
        std::thread release([&] {
            std::this_thread::sleep_for(Ms(c.holdMs));
            if (c.lockFile)
                platform::deleteFile(lockFilePath(f.dir.path()));
            else
                ::close(fd);
        });
        std::vector<std::pair<bool, Ms>> heard;
        const auto start = std::chrono::steady_clock::now();
        setLockWaitListener([&](bool waiting) {
            heard.emplace_back(waiting, std::chrono::duration_cast<Ms>(
                                            std::chrono::steady_clock::now() - start));
        });
        platform::ScriptedMessages boxes;
        EXPECT_EQ(f.zb.Pruefe_Anmeldung("anna", "pw1"), c.had);
        setLockWaitListener({});
        release.join();
        platform::refuseRecordLocks(0);
        setLockWaitLimit(0);
        if (!c.shown) {
            EXPECT_TRUE(heard.empty());
        } else {
            ASSERT_EQ(heard.size(), 2u);
            EXPECT_TRUE(heard[0].first);
            EXPECT_GE(heard[0].second, Ms(500));
            EXPECT_FALSE(heard[1].first);
            EXPECT_GE(heard[1].second, Ms(std::min(c.holdMs, c.limitMs)));
        }
        EXPECT_EQ(lastBox(boxes), c.had ? "" : kBusy + "|Fehler in der Benutzerverwaltung");
    }
}

}  // namespace
}  // namespace book
