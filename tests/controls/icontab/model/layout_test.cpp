// Scroll ranges, scroll steps, the detail pane and the screen layout.
#include <gtest/gtest.h>

#include "tests/controls/icontab/model/probe.h"

namespace table {
namespace {

using std::tuple;

// A table of `rows` rows of 18 px and columns of the given widths.
void tabelle(Probe& t, int rows, std::vector<int> breiten) {
    t.SetTabelle(static_cast<unsigned>(rows), static_cast<unsigned>(breiten.size()), -1, 0);
    for (size_t c = 0; c < breiten.size(); ++c) t.SetColWidth(static_cast<int>(c), breiten[c]);
    t.FEndUpdate(false);
}

TEST(Layout, HorizontalBarFromTheColumnWidths) {
    struct Fall {
        std::vector<int> breiten;
        int max;
    };
    // A control 200 wide: columns may take 198 pixels.
    for (const Fall& f : {Fall{{100, 98}, 0}, Fall{{100, 99}, 1}, Fall{{50, 50, 50, 48}, 0},
                          Fall{{50, 50, 50, 50}, 1}, Fall{{150, 150, 150}, 2}}) {
        Probe t;
        t.setGroesse(200, 100, 200, 100);
        tabelle(t, 2, f.breiten);
        EXPECT_EQ(t.maxLeftCol(), f.max) << f.breiten.size();
    }
}

TEST(Layout, VerticalRangeLetsTheLastRowShowFully) {
    // 100 px below the caption: 1 + 18 (title) leaves room for 4 rows of 18.
    struct Fall {
        int rows;
        int max;
    };
    for (const Fall f : {Fall{5, 0}, Fall{6, 1}, Fall{11, 6}}) {
        Probe t;
        t.setGroesse(200, 100, 200, 100);
        tabelle(t, f.rows, {50});
        EXPECT_EQ(t.maxTopRow(), f.max) << f.rows;
        for (int i = 0; i < 20; ++i) t.Ver_Change(SB_PAGEDOWN, 0);
        EXPECT_EQ(t.topRow(), f.max);
        const TabBild b = t.bild();
        ASSERT_EQ(b.tabellen.size(), 1u);
        // The last row is placed and ends inside the client.
        EXPECT_EQ(b.tabellen[0].zeilen.back().row, f.rows - 1);
        EXPECT_LE(b.tabellen[0].zeilen.back().bottom, 100);
        t.Ver_Change(SB_LINEUP, 0);
        EXPECT_EQ(t.topRow(), std::max(0, f.max - 1));
    }
}

TEST(Layout, BarsTakeRoomFromEachOther) {
    Probe t;
    t.setGroesse(200, 100, 200, 100);
    // The rows just fit, the columns do not: the horizontal bar covers the
    // last row, and the vertical bar then narrows the columns once more.
    tabelle(t, 5, {100, 120});
    EXPECT_EQ(t.maxTopRow(), 1);
    EXPECT_EQ(t.maxLeftCol(), 2);
}

TEST(Layout, NoDivisionByZero) {
    for (const int rowHeight : {0, 1, 18}) {
        for (const int size : {0, 1, 5, 300}) {
            Probe t;
            t.DefaultRowHeight = rowHeight;
            t.setGroesse(size, size, size, size);
            t.SetH_Abstand(0);
            t.SetV_Abstand(0);
            t.setIcons(true, 0, 0);
            t.SetDetail(true);
            tabelle(t, 50, {10, 10});
            for (const TAnzeigeFormat f : {A_Icon, A_IconList, A_Tabelle}) {
                t.SetA_Format(f);
                t.Errechne_Fenster(t.aktuelleTabelle());
                t.SetGroesse();
                t.Ver_Change(SB_PAGEDOWN, 0);
                t.Ver_Change(SB_LINEDOWN, 0);
                t.MouseRad(-120, true);
                EXPECT_GE(t.layout().iconsProZeile, 1);
                EXPECT_GE(t.pane().kachelnNeben, 1);
                EXPECT_LE(t.topRow(), t.maxTopRow());
                t.GetTopRow(-1);
            }
        }
    }
}

TEST(Layout, IconViewOverflowInPixels) {
    Probe t;
    t.setGroesse(200, 200, 200, 200);
    t.setIcons(true, 32, 32);
    t.SetTabelle(21, 1, -1, 0);  // 20 tiles
    t.SetA_Format(A_Icon);
    t.FEndUpdate(false);
    // (200 - 4) / 52 = 3 tiles a line; with the bar (200 - 4 - 18) / 52 = 3:
    // 7 lines of 72 + 6 = 510 px, of which 195 fit.
    EXPECT_EQ(t.layout().iconsProZeile, 3);
    EXPECT_EQ(t.maxTopRow(), 510 - 195);
}

// 4 entries of 32 + 10 + 12 = 54 pixels wider than the control: 217 of 200
// pixels and the bar's 18 to scroll, so that the last entry ends at 181.
TEST(Layout, AnIconListWiderThanTheControlEndsAboveTheHorizontalBar) {
    Probe t;
    t.setGroesse(200, 200, 182, 182);  // both bars shown
    t.setIcons(true, 32, 32);
    t.SetTabelle(5, 2, -1, 0);
    for (unsigned r = 1; r < 5; ++r) t.SetCell(r, 1, std::string(40, 'x'));
    t.SetA_Format(A_IconList);
    t.FEndUpdate(false);
    EXPECT_EQ(tuple(t.maxLeftCol() > 0, t.maxTopRow()), tuple(true, 217 - 200 + 18));
}

TEST(Layout, GetTopRowNamesTheFirstRowShown) {
    for (const auto& [fixed, pos, oben] : {tuple{1, 0, 1}, tuple{1, 3, 4}, tuple{2, 5, 7}}) {
        Probe t;
        t.setGroesse(200, 100, 200, 100);
        t.StdFixedRows = fixed;
        tabelle(t, 20, {50});
        t.Ver_Change(SB_THUMBPOSITION, pos);
        EXPECT_EQ(t.GetTopRow(-1), oben) << fixed << " " << pos;
    }
    // 20 tiles, three a line 72 high (510 pixels and a gap of 15), above a grid;
    // the first line's frames end 77 pixels down, as painted and hit.
    Probe k;
    k.setGroesse(200, 200, 200, 200);
    k.setIcons(true, 32, 32);
    k.SetTabelle(21, 1, -1, 0);
    k.SetA_Format(A_Icon);
    k.SetTabelle(30, 1, -1, 1);
    k.FEndUpdate(false);
    for (const auto& [pos, kachel, zeile] : {tuple{0, 1, 1}, tuple{76, 1, 1}, tuple{81, 4, 1},
                                             tuple{82, 4, 1}, tuple{510 + 15 + 2, 21, 3}}) {
        k.Ver_Change(SB_THUMBPOSITION, pos);
        EXPECT_EQ(tuple(k.GetTopRow(0), k.GetTopRow(1)), tuple(kachel, zeile)) << pos;
    }
}

TEST(Scroll, StepsStayInRange) {
    struct Fall {
        int code, pos, track, erwartet;
        bool balken;
    };
    for (const Fall f :
         {Fall{SB_LINEUP, 0, 0, 0, true}, Fall{SB_LINEDOWN, 9, 0, 10, true},
          Fall{SB_PAGEDOWN, 8, 0, 10, true}, Fall{SB_PAGEUP, 2, 0, 0, true},
          Fall{SB_THUMBTRACK, 2, 7, 7, false}, Fall{SB_THUMBPOSITION, 2, 99, 10, true},
          Fall{SB_ENDSCROLL, 4, 0, 4, true}}) {
        const ScrollSchritt s = vertikalScrollen(f.code, f.pos, 10, 1, 5, f.track, f.track);
        EXPECT_EQ(s.pos, f.erwartet) << f.code;
        EXPECT_EQ(s.balkenSetzen, f.balken) << f.code;
    }
    EXPECT_EQ(horizontalScrollen(SB_PAGEDOWN, 3, 20, 0).pos, 13);
    EXPECT_FALSE(horizontalScrollen(SB_THUMBTRACK, 3, 20, 5).balkenSetzen);
    EXPECT_EQ(vertikalScrollen(SB_PAGEDOWN, 0, 10, 0, 0, 0, 0).pos, 1);  // zero steps count as 1
}

TEST(Bild, RowsColumnsAndHits) {
    Probe t;
    t.setGroesse(200, 100, 200, 100);
    t.StdFixedCols = 1;
    tabelle(t, 20, {30, 80, 90, 100});
    EXPECT_EQ(t.maxLeftCol(), 3);  // 2, and one more for the vertical bar
    t.Hor_Change(SB_LINEDOWN, 0);
    t.Hor_Change(SB_LINEDOWN, 0);
    t.Ver_Change(SB_LINEDOWN, 0);
    t.Ver_Change(SB_LINEDOWN, 0);
    const TabBild b = t.bild();
    const TabellenPlatz& p = b.tabellen[0];
    EXPECT_EQ(p.zeilen[0].row, 0);
    EXPECT_EQ(p.zeilen[1].row, 3);  // two data rows scrolled away
    EXPECT_EQ(p.zeilen[1].top, 18);
    ASSERT_GE(p.spalten.size(), 3u);
    EXPECT_EQ(p.spalten[0].col, 0);  // the fixed column stays
    EXPECT_EQ(p.spalten[1].col, 2);
    EXPECT_EQ(p.spalten[1].left, 30);
    const ZeilenPlatz* z = b.zeileBei(p, 40);
    ASSERT_NE(z, nullptr);
    EXPECT_EQ(z->row, 4);
    const SpaltenPlatz* s = b.spalteBei(p, t.aktuelleTabelle()->Rows[4], 125);
    ASSERT_NE(s, nullptr);
    EXPECT_EQ(s->col, 3);
    int y = 50;
    EXPECT_EQ(t.GetClickTab(&y), t.aktuelleTabelle());
}

TEST(Bild, StackedTablesConsumeTheScrollPosition) {
    Probe t;
    t.setGroesse(200, 300, 200, 300);
    tabelle(t, 4, {50});  // 3 data rows
    t.SetTabelle(30, 1, -1, 1);
    t.FEndUpdate(false);
    for (int i = 0; i < 5; ++i) t.Ver_Change(SB_LINEDOWN, 0);
    const TabBild b = t.bild();
    ASSERT_GE(b.tabellen.size(), 1u);
    EXPECT_EQ(b.tabellen[0].tab->Nummer, 1);    // the first table is scrolled away
    EXPECT_EQ(b.tabellen[0].zeilen[1].row, 3);  // and two rows of the second
    int y = b.tabellen[0].zeilen[1].top + 3;
    EXPECT_EQ(t.GetClickTab(&y)->Nummer, 1);
    EXPECT_EQ(y, 18 + 3);
}

// Tiles (3 data rows: one line of 32 + 40, content 78) above a grid of 5
// rows of 18: the grid starts 15 pixels below the tiles that are left after
// the scroll, and hit tests, layout and places agree.
TEST(Bild, GridBelowTilesFollowsTheirContentHeight) {
    Probe t;
    t.setGroesse(300, 150, 300, 150);
    t.setIcons(true, 32, 32);
    t.fuellen(4, 2);
    t.SetA_Format(A_Icon);
    t.SetTabelle(5, 2, -1, 1);
    t.FEndUpdate(false);
    // 1 + 90 + 10 + 78 = 179 of 145 pixels: 34 pixels to scroll.
    ASSERT_EQ(t.maxTopRow(), 34);
    for (const int s : {0, 10, 34}) {
        t.Ver_Change(SB_THUMBPOSITION, s);
        const TabBild b = t.bild();
        ASSERT_EQ(b.tabellen.size(), 2u) << s;
        EXPECT_EQ(b.tabellen[0].scroll, s);
        EXPECT_EQ(b.tabellen[0].bottom, 78 - s) << s;
        const TabellenPlatz& g = b.tabellen[1];
        EXPECT_EQ(g.top, 78 - s + 15) << s;
        ASSERT_FALSE(g.zeilen.empty());
        EXPECT_EQ(g.zeilen[0].top, g.top);
        if (s == 34) {  // scrolled to the end: the last row shows fully
            ASSERT_EQ(g.zeilen.size(), 5u);
            EXPECT_LE(g.zeilen.back().bottom, 150);
        }
        int y = g.top + 20;
        EXPECT_EQ(t.GetClickTab(&y)->Nummer, 1) << s;
        EXPECT_EQ(y, 20);
        y = b.tabellen[0].bottom + 3;  // the gap belongs to the table above
        EXPECT_EQ(t.GetClickTab(&y)->Nummer, 0) << s;
        // The first tile's frame: the icon 10 below the top, the frame 5 above it.
        const KachelMasse& k = b.tabellen[0].kacheln;
        EXPECT_EQ(kachelIcon(0, k).top, 10 - s);
        EXPECT_EQ(kachelBei(k, 20, 10 - s + 2), 0);
        EXPECT_EQ(kachelBei(k, 2 + 52 + 5, 10 - s + 2), 1);
    }
}

TEST(Bild, ARowBelowTheTilesIsScrolledIntoViewInPixels) {
    Probe t;
    t.setGroesse(300, 150, 300, 150);
    t.setIcons(true, 32, 32);
    t.fuellen(4, 2);
    t.SetA_Format(A_Icon);
    t.SetTabelle(5, 2, -1, 1);
    t.FEndUpdate(false);
    const Tabdefinition& g = *t.GetTabelle(1, false);
    // Row r ends at 93 - s + (r + 1) x 18; the client is 150 high.
    EXPECT_EQ(t.sichtPosition(g, 1), 0);
    EXPECT_EQ(t.sichtPosition(g, 3), 15);
    EXPECT_EQ(t.sichtPosition(g, 4), 33);
    t.Ver_Change(SB_THUMBPOSITION, 20);
    EXPECT_EQ(t.sichtPosition(g, 3), 20);  // already shown
}

TEST(Bild, IconListAboveAGridTakesItsEntries) {
    Probe t;
    t.setGroesse(300, 400, 300, 400);
    t.fuellen(4, 2);  // 3 entries
    t.SetA_Format(A_IconList);
    t.SetTabelle(3, 2, -1, 1);
    t.FEndUpdate(false);
    const TabBild b = t.bild();
    ASSERT_EQ(b.tabellen.size(), 2u);
    const int lh = t.liste().zeilenHoehe;
    EXPECT_EQ(b.tabellen[1].top, 3 * lh + 1 + 10);
}

}  // namespace
}  // namespace table
