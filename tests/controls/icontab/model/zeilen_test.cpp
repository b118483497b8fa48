// Rows: insert, delete, clear, selection, row kinds, lazy data columns.
#include <gtest/gtest.h>

#include "platform/core/message_box.h"
#include "tests/controls/icontab/model/probe.h"

namespace table {
namespace {

TEST(InsertRow, AppendsInsertsAndRefuses) {
    Probe t;
    t.fuellen(4, 2);  // 1 title + 3 data rows
    EXPECT_EQ(t.InsertRow(-1, nullptr, 1, -1), 5);
    EXPECT_EQ(t.GetRowCount(false), 4);
    EXPECT_EQ(t.GetCell(0, 4), "");
    const std::vector<std::string> texte{"a", "b", "c", "d"};
    EXPECT_EQ(t.InsertRow(2, &texte, 2, 7), 4);
    EXPECT_EQ(t.GetRowCells(2), (std::vector<std::string>{"a", "b"}));
    EXPECT_EQ(t.GetRowCells(3), (std::vector<std::string>{"c", "d"}));
    EXPECT_EQ(t.GetCell(0, 4), "2/0");  // pushed down
    EXPECT_EQ(t.aktuelleTabelle()->Rows[3].Wert, 7);
    for (const auto& [row, count] : {std::pair{8, 1}, std::pair{-2, 1}, std::pair{1, 0}}) {
        EXPECT_EQ(t.InsertRow(row, nullptr, count, -1), -1);
        EXPECT_EQ(t.GetRowCount(true), 7);
    }
    EXPECT_EQ(t.Hint(), "6 Datens\xE4tze in der Tabelle");
}

TEST(Hint, SingularPluralAndTheNewRecordRow) {
    Probe t;
    t.NeuerDatensatz = true;
    t.SetTabelle(3, 1, -1, 0);
    t.FEndUpdate(false);
    EXPECT_EQ(t.Hint(), "2 Datens\xE4tze in der Tabelle");
    t.DeleteRow(1);
    EXPECT_EQ(t.Hint(), "1 Datensatz in der Tabelle");
    t.Clear(false);
    EXPECT_EQ(t.Hint(), "0 Datens\xE4tze in der Tabelle");
}

TEST(Auswahl, GetRowAndSetRow) {
    Probe t;
    EXPECT_EQ(t.GetRow(), -2);
    t.fuellen(4, 2);
    EXPECT_EQ(t.GetRow(), -1);
    t.SetRow(0);
    EXPECT_EQ(t.GetRow(), 1);
    t.SetRow(9);  // beyond the rows: ignored
    EXPECT_EQ(t.GetRow(), 1);
    t.SetRow(-2);
    EXPECT_EQ(t.GetRow(), -2);
    EXPECT_FALSE(t.IfSelected());
    t.SetRow(-7);  // any other negative value: none, shown
    EXPECT_EQ(t.GetRow(), -1);
}

TEST(GetCell, SelectionSubstitutionsAndRangeChecks) {
    Probe t;
    t.fuellen(4, 3);
    EXPECT_EQ(t.GetCell(-1, 2), "");  // nothing selected, no current column
    t.SetRow(3);
    struct Fall {
        int col, row;
        const char* text;
    };
    for (const Fall f : {Fall{1, -1, "3/1"}, Fall{2, 2, "2/2"}, Fall{3, 1, ""}, Fall{-5, 1, ""},
                         Fall{0, 4, ""}, Fall{0, -3, ""}})
        EXPECT_EQ(t.GetCell(f.col, f.row), f.text) << f.col << "," << f.row;
    Probe s;
    s.AutoSelect = true;
    s.fuellen(4, 3);  // selects row 1, current column 0
    s.SetRow(3);
    EXPECT_EQ(s.GetCell(-1, 1), "3/0");  // the selected row's current column
}

TEST(DeleteRow, SelectedLastRowMovesUpAndHeightsStaySummed) {
    Probe t;
    t.fuellen(4, 2);
    t.SetCell(3, 1, "a\r\nb");
    t.SetRow(3);
    t.DeleteRow(3);
    EXPECT_EQ(t.GetRow(), 2);
    EXPECT_EQ(t.aktuelleTabelle()->Hoehe, 3 * 18);
    t.DeleteRow(1);
    t.DeleteRow(1);
    EXPECT_EQ(t.GetRow(), -1);  // only the title row is left
    t.DeleteRow(5);
    EXPECT_EQ(t.GetRowCount(true), 1);
}

TEST(Clear, KeepsTitlesUnlessAll) {
    for (const bool all : {false, true}) {
        Probe t;
        t.fuellen(4, 2);
        t.SetRow(2);
        t.Clear(all);
        EXPECT_EQ(t.GetRowCount(true), all ? 0 : 1);
        EXPECT_EQ(t.GetCell(1, 0), all ? "" : "0/1");
        EXPECT_EQ(t.GetRow(), -1);  // row 1 no longer exists
        EXPECT_EQ(t.aktuelleTabelle()->Hoehe, all ? 0 : 18);
    }
}

TEST(SetRowArt, TitleAndGreyRowHeights) {
    Probe t;
    t.fuellen(4, 2);
    t.SetCell(2, 0, "");
    t.SetRow(2);
    t.SetRowArt(2, kTitelZeile);
    EXPECT_EQ(t.aktuelleTabelle()->Rows[2].Hoehe, 9);
    EXPECT_EQ(t.GetRow(), -1);
    t.SetRowArt(1, kTitelZeile);
    EXPECT_EQ(t.aktuelleTabelle()->Rows[1].Hoehe, 19);
    t.SetRowArt(1, 0);
    EXPECT_EQ(t.aktuelleTabelle()->Rows[1].Hoehe, 18);
    t.SetRowArt(99, kTitelZeile);
    EXPECT_EQ(t.aktuelleTabelle()->Hoehe, 3 * 18 + 9);
}

TEST(Zeilenhoehe, TheTallestVisibleCellDecides) {
    // a cell set in row 1 (column 2 is not shown), the row's lines after it
    const struct { int col; const char* text; int zeilen; } schritte[] = {
        {0, "a\r\nb", 2}, {1, "x", 2}, {2, "p\r\nq\r\nr", 2}, {1, "1\r\n2\r\n3", 3}, {1, "", 2}};
    Probe t;
    t.SetTabelle(3, 3, 2, 0);
    t.FEndUpdate(false);
    const Tabdefinition& tab = *t.aktuelleTabelle();
    for (const auto& s : schritte) {
        t.SetCell(1, static_cast<unsigned>(s.col), s.text);
        EXPECT_EQ(tab.Rows[1].Hoehe, 18 + (s.zeilen - 1) * 13) << s.col << " " << s.text;
    }
    // Inserted, greyed, copied and cleared rows measure their cells too.
    const std::vector<std::string> zellen{"1\r\n2\r\n3", "x"};
    t.InsertRow(2, &zellen, 1, -1);
    t.SetRowArt(2, kGraueZeile);
    EXPECT_EQ(tab.Rows[2].Hoehe, 44);
    t.SetCell(0, 0, "Titel\r\nzwei");
    Probe kopie;
    t.Tab_Kopie(&kopie);
    EXPECT_EQ(kopie.aktuelleTabelle()->Hoehe, tab.Hoehe);
    t.Clear(false);
    EXPECT_EQ(tab.Hoehe, 31);
}

TEST(NextRow, SkipsTitleAndGreyRows) {
    Probe t;
    t.fuellen(6, 1);
    t.SetRowArt(3, kGraueZeile);
    t.SetRow(2);
    EXPECT_EQ(t.NextRow(false, 1), 4);
    EXPECT_EQ(t.NextRow(true, 1), 1);
    t.SetRow(1);
    EXPECT_EQ(t.NextRow(true, 1), 1);  // above the first data row: the selection
    t.SetRow(-1);
    EXPECT_EQ(t.NextRow(true, 1), -1);
    EXPECT_EQ(t.aktuelleTabelle()->Selected, 1);
}

TEST(FixedRowsCols, NegativeValuesAreIgnored) {
    Probe t;
    t.fuellen(4, 3);
    t.SetFixedCols(-1);
    t.SetFixedRows(-1);
    EXPECT_EQ(t.aktuelleTabelle()->FixedCols, 0);
    EXPECT_EQ(t.GetFixedRows(), 1);
    t.SetRow(1);
    t.SetFixedRows(2);
    EXPECT_EQ(t.GetRow(), 2);
}

TEST(Sortierung, SortColumnByte) {
    Probe t;
    t.WSort_Spalte(static_cast<char>(0x82));
    EXPECT_TRUE(t.Abwaerts());
    EXPECT_EQ(static_cast<unsigned char>(t.Sort_Spalte()), 0x82);
}

TEST(GetDaten, FetchesEachRowOnceWithoutRecursion) {
    Probe t;
    t.DatenCols = 0b10;
    t.fuellen(3, 2);
    int aufrufe = 0;
    t.OnGetDaten = [&](IconTabModell& sender, int row, std::vector<std::string>& s,
                       std::uint32_t cells, int) {
        ++aufrufe;
        EXPECT_EQ(cells, 0b10u);
        EXPECT_EQ(sender.GetCell(1, row), s[1]);  // reading inside does not fetch again
        s[1] = "geholt " + std::to_string(row);
    };
    EXPECT_EQ(t.GetCell(0, 2), "2/0");
    EXPECT_EQ(aufrufe, 0);
    EXPECT_EQ(t.GetCell(1, 2), "geholt 2");
    EXPECT_EQ(t.GetCell(1, 2), "geholt 2");
    EXPECT_EQ(aufrufe, 1);
    EXPECT_EQ(t.GetDatenCols(2), 0u);
    EXPECT_EQ(t.GetDatenCols(1), 0b10u);
}

TEST(Spalten, NamesOfTheLastTable) {
    Probe t;
    t.SetTabelle(3, 3, -1, 0);
    t.SetCell(0, 0, "Name");
    const auto namen = t.Get_Spalten(0, false);
    ASSERT_EQ(namen.size(), 3u);
    EXPECT_EQ(namen[0].first, "Name");
    EXPECT_EQ(namen[2], std::make_pair(std::string("Spalte 3"), 2));
    t.SetCell(1, 1, "x");
    EXPECT_EQ(t.Get_Spalten(0, true).size(), 2u);  // column 1 is text now
}

}  // namespace
}  // namespace table
