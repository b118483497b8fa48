// Killed while saving: a child process starts a session as the start-up
// does (check, safety copies) and saves pages of three users in a loop; it
// is killed with SIGKILL at 200 random moments. After each kill the check
// passes without a restore, and every page saved before the kill loads
// unchanged (the one being saved may be old or new). Also where record locks
// are refused: a kill may leave the lock file, which the next open takes
// over, or this program's lock file not yet linked, which the next holder
// removes.
#include <gtest/gtest.h>
#include <signal.h>
#include <sys/wait.h>
#include <unistd.h>

#include <map>
#include <optional>
#include <random>

#include "book/backup/backup.h"
#include "book/database/db_check.h"
#include "book/database/db_journal.h"
#include "tests/book/database/db_fixture.h"
#include "tests/book/database/page_versions.h"

namespace book {
namespace {

using namespace dbtest;
using page_versions::shown;
using page_versions::typePage;

const char* const kNames[] = {"anna", "bert", "carla"};
using Key = std::pair<int, int>;  // user, month
using Model = std::map<Key, uint32_t>;

// The child's report through the pipe: a save begins (kind 'b') or succeeded ('d').
struct Report {
    char kind;
    uint8_t user, month;
    uint32_t version;
};

[[noreturn]] void session(const std::string& dir, Model model, uint32_t seed, int out) {
    platform::ScriptedMessages boxes;
    NullHost host;
    Zeitbuch zb(host);
    zb.datenOrdner = dir;
    if (!zb.Datenbank_pruefen()) ::_exit(3);
    zb.Datenbank_sichern_wiederherstellen(true);
    std::mt19937 rng(seed);
    for (;;) {
        const int user = static_cast<int>(rng() % 3), month = 1 + static_cast<int>(rng() % 12);
        const uint32_t version = ++model[{user, month}];
        zb.angemeldet = false;
        if (!zb.Pruefe_Anmeldung(kNames[user], "pw")) ::_exit(4);
        typePage(zb, month, version, user);
        Report r{'b', static_cast<uint8_t>(user), static_cast<uint8_t>(month), version};
        if (::write(out, &r, sizeof r) != sizeof r) ::_exit(5);
        if (!zb.Monat_speichern()) ::_exit(6);
        r.kind = 'd';
        if (::write(out, &r, sizeof r) != sizeof r) ::_exit(5);
    }
}

void killWhileSaving(int kills) {
    Fixture f;
    for (const char* name : kNames)
        ASSERT_TRUE(f.zb.Benutzer_anlegen({name, "pw", "", "", "", "", 0}));
    Model model;  // the version of each page saved so far; absent: none
    std::mt19937 rng(4242);
    for (int kill = 0; kill < kills; ++kill) {
        SCOPED_TRACE(kill);
        int fds[2];
        ASSERT_EQ(::pipe(fds), 0);
        const pid_t child = ::fork();
        ASSERT_GE(child, 0);
        if (child == 0) {
            ::close(fds[0]);
            session(f.dir.path(), model, static_cast<uint32_t>(kill), fds[1]);
        }
        ::close(fds[1]);
        ::usleep(static_cast<useconds_t>(rng() % 40000));
        ::kill(child, SIGKILL);
        int status = 0;
        ASSERT_EQ(::waitpid(child, &status, 0), child);
        ASSERT_TRUE(WIFSIGNALED(status)) << "child ended with " << WEXITSTATUS(status);

        // What the child reported: saves done, and the one it may have been in.
        std::optional<Report> open;
        for (Report r; ::read(fds[0], &r, sizeof r) == sizeof r;) {
            if (r.kind == 'd') model[{r.user, r.month}] = r.version;
            open = r.kind == 'b' ? std::optional<Report>(r) : std::nullopt;
        }
        ::close(fds[0]);

        platform::ScriptedMessages boxes;
        f.zb.datenbankFehler = 0;
        ASSERT_TRUE(f.zb.Datenbank_pruefen()) << int{f.zb.datenbankFehler};
        ASSERT_FALSE(platform::fileExists(journalPath(f.dir.path())));
        // Each page as saved last; the page in flight old (or absent) or new.
        Model pages = model;
        if (open) pages[{open->user, open->month}] = open->version;
        for (const auto& [key, version] : pages) {
            const auto [user, month] = key;
            f.zb.angemeldet = false;
            ASSERT_TRUE(f.zb.Pruefe_Anmeldung(kNames[user], "pw"));
            f.zb.seiteLeeren();
            f.zb.Monat_laden(static_cast<uint8_t>(month), 2024);
            ASSERT_FALSE(f.zb.ladeFehler);
            const bool inFlight = open && key == Key{open->user, open->month};
            std::vector<std::optional<uint32_t>> allowed = {version};
            if (inFlight)
                allowed.push_back(model.count(key) ? std::optional(model[key]) : std::nullopt);
            bool match = false;
            for (const std::optional<uint32_t>& v : allowed) {
                if (match) break;
                if (!v) {
                    match = !f.zb.seiteGespeichert;
                } else if (f.zb.seiteGespeichert) {
                    match = shown(f.zb) == page_versions::expected(month, *v, user);
                }
                if (match && inFlight) {
                    if (v)
                        model[key] = *v;
                    else
                        model.erase(key);
                }
            }
            ASSERT_TRUE(match) << kNames[user] << " " << month << " v" << version;
        }
        ASSERT_EQ(boxes.count(), 0u);
        // Whatever the killed program left of the lock file, the next holder removed.
        const std::vector<std::string> left = platform::findFiles(f.dir.path(), "Benutzer.lck*");
        ASSERT_TRUE(left.empty()) << left.front();
    }
}

TEST(CrashWhileSaving, EveryKillLeavesEverySavedPage) {
    killWhileSaving(200);
}

TEST(CrashWhileSaving, EveryKillLeavesEverySavedPageThroughTheLockFile) {
    platform::refuseRecordLocks(ENOLCK);
    killWhileSaving(100);
    platform::refuseRecordLocks(0);
}

}  // namespace
}  // namespace book
