// The caption bar without a window: heights, date fields, reported values,
// the print title and the animation frames.
#include <gtest/gtest.h>

#include "controls/table_shared/model/tab_titel.h"
#include "tests/controls/icontab/model/probe.h"

namespace table {
namespace {

TEST(Caption, HeightFromTextAndDateFields) {
    struct Fall {
        bool leer;
        TBereichStyle style;
        int feld, hoehe;
    };
    // clang-format off
    const Fall faelle[] = {
        {true, zaKein, 0, 0},      // no bar
        {true, zaKein, 20, 0},
        {true, zaVonBis, 20, 21},  // the bar stays for the fields
        {true, zaAm, 20, 21},
        {false, zaKein, 20, 18},   // "A" 13 + 5
        {false, zaVon, 20, 21},
        {false, zaVon, 10, 18},
        {false, zaVon, 0, 18},
    };
    // clang-format on
    for (const Fall& f : faelle) EXPECT_EQ(captionHoehe(f.leer, 13, f.style, f.feld), f.hoehe);
}

TEST(Caption, PrintTitleFollowsTheRangeBits) {
    const platform::DateTime a = platform::encodeDate(2026, 3, 1);
    const platform::DateTime b = platform::encodeDate(2026, 3, 31);
    // clang-format off
    const std::tuple<TBereichStyle, const platform::DateTime*, const platform::DateTime*, std::string> faelle[] = {
        {zaKein, &a, &b, "Liste"},
        {zaVon, &a, &b, "Liste vom 01.03.2026"},
        {zaBis, &a, &b, "Liste bis 31.03.2026"},
        {zaVonBis, &a, &b, "Liste vom 01.03.2026 bis 31.03.2026"},
        {zaAm, &a, &b, "Liste am 31.03.2026"},
        {zaVonBis, nullptr, &b, "Liste bis 31.03.2026"},
        {zaVonBis, &a, nullptr, "Liste vom 01.03.2026"},
    };
    // clang-format on
    for (const auto& [style, von, bis, titel] : faelle)
        EXPECT_EQ(druckTitel("Liste", style, von, bis), titel);
}

TEST(NeueZeile, SameTextTwiceRepaintsOnceAndLaysOutTheLine) {
    Probe p;
    p.fuellen(3, 2);
    const int vorher = p.repaints;
    p.SetStrNeu("Neu");
    p.SetStrNeu("Neu");
    EXPECT_EQ(p.repaints, vorher + 1);
    ASSERT_TRUE(p.neueZeileAn());
    const TabBild b = p.bild();
    const auto& z = b.tabellen.front().zeilen;
    ASSERT_GE(z.size(), 3u);
    EXPECT_EQ(z[1].row, kNeueZeile);  // below the fixed row
    EXPECT_EQ(z[1].bottom - z[1].top, p.neueZeileHoehe());
    p.SetStrNeu("");
    EXPECT_FALSE(p.neueZeileAn());
    p.FNeueZeile(true);  // shown without a text
    EXPECT_TRUE(p.neueZeileAn());
}

TEST(StatusFrames, FifteenIsFollowedByZero) {
    for (int f = 0; f < kStatusFrames; ++f) EXPECT_EQ(naechsterFrame(f), f == 15 ? 0 : f + 1);
}

}  // namespace
}  // namespace table
