// The grid table's chart: numbers of cell texts, label lines, bars, and the
// way back to the table.
#include <gtest/gtest.h>

#include "tests/controls/tabelle/model/gitter_probe.h"

namespace table {
namespace {

TEST(StrInZahl, HundredthsOfCellTexts) {
    struct Fall {
        const char* text;
        int wert;
    };
    for (const Fall f :
         {Fall{"12", 1200}, Fall{"1.234,5", 123}, Fall{"-3,5", 350}, Fall{"1.234,56", 123},
          Fall{"7,25 \x80", 725}, Fall{"", 0}, Fall{"abc", 0}, Fall{"0,5", 50},
          Fall{"99999999999999", 0}, Fall{"12345678", 1234567800}}) {
        EXPECT_EQ(Str_in_Zahl(f.text), f.wert) << f.text;
    }
}

// Five columns charted on column 2: one label line before, two after.
TEST(GitterGrafik, LabelLinesAroundTheChartedColumn) {
    GitterProbe t;
    t.fuellen(4, 5);
    t.SetCell(1, 2, "10", 0);
    t.SetCell(2, 2, "20", 0);
    t.SetCell(3, 2, "5", 0);
    bool modus = false;
    int meldungen = 0;
    t.OnModeChange = [&](TabelleModell&, bool g) { modus = g, ++meldungen; };
    t.Set_Grafik(true, 2);
    const TabellenGrafik& g = t.grafik();
    EXPECT_TRUE(modus);
    EXPECT_EQ(t.ColCount(), 4);
    EXPECT_EQ(g.L, 2);
    EXPECT_EQ(t.grafikZeilen(1, 1), std::vector<std::string>{"T1: 1/1"});
    EXPECT_EQ(t.grafikZeilen(1, 3), (std::vector<std::string>{"T3: 1/3", "T4: 1/4"}));
    EXPECT_EQ(t.RowHeight(1), 2 * 13);
    EXPECT_EQ(t.RowHeight(0), 16);
    // The longest bar fills column 2 less 4 pixels; the others in proportion.
    EXPECT_EQ(g.volleBreite, t.ColWidth(2) - 4);
    EXPECT_EQ(g.balken[2], g.volleBreite);
    EXPECT_EQ(g.balken[1], (g.volleBreite + 1) / 2);
    t.Set_Grafik(true, 2);  // a re-layout does not report again
    EXPECT_EQ(meldungen, 1);
    EXPECT_EQ(g.balken[2], g.volleBreite);
}

TEST(GitterGrafik, SwitchingOffRestoresTheTable) {
    GitterProbe t;
    t.fuellen(3, 3);
    t.SetColWidth(1, 77);
    bool modus = true;
    t.OnModeChange = [&](TabelleModell&, bool g) { modus = g; };
    t.Set_Grafik(true, 1);
    t.Set_Grafik(false, 0);
    EXPECT_FALSE(modus);
    EXPECT_EQ(t.ColCount(), 3);
    EXPECT_EQ(t.ColWidth(1), 77);
    EXPECT_EQ(t.RowHeight(1), 16);
    EXPECT_EQ(t.DefaultRowHeight(), 16);
    modus = true;
    t.Set_Grafik(false, 0);  // not shown: nothing happens
    EXPECT_TRUE(modus);
}

// Each table restores its own row height, whatever the other charts did.
TEST(GitterGrafik, ChartStateBelongsToEachTable) {
    GitterProbe a, b;
    a.fuellen(3, 3);
    b.fuellen(3, 3);
    b.SetDefaultRowHeight(30);
    a.Set_Grafik(true, 1);
    b.Set_Grafik(true, 2);
    a.Set_Grafik(false, 0);
    EXPECT_EQ(a.DefaultRowHeight(), 16);
    b.Set_Grafik(false, 0);
    EXPECT_EQ(b.DefaultRowHeight(), 30);
}

TEST(GitterGrafik, ColumnOutsideTheTableFallsBackAndOneColumnHasNoChart) {
    GitterProbe t;
    t.fuellen(3, 3);
    t.Set_Grafik(true, 7);
    EXPECT_EQ(t.grafik().v, 1);
    t.Set_Grafik(false, 0);
    GitterProbe eine;
    eine.fuellen(3, 1);
    eine.Set_Grafik(true, 1);
    EXPECT_FALSE(eine.grafik().an);
    EXPECT_EQ(eine.ColCount(), 1);
}

// Two columns charted on column 1: no label lines, rows one line high.
TEST(GitterGrafik, NoLabelLinesStillGivesRowsALine) {
    GitterProbe t;
    t.fuellen(3, 2);
    t.Set_Grafik(true, 1);
    EXPECT_EQ(t.grafik().L, 0);
    EXPECT_EQ(t.RowHeight(1), 13);
    EXPECT_EQ(t.ColWidth(1), -1);
    EXPECT_EQ(t.ColWidth(3), -1);
}

// Cells are stored with the table's own column count while four show.
TEST(GitterGrafik, RefillingKeepsTheCellStride) {
    GitterProbe t;
    t.fuellen(3, 5);
    t.Set_Grafik(true, 2);
    t.SetTabelle(3, 5, 0);
    t.SetCell(1, 4, "x", 0);
    EXPECT_EQ(t.zelle(1, 4), "x");
    EXPECT_EQ(t.GetCell(4, 1), "x");
    t.FEndUpdate(false);
    EXPECT_TRUE(t.grafik().an);
}

// Another column count switches the chart off; it comes back on the column
// with the same title when the new table has it.
TEST(GitterGrafik, ReopensOnTheSameTitleAfterRefill) {
    for (const bool titelDa : {true, false}) {
        GitterProbe t;
        t.fuellen(3, 4);
        t.Set_Grafik(true, 2);
        t.SetTabelle(3, 3, 0);
        EXPECT_FALSE(t.grafik().an);
        EXPECT_TRUE(t.gesperrt());  // the batch stays open
        t.SetCell(0, 0, "A", 0);
        t.SetCell(0, 1, titelDa ? "T2" : "B", 0);
        t.FEndUpdate(false);
        EXPECT_EQ(t.grafik().an, titelDa);
        if (titelDa) {
            EXPECT_EQ(t.grafik().v, 1);
        }
    }
}

TEST(GitterGrafik, NumericColumnsOfferedForTheChart) {
    GitterProbe t;
    t.SetTabelle(3, 4, 3);
    t.SetCell(0, 0, "Name", 0);
    t.SetCell(0, 1, "Betrag", 0);
    t.SetTyp(0);
    t.SetTyp(1);
    t.SetTyp(2);
    t.SetTyp(3);  // beyond the visible limit
    EXPECT_EQ(t.Get_Spalten(0),
              (std::vector<std::pair<std::string, int>>{{"Betrag", 1}, {"Spalte 3", 2}}));
    EXPECT_EQ(t.Get_GrafSpalte(), 1);
}

}  // namespace
}  // namespace table
