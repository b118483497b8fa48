#include "controls/tabelle/model/tabelle_druckplan.h"

#include <algorithm>

namespace table {

const char* const kZuBreitText =
    "Tabelle kann nicht gedruckt werden,\nda die Breite zu gro\xDF ist!";
const char* const kZuBreitTitel = "nicht m\xF6glich";

int GitterDruckPlan::zeilenAufSeite(int p) const {
    const int von = ersteZeile(p);
    const int anzahl = p == 0 ? erste : weitere;
    return std::clamp(zeilen + 1 - von, 0, std::max(anzahl, 0));
}

std::vector<DruckText> druckTexte(const TabelleModell& t, int c) {
    std::vector<DruckText> texte;
    const int zeilen = t.gespeicherteZeilen();
    const TabellenGrafik& g = t.grafik();
    if (!g.an) {
        for (int r = 0; r < zeilen; ++r) texte.push_back({t.zelle(r, c)});
        return texte;
    }
    switch (c) {
        case 0:
            texte.push_back({t.zelle(0, 0)});
            for (int r = 1; r < zeilen; ++r) texte.push_back({t.zelle(r, 0), g.L > 1, g.L > 1});
            break;
        case 2:
            texte.push_back({t.zelle(0, g.v)});
            for (int r = 1; r < zeilen; ++r) texte.push_back({t.zelle(r, g.v)});
            break;
        default:
            for (int r = 1; r < zeilen; ++r)
                for (std::string& z : t.grafikZeilen(r, c)) texte.push_back({std::move(z)});
            break;
    }
    return texte;
}

namespace {

int miss(GitterMetrik& metrik, const DruckText& d, int groesse) {
    return metrik.breite(d.text, d.doppelt ? 2 * groesse : groesse, d.fett);
}

}  // namespace

// Grows the font while the table fits the page width (up to 17 points) and
// then takes one point back; a table too wide for portrait turns to landscape
// and starts again at 8 points, and one too wide there is not printed.
GitterDruckPlan planeDruck(const TabelleModell& t, GitterMetrik& metrik, int schriftGroesse,
                           DruckFlaeche hoch, DruckFlaeche quer) {
    GitterDruckPlan p;
    const bool grafik = t.grafik().an;
    const int spalten = grafik ? 4
                               : static_cast<int>(std::min<unsigned>(
                                     static_cast<unsigned>(t.ColCount()), t.sichtGrenze()));
    std::vector<DruckText> breitester(static_cast<size_t>(spalten));
    std::vector<bool> hatText(static_cast<size_t>(spalten), false);
    for (int c = 0; c < spalten; ++c) {
        int w = -1;
        for (const DruckText& d : druckTexte(t, c)) {
            const int b = miss(metrik, d, schriftGroesse);
            if (!d.text.empty()) hatText[static_cast<size_t>(c)] = true;
            if (b > w) {
                w = b;
                breitester[static_cast<size_t>(c)] = d;
            }
        }
    }
    DruckFlaeche seite = hoch;
    p.groesse = std::max(schriftGroesse, 1);
    p.breiten.assign(static_cast<size_t>(spalten), 0);
    bool gewachsen = false;
    bool geschrumpft = false;
    for (bool weiter = true; weiter;) {
        weiter = false;
        p.m = metrik.breite("m", p.groesse, false);
        p.rand = 2 * p.m;
        p.gesamt = 0;
        for (int c = 0; c < spalten; ++c) {
            int w = 0;
            if (!grafik || hatText[static_cast<size_t>(c)])
                w = std::max(miss(metrik, breitester[static_cast<size_t>(c)], p.groesse), 10) + p.m;
            if (grafik && c == 2) w = std::max(w, seite.breite / 3);
            p.breiten[static_cast<size_t>(c)] = w;
            p.gesamt += w;
        }
        if (geschrumpft) break;
        const bool passt = 4 * p.m + p.gesamt <= seite.breite;
        if (passt) {
            if (p.groesse < kGroessteDruckSchrift) {
                ++p.groesse;
                gewachsen = true;
                weiter = true;
            }
        } else if (!gewachsen) {
            p.quer = true;
            seite = quer;
            if (4 * p.m + p.gesamt <= seite.breite) {
                ++p.groesse;
                gewachsen = true;
                weiter = true;
            } else if (p.groesse <= kKleinsteDruckSchrift) {
                p.gesamt = 0;
                p.zuBreit = true;
                return p;
            } else {
                p.groesse = kKleinsteDruckSchrift;
                weiter = true;
            }
        } else {
            --p.groesse;
            geschrumpft = true;
            weiter = true;
        }
    }
    p.seitenHoehe = seite.hoehe;
    p.rh = metrik.hoehe(p.groesse, false);
    p.zeilen = std::max(t.gespeicherteZeilen() - 1, 0);
    if (p.gesamt <= 0 || p.rh <= 0) return p;
    const int L = grafik ? t.grafik().zeilen() : 1;
    p.erste = (seite.hoehe / p.rh - 5) / L;
    p.weitere = std::max((seite.hoehe / p.rh - 3) / L, 1);
    p.erste = std::max(p.erste, 0);
    if (p.zeilen <= p.erste)
        p.seiten = 1;
    else
        p.seiten = 1 + (p.zeilen - p.erste + p.weitere - 1) / p.weitere;
    return p;
}

}  // namespace table
