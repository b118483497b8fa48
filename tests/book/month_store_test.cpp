#include <gtest/gtest.h>

#include <map>
#include <tuple>

#include "platform/core/codepage.h"
#include "tests/book/month_store_fixture.h"

namespace month_test {
namespace {

using book::Action;

// Random pages of several users saved in random order, some months saved
// again, then every page loaded back.
TEST_F(MonthStoreTest, RandomPagesOfSeveralUsersRoundTrip) {
    std::mt19937 rng(20240317);
    makeUsers(3);
    std::map<std::tuple<int, int, int>, Seite> saved;  // (user, year, month)
    for (int step = 0; step < 40; ++step) {
        const int user = static_cast<int>(rng() % 3);
        const int year = 2023 + static_cast<int>(rng() % 2);
        const int month = 1 + static_cast<int>(rng() % 12);
        SCOPED_TRACE("step " + std::to_string(step));
        signIn(user);
        const Seite page = randomPage(rng, year, month, rng() % 3 == 0);
        boxes.clear();  // refused random lines
        ASSERT_TRUE(save());
        EXPECT_TRUE(zb.Datenbank_pruefen()) << int(zb.datenbankFehler);
        EXPECT_FALSE(host.actionEnabled(Action::Speichern));
        saved[{user, year, month}] = page;
    }
    boxes.clear();
    for (const auto& [key, page] : saved) {
        signIn(std::get<0>(key));
        load(std::get<1>(key), std::get<2>(key));
        expectPage(page);
    }
    EXPECT_EQ(boxes.count(), 0u) << boxes.last().text;
}

// The last saved page comes back with month 0; a user without pages gets
// nothing and the line 0 selected.
TEST_F(MonthStoreTest, MonthZeroLoadsTheLastSavedPage) {
    std::mt19937 rng(7);
    makeUsers(2);
    signIn(0);
    randomPage(rng, 2024, 2, false);
    ASSERT_TRUE(save());
    const Seite last = randomPage(rng, 2024, 5, false);
    ASSERT_TRUE(save());

    fresh(2024, 9);
    zb.Monat_laden(0, 0);
    expectPage(last);
    EXPECT_EQ(zb.monat, 5);
    EXPECT_TRUE(host.has("month list 5"));
    EXPECT_TRUE(host.has("year 2024"));

    signIn(1);
    fresh(2024, 9);
    zb.seiteGespeichert = true;
    zb.Monat_laden(0, 0);
    EXPECT_FALSE(zb.seiteGespeichert);
    EXPECT_EQ(zb.aktuelleZeile, 0);
    EXPECT_EQ(zb.seitenMonat, 9);
    EXPECT_EQ(boxes.count(), 0u);
}

// The user's "Keine Automatik" option decides the mode of a page not stored.
TEST_F(MonthStoreTest, PageNotFoundTakesTheUsersStandbyMode) {
    makeUsers(1);
    signIn(0);
    zb.benutzerOptionen = book::kUserKeineAutomatik;
    load(2024, 3);
    EXPECT_TRUE(zb.handModus);
    EXPECT_TRUE(host.has("check ZHand"));
    EXPECT_TRUE(host.has("uncheck ZAutomatik"));
    EXPECT_TRUE(host.has("repaint totals"));
    fresh(2024, 4);
    zb.handModus = true;
    host.calls.clear();
    zb.Monat_laden(4, 2024);
    EXPECT_FALSE(host.has("check ZHand"));  // unchanged: nothing to tick
}

// File bytes of two users' saves, built by hand from the layout tables.
TEST_F(MonthStoreTest, TwoUserFileBytesMatchTheLayout) {
    makeUsers(2);
    const std::string ae = platform::cp1252("Ä");

    signIn(0);
    fresh(2024, 3);
    ASSERT_EQ(type(4, "08:00", "12:00"), -1);
    zb.texte[0] = ae + "b";
    ASSERT_EQ(type(9, "22:00", "02:00", 'V'), -1);
    ASSERT_TRUE(save());

    signIn(1);
    fresh(2024, 2);
    ASSERT_EQ(type(1, "07:30", "09:45", 'M'), -1);
    zb.handModus = true;
    zb.wochen = 20;  // clamped to 15 in the key
    zb.wochenenden = 2;
    zb.wochenPkw = 0;
    zb.wochenendenPkw = 1;
    zb.bereitschaftsListe = {};
    const uint8_t period[5] = {5, 29, 1, 4, 2};
    std::copy(period, period + 5, zb.bereitschaftsListe.begin());
    ASSERT_TRUE(save());

    // User 0 moved behind user 1 with its first save, then user 1 behind user 0.
    std::string entry0;
    u32(entry0, 2024);
    entry0.push_back(3);
    u32(entry0, 0);
    u32(entry0, 2);
    entry0 += scr(std::string{4, 8, 0, 12, 0, 3}) + scrText(ae + "b");
    entry0 += scr(std::string{9, 22, 0, 2, 0, static_cast<char>(0x83)}) + scrText("");

    std::string entry1;
    u32(entry1, 2024u | (0x2u | 0xFu << 4 | 0x1u << 8 | 0x0u << 12) << 16);
    entry1.push_back(2);
    u32(entry1, 0);
    u32(entry1, 2);
    entry1 += scr(std::string{99, 1, 5, 29, 1, 4, 2});
    entry1 += scr(std::string{1, 7, 30, 9, 45, static_cast<char>(0xF2)}) + scrText("");

    std::string dat;
    u32(dat, recordStart[0] + 4);
    u32(dat, static_cast<uint32_t>(12 + entry0.size()));
    u32(dat, 12);
    dat += entry0;
    u32(dat, recordStart[1] + 4);
    u32(dat, 0);
    u32(dat, 12);
    dat += entry1;
    EXPECT_EQ(read(blockPath()), dat);

    std::string log =
        userRecord(0, "u0") + userRecord(static_cast<uint32_t>(12 + entry0.size()), "u1");
    u32(log, 0);
    EXPECT_EQ(read(indexPath()), log);
    EXPECT_TRUE(zb.Datenbank_pruefen());
}

// A hand-mode page with no periods and zero counts: key 0xFFFF, no standby
// record, and back in hand mode with zero counts.
TEST_F(MonthStoreTest, HandModeWithoutCountsStoresFFFF) {
    makeUsers(1);
    signIn(0);
    fresh(2024, 6);
    ASSERT_EQ(type(3, "08:00", "09:00"), -1);
    zb.handModus = true;
    zb.wochen = zb.wochenenden = zb.wochenPkw = zb.wochenendenPkw = 0;
    zb.bereitschaftsListe.fill(0);
    ASSERT_TRUE(save());
    const std::string dat = read(blockPath());
    EXPECT_EQ(u32At(dat, 12), 0xFFFF0000u | 2024u);
    EXPECT_EQ(u32At(dat, 21), 1u);  // one record: the line
    load(2024, 6);
    EXPECT_TRUE(zb.handModus);
    EXPECT_EQ(zb.wochen + zb.wochenenden + zb.wochenPkw + zb.wochenendenPkw, 0);
    EXPECT_TRUE(host.has("check ZHand"));
}

// Four counts of 16 and more each stay in their own four bits.
TEST_F(MonthStoreTest, HandCountsAreClampedIntoTheirFields) {
    makeUsers(1);
    signIn(0);
    fresh(2024, 6);
    zb.handModus = true;
    zb.wochen = 16;
    zb.wochenenden = 1;
    zb.wochenPkw = 200;
    zb.wochenendenPkw = -3;
    ASSERT_TRUE(save());
    EXPECT_EQ(u32At(read(blockPath()), 12) >> 16, 0xF0F1u);
    load(2024, 6);
    EXPECT_EQ(zb.wochen, 15);
    EXPECT_EQ(zb.wochenenden, 1);
    EXPECT_EQ(zb.wochenPkw, 15);
    EXPECT_EQ(zb.wochenendenPkw, 0);
}

// Saving a stored page that is not last moves its entry to the end of the
// block; the others keep content and order. A new page is appended and the
// former last entry gets its real length.
TEST_F(MonthStoreTest, SaveMovesTheEntryLastAndAppendsNewOnes) {
    std::mt19937 rng(3);
    makeUsers(2);
    signIn(0);
    std::map<int, Seite> pages;
    for (int m : {1, 2, 3}) {
        pages[m] = randomPage(rng, 2024, m, false);
        ASSERT_TRUE(save());
    }
    signIn(1);
    randomPage(rng, 2024, 1, false);
    ASSERT_TRUE(save());

    auto months = [&](uint32_t block) {
        const std::string dat = read(blockPath());
        std::vector<int> order;
        for (size_t e = block + 12;;) {
            order.push_back(static_cast<uint8_t>(dat[e + 4]));
            const uint32_t length = u32At(dat, e + 5);
            if (length == 0) {
                EXPECT_EQ(u32At(dat, block + 8), e - block);  // the head names the last entry
                break;
            }
            e += 9 + length;
        }
        return order;
    };
    EXPECT_EQ(months(blockOf(0)), (std::vector<int>{1, 2, 3}));

    signIn(0);
    load(2024, 1);
    pages[1] = snapshot();
    ASSERT_TRUE(save());
    EXPECT_EQ(months(blockOf(0)), (std::vector<int>{2, 3, 1}));
    EXPECT_GT(blockOf(0), blockOf(1));  // the block went to the end of the file

    pages[4] = randomPage(rng, 2024, 4, false);
    ASSERT_TRUE(save());
    EXPECT_EQ(months(blockOf(0)), (std::vector<int>{2, 3, 1, 4}));
    EXPECT_TRUE(zb.Datenbank_pruefen());
    for (const auto& [m, page] : pages) {
        load(2024, m);
        expectPage(page);
    }
}

// A page marked stored whose month is not in the database is appended, never
// written over another month (the flag goes stale after a load error).
TEST_F(MonthStoreTest, StaleStoredFlagAppendsInsteadOfOverwriting) {
    std::mt19937 rng(11);
    makeUsers(1);
    signIn(0);
    const Seite march = randomPage(rng, 2024, 3, false);
    ASSERT_TRUE(save());
    const Seite april = randomPage(rng, 2024, 4, false);
    zb.seiteGespeichert = true;
    ASSERT_TRUE(save());
    EXPECT_TRUE(zb.Datenbank_pruefen());
    load(2024, 3);
    expectPage(march);
    load(2024, 4);
    expectPage(april);
}

// Loading January carries the running standby period over from December of
// the year before: from its latest ordinary line, or from the latest period
// end of a hand-mode December.
TEST_F(MonthStoreTest, JanuaryCarriesTheRunningPeriodOverFromDecember) {
    makeUsers(1);
    signIn(0);
    auto december = [&](char kindOn30th) {
        fresh(2024, 12);
        ASSERT_EQ(type(20, "08:00", "10:00"), -1);
        ASSERT_EQ(type(30, "08:00", "10:00", kindOn30th), -1);
        ASSERT_TRUE(save());
    };
    december(' ');
    fresh(2025, 1);
    ASSERT_EQ(type(2, "08:00", "10:00"), -1);  // Thursday of the week of Monday 30.12.
    ASSERT_TRUE(save());

    load(2025, 1);
    EXPECT_EQ(zb.uebertragStart, platform::dayNumber(2024, 12, 30));
    EXPECT_EQ(zb.wochen, 0);  // the week runs on from December

    december('!');  // "Extra" lines do not count: the latest is Friday 20.12.
    load(2025, 1);
    EXPECT_EQ(zb.uebertragStart, platform::dayNumber(2024, 12, 16));
    EXPECT_EQ(zb.wochen, 1);

    // A hand-mode December: the latest period end; a period into the next
    // year ends in that year.
    load(2024, 12);
    zb.handModus = true;
    zb.bereitschaftsListe = {};
    const uint8_t periods[10] = {1 | 0x40, 30, 12, 5, 1, 50, 9, 12, 15, 12};
    std::copy(periods, periods + 10, zb.bereitschaftsListe.begin());
    ASSERT_TRUE(save());
    load(2025, 1);
    EXPECT_EQ(zb.uebertragStart, platform::dayNumber(2024, 12, 30));

    // No month before: nothing carried.
    load(2025, 3);
    EXPECT_EQ(zb.uebertragStart, 0);
    EXPECT_EQ(boxes.count(), 0u);
}

// The administrator alone has no block: nothing is written into whatever
// block the book last pointed at, and nothing is read from it.
TEST_F(MonthStoreTest, AdministratorWithoutUserBlockNeverTouchesABlock) {
    makeUsers(2);
    signIn(1);
    fresh(2024, 3);
    ASSERT_EQ(type(4, "08:00", "12:00"), -1);
    ASSERT_TRUE(save());
    const std::string before = read(blockPath());
    zb.benutzerName.clear();  // administrator session, stale block offset
    fresh(2024, 4);
    ASSERT_EQ(type(4, "08:00", "12:00"), -1);
    EXPECT_FALSE(save());
    EXPECT_EQ(read(blockPath()), before);
    load(2024, 3);
    EXPECT_EQ(zb.zeilen.size(), 1u);
    EXPECT_EQ(boxes.count(), 0u);
}

}  // namespace
}  // namespace month_test
