// The print plan: column widths, orientation, font size and the pages, and
// that every page total the footers print is the number of pages planned.
#include <gtest/gtest.h>

#include "controls/table_shared/model/tab_druck.h"
#include "tests/controls/icontab/model/probe.h"

namespace table {
namespace {

// Every character as wide as the size (bold one more), lines twice the size.
class FesteDruckMetrik : public DruckMetrik {
public:
    int breite(std::string_view text, int punkte, bool fett) override {
        return static_cast<int>(text.size()) * (punkte + (fett ? 1 : 0));
    }
    int hoehe(std::string_view, int punkte, bool) override { return 2 * punkte; }
};

// One fixed row of `breite`-character titles, then `zeilen` data rows.
void tabelle(Probe& p, int zeilen, int spalten, int breite, int tab = 0) {
    p.SetTabelle(static_cast<unsigned>(zeilen + 1), static_cast<unsigned>(spalten), -1, tab);
    for (int c = 0; c < spalten; ++c)
        p.SetCell(0, static_cast<unsigned>(c), std::string(static_cast<size_t>(breite), 'T'));
    for (int r = 1; r <= zeilen; ++r) p.SetCell(static_cast<unsigned>(r), 0, std::to_string(r));
    p.FEndUpdate(false);
}

DruckPlan plan(Probe& p, SeitenFormat hoch, const std::string& titel = "") {
    FesteDruckMetrik m;
    std::vector<const Tabdefinition*> v;
    for (int i = 0; i < p.tabellenZahl(); ++i) v.push_back(p.GetTabelle(i, false));
    return planeDruck(
        v, m,
        [hoch](bool quer) {
            return quer ? SeitenFormat{hoch.hoehe, hoch.breite} : hoch;
        },
        titel);
}

TEST(GetColBreiten, MarginBoldHeadsWidestRowAndRemeasure) {
    Probe p;
    tabelle(p, 2, 2, 3);
    p.SetCell(2, 1, "1234567");
    p.SetCell(1, 1, std::string("ab\r\nabcdef"));  // the widest line counts
    FesteDruckMetrik m;
    Breiten b;
    const Tabdefinition& t = *p.aktuelleTabelle();
    // "m" = 8: margin 16; column 0: "TTT" bold 27; column 1: "1234567" 56.
    EXPECT_EQ(GetColBreiten(m, 8, b, t, true), (27 + 8) + (56 + 8));
    EXPECT_EQ(b.breiten, (std::vector<int>{16, 35, 64}));
    EXPECT_EQ(b.breitesteZeile, (std::vector<int>{0, 2}));
    EXPECT_EQ(GetColBreiten(m, 10, b, t, false), (33 + 10) + (70 + 10));
    Probe leer;
    leer.SetTabelle(1, 1, -1, 0);
    leer.FEndUpdate(false);
    EXPECT_EQ(GetColBreiten(m, 8, b, *leer.aktuelleTabelle(), true), 18);  // at least 10 + "m"
}

TEST(PrintPlan, OrientationAndFontSize) {
    // Need = columns x (9 x chars + 8) + 32 at size 8 (bold titles, margin 4m).
    struct Fall {
        int spalten, zeichen;
        bool quer;
        DruckErgebnis ergebnis;
        int punkte;
    };
    // clang-format off
    const Fall faelle[] = {
        {1, 2, false, DruckErgebnis::Drucken, 14},  // narrow: never above 14
        {4, 12, false, DruckErgebnis::Drucken, 8},  // 4*116+32 = 496 > 8/9 of 500
        {2, 18, false, DruckErgebnis::Drucken, 9},  // 372: 8*500/372-1 = 9.75
        {6, 12, true, DruckErgebnis::Drucken, 8},   // 728: between width and height
        {7, 12, false, DruckErgebnis::ZuBreit, 8},  // 844: wider than the paper's height
    };
    // clang-format on
    for (const Fall& f : faelle) {
        Probe p;
        tabelle(p, 3, f.spalten, f.zeichen);
        const DruckPlan d = plan(p, {500, 800});
        EXPECT_EQ(d.ergebnis, f.ergebnis) << f.spalten;
        if (f.ergebnis != DruckErgebnis::Drucken) continue;
        EXPECT_EQ(d.quer, f.quer) << f.spalten;
        const int bedarf = f.spalten * (9 * f.zeichen + 8) + 32;
        const int groesse = static_cast<int>(8.0 * d.seite.breite / bedarf - 1.0);
        EXPECT_EQ(d.punkte, groesse > 8 ? std::min(groesse, 14) : 8) << f.spalten;
        EXPECT_EQ(d.seite.breite, f.quer ? 800 : 500);
    }
}

// Every row once per table in order, heads repeated on every page, nothing
// below the footer unless alone on its page, N pages for the footers.
TEST(PrintPlan, PagesHoldEveryRowAndRepeatTheHead) {
    for (const int zeilen : {0, 1, 17, 18, 19, 60, 250}) {
        for (const std::string titel : {"", "Liste"}) {
            Probe p;
            tabelle(p, zeilen, 4, 12);
            tabelle(p, 5, 2, 3, 1);
            const DruckPlan d = plan(p, {500, 400}, titel);
            ASSERT_EQ(d.ergebnis, DruckErgebnis::Drucken);
            EXPECT_EQ(d.titelHoehe, titel.empty() ? 0 : 24);
            std::vector<int> gesehen[2];
            for (size_t s = 0; s < d.seiten.size(); ++s) {
                const auto& z = d.seiten[s].zeilen;
                ASSERT_FALSE(z.empty());
                EXPECT_EQ(z.front().row, 0);  // a head first
                EXPECT_EQ(z.front().y, s == 0 ? d.titelHoehe : d.zeilenHoehe);
                for (size_t i = 0; i < z.size(); ++i) {
                    if (z[i].row > 0) gesehen[z[i].tabelle].push_back(z[i].row);
                    EXPECT_LE(z[i].y + z[i].hoehe, d.fussY) << zeilen << " page " << s;
                    if (i > 0) {
                        EXPECT_GE(z[i].y, z[i - 1].y + z[i - 1].hoehe);
                    }
                }
            }
            for (int t = 0; t < 2; ++t) {
                const int n = t == 0 ? zeilen : 5;
                ASSERT_EQ(gesehen[t].size(), static_cast<size_t>(n));
                for (int i = 0; i < n; ++i) EXPECT_EQ(gesehen[t][static_cast<size_t>(i)], i + 1);
            }
        }
    }
}

TEST(PrintPlan, TitleTakesRoomOnlyWhenSet) {
    Probe p;
    tabelle(p, 400, 4, 12);
    const DruckPlan ohne = plan(p, {500, 400});
    const DruckPlan mit = plan(p, {500, 400}, "Liste");
    // 24 pixels of title cost the first page two 16-pixel lines.
    EXPECT_EQ(ohne.seiten[0].zeilen.size(), mit.seiten[0].zeilen.size() + 2);
    EXPECT_EQ(ohne.seiten[1].zeilen.size(), mit.seiten[1].zeilen.size());
}

TEST(PrintPlan, NothingWithoutPrintableTables) {
    Probe p;
    EXPECT_EQ(plan(p, {500, 800}).ergebnis, DruckErgebnis::Nichts);
    tabelle(p, 3, 2, 2);
    p.SetA_Format(A_Bitmap);
    EXPECT_EQ(plan(p, {500, 800}).ergebnis, DruckErgebnis::Nichts);
}

TEST(PrintPlan, TinyPagesStillEnd) {
    Probe p;
    tabelle(p, 30, 1, 1);
    const DruckPlan d = plan(p, {500, 20});  // not even the head fits
    EXPECT_EQ(d.seiten.size(), 30u);         // one data row per page
}

}  // namespace
}  // namespace table
