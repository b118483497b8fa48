#include <gtest/gtest.h>

#include <cerrno>
#include <map>
#include <tuple>

#include "platform/core/codepage.h"
#include "tests/book/database/month_store_fixture.h"

namespace month_test {
namespace {

using book::Action;
using std::tuple;

const std::string kLoadError = "Fehler beim Laden|Fehlerhaftes Datenformat";

class MonthStoreFailure : public MonthStoreTest {
protected:
    bool shown(const std::string& box) const {
        for (const auto& b : boxes.shown())
            if (b.text + "|" + b.caption == box) return true;
        return false;
    }
};

// Damaged records of a saved hand-mode page (a standby count of 0 or above
// 9 among them): each is a load error that keeps the lines read so far with
// their texts; the page then cannot be saved to the database until another
// page is loaded.
TEST_F(MonthStoreFailure, DamagedRecordsAreLoadErrors) {
    makeUsers(1);
    signIn(0);
    fresh(2024, 3);
    ASSERT_EQ(type(4, "08:00", "12:00"), -1);
    ASSERT_EQ(type(5, "08:00", "12:00"), -1);
    setHand({0, 0, 0, 0}, {10, 4, 3, 10, 3});
    ASSERT_TRUE(save());
    const std::string good = readFile(blockPath());
    const size_t first = 12 + 13 + 7, second = first + 7;  // behind the standby record
    const std::tuple<const char*, size_t, uint8_t, size_t> cases[] = {
        {"no periods", 26, 0, 0},          {"ten periods", 26, 10, 0},
        {"255 periods", 26, 255, 0},       {"month 0", second + 5, 0x00, 1},
        {"month 13", second + 5, 0x0D, 1}, {"hour 24", second + 1, 24, 1},
        {"day 32", second, 32, 1},         {"first record day 0", first, 0, 0}};
    for (const auto& [what, at, plain, linesKept] : cases) {
        SCOPED_TRACE(what);
        std::string bad = good;
        bad[at] = static_cast<char>(plain ^ 0x17);
        dbtest::writeFile(blockPath(), bad);
        boxes.clear();
        load(2024, 3);
        EXPECT_EQ(dbtest::lastBox(boxes), kLoadError);
        EXPECT_EQ(zb.zeilen.size(), linesKept + 1);
        EXPECT_EQ(zb.texte.size(), linesKept + 1);
        EXPECT_FALSE(save());
        EXPECT_EQ(readFile(blockPath()), bad);
        EXPECT_TRUE(host.actionEnabled(Action::Speichern));
    }
    dbtest::writeFile(blockPath(), good);
    load(2024, 4);  // another page clears the block
    EXPECT_TRUE(save());
}

// A block file that is missing or cannot be opened at a save: the access
// message (a write protection named as such), the user stays signed in with
// his page changed, nothing is written, and the save works once it opens.
TEST_F(MonthStoreFailure, AnUnopenableBlockFileKeepsTheUserSignedIn) {
    const std::string denied = platform::cp1252("Die Datenbank ist schreibgechützt!"),
                      noAccess = "Kein Zugriff auf die Datenbank!";
    // Error 0: missing; -1: a folder in its place; else refused (for writing only).
    for (const auto& [error, forWriting, text] :
         {tuple(0, false, noAccess), {-1, false, noAccess}, {EACCES, false, denied},
          {EACCES, true, denied}, {EIO, true, noAccess}}) {
        makeUsers(2);
        signIn(1);
        load(2024, 3);
        ASSERT_EQ(type(4, "08:00", "12:00"), -1);
        const std::string log = readFile(indexPath()), dat = readFile(blockPath());
        if (error <= 0) platform::deleteFile(blockPath());
        if (error < 0) platform::createDir(blockPath());
        if (error > 0) platform::refuseOpens("Benutzer.dat", error, forWriting);
        boxes.clear();
        EXPECT_FALSE(save());
        platform::refuseOpens("", 0, false);
        EXPECT_EQ(
            tuple(dbtest::lastBox(boxes), zb.angemeldet, host.actionEnabled(Action::Speichern),
                  readFile(indexPath()), error <= 0 || readFile(blockPath()) == dat),
            tuple(text + "|Zugriff auf Datenbank gesperrt", true, true, log, true))
            << error;
        platform::removeDir(blockPath());
        dbtest::writeFile(blockPath(), dat);
        EXPECT_TRUE(save());
    }
}

// A save that fails at its k-th write, for every k, of a new month in the
// middle of the file and of a stored month that is neither last in its block
// nor in the last block: false, the page stays changed, the database passes
// the check as it is, and every month saved before loads unchanged.
TEST_F(MonthStoreFailure, SaveFailingAtEveryWriteLosesNothing) {
    std::mt19937 rng(99);
    makeUsers(3);
    std::map<std::tuple<int, int>, Seite> pages;  // (user, month) of 2024
    for (int user : {0, 1, 2, 0, 1}) {
        signIn(user);
        const int month = 1 + static_cast<int>(pages.size());
        pages[{user, month}] = randomPage(rng, 2024, month, user == 1);
        ASSERT_TRUE(save());
    }
    const dbtest::Database safe{readFile(indexPath()), readFile(blockPath())};
    auto restore = [&] {
        dbtest::writeFile(indexPath(), safe.log);
        dbtest::writeFile(blockPath(), safe.dat);
        platform::deleteFile(dir.file("Benutzer.jnl"));  // left by a failed tidy-up
    };
    for (const auto& [user, month] : {std::pair{2, 10}, std::pair{0, 1}}) {
        for (int k = 1;; ++k) {
            SCOPED_TRACE(std::to_string(month) + " write " + std::to_string(k));
            ASSERT_LT(k, 50);
            restore();
            signIn(user);
            const Seite changed = randomPage(rng, 2024, month, false);
            boxes.clear();
            platform::injectWriteFailure(k);
            const bool ok = save();
            platform::injectWriteFailure(0);
            if (ok) {  // k passed the last write
                EXPECT_GT(k, 5);
                break;
            }
            EXPECT_TRUE(host.actionEnabled(Action::Speichern));
            EXPECT_TRUE(shown(
                "Die Daten konnten nicht gespeichert werden!|Zugriff auf Datenbank gesperrt"));
            zb.datenbankFehler = 0;
            ASSERT_TRUE(zb.Datenbank_pruefen());
            for (const auto& [key, page] : pages) {
                signIn(std::get<0>(key));
                load(2024, std::get<1>(key));
                if (key == std::tuple{user, month} && snapshot().zeilen == changed.zeilen)
                    continue;  // the save went through before the failure
                expectPage(page);
            }
        }
    }
}

}  // namespace
}  // namespace month_test
