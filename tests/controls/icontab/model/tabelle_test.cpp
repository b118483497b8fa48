// Tables and cells: creation, cell measuring, the new-record row, batches.
#include <gtest/gtest.h>

#include "tests/controls/icontab/model/probe.h"

namespace table {
namespace {

// Default metric: 6 px a character, 7 bold, lines 13, title rows 19.
constexpr int kZeile = 13;

TEST(SetTabelle, RowCountsAndVisibleColumns) {
    struct Fall {
        unsigned rows;
        bool neu;
        int sicht;
        int zeilen;
        int sichtbar;
    };
    for (const Fall f : {Fall{0, false, 2, 2, 2}, Fall{5, false, 0, 5, 3}, Fall{5, true, -1, 6, 3},
                         Fall{0, true, 4, 2, 3}, Fall{3, false, 1, 3, 1}}) {
        Probe t;
        t.NeuerDatensatz = f.neu;
        t.SetTabelle(f.rows, 3, f.sicht, 0);
        EXPECT_EQ(t.GetRowCount(true), f.zeilen) << f.rows;
        EXPECT_EQ(t.GetColCount(), f.sichtbar) << f.sicht;
        EXPECT_EQ(t.aktuelleTabelle()->Hoehe, f.zeilen * 18);
        EXPECT_TRUE(t.gesperrt());
    }
}

TEST(SetCell, NumericColumnsAndMeasuredWidths) {
    struct Fall {
        const char* text;
        bool numerisch;
        int breitester;  // widest line + 4
        int zeilen;
    };
    for (const Fall f :
         {Fall{"12.5", true, 28, 1}, Fall{"12,5", false, 28, 1}, Fall{"", true, 4, 1},
          Fall{"ab\r\nabcd", false, 28, 2}, Fall{"a\rb\rc", false, 10, 3}}) {
        Probe t;
        t.KeineAngaben = false;
        t.SetTabelle(3, 2, -1, 0);
        t.SetCell(1, 1, f.text);
        const Tabdefinition& tab = *t.aktuelleTabelle();
        EXPECT_EQ(tab.Numerisch[1] == 1, f.numerisch) << f.text;
        EXPECT_EQ(tab.SpaltenInfo[1].Breitester, f.breitester) << f.text;
        EXPECT_EQ(tab.Rows[1].Hoehe, 18 + (f.zeilen - 1) * kZeile) << f.text;
        EXPECT_EQ(tab.Hoehe, 3 * 18 + (f.zeilen - 1) * kZeile) << f.text;
    }
}

TEST(SetCell, OutOfRangeIsIgnoredAndPaddingMeasuresKeineAngaben) {
    Probe t;
    t.SetTabelle(3, 2, -1, 0);
    t.SetCell(3, 0, "x");
    t.SetCell(0, 2, "x");
    EXPECT_TRUE(t.aktuelleTabelle()->Zellen.empty());
    t.SetCell(2, 1, "x");  // pads five cells before it
    const Tabdefinition& tab = *t.aktuelleTabelle();
    EXPECT_EQ(tab.Zellen.size(), 6u);
    EXPECT_EQ(tab.SpaltenInfo[0].Breite, 78 + 8);
    EXPECT_EQ(t.GetCell(1, 2), "x");
    EXPECT_EQ(t.GetCell(0, 1), "");
}

TEST(SetCell, AutoBreiteWidensWithRoomForTheTitleMarker) {
    Probe t;
    t.AutoBreite = true;
    t.KeineAngaben = false;
    t.MitUeberschrift = true;
    t.SetOrder(true);
    t.SetTabelle(3, 2, -1, 0);
    t.SetCell(0, 0, "Name");        // 24 + 4 + 16
    t.SetCell(1, 1, "abcdefghij");  // 60 + 4 + 4
    EXPECT_EQ(t.aktuelleTabelle()->SpaltenInfo[0].Breite, 44);
    EXPECT_EQ(t.aktuelleTabelle()->SpaltenInfo[1].Breite, 68);
    EXPECT_EQ(t.aktuelleTabelle()->BreitesterTitel, 6 * 7);  // "Name: " bold
}

TEST(SetCell, NewRecordRowAsksOnceAndAppendsOneRow) {
    struct Fall {
        bool handler;
        bool erlauben;
        int zeilen;
    };
    for (const Fall f : {Fall{false, true, 4}, Fall{true, true, 4}, Fall{true, false, 3}}) {
        Probe t;
        t.NeuerDatensatz = true;
        t.SetTabelle(2, 2, -1, 0);  // 1 title, 1 data, the new-record row
        int gefragt = 0;
        if (f.handler) {
            t.OnNewRow = [&](IconTabModell& sender, int row, bool& enabled, int tab) {
                ++gefragt;
                EXPECT_EQ(&sender, &t);
                EXPECT_EQ(row, 2);
                EXPECT_EQ(tab, 0);
                sender.SetCell(2, 1, "im Handler");  // appends nothing by itself
                enabled = f.erlauben;
            };
        }
        t.SetCell(2, 0, "neu");
        EXPECT_EQ(gefragt, f.handler ? 1 : 0);
        EXPECT_EQ(t.GetRowCount(true), f.zeilen);
        t.SetCell(1, 0, "");  // not the last row
        EXPECT_EQ(t.GetRowCount(true), f.zeilen);
    }
}

TEST(SetCell, GroupsEqualLeadingCells) {
    Probe t;
    t.Group = true;
    t.SetTabelle(4, 3, -1, 0);
    for (int r = 1; r < 4; ++r) t.SetCell(r, 0, r < 3 ? "A" : "B");
    t.SetCell(1, 1, "x");
    t.SetCell(2, 1, "x");
    const Tabdefinition& tab = *t.aktuelleTabelle();
    EXPECT_EQ(tab.Rows[1].Gruppe, 0);  // the first data row starts groups
    EXPECT_EQ(tab.Rows[2].Gruppe, 2);
    EXPECT_EQ(tab.Rows[3].Gruppe, 0);
}

TEST(Abstaende, NegativeGapKeepsTheOldOneButRepaints) {
    Probe t;
    t.SetH_Abstand(7);
    t.SetV_Abstand(-3);
    const int vorher = t.repaints;
    t.SetH_Abstand(-1);
    EXPECT_EQ(t.Horizontalabstand(), 7);
    EXPECT_EQ(t.Vertikalabstand(), 40);
    EXPECT_EQ(t.repaints, vorher + 1);
}

TEST(FEndUpdate, CountsRecordsOverAllTablesAndUnlocks) {
    Probe t;
    t.NeuerDatensatz = true;
    t.SetTabelle(3, 1, -1, 0);  // 2 data rows + new-record row
    t.SetTabelle(2, 1, -1, 1);  // 1 data row + new-record row
    t.FEndUpdate(false);
    EXPECT_FALSE(t.gesperrt());
    EXPECT_EQ(t.Hint(), "3 Datens\xE4tze in der Tabelle");
    EXPECT_GT(t.balken, 0);
}

TEST(Tabellen, CreatedInOrderOnlyAndRenumberedWhenOneGoes) {
    Probe t;
    t.SetTabelle(2, 1, -1, 0);
    EXPECT_EQ(t.GetTabelle(3, true), nullptr);
    EXPECT_EQ(t.tabellenZahl(), 1);
    t.SetTabelle(2, 1, -1, 1);
    t.SetTabelle(2, 1, -1, 2);
    t.SetSelectTab(1);
    t.ClearTabs(1);
    EXPECT_EQ(t.tabellenZahl(), 2);
    EXPECT_EQ(t.GetTabelle(1, false)->Nummer, 1);
    EXPECT_EQ(t.aktuelleTabelle(), nullptr);
    EXPECT_EQ(t.GetSelectTab(), -1);
    t.SetCell(0, 0, "x");  // no current table: nothing happens
    EXPECT_EQ(t.GetCell(0, 0), "");
    t.ClearTabs(-1);
    EXPECT_EQ(t.GetRow(), -2);
    EXPECT_EQ(t.GetCell(0, -1), "");
}

TEST(Tab_Kopie, CopiesCellByCellAndTheWidths) {
    Probe quelle, ziel;
    quelle.SetTabelle(3, 2, -1, 0);
    quelle.SetCell(1, 0, "zwei\r\nZeilen");
    quelle.SetCell(1, 1, "danach");
    quelle.SetColWidth(1, 77);
    quelle.Tab_Kopie(&ziel);
    EXPECT_EQ(ziel.GetCell(0, 1), "zwei\r\nZeilen");
    EXPECT_EQ(ziel.GetCell(1, 1), "danach");
    EXPECT_EQ(ziel.aktuelleTabelle()->SpaltenInfo[1].Breite, 77);
    EXPECT_FALSE(ziel.gesperrt());
}

TEST(Suche, AttachDetachAndColumnCommands) {
    Probe t;
    t.suchfeld = true;
    t.SetTabelle(3, 2, -1, 0);
    EXPECT_TRUE(t.verbunden);
    t.Suche(kAngekoppelt);
    EXPECT_EQ(t.rahmenFarbe(), kSuchRahmen);
    t.SetCell(0, 1, "Ort");  // the title row names the column in the field
    ASSERT_EQ(t.spaltenNamen.size(), 1u);
    EXPECT_EQ(t.spaltenNamen[0], std::make_pair(std::string("Ort"), 1));
    t.Suche(kSpalteGewaehlt + 1);
    EXPECT_EQ(t.suchSpalte(), 1);
    t.Suche(kSpalteGewaehlt + kSpaltenGrenze - 1);
    EXPECT_EQ(t.suchSpalte(), kSpaltenGrenze - 1);
    for (const Such_Kommando zuWeit : {kSpaltenGrenze, 1000}) {
        t.Suche(kSpalteGewaehlt + 1);
        t.Suche(kSpalteGewaehlt + zuWeit);  // cannot be reported: ignored
        EXPECT_EQ(t.suchSpalte(), 1);
    }
    t.Suche(kAbgekoppelt);
    EXPECT_EQ(t.rahmenFarbe(), kBtnFace);
}

}  // namespace
}  // namespace table
