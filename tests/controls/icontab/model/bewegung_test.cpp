// Mouse movement over the grid without a window: which title border the
// pointer grabs, how dragging it sizes the column, and selecting the
// editor's text by dragging.
#include <gtest/gtest.h>

#include "controls/icontab/model/icontab_bedienung.h"

namespace table {
namespace {

// cols columns of 40 pixels, one title row, in a client 150 pixels wide.
struct Gitter {
    IconTabBedienung t;
    int titelY = 0;
    int datenY = 0;

    explicit Gitter(int cols) {
        t.setGroesse(150, 200, 150, 200);
        t.SetTabelle(4, static_cast<unsigned>(cols), -1, 0);
        for (int r = 0; r < 4; ++r)
            for (int c = 0; c < cols; ++c) t.SetCell(r, c, "abcdef");
        t.FEndUpdate(false);
        const TabBild b = t.bild();
        titelY = b.tabellen.at(0).zeilen.at(0).top + 2;
        datenY = b.tabellen.at(0).zeilen.at(1).top + 2;
    }
    int breite(int col) { return t.GetTabelle(0, false)->SpaltenInfo.at(col).Breite; }
};

TEST(Bewegung, TheTitleBordersWithinTwoPixelsAreGrabbed) {
    struct Fall {
        int cols, leftCol, x;
        bool titel;
        int spalte;  // -1: the default pointer
    };
    const Fall faelle[] = {
        {3, 0, 40, true, 0},
        {3, 0, 38, true, 0},
        {3, 0, 42, true, 0},
        {3, 0, 37, true, -1},
        {3, 0, 43, true, -1},
        {3, 0, 81, true, 1},
        {3, 0, 120, true, -1},  // the last column's
                                // right border
        {3, 0, 40, false, -1},  // a data row
        {6, 2, 40, true, 2},    // scrolled: the walk starts at the first visible column
        {6, 2, 80, true, 3},
    };
    for (const Fall& f : faelle) {
        Gitter g(f.cols);
        g.t.Hor_Change(SB_THUMBPOSITION, f.leftCol);
        ASSERT_EQ(g.t.leftCol(), f.leftCol);
        const Zeiger z = g.t.EvMove(f.x, f.titel ? g.titelY : g.datenY);
        EXPECT_EQ(z == Zeiger::SpaltenGrenze, f.spalte >= 0) << f.x << " " << f.titel;
        EXPECT_EQ(g.t.groessenSpalte(), f.spalte) << f.x << " " << f.titel;
    }
    Gitter aus(3);
    aus.t.Spaltenbreite = false;
    EXPECT_EQ(aus.t.EvMove(40, aus.titelY), Zeiger::Standard);
}

TEST(Bewegung, DraggingABorderSizesByTheWayMovedNeverBelowThree) {
    Gitter g(3);
    g.t.SetOrder(true);
    int sortiert = 0;
    g.t.OnSortCell = [&](IconTabModell&, char, bool) { ++sortiert; };
    ASSERT_EQ(g.t.EvMove(40, g.titelY), Zeiger::SpaltenGrenze);
    g.t.EvButton(Knopf::Links, true, 40, g.titelY);
    EXPECT_TRUE(g.t.spaltenGroesseLaeuft());
    EXPECT_EQ(sortiert, 0);       // the press sizes, it does not sort
    EXPECT_EQ(g.t.hitRow(), -1);  // nor does it press a title cell
    // x, then the width of column 0 after the move.
    const std::pair<int, int> zug[] = {
        {50, 50},   {10, 10}, {0, 3}, {2, 3},  // still left of where the border stopped
        {13, 13},                              // back at the border, then 10 further
        {999, 148},                            // held within the client width - 2
    };
    for (const auto& [x, breite] : zug) {
        EXPECT_EQ(g.t.EvMove(x, 300), Zeiger::SpaltenGrenze) << x;
        EXPECT_EQ(g.breite(0), breite) << x;
    }
    EXPECT_EQ(g.breite(1), 40);
    g.t.EvButton(Knopf::Links, false, 148, 300);
    EXPECT_FALSE(g.t.spaltenGroesseLaeuft());
    EXPECT_EQ(g.t.zeiger(), Zeiger::Standard);
    EXPECT_EQ(g.t.EvMove(149, g.datenY), Zeiger::Standard);
    EXPECT_EQ(sortiert, 0);
    // Automatic widths no longer override what the user sized.
    g.t.AutoBreite = true;
    const std::vector<std::string> lang(3, std::string(40, 'x'));
    g.t.InsertRow(-1, &lang, 1, -1);
    g.t.SetCell(1, 1, lang[0]);
    EXPECT_EQ(std::pair(g.breite(0), g.breite(1)), std::pair(148, 40));
}

TEST(Bewegung, DraggingInTheEditorSelectsFromThePressedPlace) {
    Gitter g(2);
    g.t.SetCell(1, 0, "ab\r\ncd");
    g.t.SetEditCol(0x1, -1);
    g.t.SetRow(1);  // the editor opens on the selected row
    g.t.Set_Eingabefocus(0, 1, -1);
    ASSERT_TRUE(g.t.eingabeOffen());
    const IconTabBedienung::Eingabe& e = *g.t.eingabe();
    const int links = e.box.left + g.t.eingabeBild().rand;
    const int oben = e.box.top + g.t.eingabeBild().textTop;
    const int zeile = g.t.eingabeBild().zeilenHoehe;
    // Press behind 'a', then drag: (line, column) -> selection (start, length).
    g.t.EvButton(Knopf::Links, true, links + 6, oben + 1);
    EXPECT_TRUE(g.t.textAuswahlLaeuft());
    struct Fall {
        int zeile, spalte, start, laenge;
    };
    const Fall faelle[] = {{0, 2, 1, 1}, {1, 1, 1, 4}, {0, 0, 0, 1}, {0, 1, 1, 0}};
    for (const Fall& f : faelle) {
        g.t.EvMove(links + 6 * f.spalte, oben + f.zeile * zeile + 1);
        EXPECT_EQ(e.cursor.Zeile, f.zeile);
        EXPECT_EQ(e.cursor.Spalte, f.spalte);
        EXPECT_EQ(e.selStart, f.start) << f.zeile << f.spalte;
        EXPECT_EQ(e.selLaenge, f.laenge) << f.zeile << f.spalte;
    }
    g.t.EvButton(Knopf::Links, false, links, oben);
    EXPECT_FALSE(g.t.textAuswahlLaeuft());
    g.t.EvMove(links + 12, oben + 1);  // no button: nothing selected any more
    EXPECT_EQ(e.selLaenge, 0);
}

TEST(Bewegung, ADragDropsTheDoubleClick) {
    for (const bool ziehen : {false, true}) {
        Gitter g(2);
        g.t.SetEditCol(0x1, -1);
        g.t.SetRow(1);
        g.t.Set_Eingabefocus(0, 1, -1);
        int doppel = 0;
        g.t.OnDoppelKlick = [&](IconTabModell&) { ++doppel; };
        const int x = g.t.eingabe()->box.left + 4, y = g.t.eingabe()->box.top + 2;
        g.t.EvDoppelK();
        g.t.EvButton(Knopf::Links, true, x, y);
        if (ziehen) g.t.EvMove(x + 18, y);
        g.t.EvButton(Knopf::Links, false, x, y);
        EXPECT_EQ(doppel, ziehen ? 0 : 1);
    }
}

}  // namespace
}  // namespace table
