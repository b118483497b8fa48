#include <gtest/gtest.h>

#include <map>
#include <tuple>

#include "platform/core/codepage.h"
#include "tests/book/database/month_store_fixture.h"

namespace month_test {
namespace {

using book::Action;
using namespace dbtest;

// Random pages of several users saved in random order, some months saved
// again, then every page loaded back; the check passes after every save. A
// page wrongly marked stored (the flag goes stale after a load error) whose
// month is not in the database is appended, never written over another month.
TEST_F(MonthStoreTest, RandomPagesOfSeveralUsersRoundTrip) {
    std::mt19937 rng(20240317);
    makeUsers(3);
    std::map<std::tuple<int, int, int>, Seite> saved;  // (user, year, month)
    for (int step = 0; step < 40; ++step) {
        const int user = static_cast<int>(rng() % 3), year = 2023 + static_cast<int>(rng() % 2);
        const int month = 1 + static_cast<int>(rng() % 12);
        SCOPED_TRACE(step);
        signIn(user);
        saved[{user, year, month}] = randomPage(rng, year, month, rng() % 3 == 0);
        boxes.clear();  // refused random lines
        zb.seiteGespeichert = rng() % 2;
        ASSERT_TRUE(save());
        EXPECT_TRUE(zb.Datenbank_pruefen()) << int(zb.datenbankFehler);
        EXPECT_FALSE(host.actionEnabled(Action::Speichern));
    }
    for (const auto& [key, page] : saved) {
        signIn(std::get<0>(key));
        load(std::get<1>(key), std::get<2>(key));
        expectPage(page);
    }
    EXPECT_EQ(boxes.count(), 0u) << boxes.last().text;
}

// Two users' saves against hand-built bytes; a hand count of 20 is clamped to
// 15 in the key instead of spilling into its neighbour.
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
    setHand({20, 2, 0, 1}, {5, 29, 1, 4, 2});
    ASSERT_TRUE(save());

    // User 0 moved behind user 1 with its first save, then user 1 behind user 0.
    const std::string b0 = block(
        recordStart[0] + 4, false,
        {entry(2024, 3, {line(4, 8, 0, 12, 0, 3, ae + "b"), line(9, 22, 0, 2, 0, 0x83)}, true)});
    const std::string b1 =
        block(recordStart[1] + 4, true,
              {entry(2024u | 0x01F2u << 16, 2,
                     {standby({{{5, 29, 1, 4, 2}}}), line(1, 7, 30, 9, 45, 0xF2)}, true)});
    EXPECT_EQ(readFile(blockPath()), b0 + b1);
    EXPECT_EQ(readFile(indexPath()),
              userRecord(0, "u0") + userRecord(static_cast<uint32_t>(b0.size()), "u1") + u32(0));
    EXPECT_TRUE(zb.Datenbank_pruefen());
}

// Month 0 loads the last saved page; a user without pages gets nothing, and
// a page not stored takes the user's "Keine Automatik" standby mode.
TEST_F(MonthStoreTest, MonthZeroAndPagesNotStored) {
    std::mt19937 rng(7);
    makeUsers(2);
    signIn(0);
    for (const int month : {2, 5}) {
        randomPage(rng, 2024, month, false);
        ASSERT_TRUE(save());
    }
    const Seite may = snapshot();
    fresh(2024, 9);
    zb.Monat_laden(0, 0);
    expectPage(may);
    EXPECT_TRUE(host.has("month list 5") && host.has("year 2024"));
    signIn(1);
    fresh(2024, 9);
    zb.seiteGespeichert = true;
    zb.benutzerOptionen = book::kUserKeineAutomatik;
    zb.Monat_laden(0, 0);
    EXPECT_FALSE(zb.seiteGespeichert);
    EXPECT_EQ(zb.aktuelleZeile * 100 + zb.seitenMonat, 9);
    EXPECT_TRUE(zb.handModus && host.has("check ZHand"));
    EXPECT_EQ(boxes.count(), 0u);
}

// January carries the running standby period over from December of the year
// before: from its latest ordinary line, or the latest period end of a
// hand-mode December.
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
    december('!');            // "Extra" lines do not count: the latest is Friday 20.12.
    load(2025, 1);
    EXPECT_EQ(zb.uebertragStart, platform::dayNumber(2024, 12, 16));
    EXPECT_EQ(zb.wochen, 1);
    // A period into the next year ends in that year.
    load(2024, 12);
    setHand({zb.wochen, zb.wochenenden, zb.wochenPkw, zb.wochenendenPkw},
            {1 | 0x40, 30, 12, 5, 1, 50, 9, 12, 15, 12});
    ASSERT_TRUE(save());
    load(2025, 1);
    EXPECT_EQ(zb.uebertragStart, platform::dayNumber(2024, 12, 30));
    load(2025, 3);  // no month before: nothing carried
    EXPECT_EQ(zb.uebertragStart, 0);
    EXPECT_EQ(boxes.count(), 0u);
}

// An administrator session never reads or writes a user block left over
// from an earlier sign-in.
TEST_F(MonthStoreTest, AdministratorWithoutUserBlockNeverTouchesABlock) {
    makeUsers(2);
    signIn(1);
    fresh(2024, 3);
    ASSERT_EQ(type(4, "08:00", "12:00"), -1);
    ASSERT_TRUE(save());
    const std::string before = readFile(blockPath());
    zb.benutzerName.clear();  // administrator session, stale block offset
    fresh(2024, 4);
    ASSERT_EQ(type(4, "08:00", "12:00"), -1);
    EXPECT_FALSE(save());
    EXPECT_EQ(readFile(blockPath()), before);
    load(2024, 3);
    EXPECT_EQ(zb.zeilen.size(), 1u);
    EXPECT_EQ(boxes.count(), 0u);
}

}  // namespace
}  // namespace month_test
