// Two programs on one data folder take turns: two processes save pages of
// their own users and of one shared user (each its own months) in a loop for
// two seconds. Afterwards the check passes and every page saved last is in
// its own user's book. Also where the file system refuses record locks and
// the programs take turns through the lock file, and across a restore (with
// either lock): one program waits for the lock while a third restores the
// damaged database from its safety copies, the other starts after the restore.
#include <gtest/gtest.h>
#include <sys/wait.h>
#include <unistd.h>

#include <chrono>
#include <map>

#include "book/backup/backup.h"
#include "book/database/db_lock.h"
#include "tests/book/database/db_fixture.h"
#include "tests/book/database/page_versions.h"

namespace book {
namespace {

using namespace dbtest;

const char* const kNames[] = {"anna", "bert", "carla"};
struct Saved {
    uint8_t user, month;
    uint32_t version;
};

// Process p saves its own user p + 1 (all months) and user 0 (months 1-6 for
// process 0, 7-12 for process 1); each save it was told about goes to `out`.
// A byte goes to `waiting` once its first wait for the lock has lasted a while.
[[noreturn]] void saver(const std::string& dir, int p, int out, int waiting = -1) {
    ::alarm(60);  // a hang ends the child, and the test with it
    setLockWaitListener([waiting](bool started) {
        if (started && waiting >= 0 && ::write(waiting, "w", 1) != 1) ::_exit(8);
    });
    platform::ScriptedMessages boxes;
    NullHost host;
    Zeitbuch zb(host);
    zb.datenOrdner = dir;
    std::map<std::pair<int, int>, uint32_t> versions;
    const auto end = std::chrono::steady_clock::now() + std::chrono::seconds(2);
    for (uint32_t i = 0; i < 24 || std::chrono::steady_clock::now() < end; ++i) {
        const int user = i % 2 ? p + 1 : 0;
        const int month =
            user ? 1 + static_cast<int>(i / 2 % 12) : 1 + 6 * p + static_cast<int>(i / 2 % 6);
        const uint32_t version = ++versions[{user, month}] * 2 + static_cast<uint32_t>(p);
        zb.angemeldet = false;
        if (!zb.Pruefe_Anmeldung(kNames[user], "pw")) ::_exit(4);
        page_versions::typePage(zb, month, version, user);
        if (!zb.Monat_speichern()) ::_exit(6);
        const Saved s{static_cast<uint8_t>(user), static_cast<uint8_t>(month), version};
        if (::write(out, &s, sizeof s) != sizeof s) ::_exit(5);
    }
    ::_exit(boxes.count() == 0 ? 0 : 7);
}

void saveInTwoProcesses(bool restoreBetween = false) {
    Fixture f;
    for (const char* name : kNames)
        ASSERT_TRUE(f.zb.Benutzer_anlegen({name, "pw", "", "", "", "", 0}));
    int fds[2];
    ASSERT_EQ(::pipe(fds), 0);
    pid_t children[2];
    if (restoreBetween) {
        // The start that found the database damaged: its restore holds the
        // lock while the first program waits for it.
        platform::ScriptedMessages boxes;
        f.zb.Datenbank_sichern_wiederherstellen(true);
        writeFile(f.logPath(), "kaputt");
        // The first program starts once the lock is held (a child forked
        // under it would share it) and says when it waits.
        int go[2], waits[2];
        ASSERT_EQ(::pipe(go), 0);
        ASSERT_EQ(::pipe(waits), 0);
        children[0] = ::fork();
        ASSERT_GE(children[0], 0);
        if (children[0] == 0) {
            ::close(fds[0]);
            char byte = 0;
            if (::read(go[0], &byte, 1) != 1) ::_exit(9);
            saver(f.dir.path(), 0, fds[1], waits[1]);
        }
        ::close(go[0]);
        ::close(waits[1]);
        {
            const DbLock restoring(f.dir.path());
            ASSERT_TRUE(restoring.held());
            ASSERT_EQ(::write(go[1], "g", 1), 1);
            char byte = 0;
            ASSERT_EQ(::read(waits[0], &byte, 1), 1);
            f.zb.datenbankFehler = 24;
            f.zb.Datenbank_sichern_wiederherstellen(false);  // Yes
            ASSERT_EQ(f.zb.datenbankFehler, 0) << lastBox(boxes);
        }
        ::close(go[1]);
        ::close(waits[0]);
    }
    for (int p = restoreBetween ? 1 : 0; p < 2; ++p) {
        children[p] = ::fork();
        ASSERT_GE(children[p], 0);
        if (children[p] == 0) {
            ::close(fds[0]);
            saver(f.dir.path(), p, fds[1]);
        }
    }
    ::close(fds[1]);
    std::map<std::pair<int, int>, uint32_t> last;
    for (Saved s; ::read(fds[0], &s, sizeof s) == sizeof s;) last[{s.user, s.month}] = s.version;
    ::close(fds[0]);
    for (pid_t child : children) {
        int status = 0;
        ASSERT_EQ(::waitpid(child, &status, 0), child);
        ASSERT_TRUE(WIFEXITED(status) && WEXITSTATUS(status) == 0) << status;
    }
    ASSERT_EQ(last.size(), 3u * 12u);  // every month of every user saved at least once

    platform::ScriptedMessages boxes;
    ASSERT_TRUE(f.zb.Datenbank_pruefen()) << int{f.zb.datenbankFehler};
    for (const auto& [key, version] : last) {
        const auto [user, month] = key;
        SCOPED_TRACE(std::string(kNames[user]) + " " + std::to_string(month));
        f.zb.angemeldet = false;
        ASSERT_TRUE(f.zb.Pruefe_Anmeldung(kNames[user], "pw"));
        f.zb.seiteLeeren();
        f.zb.Monat_laden(static_cast<uint8_t>(month), 2024);
        ASSERT_TRUE(f.zb.seiteGespeichert && !f.zb.ladeFehler);
        EXPECT_EQ(page_versions::shown(f.zb), page_versions::expected(month, version, user));
    }
    EXPECT_EQ(boxes.count(), 0u);
    // The lock file goes with its holder, and no claim on it is left.
    std::vector<std::string> rest = platform::findFiles(f.dir.path(), "Benutzer.lck*");
    EXPECT_TRUE(rest.empty()) << rest.front();
}

TEST(TwoPrograms, TakeTurnsAndKeepEveryPageInItsOwnBook) {
    saveInTwoProcesses();
}

TEST(TwoPrograms, OneWaitingThroughARestoreAndOneStartedAfterItTakeTurns) {
    saveInTwoProcesses(true);
}

TEST(TwoPrograms, TakeTurnsThroughTheLockFileWhereRecordLocksAreRefused) {
    platform::refuseRecordLocks(ENOLCK);  // the children inherit it
    saveInTwoProcesses();
    platform::refuseRecordLocks(0);
}

TEST(TwoPrograms, WaitThroughARestoreThroughTheLockFileWhereRecordLocksAreRefused) {
    platform::refuseRecordLocks(ENOLCK);
    saveInTwoProcesses(true);
    platform::refuseRecordLocks(0);
}

}  // namespace
}  // namespace book
