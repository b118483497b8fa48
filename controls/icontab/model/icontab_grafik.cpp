// IconTabModell's chart view: a grid table switched into bars of one
// numeric column and back. The table keeps its cells; the chart replaces
// its laid-out columns and row heights and restores them when it ends.
//
// clang-format off
// bar chart    | column 0 | column 1              | column 2       | column 3
// title rows   | title 0  |                       | title of v     |
// data rows    | cell 0   | "title: value" of the | the bar of v,  | "title: value" of
//              |          | columns 1 .. v-1      | its text after | the columns v+1 .. n-1
// column chart: two columns, fewer than 30 rows; every data row is one
// laid-out column, the first data row holds the whole chart, the other data
// rows are 0 high.
// clang-format on
#include <algorithm>
#include <cmath>

#include "controls/icontab/model/icontab_modell.h"
#include "controls/tabelle/model/tabelle_modell.h"

namespace table {
namespace {

constexpr int kGrafikSchrift = 8;
constexpr int kSaeulenGrenze = 30;  // column charts have fewer rows
constexpr int kBreitesterBalken = 50;
constexpr int kMindestZeilen = 3;

std::string labelText(const Tabdefinition& t, int row, int col) {
    return t.zelle(0, col) + ": " + t.zelle(row, col);
}

bool zeileLeer(const Tabdefinition& t, int row) {
    for (int c = 0; c < t.Spalten; ++c)
        if (!t.zelle(row, c).empty()) return false;
    return true;
}

}  // namespace

void IconTabModell::Set_Grafik(bool on, int col, unsigned max, int tab) {
    Tabdefinition* t = tabelle(tab);
    if (t == nullptr) return;
    if (on) {
        grafikAn(t, col, max);
    } else {
        grafikAus(t);
    }
}

void IconTabModell::Set_Grafik(Tabdefinition* t, bool an, int spalte) {
    if (t == nullptr) return;
    if (an) {
        grafikAn(t, spalte, 0);
    } else {
        grafikAus(t);
    }
}

void IconTabModell::grafikAn(Tabdefinition* t, int col, unsigned max) {
    // Nothing beside the first column to chart.
    const int n = t->IstGrafik ? t->Grafik.LayoutSpalten : t->SichtSpaltenLayout;
    if (n < 2 || t->rowCount() == 0) return;
    // Only the grid edits in place: the editor stores its input first.
    if (!t->IstGrafik && !eingabeAbschliessen(t)) return;
    const bool warGesperrt = lock_;
    lock_ = true;
    GrafikDaten& g = t->Grafik;
    if (!t->IstGrafik) {
        g.LayoutSpalten = t->SichtSpaltenLayout;
        g.Breiten.clear();
        for (const SpaltenEintrag& e : t->SpaltenInfo) g.Breiten.push_back(e.Breite);
        g.Hoehen.clear();
        for (const RowDef& r : t->Rows) g.Hoehen.push_back(r.Hoehe);
        g.Zeilen = t->rowCount();
        g.FontSize = t->FontSize;
        t->SpaltenGrafik = t->Spalten == 2 && t->rowCount() < kSaeulenGrenze;
        g.Angehaengt = 0;
        if (t->SpaltenGrafik && t->rowCount() < kMindestZeilen) {
            g.Angehaengt = kMindestZeilen - t->rowCount();
            RowDef rd;
            rd.Hoehe = DefaultRowHeight;
            rd.Wert = t->ZeilenLayout ? -1 : t->SichtSpalten;
            t->Rows.resize(kMindestZeilen, rd);
        }
        const int eintraege =
            t->SpaltenGrafik ? std::max(t->rowCount() - t->FixedRows, 4) : std::max(t->Spalten, 4);
        t->SpaltenInfo.resize(static_cast<size_t>(eintraege), SpaltenEintrag{0, -1, 0});
        t->FontSize = kGrafikSchrift;
        t->IstGrafik = true;
        if (OnModeChange) OnModeChange(*this, true);
    }

    // The value column: the one asked for, else the last one, else the first
    // after the fixed columns.
    const auto sichtbar = [&](int c) { return c >= 1 && c >= t->FixedCols && c < n; };
    int v = col > t->FixedCols ? col : g.AlteWertSpalte;
    if (t->SpaltenGrafik || !sichtbar(v)) v = std::max(t->FixedCols, 1);
    if (!sichtbar(v)) v = 1;
    g.WertSpalte = v;
    g.AlteWertSpalte = v;

    const int zeilen = t->SpaltenGrafik ? g.Zeilen : t->rowCount();
    g.Werte.assign(static_cast<size_t>(t->rowCount()), 0);
    double groesster = 0;
    for (int r = t->FixedRows; r < zeilen; ++r) {
        const double w = Str_in_Zahl(t->zelle(r, v));
        g.Werte[static_cast<size_t>(r)] = w;
        groesster = std::max(groesster, w);
    }
    g.Maximum = max != 0 ? max * 100.0 : groesster;

    DruckMetrik& m = listenMetrik();
    g.ZeilenHoehe = m.hoehe("A", kGrafikSchrift, false);
    g.FettHoehe = m.hoehe("A", kGrafikSchrift, true);
    g.LabelBreiten[0].clear();
    g.LabelBreiten[1].clear();
    if (t->SpaltenGrafik) {
        t->GrafikLabelSpalten = 1;
        g.RechteSpalten = 0;
        for (int r = t->FixedRows; r < zeilen; ++r)
            g.LabelBreiten[0].push_back(m.breite(t->zelle(r, 0), kGrafikSchrift, true));
        t->SichtSpaltenLayout = std::max(zeilen - t->FixedRows, 1);
    } else {
        g.RechteSpalten = std::max(0, n - v - 1);
        int l = n - v >= v ? n - v - 1 : v - 1;
        t->GrafikLabelSpalten = std::max(l, 1);
        int links = 0, rechts = 0, namen = 0;
        for (int r = t->FixedRows; r < zeilen; ++r) {
            namen = std::max(namen, m.breite(t->zelle(r, 0), kGrafikSchrift, false));
            for (int c = 1; c < v; ++c)
                links = std::max(links, m.breite(labelText(*t, r, c), kGrafikSchrift, false));
            for (int c = v + 1; c < n; ++c)
                rechts = std::max(rechts, m.breite(labelText(*t, r, c), kGrafikSchrift, false));
        }
        // Column 0 as saved, widened to its names.
        t->SpaltenInfo[0].Breite = std::max(g.Breiten.empty() ? 0 : g.Breiten[0], namen + 6);
        t->SpaltenInfo[1].Breite = links > 0 ? links + 6 : 0;
        t->SpaltenInfo[3].Breite = rechts > 0 ? rechts + 6 : 0;
        t->SichtSpaltenLayout = 4;
    }

    // Row heights: one bold line, or a line per label column.
    const int h = t->GrafikLabelSpalten == 1
                      ? std::max(g.FettHoehe, DefaultRowHeight)
                      : std::max(g.ZeilenHoehe * t->GrafikLabelSpalten, DefaultRowHeight);
    t->Hoehe = 0;
    for (int r = 0; r < t->rowCount(); ++r) {
        RowDef& rd = t->Rows[static_cast<size_t>(r)];
        if (r < t->FixedRows)
            rd.Hoehe = r < static_cast<int>(g.Hoehen.size()) ? g.Hoehen[static_cast<size_t>(r)]
                                                             : DefaultRowHeight;
        else
            rd.Hoehe = t->SpaltenGrafik ? 0 : h;
        t->Hoehe += rd.Hoehe;
    }
    if (!warGesperrt) {
        lock_ = false;
        SetGroesse();
        neuZeichnen();
    }
}

void IconTabModell::grafikAus(Tabdefinition* t) {
    if (!t->IstGrafik) return;
    const bool warGesperrt = lock_;
    lock_ = true;
    GrafikDaten& g = t->Grafik;
    t->IstGrafik = false;
    // The empty rows appended for a column chart go; rows the host added
    // meanwhile stay.
    const size_t breite = static_cast<size_t>(std::max(t->Spalten, 0));
    int weg = t->SpaltenGrafik ? g.Angehaengt : 0;
    for (int r = std::max(g.Zeilen, 0); weg > 0 && r < t->rowCount();) {
        if (!zeileLeer(*t, r)) {
            ++r;
            continue;
        }
        const size_t von = std::min(static_cast<size_t>(r) * breite, t->Zellen.size());
        const size_t bis = std::min(von + breite, t->Zellen.size());
        t->Zellen.erase(t->Zellen.begin() + static_cast<std::ptrdiff_t>(von),
                        t->Zellen.begin() + static_cast<std::ptrdiff_t>(bis));
        t->Rows.erase(t->Rows.begin() + r);
        if (t->Selected == r) t->Selected = -1;
        if (t->Selected > r) --t->Selected;
        --weg;
    }
    t->SpaltenGrafik = false;
    t->Hoehe = 0;
    for (size_t r = 0; r < t->Rows.size(); ++r) {
        RowDef& rd = t->Rows[r];
        if (r < g.Hoehen.size()) {
            rd.Hoehe = g.Hoehen[r];
        } else if (rd.Hoehe == 0) {
            rd.Hoehe = hoeheFuer(rd.Zeilen);  // added under the column chart
        }
        t->Hoehe += rd.Hoehe;
    }
    t->SpaltenInfo.resize(static_cast<size_t>(t->Spalten));
    for (size_t c = 0; c < t->SpaltenInfo.size() && c < g.Breiten.size(); ++c)
        t->SpaltenInfo[c].Breite = g.Breiten[c];
    t->FontSize = g.FontSize;
    const int alt = g.AlteWertSpalte;
    const int spalten = g.LayoutSpalten;
    g = GrafikDaten{};
    g.AlteWertSpalte = alt;
    if (OnModeChange) OnModeChange(*this, false);
    t->SichtSpaltenLayout = spalten;
    t->GrafikLabelSpalten = 1;
    if (!warGesperrt) {
        lock_ = false;
        SetGroesse();
        neuZeichnen();
    }
}

// The chart's part of the layout: the bar column, or the width of the
// columns and the height of the column chart, and the scale.
void IconTabModell::grafikSpalten(Tabdefinition& t, int breite, int hoehe) {
    GrafikDaten& g = t.Grafik;
    auto spalte = [&t](size_t c) -> int& { return t.SpaltenInfo[c].Breite; };
    if (!t.SpaltenGrafik) {
        if (t.SpaltenInfo.size() < 4) return;
        const int frei = breite - std::max(0, spalte(0)) - spalte(1) - spalte(3) - 4;
        if (g.Maximum > 0) {
            spalte(2) = std::max(frei, breite / 3);
        } else {
            const auto v = static_cast<size_t>(g.WertSpalte);
            spalte(2) = v < g.Breiten.size() ? std::max(0, g.Breiten[v]) : DefaultColWidth;
        }
        const double s = g.Maximum / std::max(1, spalte(2) - 4);
        g.Skala = s > 0 ? static_cast<float>(s) : 1.0f;
        return;
    }
    const int balken = std::max(1, t.SichtSpaltenLayout);
    const int minimum = t.rowCount() > t.FixedRows && t.FixedRows > 0
                            ? std::max(1, g.Hoehen.empty() ? 20 : g.Hoehen[0])
                            : 20;
    int b = std::clamp((breite - 4 - minimum) / balken, minimum, kBreitesterBalken);
    const int titel = listenMetrik().breite(t.zelle(0, 0), kGrafikSchrift, true) + 10;
    if (t.FixedRows > 0 && titel > b * balken) b = (titel + balken - 1) / balken;
    g.BalkenDicke = b;
    for (int c = 0; c < balken && c < static_cast<int>(t.SpaltenInfo.size()); ++c)
        spalte(static_cast<size_t>(c)) = b;
    int breitestes = 0;
    for (const int w : g.LabelBreiten[0]) breitestes = std::max(breitestes, w);
    g.Senkrecht = breitestes > b - 4;
    g.LabelHoehe = (g.Senkrecht ? breitestes : g.FettHoehe) + 4;
    int kopf = 0;
    for (int r = 0; r < t.FixedRows && r < t.rowCount(); ++r)
        kopf += t.Rows[static_cast<size_t>(r)].Hoehe;
    g.BalkenHoehe =
        std::max(hoehe - masse_.captionHoehe - kopf - 1 - g.LabelHoehe - g.FettHoehe, hoehe / 4);
    const double s = g.Maximum / std::max(1, g.BalkenHoehe - 6);
    g.Skala = s > 0 ? static_cast<float>(s) : 1.0f;
    // The first data row carries the chart; the others take no room.
    t.Hoehe = kopf;
    for (int r = t.FixedRows; r < t.rowCount(); ++r) {
        RowDef& rd = t.Rows[static_cast<size_t>(r)];
        rd.Hoehe = r == t.FixedRows ? g.FettHoehe + g.BalkenHoehe + g.LabelHoehe : 0;
        t.Hoehe += rd.Hoehe;
    }
}

}  // namespace table
