#include <gtest/gtest.h>

#include <map>

#include "platform/core/codepage.h"
#include "tests/book/month_store_fixture.h"

namespace month_test {
namespace {

using book::Action;

bool shownWith(const platform::ScriptedMessages& boxes, const std::string& text,
               const std::string& caption) {
    for (const auto& b : boxes.shown())
        if (b.text == text && b.caption == caption) return true;
    return false;
}

const std::string kLadefehler = "Fehler beim Laden";
const std::string kFormat = "Fehlerhaftes Datenformat";

class MonthStoreFailure : public MonthStoreTest {
protected:
    // A hand-mode page of 2024-03 with one standby period and one line.
    void saveHandPage() {
        fresh(2024, 3);
        ASSERT_EQ(type(4, "08:00", "12:00"), -1);
        zb.handModus = true;
        zb.bereitschaftsListe = {};
        const uint8_t period[5] = {10, 4, 3, 10, 3};
        std::copy(period, period + 5, zb.bereitschaftsListe.begin());
        ASSERT_TRUE(save());
    }
    void patch(size_t at, uint8_t plain) {
        std::string dat = read(blockPath());
        dat[at] = static_cast<char>(plain ^ kKey);
        write(blockPath(), dat);
    }
};

// A standby record of 0 or more than 9 periods is a load error; the page
// then cannot be saved to the database until another page is loaded.
TEST_F(MonthStoreFailure, StandbyCountOutsideOneToNineIsALoadError) {
    makeUsers(1);
    signIn(0);
    saveHandPage();
    const size_t countByte = 12 + 13 + 1;  // block head, entry head, marker
    for (uint8_t count : {0, 10, 255}) {
        SCOPED_TRACE(int(count));
        patch(countByte, count);
        boxes.clear();
        load(2024, 3);
        ASSERT_EQ(boxes.count(), 1u);
        EXPECT_EQ(boxes.last().text, kLadefehler);
        EXPECT_EQ(boxes.last().caption, kFormat);
        EXPECT_TRUE(zb.ladeFehler);
        EXPECT_EQ(zb.zeilen.size(), zb.texte.size());

        const std::string before = read(blockPath());
        EXPECT_FALSE(save());
        EXPECT_EQ(read(blockPath()), before);
        EXPECT_TRUE(host.actionEnabled(Action::Speichern));
    }
    patch(countByte, 1);
    load(2024, 4);  // another page clears the block
    EXPECT_FALSE(zb.ladeFehler);
    EXPECT_TRUE(save());
}

// Damaged bytes from the loader's point of view: each gives the load error,
// keeps the lines read so far with their texts, and runs no recomputation.
TEST_F(MonthStoreFailure, DamagedRecordsAreLoadErrors) {
    makeUsers(1);
    signIn(0);
    fresh(2024, 3);
    ASSERT_EQ(type(4, "08:00", "12:00"), -1);
    ASSERT_EQ(type(5, "08:00", "12:00"), -1);
    ASSERT_TRUE(save());
    const std::string good = read(blockPath());
    const size_t line2 = 12 + 13 + 7;  // second record (first text is empty)
    struct Case {
        const char* what;
        size_t at;
        uint8_t plain;
        size_t linesKept;
    };
    const Case cases[] = {{"month 0", line2 + 5, 0x00, 1},
                          {"month 13", line2 + 5, 0x0D, 1},
                          {"hour 24", line2 + 1, 24, 1},
                          {"day 32", line2, 32, 1},
                          {"first record day 0", 12 + 13, 0, 0}};
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        write(blockPath(), good);
        patch(c.at, c.plain);
        boxes.clear();
        load(2024, 3);
        ASSERT_GE(boxes.count(), 1u);
        EXPECT_EQ(boxes.last().text, kLadefehler);
        EXPECT_EQ(zb.zeilen.size(), c.linesKept + 1);
        EXPECT_EQ(zb.texte.size(), c.linesKept + 1);
    }
    // A text without terminator runs into the end of the file.
    std::string cut = good.substr(0, good.size() - 1);
    write(blockPath(), cut);
    boxes.clear();
    load(2024, 3);
    EXPECT_TRUE(shownWith(boxes, kLadefehler, kFormat));
    EXPECT_EQ(zb.zeilen.size(), zb.texte.size());
}

// Every truncation of a two-user database: the loader reports or loads,
// and never reads outside the file.
TEST_F(MonthStoreFailure, EveryTruncationLoadsOrReports) {
    std::mt19937 rng(5);
    makeUsers(2);
    signIn(0);
    randomPage(rng, 2024, 2, true);
    ASSERT_TRUE(save());
    randomPage(rng, 2024, 3, false);
    ASSERT_TRUE(save());
    signIn(1);
    randomPage(rng, 2024, 3, true);
    ASSERT_TRUE(save());
    const std::string good = read(blockPath());
    const uint32_t block0 = blockOf(0), block1 = blockOf(1);
    // Month 3 of the first block reads February for the carry-over; month 0
    // of the second takes the last entry through the head.
    const struct {
        uint32_t block;
        int month, year;
    } loads[] = {{block0, 3, 2024}, {block1, 0, 0}};
    for (size_t n = 0; n < good.size(); ++n) {
        write(blockPath(), good.substr(0, n));
        for (const auto& l : loads) {
            zb.blockPosition = l.block;
            fresh(2024, 3);
            zb.Monat_laden(static_cast<uint8_t>(l.month), l.year);
            ASSERT_EQ(zb.zeilen.size(), zb.texte.size()) << n;
        }
    }
}

// A save that fails at its k-th write, for every k: false, the page stays
// changed, and every month saved before loads unchanged, from the file as it
// is when it is still sound, else after the safety copies are put back.
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
    const std::string safeLog = read(indexPath()), safeDat = read(blockPath());

    struct Scenario {
        const char* what;
        int user, month;
    };
    // A new month of a user in the middle of the file, and an existing month
    // that is neither its block's last entry nor in the last block.
    const Scenario scenarios[] = {{"new month", 2, 10}, {"stored month", 0, 1}};
    for (const Scenario& s : scenarios) {
        SCOPED_TRACE(s.what);
        for (int k = 1;; ++k) {
            SCOPED_TRACE("write " + std::to_string(k));
            ASSERT_LT(k, 50);
            write(indexPath(), safeLog);
            write(blockPath(), safeDat);
            signIn(s.user);
            const Seite changed = randomPage(rng, 2024, s.month, false);
            boxes.clear();
            platform::injectWriteFailure(k);
            const bool ok = save();
            platform::injectWriteFailure(0);
            if (ok) {  // k passed the last write
                EXPECT_GT(k, 5);
                break;
            }
            EXPECT_TRUE(host.actionEnabled(Action::Speichern));
            EXPECT_TRUE(shownWith(boxes, "Die Daten konnten nicht gespeichert werden!",
                                  "Zugriff auf Datenbank gesperrt"));
            zb.datenbankFehler = 0;
            if (!zb.Datenbank_pruefen()) {
                write(indexPath(), safeLog);
                write(blockPath(), safeDat);
            }
            zb.datenbankFehler = 0;
            ASSERT_TRUE(zb.Datenbank_pruefen());
            for (const auto& [key, page] : pages) {
                signIn(std::get<0>(key));
                load(2024, std::get<1>(key));
                if (std::get<0>(key) == s.user && std::get<1>(key) == s.month &&
                    snapshot().zeilen == changed.zeilen)
                    continue;  // the save went through before the failure
                expectPage(page);
            }
        }
    }
}

}  // namespace
}  // namespace month_test
