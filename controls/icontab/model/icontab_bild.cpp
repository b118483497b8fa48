#include "controls/icontab/model/icontab_bild.h"

#include <algorithm>

namespace table {
namespace {

bool mitKacheln(const Tabdefinition& t, const BildMasse& m) {
    return t.Anzeige == A_Icon && m.icons;
}

// The pixel content of tiles (only with an image list) and list entries.
long long ansichtInhalt(const Tabdefinition& t, const BildMasse& m) {
    if (mitKacheln(t, m))
        return kachelInhalt(datenZeilen(t), m.iconsProZeile, m.kachelnNeben, m.zeilenNeben,
                            m.iconHoehe + m.vAbstand);
    if (t.Anzeige == A_IconList) return listenInhalt(datenZeilen(t), m.listZeilenHoehe);
    return 0;
}

// Tiles and list entries (`inhalt` their pixel content) from the part of the
// position left to them, in pixels.
void ansicht(const BildMasse& m, long long inhalt, long long& rest, int& y, TabellenPlatz& p) {
    p.scroll = static_cast<int>(rest);
    rest = 0;
    p.kacheln = KachelMasse{y,          p.scroll,        m.iconBreite,   m.iconHoehe,  m.hAbstand,
                            m.vAbstand, m.iconsProZeile, m.kachelnNeben, m.zeilenNeben};
    y = static_cast<int>(std::min<long long>(y + std::max(0LL, inhalt - p.scroll), 0x3FFFFFFF));
}

void spaltenSetzen(const Tabdefinition& t, const BildMasse& m, TabellenPlatz& p) {
    const int n = std::clamp(t.SichtSpaltenLayout, 0, static_cast<int>(t.SpaltenInfo.size()));
    const int fix = std::clamp(t.FixedCols, 0, n);
    int x = 0;
    auto setzen = [&](int c) {
        const int b = std::max(0, t.SpaltenInfo[static_cast<size_t>(c)].Breite);
        p.spalten.push_back({c, x, x + b});
        x += b;
    };
    for (int c = 0; c < fix && x < m.clientBreite; ++c) setzen(c);
    for (int c = std::max(fix, m.leftCol); c < n && x < m.clientBreite; ++c) setzen(c);
}

void gitter(const Tabdefinition& t, const BildMasse& m, long long& rest, int& y, TabellenPlatz& p) {
    const int fix = std::min(t.FixedRows, t.rowCount());
    auto setzen = [&](int row, int h) {
        p.zeilen.push_back({row, y, y + h});
        y += h;
    };
    if (fix == 0 && m.neueZeile) setzen(kNeueZeile, m.neueZeileHoehe);
    for (int r = 0; r < fix && y < m.clientHoehe; ++r)
        setzen(r, t.Rows[static_cast<size_t>(r)].Hoehe);
    p.scroll = static_cast<int>(rest);  // at most its data rows: a table with fewer is skipped
    rest = 0;
    int r = fix + p.scroll;
    p.ersteDatenZeile = r;
    if (fix > 0 && m.neueZeile && y < m.clientHoehe) setzen(kNeueZeile, m.neueZeileHoehe);
    for (; r < t.rowCount() && y < m.clientHoehe; ++r)
        setzen(r, t.Rows[static_cast<size_t>(r)].Hoehe);
    spaltenSetzen(t, m, p);
}

}  // namespace

int datenZeilen(const Tabdefinition& t) {
    return t.rowCount() - std::min(t.FixedRows, t.rowCount());
}

int abstandNach(const Tabdefinition& t, bool icons) {
    return t.Anzeige == A_Icon && icons ? kKachelAbstand : kTabellenAbstand;
}

long long abdeckung(const Tabdefinition& t, bool icons, long long inhalt) {
    switch (t.Anzeige) {
        case A_Tabelle:
            return datenZeilen(t);
        case A_Icon:
        case A_IconList:
            return inhalt + abstandNach(t, icons);
        default:
            return -1;
    }
}

TabBild berechneBild(const std::vector<const Tabdefinition*>& tabellen, const BildMasse& m) {
    TabBild bild;
    bild.masse = m;
    long long rest = std::max(0, m.topRow);
    int y = m.captionHoehe;
    for (const Tabdefinition* t : tabellen) {
        if (y >= m.clientHoehe) break;
        // A table the position scrolls past entirely gives way to the next:
        // a grid once the position passes its data rows, tiles and lists
        // once it covers their content and the gap below.
        const long long inhalt = ansichtInhalt(*t, m);
        const long long a = abdeckung(*t, m.icons, inhalt);
        if (rest > 0 && a >= 0 && (t->Anzeige == A_Tabelle ? a < rest : a <= rest)) {
            rest -= a;
            bild.darueber.push_back(t);
            continue;
        }
        TabellenPlatz p;
        p.tab = t;
        p.top = y;
        int abstand = abstandNach(*t, m.icons);
        if (t->Anzeige == A_Tabelle) {
            if (t->rowCount() > 0) gitter(*t, m, rest, y, p);
        } else if (t->Anzeige == A_Icon || t->Anzeige == A_IconList) {
            // The gap below shrinks once the content is scrolled away.
            abstand -= static_cast<int>(std::max(0LL, rest - inhalt));
            ansicht(m, inhalt, rest, y, p);
        } else {
            // A picture or a drawing fills the client area below its top;
            // it scrolls inside that area.
            y = std::max(y, m.clientHoehe);
            rest = 0;
        }
        p.bottom = y;
        y += abstand;
        bild.tabellen.push_back(std::move(p));
    }
    return bild;
}

bool TabBild::weggescrollt(const Tabdefinition* t) const {
    return std::find(darueber.begin(), darueber.end(), t) != darueber.end();
}

const TabellenPlatz* TabBild::tabelleBei(int y) const {
    for (size_t i = 0; i < tabellen.size(); ++i) {
        const int ende = i + 1 < tabellen.size()
                             ? tabellen[i + 1].top
                             : tabellen[i].bottom + abstandNach(*tabellen[i].tab, masse.icons);
        if (y >= tabellen[i].top && y < ende) return &tabellen[i];
    }
    return nullptr;
}

const ZeilenPlatz* TabBild::zeileBei(const TabellenPlatz& t, int y) const {
    // Rows are placed top down: a binary search by their bottom edge.
    auto it = std::upper_bound(t.zeilen.begin(), t.zeilen.end(), y,
                               [](int v, const ZeilenPlatz& z) { return v < z.bottom; });
    if (it == t.zeilen.end() || y < it->top) return nullptr;
    return &*it;
}

const SpaltenPlatz* TabBild::spalteBei(const TabellenPlatz& t, const RowDef& row, int x) const {
    for (const SpaltenPlatz& s : t.spalten) {
        const bool letzte = s.col == t.tab->SichtSpaltenLayout - 1;
        const int rechts =
            letzte && dehnt(row, s.col) ? std::max(s.right, masse.clientBreite) : s.right;
        if (x >= s.left && x < rechts) return &s;
    }
    return nullptr;
}

const TabellenPlatz* TabBild::platzVon(const Tabdefinition* tab) const {
    for (const TabellenPlatz& p : tabellen)
        if (p.tab == tab) return &p;
    return nullptr;
}

const ZeilenPlatz* TabBild::platzVon(const TabellenPlatz& t, int row) const {
    for (const ZeilenPlatz& z : t.zeilen)
        if (z.row == row) return &z;
    return nullptr;
}

Rect TabBild::zelle(const TabellenPlatz& t, const ZeilenPlatz& z, const SpaltenPlatz& s) const {
    const RowDef* row = z.row >= 0 ? t.tab->row(z.row) : nullptr;
    if (row != nullptr && (row->Art & kTitelZeile)) return {0, z.top, masse.clientBreite, z.bottom};
    int rechts = s.right;
    if (row != nullptr && s.col == t.tab->SichtSpaltenLayout - 1 && dehnt(*row, s.col))
        rechts = std::max(rechts, masse.clientBreite);
    return {s.left, z.top, rechts, z.bottom};
}

Rect kachelIcon(int i, const KachelMasse& k) {
    const int neben = std::max(1, k.kachelnNeben) * std::max(0, k.zeilenNeben);
    int linie, spalte;
    if (i < neben) {
        linie = i / std::max(1, k.kachelnNeben);
        spalte = i % std::max(1, k.kachelnNeben);
    } else {
        const int pro = std::max(1, k.iconsProZeile);
        linie = k.zeilenNeben + (i - neben) / pro;
        spalte = (i - neben) % pro;
    }
    const int x = spalte * (k.iconBreite + k.hAbstand) + k.hAbstand / 2 + 2;
    const int y = k.top + 10 - k.scroll + linie * (k.iconHoehe + k.vAbstand);
    return platform::rectAt(x, y, k.iconBreite, k.iconHoehe);
}

Rect kachelRahmen(const Rect& icon, const KachelMasse& k) {
    return {icon.left - k.hAbstand / 2, icon.top - 5, icon.right + k.hAbstand / 2,
            icon.top - 5 + k.iconHoehe + k.vAbstand};
}

int ersteKachel(const TabBild& b, const TabellenPlatz& p) {
    const Tabdefinition& t = *p.tab;
    const int oben = std::max(p.top, b.masse.captionHoehe);
    // Lines go down with the row: the first frame ending below the top.
    for (int r = std::max(0, t.FixedRows); r < t.rowCount(); ++r)
        if (kachelRahmen(kachelIcon(r - t.FixedRows, p.kacheln), p.kacheln).bottom > oben) return r;
    return t.rowCount();
}

std::vector<int> sichtbareKacheln(const TabBild& b, const TabellenPlatz& p) {
    std::vector<int> rows;
    const Tabdefinition& t = *p.tab;
    for (int r = ersteKachel(b, p); r < t.rowCount(); ++r) {
        const Rect rahmen = kachelRahmen(kachelIcon(r - t.FixedRows, p.kacheln), p.kacheln);
        if (rahmen.top >= b.masse.clientHoehe) break;
        rows.push_back(r);
    }
    return rows;
}

int kachelBei(const KachelMasse& k, int x, int y) {
    const int linieHoehe = std::max(1, k.iconHoehe + k.vAbstand);
    const int kachelBreite = std::max(1, k.iconBreite + k.hAbstand);
    // The frames of line 0 start 5 pixels above the icons, which stand
    // 10 pixels below the table's top.
    const int dy = y - k.top + k.scroll - 5;
    if (dy < 0 || x < 2) return -1;
    const int linie = dy / linieHoehe;
    const int spalte = (x - 2) / kachelBreite;
    const int neben = std::max(1, k.kachelnNeben);
    const int pro = std::max(1, k.iconsProZeile);
    const bool nebenPane = linie < k.zeilenNeben;
    if (spalte >= (nebenPane ? neben : pro)) return -1;
    const long long vorher = nebenPane ? static_cast<long long>(linie) * neben
                                       : static_cast<long long>(k.zeilenNeben) * neben +
                                             static_cast<long long>(linie - k.zeilenNeben) * pro;
    return static_cast<int>(std::min<long long>(vorher + spalte, 0x7FFFFFFF));
}

long long kachelInhalt(long long n, int iconsProZeile, int kachelnNeben, int zeilenNeben,
                       int linie) {
    const long long pro = std::max(1, iconsProZeile);
    const long long neben = std::max(0, zeilenNeben);
    const long long rest =
        std::max(0LL, n - static_cast<long long>(std::max(1, kachelnNeben)) * neben);
    return (neben + (rest + pro - 1) / pro) * linie + 6;
}

long long listenInhalt(long long n, int zeilenHoehe) {
    return std::max(0LL, n) * zeilenHoehe + 1;
}

}  // namespace table
