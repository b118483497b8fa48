#include "controls/table_shared/model/tab_druck.h"

#include <algorithm>
#include <cmath>

namespace table {
namespace {

bool aufPapier(const Tabdefinition& t) {
    // The bitmap view has nothing to print; the drawing view prints itself.
    return t.Anzeige != A_Bitmap && t.Anzeige != A_Vektor && t.rowCount() > 0;
}

// A chart prints only the rows it was made of.
int druckZeilen(const Tabdefinition& t) {
    return t.IstGrafik && t.SpaltenGrafik ? std::min(t.rowCount(), t.Grafik.Zeilen) : t.rowCount();
}

std::string zeilenText(const Tabdefinition& t, int row, int von, int bis) {
    std::string s;
    for (int c = von; c < bis; ++c) {
        if (!s.empty()) s += "\r\n";
        s += t.zelle(0, c) + ": " + t.zelle(row, c);
    }
    return s;
}

// Lines split at CR, an LF right after it skipped: the widest line counts.
int textBreite(DruckMetrik& m, const std::string& text, int punkte, bool fett) {
    int breitest = 0;
    size_t start = 0;
    for (;;) {
        const size_t ende = std::min(text.find('\r', start), text.size());
        breitest = std::max(
            breitest, m.breite(std::string_view(text).substr(start, ende - start), punkte, fett));
        if (ende == text.size()) return breitest;
        start = ende + 1;
        if (start < text.size() && text[start] == '\n') ++start;
    }
}

int sichtbar(const Tabdefinition& t) {
    return std::clamp(t.SichtSpalten, 0, t.Spalten);
}

}  // namespace

std::array<std::string, 4> grafikZellen(const Tabdefinition& t, int row) {
    const int v = t.Grafik.WertSpalte;
    if (row < t.FixedRows) return {t.zelle(row, 0), "", t.zelle(row, v), ""};
    return {t.zelle(row, 0), zeilenText(t, row, 1, v), t.zelle(row, v),
            zeilenText(t, row, v + 1, t.Grafik.LayoutSpalten)};
}

double grafikAnteil(const Tabdefinition& t, int row) {
    const auto& w = t.Grafik.Werte;
    if (row < t.FixedRows || row < 0 || static_cast<size_t>(row) >= w.size() ||
        !(t.Grafik.Maximum > 0))
        return 0;
    return std::clamp(w[static_cast<size_t>(row)] / t.Grafik.Maximum, 0.0, 1.0);
}

int GetColBreiten(DruckMetrik& m, int punkte, Breiten& b, const Tabdefinition& t, bool messen) {
    const int em = m.breite("m", punkte, false);
    if (t.IstGrafik) {
        // Four columns from the chart's texts; the value column is widened
        // to the page by the plan.
        b.breiten.assign(5, 0);
        b.breitesteZeile.assign(4, -1);
        b.breiten[0] = 2 * em;
        int summe = 0;
        for (int c = 0; c < 4; ++c) {
            int breitest = 0;
            for (int r = 0; r < druckZeilen(t); ++r)
                breitest =
                    std::max(breitest, textBreite(m, grafikZellen(t, r)[static_cast<size_t>(c)],
                                                  punkte, r < t.FixedRows));
            const int w = breitest > 0 || c == 2 ? std::max(breitest, 10) + em : 0;
            b.breiten[static_cast<size_t>(c) + 1] = w;
            summe += w;
        }
        return summe;
    }
    const int n = sichtbar(t);
    b.breiten.assign(static_cast<size_t>(n) + 1, 0);
    b.breitesteZeile.resize(static_cast<size_t>(n), -1);
    b.breiten[0] = 2 * em;
    int summe = 0;
    for (int c = 0; c < n; ++c) {
        int breitest = 0;
        int& zeile = b.breitesteZeile[static_cast<size_t>(c)];
        if (messen) {
            zeile = -1;
            for (int r = 0; r < t.rowCount() && t.zelleDa(r, c); ++r) {
                const int w = textBreite(m, t.zelle(r, c), punkte, r < t.FixedRows);
                if (w > breitest) {
                    breitest = w;
                    zeile = r;
                }
            }
        } else if (zeile >= 0) {
            breitest = textBreite(m, t.zelle(zeile, c), punkte, zeile < t.FixedRows);
        }
        const int w = std::max(breitest, 10) + em;
        b.breiten[static_cast<size_t>(c) + 1] = w;
        summe += w;
    }
    return summe;
}

DruckPlan planeDruck(const std::vector<const Tabdefinition*>& tabellen, DruckMetrik& m,
                     const std::function<SeitenFormat(bool quer)>& format,
                     const std::string& titel) {
    DruckPlan p;
    p.breiten.resize(tabellen.size());
    std::vector<size_t> druck;
    bool vektor = false;
    for (size_t i = 0; i < tabellen.size(); ++i) {
        if (aufPapier(*tabellen[i])) druck.push_back(i);
        vektor = vektor || tabellen[i]->Anzeige == A_Vektor;
    }
    if (druck.empty() && !vektor) return p;

    const int em = m.breite("m", 8, false);
    int breitest = 0;
    for (const size_t i : druck)
        breitest = std::max(breitest, GetColBreiten(m, 8, p.breiten[i], *tabellen[i], true));
    const long long bedarf = static_cast<long long>(breitest) + 4LL * em;

    p.seite = format(false);
    if (p.seite.breite < bedarf) {
        const SeitenFormat quer = format(true);
        if (quer.breite < bedarf) {
            p.ergebnis = DruckErgebnis::ZuBreit;
            return p;
        }
        p.quer = true;
        p.seite = quer;
    }
    const double groesse = std::floor(8.0 * p.seite.breite / static_cast<double>(bedarf) - 1.0);
    if (groesse > 8) {
        p.punkte = static_cast<int>(std::min(groesse, 14.0));
        for (const size_t i : druck) GetColBreiten(m, p.punkte, p.breiten[i], *tabellen[i], false);
    }
    // A chart's bars get at least a third of the page, as far as it reaches.
    for (const size_t i : druck) {
        std::vector<int>& b = p.breiten[i].breiten;
        if (!tabellen[i]->IstGrafik || b.size() < 5) continue;
        long long andere = 0;
        for (size_t c = 0; c < b.size(); ++c)
            if (c != 3) andere += b[c];
        const long long frei = p.seite.breite - andere - 2LL * em;
        b[3] = static_cast<int>(
            std::max<long long>(b[3], std::min<long long>(p.seite.breite / 3, frei)));
    }

    const int h = std::max(1, m.hoehe("M", p.punkte, false));
    p.zeilenHoehe = h;
    p.titelHoehe = titel.empty() ? 0 : m.hoehe(titel, p.punkte + 4, true);
    p.fussY = p.seite.hoehe - m.hoehe("A", p.punkte, false);
    const int unten = p.fussY;

    p.seiten.emplace_back();
    int y = p.titelHoehe;
    auto hoehe = [&](const Tabdefinition& t, int r) {
        const RowDef& rd = t.Rows[static_cast<size_t>(r)];
        if (t.IstGrafik) return r < t.FixedRows ? h : std::max(1, t.GrafikLabelSpalten) * h;
        return (rd.Art & kTitelZeile) ? h : std::max(1, rd.Zeilen) * h;
    };
    auto setzen = [&](int ti, int r, int rh) {
        p.seiten.back().zeilen.push_back({ti, r, y, rh});
        y += rh;
    };
    auto neueSeite = [&] {
        p.seiten.emplace_back();
        y = h;
    };
    for (size_t i = 0; i < tabellen.size(); ++i) {
        const Tabdefinition& t = *tabellen[i];
        const int ti = static_cast<int>(i);
        if (t.Anzeige == A_Vektor) {
            // The drawing fills a page of its own; what follows starts anew.
            if (!p.seiten.back().zeilen.empty() || p.seiten.back().vektor >= 0) neueSeite();
            p.seiten.back().vektor = ti;
            neueSeite();
            continue;
        }
        if (!aufPapier(t)) continue;
        const int fix = std::min(std::max(t.FixedRows, 0), t.rowCount());
        int kopf = 0;
        for (int r = 0; r < fix; ++r) kopf += hoehe(t, r);
        const int erste = fix < druckZeilen(t) ? hoehe(t, fix) : 0;
        // A table starts on a new page when its head and first row, or at
        // least three lines, do not fit on this one.
        if (!p.seiten.back().zeilen.empty() && unten - y < std::max(3 * h, kopf + erste))
            neueSeite();
        for (int r = 0; r < fix; ++r) setzen(ti, r, hoehe(t, r));
        bool datenAufSeite = false;
        for (int r = fix; r < druckZeilen(t); ++r) {
            const int rh = hoehe(t, r);
            // A page holds at least one data row, however small it is.
            if (y + rh > unten && datenAufSeite) {
                neueSeite();
                for (int k = 0; k < fix; ++k) setzen(ti, k, hoehe(t, k));
                datenAufSeite = false;
            }
            setzen(ti, r, rh);
            datenAufSeite = true;
        }
        y += h;  // one empty line before the next table
    }
    // A drawing last leaves an empty page behind it.
    if (p.seiten.size() > 1 && p.seiten.back().zeilen.empty() && p.seiten.back().vektor < 0)
        p.seiten.pop_back();
    p.ergebnis = DruckErgebnis::Drucken;
    return p;
}

std::string seitenFuss(int seite, int seiten) {
    if (seiten <= 1) return {};
    return "Seite " + std::to_string(seite) + " von " + std::to_string(seiten) + " Seiten";
}

std::string seitenFrage(int seiten) {
    return "Es sollen " + std::to_string(seiten) + "Seiten gedruckt werden.\n Drucken beginnen?";
}

}  // namespace table
