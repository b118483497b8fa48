// Two programs on one data folder take turns: two processes save pages of
// their own users and of one shared user (each its own months) in a loop for
// two seconds. Afterwards the check passes and every page saved last is in
// its own user's book. Also where the file system refuses record locks and
// the programs take turns through the lock file.
#include <gtest/gtest.h>
#include <sys/wait.h>
#include <unistd.h>

#include <chrono>
#include <map>

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
[[noreturn]] void saver(const std::string& dir, int p, int out) {
    ::alarm(60);  // a hang ends the child, and the test with it
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

void saveInTwoProcesses() {
    Fixture f;
    for (const char* name : kNames)
        ASSERT_TRUE(f.zb.Benutzer_anlegen({name, "pw", "", "", "", "", 0}));
    int fds[2];
    ASSERT_EQ(::pipe(fds), 0);
    pid_t children[2];
    for (int p = 0; p < 2; ++p) {
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

TEST(TwoPrograms, TakeTurnsThroughTheLockFileWhereRecordLocksAreRefused) {
    platform::refuseRecordLocks(ENOLCK);  // the children inherit it
    saveInTwoProcesses();
    platform::refuseRecordLocks(0);
}

}  // namespace
}  // namespace book
