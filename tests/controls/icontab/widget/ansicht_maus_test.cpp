// The table control's views under the mouse and in its image: a grid
// below icon tiles (painted there and hit there), the label columns of a
// chart, the context menu of a drawing and the extra text of a grid.
#include <gtest/gtest.h>

#include <QApplication>
#include <QFontMetrics>
#include <QTest>
#include <QWheelEvent>
#include <memory>
#include <set>
#include <tuple>

#include "controls/icontab/icontab.h"
#include "platform/ui/drawing/font_mapping.h"
#include "platform/ui/windows/popup_menu.h"

namespace table {
namespace {

using std::tie;
using std::tuple;
using Wahl = std::pair<long, long>;

// A focused control of w x h in a window; OnSelectCell is recorded.
struct Fenster {
    QWidget top;
    TIconTab* t = nullptr;
    std::vector<Wahl> gewaehlt;

    Fenster(int w, int h) {
        top.resize(w + 20, h + 20);
        t = new TIconTab(&top);
        t->setGeometry(0, 0, w, h);
        t->OnSelectCell = [this](IconTabModell&, long r, long c) { gewaehlt.emplace_back(r, c); };
        top.show();
        QApplication::setActiveWindow(&top);
        t->setFocus();
    }
    void klick(QPoint p, Qt::MouseButton b = Qt::LeftButton) { QTest::mouseClick(t, b, {}, p); }
};

void fuellen(TIconTab& t, int tab, int rows, int cols) {
    t.SetTabelle(static_cast<unsigned>(rows), static_cast<unsigned>(cols), -1, tab);
    for (int r = 0; r < rows; ++r)
        for (int c = 0; c < cols; ++c)
            t.SetCell(r, c, std::to_string(r) + "/" + std::to_string(c), 0, r > 0 ? 0 : -1, tab);
}

constexpr ui::TColor kGruen = 0x00A000;

// Tiles of 32 x 32 with gaps of 20 and 40: 3 tiles take one line, the
// content is 72 + 6 = 78 pixels, and the grid follows 15 pixels lower.
TEST(AnsichtMaus, GridBelowTilesIsPaintedAndHitThere) {
    Fenster f(300, 300);
    QImage icon(32, 32, QImage::Format_RGB32);
    icon.fill(QColor(0, 0xA0, 0));
    f.t->SetIcons({icon});
    fuellen(*f.t, 0, 4, 2);
    f.t->SetA_Format(A_Icon);
    fuellen(*f.t, 1, 5, 3);
    f.t->FEndUpdate(false);
    f.t->Paint();
    constexpr int kOben = 78 + 15;
    ASSERT_EQ(f.t->maxTopRow(), 0);
    // Third tile's icon; the gap; the grid's title row and its first data row.
    EXPECT_EQ(f.t->canvas().Pixel(2 * 52 + 12 + 16, 10 + 16), kGruen);
    EXPECT_EQ(f.t->canvas().Pixel(150, kOben - 5), ui::clWhite);
    EXPECT_EQ(f.t->canvas().Pixel(20, kOben + 5), ui::toPlainColor(ui::clBtnFace));
    EXPECT_EQ(f.t->canvas().Pixel(20, kOben + 18 + 2), ui::clWhite);

    f.klick({2 * 52 + 20, 20});  // the third tile: row 3
    EXPECT_EQ(f.t->GetSelectTab(), 0);
    f.klick({40 + 10, kOben + 2 * 18 + 9});  // the grid's row 2, column 1
    EXPECT_EQ(f.t->GetSelectTab(), 1);
    f.klick({10, kOben - 5});  // the gap below the tiles: no row
    EXPECT_EQ(f.gewaehlt, (std::vector<Wahl>{{3, -1}, {2, 1}}));
    EXPECT_EQ(f.t->GetRow(), 2);
}

// Table 0 as a grid, an icon list or tiles, with a grid of 40 rows below it
// as table 1 (which then takes the keys), in a control 300 wide.
struct Fall {
    const char* name;
    int h;
    TAnzeigeFormat format;
    int rows;
    bool gitter;
};
constexpr Fall kFaelle[] = {{"Gitter", 200, A_Tabelle, 40, false},
                            {"Liste", 200, A_IconList, 31, false},
                            {"Kacheln", 200, A_Icon, 31, false},
                            {"Gitter unter Kacheln", 300, A_Icon, 4, true},
                            {"Gitter unter Liste", 300, A_IconList, 6, true}};

void aufbauen(Fenster& f, const Fall& fall) {
    QImage icon(32, 32, QImage::Format_RGB32);
    icon.fill(QColor(0, 0xA0, 0));
    f.t->SetIcons({icon});
    fuellen(*f.t, 0, fall.rows, 2);
    f.t->SetA_Format(fall.format);
    if (fall.gitter) fuellen(*f.t, 1, 40, 3);
    f.t->FEndUpdate(false);
}

// At every position the painted grid lines, GetZellRect, GetClickTab and a
// click agree; every row shows wholly somewhere, the last one at the end.
TEST(AnsichtMaus, EveryPositionOfAGridBelowTilesOrAListShowsItsRows) {
    for (const Fall& fall : kFaelle) {
        if (!fall.gitter) continue;
        Fenster f(300, fall.h);
        aufbauen(f, fall);
        const Tabdefinition* g = f.t->GetTabelle(1, false);
        // Three tiles (78 pixels) and their gap of 15, then 24 rows.
        EXPECT_TRUE(fall.format != A_Icon || f.t->maxTopRow() == 78 + 15 + 24);
        std::set<int> gezeigt;
        for (int pos = 0; pos <= f.t->maxTopRow(); ++pos) {
            f.t->Ver_Change(SB_THUMBPOSITION, pos);
            const TabBild b = f.t->bild();
            const TabellenPlatz* p = b.platzVon(g);
            ASSERT_NE(p, nullptr) << fall.name << pos;
            int klick = -1, y = 0;
            for (const ZeilenPlatz& z : p->zeilen) {
                if (z.row < 1 || z.bottom > f.t->clientHoehe()) continue;
                gezeigt.insert(z.row);
                Rect r;
                int dy = z.top + 9;
                ASSERT_TRUE(f.t->GetZellRect(r, 1, z.row, 1));
                const ui::TColor linie = f.t->canvas().Pixel(41, z.bottom - 1);
                EXPECT_EQ(tuple(r, f.t->GetClickTab(&dy), dy, linie),
                          tuple(Rect{40, z.top, 80, z.bottom}, g, z.top + 9 - p->top, 0x808080u));
                if (klick < 0) tie(klick, y) = tuple(z.row, z.top + 9);
            }
            if (klick < 0) continue;
            f.klick({45, y});
            EXPECT_EQ(tuple(f.t->GetRow(), f.t->topRow()), tuple(klick, pos)) << fall.name;
        }
        EXPECT_EQ(gezeigt.size(), 39u) << fall.name;
        EXPECT_EQ(f.t->bild().platzVon(g)->zeilen.back().row, 39) << fall.name;
    }
}

// Whether the selected row, tile (with 4 pixels below it) or entry of table
// tab lies wholly inside its table's area on screen.
bool ganzZuSehen(TIconTab& t, int tab) {
    const Tabdefinition* tb = t.GetTabelle(tab, false);
    const TabBild b = t.bild();
    const TabellenPlatz* p = b.platzVon(tb);
    const int i = tb->Selected - tb->FixedRows, lh = t.liste().zeilenHoehe;
    if (p == nullptr || i < 0) return false;
    Rect r{0, p->top + i * lh - p->scroll, 0, p->top + (i + 1) * lh - p->scroll};  // an entry
    if (tb->Anzeige == A_Icon) {
        r = kachelRahmen(kachelIcon(i, p->kacheln), p->kacheln);
        r.bottom += 4;
    } else if (tb->Anzeige == A_Tabelle) {
        const ZeilenPlatz* z = b.platzVon(*p, tb->Selected);
        if (z == nullptr) return false;
        r = {0, z->top, 0, z->bottom};
    }
    return r.top >= p->top && r.bottom <= t.clientHoehe();
}

TEST(AnsichtMaus, KeysTypeAheadAndSetRowKeepTheSelectionWhollyInView) {
    for (const Fall& fall : kFaelle) {
        Fenster f(300, fall.h);
        aufbauen(f, fall);
        const int tab = fall.gitter ? 1 : 0;
        const Tabdefinition* t = f.t->GetTabelle(tab, false);
        for (int i = 0; i < 45; ++i) {  // Down held from the first row to the end
            QTest::keyClick(f.t, Qt::Key_Down);
            ASSERT_TRUE(ganzZuSehen(*f.t, tab)) << fall.name << " " << t->Selected;
        }
        EXPECT_EQ(f.t->topRow(), f.t->maxTopRow()) << fall.name;
        f.t->SetRow(1);
        EXPECT_TRUE(ganzZuSehen(*f.t, tab)) << fall.name;
        QTest::keyClicks(f.t, "29");  // type-ahead in column 0, "r/0"
        EXPECT_EQ(t->Selected, 29) << fall.name;
        EXPECT_TRUE(ganzZuSehen(*f.t, tab)) << fall.name;
        f.t->SetRow(1);
        f.t->SetRow(t->rowCount() - 1);
        EXPECT_TRUE(ganzZuSehen(*f.t, tab)) << fall.name;
    }
}

// A notch of 120 steps once, also when it comes in parts; with tables
// stacked, in the unit of the table at the top, whichever is current.
TEST(AnsichtMaus, TheWheelStepsANotchInTheUnitOfTheTableAtTheTop) {
    // the case, the current table, wheel deltas and the position after each
    // clang-format off
    const struct { const Fall& fall; int tab; std::vector<int> deltas, pos; } faelle[] = {
        {kFaelle[0], 0, {-15, -15, -15, -15, -15, -15, -15, -15, -120, 60, -60, -60},
                        {0, 0, 0, 0, 0, 0, 0, 1, 2, 2, 2, 3}},  // the other way drops the part
        {kFaelle[3], 0, {-120, -120, -120, -120, 120}, {32, 64, 96, 97, 96}},  // tiles end at 93
        {kFaelle[3], 1, {-120, -120, -120, -120, 120}, {32, 64, 96, 97, 96}},
    };
    // clang-format on
    for (const auto& fall : faelle) {
        Fenster f(300, fall.fall.h);
        aufbauen(f, fall.fall);
        f.t->SetSelectTab(fall.tab);
        std::vector<int> pos;
        for (const int d : fall.deltas) {
            QWheelEvent rad(QPointF(50, 50), f.t->mapToGlobal(QPointF(50, 50)), QPoint(),
                            QPoint(0, d), Qt::NoButton, Qt::NoModifier, Qt::NoScrollPhase, false);
            QApplication::sendEvent(f.t, &rad);
            pos.push_back(f.t->topRow());
        }
        EXPECT_EQ(pos, fall.pos) << fall.fall.name << " " << fall.tab;
    }
}

// Stacks at the end of the range: a grid scrolled past entirely, tiles
// beside a vertical bar, the detail pane beside the tiles the range counts.
// Every table's last row comes wholly into view, and the largest position
// shows the last one.
TEST(AnsichtMaus, TheLastRowOfEveryStackComesWhollyIntoView) {
    struct Stapel {
        const char* name;
        int w, h, spalten;
        bool detail;
        std::vector<std::pair<TAnzeigeFormat, int>> tabellen;  // format, rows
    };
    const Stapel faelle[] = {
        {"Gitter, Kacheln", 300, 300, 2, false, {{A_Tabelle, 10}, {A_Icon, 20}}},
        {"Gitter, Gitter", 300, 200, 2, false, {{A_Tabelle, 5}, {A_Tabelle, 11}}},
        {"Gitter ohne Platz", 367, 326, 2, false, {{A_Tabelle, 12}, {A_Tabelle, 17}}},
        {"Drei Tabellen", 160, 215, 5, false, {{A_Icon, 7}, {A_Tabelle, 20}, {A_Icon, 4}}},
        {"Detailfenster", 321, 189, 8, true, {{A_Icon, 11}, {A_Tabelle, 22}}},
    };
    for (const Stapel& fall : faelle) {
        Fenster f(fall.w, fall.h);
        QImage icon(32, 32, QImage::Format_RGB32);
        icon.fill(QColor(0, 0xA0, 0));
        f.t->SetIcons({icon});
        f.t->SetDetail(fall.detail);
        for (size_t i = 0; i < fall.tabellen.size(); ++i) {
            fuellen(*f.t, static_cast<int>(i), fall.tabellen[i].second, fall.spalten);
            f.t->SetA_Format(fall.tabellen[i].first);
        }
        f.t->FEndUpdate(false);
        for (int tab = 0; tab < static_cast<int>(fall.tabellen.size()); ++tab) {
            f.t->SetSelectTab(tab);
            f.t->SetRow(f.t->GetRowCount(true) - 1);
            EXPECT_TRUE(ganzZuSehen(*f.t, tab)) << fall.name << " " << tab;
        }
        // The largest position shows it too, not an empty control.
        f.t->Ver_Change(SB_THUMBPOSITION, f.t->maxTopRow());
        EXPECT_TRUE(ganzZuSehen(*f.t, f.t->GetSelectTab())) << fall.name;
    }
}

// Icons and gaps given after the rows lay the tiles out again.
TEST(AnsichtMaus, IconsAndGapsGivenLaterLayTheTilesOutAgain) {
    Fenster f(300, 200);
    fuellen(*f.t, 0, 30, 2);
    f.t->SetA_Format(A_Icon);
    f.t->FEndUpdate(false);
    QImage icon(32, 32, QImage::Format_RGB32);
    icon.fill(QColor(0, 0xA0, 0));
    f.t->SetIcons({icon});
    const int vorher = f.t->maxTopRow();
    f.t->SetV_Abstand(80);
    EXPECT_EQ(f.t->maxTopRow() - vorher, 6 * 40);  // 29 tiles, 5 a line
    f.t->SetRow(29);
    EXPECT_TRUE(ganzZuSehen(*f.t, 0));
}

// A format chosen with a row selected scrolls to it: in an icon list, and
// in a grid below another one, whose rows the position passes first.
TEST(AnsichtMaus, AFormatChosenShowsTheSelectedRow) {
    for (const bool gestapelt : {false, true}) {
        Fenster f(300, 200);
        fuellen(*f.t, 0, 40, 2);
        if (gestapelt) fuellen(*f.t, 1, 40, 2);
        f.t->FEndUpdate(false);
        f.t->SetRow(gestapelt ? 10 : 30);
        f.t->SetA_Format(gestapelt ? A_Tabelle : A_IconList);
        EXPECT_TRUE(ganzZuSehen(*f.t, gestapelt ? 1 : 0)) << gestapelt;
    }
}

// The selected row of a table that does not take the keys is outlined only
// while the control lacks the focus; a new table forgets the pressed column
// (it no longer looks pressed when it becomes a fixed column).
TEST(AnsichtMaus, TheOutlineAndThePressedLook) {
    Fenster f(300, 300);
    f.t->Multitabselect = true;
    fuellen(*f.t, 0, 5, 3);
    fuellen(*f.t, 1, 5, 3);
    f.t->FEndUpdate(false);
    f.t->SetSelectTab(0);
    f.t->SetRow(2);
    f.klick({50, 5 * 18 + 10 + 3 * 18 + 9});  // table 1, row 3, column 1
    f.t->Paint();
    EXPECT_EQ(f.t->canvas().Pixel(0, 2 * 18 + 5), 0xFFF6FFu);
    f.t->clearFocus();
    f.t->Paint();
    EXPECT_EQ(f.t->canvas().Pixel(0, 2 * 18 + 5), ui::toPlainColor(ui::clHighlight));
    f.t->SetRow(4);
    f.t->StdFixedCols = 2;
    fuellen(*f.t, 1, 5, 3);
    f.t->FEndUpdate(false);
    f.t->Paint();
    constexpr int kOben = 5 * 18 + 10;  // table 1: its rows 3 and 2 in column 1
    EXPECT_EQ(f.t->canvas().Pixel(40, kOben + 3 * 18), f.t->canvas().Pixel(40, kOben + 2 * 18));
}

// A bar chart of the value column 2 of six columns: column 1 holds the
// labels left of it, column 3 those right of it.
TEST(AnsichtMaus, ChartLabelColumnsAndTheRightButtonHitNoColumn) {
    struct Fall {
        int spalten, wert;
        std::vector<long> links, rechts;  // reported column per laid-out column
    };
    for (const Fall& fall :
         {Fall{6, 2, {0, -1, 2, -1}, {-1, -1, -1, -1}}, Fall{3, 1, {0, 1, 2, 3}, {0, 1, 2, 3}}}) {
        Fenster f(420, 260);
        ui::ScriptedPopupMenus menus;  // the right release's menu chooses nothing
        fuellen(*f.t, 0, 4, fall.spalten);
        for (int r = 1; r < 4; ++r)
            f.t->SetCell(r, static_cast<unsigned>(fall.wert), std::to_string(r * 10));
        f.t->FEndUpdate(false);
        f.t->Set_Grafik(true, fall.wert, 0, -1);
        const Tabdefinition* t = f.t->aktuelleTabelle();
        ASSERT_TRUE(t->IstGrafik && !t->SpaltenGrafik);
        const TabBild b = f.t->bild();
        const TabellenPlatz& p = b.tabellen.at(0);
        const ZeilenPlatz* z = b.platzVon(p, 2);
        ASSERT_NE(z, nullptr);
        for (const Qt::MouseButton knopf : {Qt::LeftButton, Qt::RightButton}) {
            std::vector<long> erwartet, gesehen;
            for (const SpaltenPlatz& s : p.spalten) {
                if (s.right <= s.left) continue;  // an empty label column
                f.gewaehlt.clear();
                f.klick({(s.left + s.right) / 2, (z->top + z->bottom) / 2}, knopf);
                ASSERT_EQ(f.gewaehlt.size(), 1u) << s.col;
                gesehen.push_back(f.gewaehlt[0].second);
                const auto& soll = knopf == Qt::LeftButton ? fall.links : fall.rechts;
                erwartet.push_back(soll.at(static_cast<size_t>(s.col)));
            }
            EXPECT_EQ(gesehen, erwartet) << fall.spalten << " " << knopf;
        }
    }
}

// Twelve bytes: a drawing of no objects.
TEST(AnsichtMaus, RightClickInTheDrawingOffersToPrintIt) {
    Fenster f(300, 200);
    ui::ScriptedPopupMenus menus;
    fuellen(*f.t, 0, 2, 2);
    f.t->FEndUpdate(false);
    f.t->SetA_Format(A_Vektor);
    const char leer[12] = {};
    f.t->SetVektor(leer, sizeof leer);
    f.klick({150, 100});  // the left button shows no menu
    EXPECT_TRUE(menus.shown().empty());
    f.klick({150, 100}, Qt::RightButton);
    ASSERT_EQ(menus.shown().size(), 1u);
    const auto& items = menus.shown()[0].items;
    ASSERT_EQ(items.size(), 5u);
    EXPECT_EQ(items[0].caption, "Grafik Drucken");
    EXPECT_TRUE(items[0].enabled);
    for (size_t i = 1; i < items.size(); ++i) EXPECT_FALSE(items[i].enabled) << items[i].caption;
    EXPECT_EQ(menus.shown()[0].position, f.t->mapToGlobal(QPoint(150, 100)));
}

// The rightmost dark pixel of the band [top, bottom) left of x = rechts.
int textEnde(TIconTab& t, int top, int bottom, int rechts) {
    int ende = -1;
    for (int y = top; y < bottom; ++y)
        for (int x = 0; x < rechts; ++x)
            if (ui::TColor p = t.canvas().Pixel(x, y); (p & 0xFF) < 0xC0 && x > ende) ende = x;
    return ende;
}

// A part of the image given in units (the image may have more pixels).
QImage teil(const QImage& bild, int x, int y, int w, int h) {
    const qreal d = bild.devicePixelRatio();
    return bild.copy(QRectF(x * d, y * d, w * d, h * d).toRect());
}

TEST(AnsichtMaus, ZusatztextStandsInFrontOfTheFirstColumnsText) {
    Fenster f(300, 150);
    f.t->StdFixedCols = 1;
    fuellen(*f.t, 0, 4, 3);
    f.t->SetCell(2, 1, "");  // "Keine Angaben" moves as well
    f.t->FEndUpdate(false);
    for (int c = 0; c < 3; ++c) f.t->SetColWidth(c, c == 1 ? 180 : 50);
    f.t->Paint();
    const QImage ohne = f.t->canvas().image()->copy();
    const int ende1 = textEnde(*f.t, 18 + 2, 36 - 2, 50 + 178);
    const int ende2 = textEnde(*f.t, 36 + 2, 54 - 2, 50 + 178);
    f.t->Zusatztext = "WWWW";
    f.t->Paint();
    const QImage mit = f.t->canvas().image()->copy();
    EXPECT_NE(ohne, mit);
    const QFont q = ui::toQFont(f.t->Font(), f.t->logicalDpiY());
    const int breite = QFontMetrics(q).horizontalAdvance("WWWW");
    EXPECT_NEAR(textEnde(*f.t, 18 + 2, 36 - 2, 50 + 178) - ende1, breite, 2);
    EXPECT_NEAR(textEnde(*f.t, 36 + 2, 54 - 2, 50 + 178) - ende2, breite, 2);
    // The title row, the fixed column and the other columns keep their pixels.
    EXPECT_EQ(teil(ohne, 0, 0, 300, 18), teil(mit, 0, 0, 300, 18));
    EXPECT_EQ(teil(ohne, 0, 0, 50, 150), teil(mit, 0, 0, 50, 150));
    EXPECT_EQ(teil(ohne, 230, 0, 70, 150), teil(mit, 230, 0, 70, 150));
}

}  // namespace
}  // namespace table
