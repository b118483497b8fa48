// The grid table's chart view: every stored data row becomes one grid row
// with a bar for the value of column v and the other columns as label lines.
//
// clang-format off
// grid column | title row   | data rows
// 0           | title 0     | column 0, 16 points bold when L > 1
// 1           | (empty)     | "title: value" of columns 1 .. v-1
// 2           | title of v  | the bar of column v, its value bold over it
// 3           | (empty)     | "title: value" of columns v+1 .. n-1
// clang-format on
#include <algorithm>
#include <cmath>
#include <cstdint>
#include <limits>

#include "controls/tabelle/model/tabelle_modell.h"

namespace table {
namespace {

constexpr int kGrafikSchrift = 8;
constexpr int kGrossSchrift = 16;
constexpr int kMarkerPlatz = 14;
constexpr const char* kDoppelpunkt = ": ";

}  // namespace

int Str_in_Zahl(const std::string& s) {
    std::int64_t wert = 0;
    bool komma = false;
    int stellen = 0;
    for (size_t i = 0; i < s.size() && i < 16 && s[i] != '\0' && stellen < 2; ++i) {
        const char ch = s[i];
        if (ch >= '0' && ch <= '9') {
            wert = wert * 10 + (ch - '0');
            if (komma) ++stellen;
        } else if (ch == ',' || ch == '.') {
            if (komma) break;
            komma = true;
        }
    }
    for (; stellen < 2; ++stellen) wert *= 10;
    // Sixteen digits overflow the cell's number: it counts as nothing.
    return wert > std::numeric_limits<int>::max() ? 0 : static_cast<int>(wert);
}

void TabelleModell::SetTyp(int col) {
    if (col <= 0 || col >= spalten_ || numerisch_.empty()) return;
    numerisch_[static_cast<size_t>(col)] = 1;
}

std::vector<std::pair<std::string, int>> TabelleModell::Get_Spalten(int first) const {
    std::vector<std::pair<std::string, int>> liste;
    for (int i = std::max(first, 0); i < spalten_ && static_cast<unsigned>(i) < sicht_; ++i) {
        if (static_cast<size_t>(i) >= numerisch_.size() || numerisch_[static_cast<size_t>(i)] == 0)
            continue;
        const std::string name = static_cast<size_t>(i) < zellen_.size()
                                     ? zellen_[static_cast<size_t>(i)]
                                     : "Spalte " + std::to_string(i + 1);
        liste.emplace_back(name, i);
    }
    return liste;
}

int TabelleModell::Get_GrafSpalte() const {
    const int v = grafik_.v;
    return v > 0 && v < spalten_ && static_cast<unsigned>(v) < sicht_ ? v : 1;
}

void TabelleModell::Set_Grafik(bool on, int col) {
    if (!on) {
        // Closing a chart that is not shown changes nothing.
        if (!grafik_.an) return;
        const bool sperre = lock_;  // a batch of the host stays open
        lock_ = true;
        grafik_.an = false;
        canvasGroesse_ = grafik_.gespeicherteGroesse;
        SetDefaultRowHeight(grafik_.gespeicherteHoehe);
        if (neueZeile_) SetRowHeight(1, 20);
        SetColCount(spalten_);
        for (int c = 0; c < spalten_ && static_cast<size_t>(c) < grafik_.breiten.size(); ++c)
            SetColWidth(c, grafik_.breiten[static_cast<size_t>(c)]);
        grafik_.breiten.clear();
        grafik_.abstand[0].clear();
        grafik_.abstand[1].clear();
        grafik_.balken.clear();
        lock_ = sperre;
        neuZeichnen();
        if (OnModeChange) OnModeChange(*this, false);
        return;
    }
    const int n = std::min(static_cast<int>(std::min<unsigned>(sicht_, 0x7FFFFFFF)), spalten_);
    if (n < 2) return;  // nothing beside column 0 to chart
    const bool neu = !grafik_.an;
    if (neu) {
        grafik_.breiten.clear();
        for (int c = 0; c < ColCount(); ++c) grafik_.breiten.push_back(ColWidth(c));
        grafik_.gespeicherteGroesse = canvasGroesse_;
        grafik_.gespeicherteHoehe = DefaultRowHeight();
        canvasGroesse_ = kGrafikSchrift;
    }
    grafikLayout(col);
    if (neu && OnModeChange) OnModeChange(*this, true);
}

void TabelleModell::grafikLayout(int col) {
    TabellenGrafik& g = grafik_;
    int v = col == -1 ? suchSpalte_ : col;
    g.n = std::min(static_cast<int>(std::min<unsigned>(sicht_, 0x7FFFFFFF)), spalten_);
    // A column outside the charted ones falls back to the first after column 0.
    if (v < 1 || v >= g.n) v = 1;
    g.v = v;
    g.A = std::max(g.n - v - 1, 0);
    g.L = g.n - v < v ? v - 1 : g.n - v - 1;
    g.h = metrik().hoehe(canvasGroesse_, false);
    SetDefaultRowHeight(g.h * g.zeilen());
    SetRowHeight(0, g.gespeicherteHoehe);
    if (neueZeile_) SetRowHeight(1, 20);
    g.an = true;

    // The values of column v, in hundredths.
    g.balken.assign(static_cast<size_t>(std::max(zeilen_, 0)), 0);
    int groesster = 0;
    for (int r = 1; r < zeilen_; ++r) {
        const int w = Str_in_Zahl(zelle(r, v));
        g.balken[static_cast<size_t>(r)] = w;
        groesster = std::max(groesster, w);
    }

    const bool sperre = lock_;
    lock_ = true;
    SetColCount(4);
    const int w1 = v >= 2 ? labelSpalte(0, 1, v - 1) : -1;
    SetColWidth(1, w1);
    const int w3 = g.A > 0 ? labelSpalte(1, v + 1, g.A) : -1;
    SetColWidth(3, w3);
    if (g.L > 1) {
        int breit = 0;
        for (int r = 1; r < zeilen_; ++r)
            breit = std::max(breit, metrik().breite(zelle(r, 0), kGrossSchrift, true));
        int titel = metrik().breite(zelle(0, 0), kGrafikSchrift, false);
        if (suchfeldDa() || Sortierung) titel += kMarkerPlatz;
        SetColWidth(0, std::max(breit, titel) + 4);
    } else if (!g.breiten.empty()) {
        SetColWidth(0, g.breiten[0]);
    }
    // The 25 pixels are the bar's and the grid lines' room.
    const int breite = steuerBreite();
    const int frei = breite - ColWidth(0) - ColWidth(1) - w3 - 25;
    if (groesster == 0) {
        const auto vi = static_cast<size_t>(v);
        SetColWidth(2, vi < g.breiten.size() ? g.breiten[vi] : DefaultColWidth());
        g.volleBreite = 0;
        std::fill(g.balken.begin(), g.balken.end(), 0);
    } else {
        const int w2 = frei > 0 && frei > breite / 3 ? frei : breite / 3;
        SetColWidth(2, w2);
        const double massstab = static_cast<double>(groesster) / std::max(w2 - 4, 1);
        g.volleBreite = static_cast<int>(std::lround(groesster / massstab));
        for (int& b : g.balken) b = static_cast<int>(std::lround(b / massstab));
    }
    lock_ = sperre;
    neuZeichnen();
}

// Width of a label column: titles of `anzahl` columns from `erste`, their
// colons lined up, and the widest value behind them.
int TabelleModell::labelSpalte(int gruppe, int erste, int anzahl) {
    std::vector<int>& abstand = grafik_.abstand[gruppe];
    abstand.assign(static_cast<size_t>(anzahl), 0);
    int W = 0;
    for (int j = 0; j < anzahl; ++j) {
        abstand[static_cast<size_t>(j)] =
            metrik().breite(zelle(0, erste + j), canvasGroesse_, false) + 1;
        W = std::max(W, abstand[static_cast<size_t>(j)]);
    }
    int breitester = 0;
    for (int r = 1; r < zeilen_; ++r)
        for (int j = 0; j < anzahl; ++j)
            breitester = std::max(breitester,
                                  metrik().breite(zelle(r, erste + j), canvasGroesse_, false) + W);
    for (int& a : abstand) a = W - a;
    if (breitester <= 0) return -1;
    return breitester + metrik().breite(kDoppelpunkt, canvasGroesse_, false) + 4;
}

std::vector<std::string> TabelleModell::grafikZeilen(int storedRow, int gridCol) const {
    std::vector<std::string> zeilen;
    if (!grafik_.an) return zeilen;
    int von = 1;
    int bis = grafik_.v;  // exclusive
    if (gridCol == 3) {
        von = grafik_.v + 1;
        bis = grafik_.n;
    } else if (gridCol != 1) {
        return zeilen;
    }
    for (int c = von; c < bis; ++c)
        zeilen.push_back(zelle(0, c) + kDoppelpunkt + zelle(storedRow, c));
    return zeilen;
}

int TabelleModell::grafikAbstand(int gridCol, int line) const {
    const std::vector<int>& a = grafik_.abstand[gridCol == 3 ? 1 : 0];
    return line >= 0 && static_cast<size_t>(line) < a.size() ? a[static_cast<size_t>(line)] : 0;
}

}  // namespace table
