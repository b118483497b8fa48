#include "controls/icontab/model/grafik_bild.h"

#include <algorithm>
#include <cmath>

namespace table {
namespace {

TColor kanal(TColor c, int s) {
    return (c >> s) & 0xFF;
}

struct Liste {
    std::vector<GrafikTeil>& v;

    void flaeche(const Rect& r, TColor f) {
        if (!r.isEmpty()) v.push_back({GrafikTeil::Flaeche, r, {}, f, {}, {}, false, false});
    }
    void vieleck(std::vector<Point> e, TColor f) {
        v.push_back({GrafikTeil::Vieleck, {}, std::move(e), f, {}, {}, false, false});
    }
    void linie(int x1, int y1, int x2, int y2, TColor f) {
        v.push_back({GrafikTeil::Linie, {x1, y1, x2, y2}, {}, f, {}, {}, false, false});
    }
    void text(const Rect& clip, int x, int y, std::string s, bool fett, bool senkrecht = false,
              TColor farbe = kSchwarz) {
        if (s.empty()) return;
        v.push_back({GrafikTeil::Text, clip, {}, farbe, std::move(s), {x, y}, fett, senkrecht});
    }
};

// A block d deep: front, then its top and side faces unless it reaches the edge.
void block(Liste& l, const Rect& vorne, int d, int rand, TColor f) {
    l.flaeche(vorne, f);
    if (d <= 0 || vorne.isEmpty() || vorne.right + d > rand) return;
    const Point a{vorne.left, vorne.top}, b{vorne.right, vorne.top};
    const Point c{vorne.right, vorne.bottom};
    l.vieleck({a, {a.x + d, a.y - d}, {b.x + d, b.y - d}, b}, heller(f));
    l.vieleck({b, {b.x + d, b.y - d}, {c.x + d, c.y - d}, c}, dunkler(f));
}

double wert(const Tabdefinition& t, int row) {
    const auto& w = t.Grafik.Werte;
    return row >= 0 && static_cast<size_t>(row) < w.size() ? w[static_cast<size_t>(row)] : 0;
}

int laenge(const Tabdefinition& t, int row) {
    const double s = t.Grafik.Skala > 0 ? t.Grafik.Skala : 1.0;
    return static_cast<int>(std::clamp(std::trunc(wert(t, row) / s), 0.0, 1e6));
}

TColor farbeVon(const RowDef& rd) {
    return rd.Farbe != 0 ? rd.Farbe & 0xFFFFFF : kBalkenBlau;
}

void balkenZeile(Liste& l, const TabBild& b, const TabellenPlatz& p, const ZeilenPlatz& z,
                 DruckMetrik& m) {
    const Tabdefinition& t = *p.tab;
    const GrafikDaten& g = t.Grafik;
    const RowDef& rd = t.Rows[static_cast<size_t>(z.row)];
    const bool fix = z.row < t.FixedRows;
    const int v = g.WertSpalte;
    const int n = g.LayoutSpalten;
    for (const SpaltenPlatz& sp : p.spalten) {
        const Rect r = b.zelle(p, z, sp);
        const int x = r.left + 2;
        const int mitte = r.top + (r.height() - g.ZeilenHoehe) / 2;
        if (fix) {
            if (sp.col == 0) l.text(r, r.left + 4, mitte, t.zelle(z.row, 0), true);
            if (sp.col == 2) l.text(r, r.left + 4, mitte, t.zelle(z.row, v), true);
            continue;
        }
        switch (sp.col) {
            case 0:
                l.text(r, x, mitte, t.zelle(z.row, 0), false);
                break;
            case 1:
            case 3: {
                const int von = sp.col == 1 ? 1 : v + 1;
                const int bis = sp.col == 1 ? v : n;
                const int zeilen = std::max(0, bis - von);
                int y = r.top + (r.height() - zeilen * g.ZeilenHoehe) / 2;
                for (int c = von; c < bis; ++c, y += g.ZeilenHoehe)
                    l.text(r, x, y, t.zelle(0, c) + ": " + t.zelle(z.row, c), false);
                break;
            }
            case 2: {
                const int d = std::max(0, (r.height() - 4) / 3);
                const int lang = std::min(laenge(t, z.row), std::max(0, r.width() - 4));
                const Rect vorne{x, r.top + 2 + d, x + lang, r.bottom - 3};
                block(l, vorne, d, r.right - 1, farbeVon(rd));
                const std::string text = t.zelle(z.row, v);
                const int tw = m.breite(text, kGrafikPunkte, true);
                // Beside the bar, or in white on it when the room ends there.
                const bool daneben = vorne.right + d + 4 + tw < r.right;
                l.text(r, daneben ? vorne.right + d + 4 : x + 2,
                       r.top + (r.height() - g.FettHoehe) / 2, text, true, false,
                       daneben ? kSchwarz : kWeiss);
                break;
            }
            default:
                break;
        }
    }
}

void saeulen(Liste& l, const TabBild& b, const TabellenPlatz& p, const ZeilenPlatz& z) {
    const Tabdefinition& t = *p.tab;
    const GrafikDaten& g = t.Grafik;
    const int grund = z.top + g.FettHoehe + g.BalkenHoehe;
    int rechts = 0;
    for (const SpaltenPlatz& sp : p.spalten) {
        const int row = t.FixedRows + sp.col;
        if (row >= g.Zeilen || row >= t.rowCount()) continue;
        const Rect zelle{sp.left, z.top, sp.right, z.bottom};
        rechts = std::max(rechts, sp.right);
        const int d = std::max(0, (sp.right - sp.left - 4) / 3);
        const int breite = std::max(1, sp.right - sp.left - 4 - d);
        const int lang = std::min(laenge(t, row), std::max(0, g.BalkenHoehe - 6));
        const Rect vorne{sp.left + 2, grund - lang, sp.left + 2 + breite, grund};
        block(l, vorne, d, sp.right, farbeVon(t.Rows[static_cast<size_t>(row)]));
        const std::string text = t.zelle(row, g.WertSpalte);
        l.text(zelle, sp.left + 2, std::max(z.top, vorne.top - d - g.FettHoehe), text, true);
        const std::string label = t.zelle(row, 0);
        if (g.Senkrecht) {
            // Upright: the text runs up from the bottom of the label room.
            l.text({sp.left, grund, sp.right, z.bottom},
                   sp.left + (sp.right - sp.left - g.FettHoehe) / 2, z.bottom - 2, label, true,
                   true);
        } else {
            l.text({sp.left, grund, sp.right, z.bottom}, sp.left + 2, grund + 2, label, true);
        }
    }
    l.linie(0, grund, std::max(rechts, b.masse.clientBreite), grund, 0x808080);
}

}  // namespace

TColor heller(TColor c) {
    TColor r = 0;
    for (int s = 0; s < 24; s += 8) r |= (kanal(c, s) + (255 - kanal(c, s)) / 3) << s;
    return r;
}

TColor dunkler(TColor c) {
    TColor r = 0;
    for (int s = 0; s < 24; s += 8) r |= (kanal(c, s) - kanal(c, s) / 3) << s;
    return r;
}

std::vector<GrafikTeil> grafikTeile(const TabBild& b, const TabellenPlatz& p, DruckMetrik& m,
                                    const GrafikStil& s) {
    std::vector<GrafikTeil> v;
    Liste l{v};
    const Tabdefinition& t = *p.tab;
    if (!t.IstGrafik) return v;
    for (const ZeilenPlatz& z : p.zeilen) {
        if (z.row < 0 || z.bottom <= z.top) continue;
        const bool fix = z.row < t.FixedRows;
        const bool gewaehlt = s.auswahlSichtbar && !fix && z.row == t.Selected && !t.SpaltenGrafik;
        const Rect zeile{0, z.top, b.masse.clientBreite, z.bottom};
        l.flaeche(zeile, fix ? s.rahmen : gewaehlt ? s.auswahl : s.hintergrund);
        if (t.SpaltenGrafik && !fix) {
            saeulen(l, b, p, z);
            continue;
        }
        if (t.SpaltenGrafik) {
            l.text(zeile, 4, z.top + (z.bottom - z.top - t.Grafik.FettHoehe) / 2, t.zelle(0, 0),
                   true);
        } else {
            balkenZeile(l, b, p, z, m);
        }
        l.linie(0, z.bottom - 1, b.masse.clientBreite, z.bottom - 1, s.gitter);
    }
    return v;
}

}  // namespace table
