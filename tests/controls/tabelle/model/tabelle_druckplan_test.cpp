// Fitting the grid table to the page and splitting it into pages.
#include "controls/tabelle/model/tabelle_druckplan.h"

#include <gtest/gtest.h>

#include "tests/controls/tabelle/model/gitter_probe.h"

namespace table {
namespace {

// Two columns "abcd" and "ab": 4 m + total is 72 px at 8 points, 84 at 9,
// 96 at 10 and 11, 108 at 12 (characters of 3/4 of the point size).
void zweiSpalten(GitterProbe& t, int rows) {
    t.SetTabelle(rows, 2, 0);
    t.SetCell(0, 0, "abcd", 0);
    t.SetCell(0, 1, "ab", 0);
    t.FEndUpdate(false);
}

TEST(GitterDruckplan, FontFitsTheWidthPortraitThenLandscape) {
    struct Fall {
        int start, hoch, quer;
        bool zuBreit, querformat;
        int groesse;
    };
    for (const Fall f : {Fall{8, 100, 150, false, false, 11}, Fall{8, 1000, 1500, false, false, 17},
                         Fall{8, 70, 100, false, true, 11}, Fall{12, 100, 105, false, true, 11},
                         Fall{8, 50, 60, true, true, 8}, Fall{20, 1000, 1500, false, false, 20}}) {
        GitterProbe t;
        zweiSpalten(t, 3);
        FesteGitterMetrik m;
        const GitterDruckPlan p = planeDruck(t, m, f.start, {f.hoch, 2000}, {f.quer, 1000});
        EXPECT_EQ(p.zuBreit, f.zuBreit) << f.start << "/" << f.hoch;
        EXPECT_EQ(p.quer, f.querformat) << f.start << "/" << f.hoch;
        if (!f.zuBreit) {
            EXPECT_EQ(p.groesse, f.groesse) << f.start << "/" << f.hoch;
        }
        EXPECT_EQ(p.druckbar(), !f.zuBreit);
    }
}

// At 17 points rows are 28 px: a page of 1540 px holds 50 rows on the first
// page and 52 on the others.
TEST(GitterDruckplan, PagesSplitTheDataRows) {
    struct Fall {
        int rowCount, seiten, letzte;
    };
    for (const Fall f : {Fall{101, 2, 50}, Fall{51, 1, 50}, Fall{2, 1, 1}, Fall{160, 4, 5}}) {
        GitterProbe t;
        zweiSpalten(t, f.rowCount);
        FesteGitterMetrik m;
        const GitterDruckPlan p = planeDruck(t, m, 8, {1000, 1540}, {1540, 1000});
        EXPECT_EQ(p.rh, 28);
        EXPECT_EQ(p.erste, 50);
        EXPECT_EQ(p.weitere, 52);
        EXPECT_EQ(p.seiten, f.seiten) << f.rowCount;
        EXPECT_EQ(p.zeilenAufSeite(p.seiten - 1), f.letzte) << f.rowCount;
        int summe = 0;
        for (int s = 0; s < p.seiten; ++s) {
            EXPECT_EQ(p.ersteZeile(s), 1 + summe);
            summe += p.zeilenAufSeite(s);
        }
        EXPECT_EQ(summe, f.rowCount - 1);
    }
}

TEST(GitterDruckplan, ChartRowsTakeTheirLinesAndTheBarAThird) {
    GitterProbe t;
    t.fuellen(5, 5);
    t.Set_Grafik(true, 2);  // L = 2
    FesteGitterMetrik m;
    const GitterDruckPlan p = planeDruck(t, m, 8, {900, 1540}, {1540, 900});
    ASSERT_EQ(p.breiten.size(), 4u);
    EXPECT_GE(p.breiten[2], 300);
    EXPECT_EQ(p.erste, 25);
    EXPECT_EQ(p.weitere, 26);
}

TEST(GitterDruckplan, NewRowLineIsNotPrinted) {
    GitterProbe t;
    t.FNeueZeile(true);
    t.fuellen(4, 2);
    FesteGitterMetrik m;
    const GitterDruckPlan p = planeDruck(t, m, 8, {1000, 1540}, {1540, 1000});
    EXPECT_EQ(p.zeilen, 3);
}

}  // namespace
}  // namespace table
