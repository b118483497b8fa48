#include "controls/table/model/tab_druck.h"

#include <algorithm>
#include <cmath>

namespace table {
namespace {

bool aufPapier(const Tabdefinition& t) {
    // The bitmap view has nothing to print; the drawing view prints itself.
    return t.Anzeige != A_Bitmap && t.Anzeige != A_Vektor && t.rowCount() > 0;
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

int GetColBreiten(DruckMetrik& m, int punkte, Breiten& b, const Tabdefinition& t, bool messen) {
    const int em = m.breite("m", punkte, false);
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
    for (size_t i = 0; i < tabellen.size(); ++i)
        if (aufPapier(*tabellen[i])) druck.push_back(i);
    if (druck.empty()) return p;

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

    const int h = std::max(1, m.hoehe("M", p.punkte, false));
    p.zeilenHoehe = h;
    p.titelHoehe = titel.empty() ? 0 : m.hoehe(titel, p.punkte + 4, true);
    p.fussY = p.seite.hoehe - m.hoehe("A", p.punkte, false);
    const int unten = p.fussY;

    p.seiten.emplace_back();
    int y = p.titelHoehe;
    auto hoehe = [&](const Tabdefinition& t, int r) {
        const RowDef& rd = t.Rows[static_cast<size_t>(r)];
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
    for (const size_t i : druck) {
        const Tabdefinition& t = *tabellen[i];
        const int ti = static_cast<int>(i);
        const int fix = std::min(std::max(t.FixedRows, 0), t.rowCount());
        int kopf = 0;
        for (int r = 0; r < fix; ++r) kopf += hoehe(t, r);
        const int erste = fix < t.rowCount() ? hoehe(t, fix) : 0;
        // A table starts on a new page when its head and first row, or at
        // least three lines, do not fit on this one.
        if (!p.seiten.back().zeilen.empty() && unten - y < std::max(3 * h, kopf + erste))
            neueSeite();
        for (int r = 0; r < fix; ++r) setzen(ti, r, hoehe(t, r));
        bool datenAufSeite = false;
        for (int r = fix; r < t.rowCount(); ++r) {
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
