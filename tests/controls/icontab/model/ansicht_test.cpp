// The table control's chart view, icon list layout and the printout of
// charts and drawings, on the headless model.
#include <gtest/gtest.h>

#include "controls/icontab/model/grafik_bild.h"
#include "controls/table_shared/model/tab_druck.h"
#include "tests/controls/icontab/model/probe.h"

namespace table {
namespace {

// Title row "Name", "Wert", "Ort", then rows "Zeile r", values, "Ort r".
void fuellen(Probe& p, int rows, int cols, const std::vector<std::string>& werte = {}) {
    p.SetTabelle(static_cast<unsigned>(rows), static_cast<unsigned>(cols), -1, 0);
    const char* titel[] = {"Name", "Wert", "Ort", "Extra"};
    for (int c = 0; c < cols; ++c) p.SetCell(0, static_cast<unsigned>(c), titel[c % 4]);
    for (int r = 1; r < rows; ++r) {
        p.SetCell(static_cast<unsigned>(r), 0, "Zeile " + std::to_string(r));
        const size_t i = static_cast<size_t>(r - 1);
        p.SetCell(static_cast<unsigned>(r), 1, i < werte.size() ? werte[i] : std::to_string(r));
        for (int c = 2; c < cols; ++c)
            p.SetCell(static_cast<unsigned>(r), static_cast<unsigned>(c),
                      "Ort " + std::to_string(r));
    }
    p.FEndUpdate(false);
}

TEST(Grafik, ValuesStopAfterTwoDecimals) {
    Probe p;
    p.setGroesse(400, 300, 400, 300);
    fuellen(p, 4, 3, {"1.234,56", "12,5", "x"});
    p.Set_Grafik(true, 1, 0, -1);
    const GrafikDaten& g = p.aktuelleTabelle()->Grafik;
    ASSERT_TRUE(p.aktuelleTabelle()->IstGrafik);
    EXPECT_EQ(g.Werte[1], 123);
    EXPECT_EQ(g.Werte[2], 1250);
    EXPECT_EQ(g.Werte[3], 0);
    EXPECT_EQ(g.Maximum, 1250);
    p.Set_Grafik(true, 1, 50, -1);  // a fixed maximum in whole units
    EXPECT_EQ(p.aktuelleTabelle()->Grafik.Maximum, 5000);
}

TEST(Grafik, TwoColumnsUnderThirtyRowsMakeAColumnChart) {
    struct Fall {
        int rows, cols;
        bool saeulen;
    } faelle[] = {{29, 2, true}, {30, 2, false}, {2, 2, true}, {10, 3, false}};
    for (const Fall& f : faelle) {
        Probe p;
        p.setGroesse(400, 300, 400, 300);
        fuellen(p, f.rows, f.cols);
        p.Set_Grafik(true, 1, 0, -1);
        const Tabdefinition& t = *p.aktuelleTabelle();
        EXPECT_EQ(t.SpaltenGrafik, f.saeulen) << f.rows << " x " << f.cols;
        EXPECT_EQ(t.SichtSpaltenLayout, f.saeulen ? f.rows - 1 : 4) << f.rows;
        EXPECT_GE(t.rowCount(), 3);  // a column chart gets rows up to 3
        p.Set_Grafik(false, -1, 0, -1);
        EXPECT_EQ(p.aktuelleTabelle()->rowCount(), f.rows);
    }
}

// A record the host adds while the column chart is shown survives the
// chart; only the empty rows the chart appended go.
TEST(Grafik, ARowAddedUnderAColumnChartStays) {
    for (const int rows : {5, 2}) {
        Probe p;
        p.setGroesse(400, 300, 400, 300);
        fuellen(p, rows, 2);
        p.Set_Grafik(true, 1, 0, -1);
        ASSERT_TRUE(p.aktuelleTabelle()->SpaltenGrafik);
        const std::vector<std::string> neu{"Neu", "7"};
        p.InsertRow(-1, &neu, 1, -1, -1);
        p.FEndUpdate(false);
        p.Set_Grafik(false, -1, 0, -1);
        const Tabdefinition& t = *p.aktuelleTabelle();
        ASSERT_EQ(t.rowCount(), rows + 1) << rows;
        EXPECT_EQ(t.zelle(rows, 0), "Neu") << rows;
        EXPECT_EQ(t.Zellen.size(), static_cast<size_t>(2 * (rows + 1))) << rows;
        EXPECT_EQ(t.Rows[static_cast<size_t>(rows)].Hoehe, p.DefaultRowHeight) << rows;
        int summe = 0;
        for (const RowDef& r : t.Rows) summe += r.Hoehe;
        EXPECT_EQ(t.Hoehe, summe) << rows;
    }
}

TEST(Grafik, SwitchingOffRestoresTheTableExactly) {
    Probe p;
    p.setGroesse(500, 300, 500, 300);
    fuellen(p, 6, 4);
    p.SetColWidth(0, 77);
    p.SetColWidth(2, 33);
    p.SetCell(3, 2, "zwei\r\nZeilen");
    Tabdefinition& t = *p.aktuelleTabelle();
    std::vector<int> hoehen, breiten;
    for (const RowDef& r : t.Rows) hoehen.push_back(r.Hoehe);
    for (const SpaltenEintrag& e : t.SpaltenInfo) breiten.push_back(e.Breite);
    const int inhalt = t.Hoehe, font = t.FontSize;
    std::vector<bool> modus;
    p.OnModeChange = [&](IconTabModell&, bool an) { modus.push_back(an); };
    p.Set_Grafik(true, 2, 0, -1);
    ASSERT_TRUE(t.IstGrafik);
    EXPECT_EQ(t.Grafik.WertSpalte, 2);
    EXPECT_EQ(t.GrafikLabelSpalten, 1);  // one column each side
    EXPECT_EQ(t.SpaltenInfo.size(), 4u);
    p.Set_Grafik(true, 3, 0, -1);  // another column: no second mode change
    EXPECT_EQ(t.Grafik.WertSpalte, 3);
    EXPECT_EQ(t.GrafikLabelSpalten, 2);  // columns 1 and 2 left of it
    p.Set_Grafik(false, -1, 0, -1);
    p.Set_Grafik(false, -1, 0, -1);  // not shown: nothing
    EXPECT_EQ(modus, (std::vector<bool>{true, false}));
    std::vector<int> h2, b2;
    for (const RowDef& r : t.Rows) h2.push_back(r.Hoehe);
    for (const SpaltenEintrag& e : t.SpaltenInfo) b2.push_back(e.Breite);
    EXPECT_EQ(h2, hoehen);
    EXPECT_EQ(b2, breiten);
    EXPECT_EQ(t.Hoehe, inhalt);
    EXPECT_EQ(t.FontSize, font);
    EXPECT_EQ(t.SichtSpaltenLayout, 4);
    p.Set_Grafik(true, 0, 0, -1);  // no column asked: the last one
    EXPECT_EQ(t.Grafik.WertSpalte, 3);
}

TEST(Grafik, OneColumnMakesNoChart) {
    Probe p;
    p.SetTabelle(4, 1, -1, 0);
    p.FEndUpdate(false);
    p.Set_Grafik(true, 1, 0, -1);
    EXPECT_FALSE(p.aktuelleTabelle()->IstGrafik);
}

TEST(Grafik, BarsFillTheBarColumnAndComeBackAfterARefill) {
    Probe p;
    p.setGroesse(600, 400, 600, 400);
    fuellen(p, 4, 3, {"10", "40", "20"});
    p.Set_Grafik(true, 1, 0, -1);
    const Tabdefinition& t = *p.aktuelleTabelle();
    const int balken = t.SpaltenInfo[2].Breite;
    EXPECT_GE(balken, 600 / 3);
    EXPECT_NEAR(t.Grafik.Skala, 4000.0 / (balken - 4), 1e-3);
    const TabBild b = p.bild();
    ASSERT_EQ(b.tabellen.size(), 1u);
    SchaetzMetrik m;
    const std::vector<GrafikTeil> teile = grafikTeile(b, b.tabellen[0], m, GrafikStil{});
    int laengster = 0;
    for (const GrafikTeil& g : teile)
        if (g.art == GrafikTeil::Flaeche && g.farbe == kBalkenBlau)
            laengster = std::max(laengster, g.r.width());
    EXPECT_NEAR(laengster, balken - 4, 1);  // the largest value fills the column

    fuellen(p, 3, 3, {"5", "6"});  // refilled: the chart of "Wert" returns
    EXPECT_TRUE(p.aktuelleTabelle()->IstGrafik);
    EXPECT_EQ(p.aktuelleTabelle()->Grafik.WertSpalte, 1);
}

TEST(Grafik, AChartTheHostClosedStaysClosedAfterNewRows) {
    for (const bool autoUpdate : {false, true}) {
        Probe p;
        p.AutoUpdate = autoUpdate;
        fuellen(p, 4, 3);
        p.Set_Grafik(true, 1, 0, -1);
        std::vector<bool> modus;
        p.OnModeChange = [&](IconTabModell&, bool an) { modus.push_back(an); };
        fuellen(p, 3, 3);  // refilled: the chart comes back
        p.Set_Grafik(false, -1, 0, -1);
        p.InsertRow(-1, nullptr, 1, -1, -1);
        p.FEndUpdate(false);
        EXPECT_EQ(modus, (std::vector<bool>{false, true, false})) << autoUpdate;
    }
}

TEST(Grafik, FacesAreAThirdLighterAndDarker) {
    EXPECT_EQ(heller(0xFF0000), 0xFF5555u);
    EXPECT_EQ(dunkler(0xFF0000), 0xAA0000u);
    EXPECT_EQ(schattiert(0x10FF22), 0x00DD00u);
}

TEST(Liste, ColumnsFollowTheWidestTexts) {
    Probe p;
    p.setIcons(true, 32, 32);
    fuellen(p, 4, 3, {"1", "22222", "3"});
    p.SetA_Format(A_IconList);
    const ListenLayout& l = p.liste();
    SchaetzMetrik m;
    ASSERT_EQ(l.breiten.size(), 3u);
    EXPECT_EQ(l.zeilenHoehe, 32 + 10 + m.hoehe("G", 8, true));
    EXPECT_EQ(l.breiten[0], 32 + m.breite("Zeile 1", 8, true) + 4 + 10);
    EXPECT_EQ(l.schrift, 16);  // 8 points are below half the line height
    EXPECT_EQ(l.breiten[1], m.breite("22222", 16, false) + 5);
    EXPECT_EQ(p.layout().hUeberlauf, std::max(0, l.gesamt() - 100));
}

class FesteMetrik2 : public DruckMetrik {
public:
    int breite(std::string_view text, int punkte, bool) override {
        return static_cast<int>(text.size()) * punkte;
    }
    int hoehe(std::string_view, int punkte, bool) override { return 2 * punkte; }
};

TEST(AnsichtDruck, ChartsPrintFourColumnsAndDrawingsAPageOfTheirOwn) {
    Probe q;
    q.setGroesse(500, 300, 500, 300);
    fuellen(q, 5, 4, {"1", "2", "3", "4"});
    q.Set_Grafik(true, 1, 0, -1);
    const std::array<std::string, 4> zellen = grafikZellen(*q.aktuelleTabelle(), 2);
    EXPECT_EQ(zellen[1], "");
    EXPECT_EQ(zellen[3], "Ort: Ort 2\r\nExtra: Ort 2");
    EXPECT_DOUBLE_EQ(grafikAnteil(*q.aktuelleTabelle(), 2), 0.5);
    q.SetTabelle(2, 1, -1, 1);
    q.SetA_Format(A_Vektor);
    FesteMetrik2 m;
    const DruckPlan plan = planeDruck(
        q.tabellenListe(), m,
        [](bool) {
            return SeitenFormat{800, 1000};
        },
        "Titel");
    ASSERT_EQ(plan.ergebnis, DruckErgebnis::Drucken);
    ASSERT_EQ(plan.seiten.size(), 2u);
    EXPECT_EQ(plan.seiten[0].zeilen.size(), 5u);  // title row and four bars
    EXPECT_EQ(plan.seiten[1].vektor, 1);
    EXPECT_TRUE(plan.seiten[1].zeilen.empty());
    const std::vector<int>& b = plan.breiten[0].breiten;
    ASSERT_EQ(b.size(), 5u);
    EXPECT_GE(b[3], 800 / 3);  // the bars get a third of the page
    EXPECT_EQ(plan.seiten[0].zeilen[1].hoehe, 2 * plan.zeilenHoehe);  // two label lines
}

}  // namespace
}  // namespace table
