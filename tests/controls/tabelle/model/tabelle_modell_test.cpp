// The grid table's cells, rows, hint, sort column and type-ahead search.
#include <gtest/gtest.h>

#include "tests/controls/tabelle/model/gitter_probe.h"

namespace table {
namespace {

constexpr TColor kRot = 0x0000FF;

TEST(GitterTabelle, SetTabelleRowCountsAndVisibleLimit) {
    struct Fall {
        int rows, cols;
        unsigned sicht;
        bool neu;
        int rowCount;
        unsigned grenze;
    };
    for (const Fall f : {Fall{0, 3, 3, false, 2, TabelleModell::kAlle},
                         Fall{0, 3, 3, true, 3, TabelleModell::kAlle}, Fall{10, 4, 2, false, 10, 2},
                         Fall{5, 2, 0, true, 6, TabelleModell::kAlle}}) {
        GitterProbe t;
        if (f.neu) t.FNeueZeile(true);
        t.SetTabelle(f.rows, f.cols, f.sicht);
        EXPECT_EQ(t.RowCount(), f.rowCount) << f.rows;
        EXPECT_EQ(t.ColCount(), f.cols);
        EXPECT_EQ(t.sichtGrenze(), f.grenze);
        EXPECT_TRUE(t.gesperrt());
    }
}

TEST(GitterTabelle, SetCellPadsTheListAndGetCellAddressesGridRows) {
    for (const bool neu : {false, true}) {
        GitterProbe t;
        t.FNeueZeile(neu);
        t.SetTabelle(10, 3, 3);
        t.SetCell(5, 1, "x", kRot);
        EXPECT_EQ(t.zelle(5, 1), "x");
        EXPECT_EQ(t.zelle(5, 0), "");
        EXPECT_EQ(t.zeilenFarbe(5), kRot);
        EXPECT_EQ(t.GetCell(1, neu ? 6 : 5), "x");
        if (neu) {
            EXPECT_EQ(t.GetCell(1, 1), "");
        }
        EXPECT_EQ(t.GetCell(2, 99), "");
        // Outside the stored table nothing is stored.
        t.SetCell(10, 0, "weg", 0);
        t.SetCell(1, 3, "weg", 0);
        t.SetCell(-1, 0, "weg", 0);
        EXPECT_EQ(t.GetCell(0, neu ? 11 : 10), "");
    }
}

TEST(GitterTabelle, HintCountsRowsAfterTheTitlesNeverBelowZero) {
    struct Fall {
        int gefuellt;  // stored rows with cells, titles included
        const char* hint;
    };
    for (const Fall f :
         {Fall{4, "3 Datens\xE4tze in der Tabelle"}, Fall{2, "1 Datensatz in der Tabelle"},
          Fall{0, "0 Datens\xE4tze in der Tabelle"}}) {
        GitterProbe t;
        t.SetTabelle(10, 2, 0);
        for (int r = 0; r < f.gefuellt; ++r) t.SetCell(r, 0, "a", 0);
        t.FEndUpdate(false);
        EXPECT_EQ(t.Hint(), f.hint);
    }
}

// The direction is the user's (a click on the sort title turns it); writing
// the column, also a plain column number, leaves it as it is.
TEST(GitterTabelle, SortColumnRoundTripsWithItsDirection) {
    GitterProbe t;
    t.Sortierung = true;
    t.fuellen(3, 5);
    for (const int spalte : {0, 1, 4}) {
        for (const bool ab : {false, true}) {
            if (t.Abwaerts() != ab)
                t.titelDruck(TabelleModell::Knopf::Links, t.CellRect(t.sortSpalte(), 0).left + 2);
            const char c = static_cast<char>(spalte | (ab ? 0x80 : 0));
            t.WSort_Spalte(c);
            EXPECT_EQ(t.FSort_Spalte(), c);
            EXPECT_EQ(t.sortSpalte(), spalte);
            EXPECT_EQ(t.Abwaerts(), ab);
            t.WSort_Spalte(static_cast<char>(spalte));
            EXPECT_EQ(t.Abwaerts(), ab);
        }
    }
    t.WSort_Spalte(7);  // beyond the columns
    EXPECT_EQ(t.sortSpalte(), 0);
}

TEST(GitterTabelle, TitleClicksChooseSortAndSearchColumns) {
    GitterProbe t;
    t.Sortierung = true;
    t.fuellen(3, 3);
    std::vector<std::pair<int, bool>> gemeldet;
    t.OnSortCell = [&](TabelleModell&, char s, bool ab) { gemeldet.emplace_back(s, ab); };
    const int x1 = t.CellRect(1, 0).left + 3;
    t.titelDruck(TabelleModell::Knopf::Links, x1);
    EXPECT_EQ(t.gedrueckteSpalte(), 1);
    t.loslassen();
    EXPECT_EQ(t.gedrueckteSpalte(), -1);
    t.titelDruck(TabelleModell::Knopf::Links, x1);
    t.titelDruck(TabelleModell::Knopf::Links, 2);
    EXPECT_EQ(gemeldet, (std::vector<std::pair<int, bool>>{{2, false}, {2, true}, {1, true}}));
    t.Sortierung = false;
    t.titelDruck(TabelleModell::Knopf::Rechts, t.CellRect(2, 0).left + 1);
    EXPECT_EQ(t.suchSpalte(), 2);
    t.titelDruck(TabelleModell::Knopf::Links, 10000);  // right of the last column
    EXPECT_EQ(t.gedrueckteSpalte(), 2);
}

TEST(GitterTabelle, SetRowZeroAndPastTheEnd) {
    GitterProbe t;
    t.fuellen(5, 2);
    t.SetRow(3);
    EXPECT_EQ(t.GetRow(), 3);
    t.SetRow(0);
    EXPECT_EQ(t.GetRow(), 1);
    EXPECT_TRUE(t.zeileNull());
    t.SetRow(4);
    t.SetRow(5);  // past the last row: ignored
    EXPECT_EQ(t.GetRow(), 4);
    EXPECT_FALSE(t.zeileNull());
    t.SetRow(-1);
    EXPECT_EQ(t.GetRow(), -1);
    EXPECT_EQ(t.GetCell(0, -1), "");
    t.SetRow(2);
    EXPECT_EQ(t.GetCell(0, -1), "2/0");
}

TEST(GitterTabelle, KeysMoveTheRowAndReportIt) {
    GitterProbe t;
    t.fuellen(40, 2);
    std::vector<long> gemeldet;
    t.OnSelectCell = [&](TabelleModell&, long r) { gemeldet.push_back(r); };
    using T = TabelleModell::Taste;
    t.KeyDown(T::Runter);
    t.KeyDown(T::Links);
    t.KeyDown(T::Ende);
    t.KeyDown(T::Runter);  // at the end: no change, no event
    t.KeyDown(T::Anfang);
    EXPECT_EQ(gemeldet, (std::vector<long>{2, 39, 1}));
    t.KeyDown(T::SeiteRunter);
    EXPECT_GT(t.Row(), 5);
    EXPECT_GE(t.Row(), t.TopRow());
}

TEST(GitterTabelle, DoubleClickOnlyAfterADataPress) {
    GitterProbe t;
    t.fuellen(4, 2);
    int klicks = 0;
    t.OnDoppelKlick = [&](TabelleModell&) { ++klicks; };
    t.titelDruck(TabelleModell::Knopf::Links, 2);
    t.EvDoppelK();
    t.datenDruck();
    t.EvDoppelK();
    t.Suche(kEnterGedrueckt);
    EXPECT_EQ(klicks, 2);
}

// The search without a field compares the typed text with the cell in
// capitals: a lower-case letter never matches and is taken back.
TEST(GitterTabelle, OwnSearchTextMatchesCapitalsOnly) {
    GitterProbe t;
    t.SetTabelle(4, 1, 0);
    for (const auto& [r, s] : {std::pair{0, "Name"}, {1, "Meier"}, {2, "m\xFCller"}, {3, "Moos"}})
        t.SetCell(r, 0, s, 0);
    t.FEndUpdate(false);
    t.KeyPress('m');
    EXPECT_EQ(t.beeps, 1);
    EXPECT_EQ(t.eigenerSuchText(), "");
    t.KeyPress('M');
    t.KeyPress('\xDC');
    EXPECT_EQ(t.Row(), 2);
    EXPECT_EQ(t.eigenerSuchText(), "M\xDC");
    EXPECT_EQ(t.beeps, 1);
}

// With a field: an equal cell wins at once, otherwise the last cell the text
// is a prefix of, walking from the row after the current one and round.
TEST(GitterTabelle, FieldSearchTakesTheLastPrefixOrAnEqualCell) {
    struct Fall {
        const char* text;
        int start;
        bool von;
        int row;
        int beeps;
    };
    for (const Fall f : {Fall{"m\xFC", 1, false, 5, 0}, Fall{"m\xFC", 3, true, 2, 0},
                         Fall{"m\xFCller", 1, true, 4, 0}, Fall{"mx", 2, false, 2, 1}}) {
        GitterProbe t;
        t.feld = true;
        t.SetTabelle(6, 1, 0);
        for (const auto& [r, s] : {std::pair{0, "Name"},
                                   {1, "Abel"},
                                   {2, "M\xFCnz"},
                                   {3, "Maier"},
                                   {4, "M\xFCller"},
                                   {5, "M\xFCllerin"}})
            t.SetCell(r, 0, s, 0);
        t.FEndUpdate(false);
        t.SetRow(f.start);
        t.feldText = f.text;
        t.von = f.von;
        t.Suche(kSucheJetzt);
        EXPECT_EQ(t.Row(), f.row) << f.text << " from " << f.start;
        EXPECT_EQ(t.beeps, f.beeps);
        if (f.beeps) {
            EXPECT_EQ(t.notFund, std::vector<int>{1});
        }
    }
}

TEST(GitterTabelle, SearchFieldIsLinkedAndNamedOnFocus) {
    GitterProbe t;
    t.feld = true;
    t.fuellen(3, 3);
    EXPECT_TRUE(t.feldZiel);
    t.Suche(kAngekoppelt);
    EXPECT_EQ(t.fixedFarbe(), 0x00FFFFu);
    t.spaltenNamen.clear();
    t.EvActivate();
    EXPECT_EQ(t.spaltenNamen,
              (std::vector<std::pair<std::string, int>>{{"T0", 0}, {"T1", 1}, {"T2", 2}}));
    t.Suche(kSpalteGewaehlt + 2);
    EXPECT_EQ(t.suchSpalte(), 2);
    t.Suche(kAbgekoppelt);
    EXPECT_EQ(t.fixedFarbe(), kBtnFace);
}

TEST(GitterTabelle, AutoWidthFitsTextsAndStretchesTheLastColumn) {
    GitterProbe t;
    t.AutoBreite = true;
    t.MitUeberschrift = true;
    t.Sortierung = true;
    t.SetTabelle(3, 3, 0);
    EXPECT_EQ(t.ColWidth(0), -1);
    t.SetCell(0, 0, "Titel", 0);     // 30 px
    t.SetCell(1, 0, "abcdefgh", 0);  // 48 px
    t.SetCell(0, 1, "abc", 0);
    t.SetCell(0, 2, "z", 0);
    EXPECT_EQ(t.ColWidth(0), 48 + 6);
    EXPECT_EQ(t.ColWidth(1), 18 + 18);
    // The last column and its grid line take the room up to the right edge.
    EXPECT_EQ(t.ColWidth(2), 400 - 3 - 54 - 36);
    EXPECT_EQ(t.CellRect(2, 0).right + 1, 400);
}

// The options the grid table starts with and what each changes; fixed
// columns stay at the left, show no selection and take no press.
TEST(GitterTabelle, OptionsAndFixedColumns) {
    const TGridOptions start = goFixedVertLine | goFixedHorzLine | goVertLine | goHorzLine |
                               goRowSelect | goColSizing | goThumbTracking;
    EXPECT_EQ(GitterProbe().Options(), start);
    struct Fall {
        TGridOptions an, aus;
        platform::Rect zelle12;
        int sizing;  // groessenSpalte at the border of column 0
        int row;     // the current row after Shift+Down from row 2
        bool ganz;   // column 2 of row 3 is selected
    };
    for (const Fall f : {Fall{0, 0, {65, 34, 129, 50}, 0, 3, true},
                         Fall{0, goVertLine | goHorzLine, {64, 32, 128, 48}, 0, 3, true},
                         Fall{0, goColSizing | goRowSelect, {65, 34, 129, 50}, -1, 3, false},
                         Fall{goRangeSelect, 0, {65, 34, 129, 50}, 0, 2, true}}) {
        GitterProbe t;
        t.fuellen(6, 3);
        t.SetOptions((start | f.an) & ~f.aus);
        t.SetRow(2);
        t.KeyDown(TabelleModell::Taste::Runter, true);
        EXPECT_EQ(t.CellRect(1, 2), f.zelle12) << f.aus;
        EXPECT_EQ(t.groessenSpalte(64, 5), f.sizing) << f.aus;
        EXPECT_EQ(std::tuple(t.Row(), t.AnkerRow(), t.gewaehlt(2, 3)), std::tuple(f.row, 3, f.ganz))
            << f.an;
    }
    GitterProbe t;
    t.fuellen(5, 8);
    t.SetFixedCols(1);
    t.SetRow(2);
    t.SetLeftCol(99);  // 5 columns of 64 + 1 fill the 335 pixels beside the fixed one
    EXPECT_EQ(
        std::tuple(t.LeftCol(), t.CellRect(0, 2).left, t.CellRect(3, 2).left, t.spalteBei(70)),
        std::tuple(3, 0, 65, 3));
    EXPECT_FALSE(t.gewaehlt(0, 2));
    EXPECT_FALSE(t.zellDruck(10, t.CellRect(3, 4).top, false));
    EXPECT_EQ(t.Row(), 2);
    t.SetFixedCols(20);
    EXPECT_EQ(t.FixedCols(), 7);  // one column always scrolls
}

}  // namespace
}  // namespace table
