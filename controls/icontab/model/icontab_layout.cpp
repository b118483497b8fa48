#include "controls/icontab/model/icontab_layout.h"

#include <algorithm>

#include "controls/icontab/model/icontab_bild.h"

namespace table {
namespace {

int spaltenBreite(const Tabdefinition& t, int c) {
    const int b = t.SpaltenInfo[static_cast<size_t>(c)].Breite;
    return b < 0 ? 0 : b;
}

int sichtbareSpalten(const Tabdefinition& t) {
    return std::clamp(t.SichtSpaltenLayout, 0, static_cast<int>(t.SpaltenInfo.size()));
}

// Largest first visible column: the columns, summed from the right, that
// no longer fit into the control.
int horizontalerUeberlauf(const Tabdefinition& t, int breite, long long& summe) {
    const int n = sichtbareSpalten(t);
    summe = 0;
    int ueberlauf = 0;
    for (int c = n - 1; c >= 0; --c) {
        summe += spaltenBreite(t, c);
        if (ueberlauf == 0 && summe > breite - 2) ueberlauf = std::min(c + 1, n - 1);
    }
    return ueberlauf;
}

struct Stand {
    long long y = 0;  // height used so far, from the last table upward
    long long v = 0;
    int h = 0;
    long long spaltenSumme = 0;
    LayoutErgebnis e;
    // The topmost table the position does not pass entirely takes the end
    // of the range; a bar's strip is scrolled in its units (rows, or pixels
    // in the views).
    bool inPixeln = false;

    // Tables below fill the client: the position passes this one entirely.
    bool voll(long long grenze) const { return y >= grenze; }
};

void gitter(const Tabdefinition& t, const LayoutMasse& m, Stand& s) {
    long long summe = 0;
    s.h = std::max(s.h, horizontalerUeberlauf(t, m.breite, summe));
    s.spaltenSumme = std::max(s.spaltenSumme, summe);
    const long long grenze = m.hoehe - m.captionHoehe;
    const int fix = std::min(t.FixedRows, t.rowCount());
    // The position passes a grid only beyond its data rows (at their count
    // it still shows its fixed rows): one more when nothing below adds to
    // the range.
    const auto vorbei = [&] { s.v += abdeckung(t, m.icons, 0) + (s.v == 0 ? 1 : 0); };
    if (s.y >= grenze) {
        vorbei();
        s.y += t.Hoehe;
        return;
    }
    s.y += 1;
    for (int r = 0; r < fix; ++r) s.y += t.Rows[static_cast<size_t>(r)].Hoehe;
    if (m.neueZeile) s.y += m.neueZeileHoehe;
    if (s.y > grenze) {
        // Not even its fixed rows fit above the tables below: the position
        // passes it entirely.
        vorbei();
        return;
    }
    for (int r = t.rowCount() - 1; r >= fix; --r) {
        s.y += t.Rows[static_cast<size_t>(r)].Hoehe;
        if (s.y > grenze) {
            s.v += r - fix + 1;
            return;
        }
    }
}

// Tiles beside and below the detail pane; s is the room a vertical bar takes.
long long iconHoehe(const Tabdefinition& t, const LayoutMasse& m, int s, LayoutErgebnis& e,
                    int zeilenNeben) {
    const int kachel = mindestens1(m.iconBreite + m.hAbstand);
    const int zeile = m.iconHoehe + m.vAbstand;
    e.iconsProZeile = mindestens1((m.breite - 4 - s) / kachel);
    e.kachelnNebenPane = e.iconsProZeile;
    int neben = 0;
    if (m.detail) {
        e.kachelnNebenPane = mindestens1((m.breite - m.paneBreite - s - 2) / kachel);
        e.paneLinks = e.kachelnNebenPane * kachel + 2;
        neben = zeilenNeben;
    }
    return kachelInhalt(datenZeilen(t), e.iconsProZeile, e.kachelnNebenPane, neben, zeile);
}

// Tiles laid out leaving `balken` pixels for a vertical bar; at the bottom
// of the control they keep 5 pixels below them.
void iconAnsicht(const Tabdefinition& t, const LayoutMasse& m, int balken, int zeilenNeben,
                 bool zuUnterst, Stand& s) {
    const long long grenze = m.hoehe - m.captionHoehe - (zuUnterst ? 5 : 0);
    const long long inhalt = iconHoehe(t, m, balken, s.e, zeilenNeben);
    if (s.voll(m.hoehe - m.captionHoehe)) {
        s.v += abdeckung(t, m.icons, inhalt);  // the tiles and their gap scroll away
    } else if (s.y + inhalt > grenze) {
        s.v += s.y + inhalt - grenze;
        s.y = m.hoehe - m.captionHoehe;
        return;
    }
    s.y += inhalt + (zuUnterst ? 5 : 0);
}

// One walk from the last table to the first; tiles leave `balken` pixels
// for a vertical bar.
Stand durchgang(const std::vector<const Tabdefinition*>& tabellen, const LayoutMasse& m,
                int balken) {
    Stand s;
    const long long grenze = m.hoehe - m.captionHoehe;
    for (auto it = tabellen.rbegin(); it != tabellen.rend(); ++it) {
        const Tabdefinition& t = **it;
        // The gap below a table, while there is room.
        const bool icon = t.Anzeige == A_Icon && m.icons;
        if (it != tabellen.rbegin() && !s.voll(grenze)) s.y += abstandNach(t, m.icons);
        if (!s.voll(grenze) && (t.Anzeige != A_Tabelle || t.rowCount() > 0))
            s.inPixeln = icon || t.Anzeige == A_IconList;
        switch (t.Anzeige) {
            case A_Tabelle:
                if (t.rowCount() > 0) gitter(t, m, s);
                break;
            case A_Icon:
                if (icon) {
                    iconAnsicht(t, m, balken, m.detail ? m.paneZeilenNeben : 0,
                                it == tabellen.rbegin(), s);
                } else if (s.voll(grenze)) {
                    s.v += abdeckung(t, m.icons, 0);  // no tiles: only its gap
                }
                break;
            case A_IconList: {
                const long long inhalt = listenInhalt(datenZeilen(t), m.listZeilenHoehe);
                if (s.voll(grenze)) {
                    s.v += abdeckung(t, m.icons, inhalt);
                } else {
                    s.v += std::max(0LL, s.y + inhalt - grenze);
                }
                s.h = std::max(s.h, std::max(0, m.listBreite - m.breite));
                s.y += inhalt;
                break;
            }
            default:  // bitmap and vector: the client area below the caption
                s.y += grenze;
                break;
        }
    }
    return s;
}

}  // namespace

LayoutErgebnis berechneLayout(const std::vector<const Tabdefinition*>& tabellen,
                              const LayoutMasse& m) {
    Stand s = durchgang(tabellen, m, 0);
    // Once anything scrolls, the vertical bar takes its room beside every
    // table of tiles: painting lays them all out with one count per line.
    if (s.v > 0 && m.icons) s = durchgang(tabellen, m, m.balken);
    // A bar takes room from the other direction: one row more to scroll,
    // or the bar's thickness where the end of the range is in pixels.
    const bool inDerLeiste = s.y > m.hoehe - m.balken - 2 - m.captionHoehe;
    const int mehr = s.inPixeln ? std::max(1, m.balken) : 1;
    bool vPlus = false;
    if (s.h > 0 && inDerLeiste) {
        s.v += mehr;
        vPlus = true;
    }
    if (s.v > 0 && s.spaltenSumme > m.breite - m.balken) {
        ++s.h;
        if (inDerLeiste && !vPlus) s.v += mehr;
    }
    s.e.vUeberlauf = static_cast<int>(std::min<long long>(s.v, 0x7FFFFFFF));
    s.e.hUeberlauf = s.h;
    return s.e;
}

DetailPane berechnePane(int clientBreite, int captionHoehe, int labelBreite, int paneZeilen,
                        int zeilenHoehe, int iconBreite, int iconHoehe, int hAbstand,
                        int vAbstand) {
    DetailPane p;
    const int kachel = mindestens1(iconBreite + hAbstand);
    p.kachelnNeben = mindestens1((clientBreite - labelBreite - 2) / kachel);
    p.rect.left = p.kachelnNeben * kachel + 2;
    p.rect.right = p.rect.left + labelBreite + 2;
    p.rect.top = captionHoehe;
    p.rect.bottom = std::max(0, paneZeilen) * zeilenHoehe + captionHoehe + 6;
    p.zeilenNeben = (p.rect.bottom - p.rect.top - 6) / mindestens1(iconHoehe + vAbstand) + 1;
    return p;
}

ScrollSchritt vertikalScrollen(int code, int pos, int max, int zeile, int seite, int trackPos,
                               int msgPos) {
    ScrollSchritt s{pos, code < SB_THUMBTRACK};
    zeile = mindestens1(zeile);
    seite = mindestens1(seite);
    switch (code) {
        case SB_LINEUP:
            s.pos = pos - zeile;
            break;
        case SB_LINEDOWN:
            s.pos = pos + zeile;
            break;
        case SB_PAGEUP:
            s.pos = pos - seite;
            break;
        case SB_PAGEDOWN:
            s.pos = pos + seite;
            break;
        case SB_THUMBPOSITION:
        case SB_THUMBTRACK:
            s.pos = trackPos >= 0 && trackPos <= max ? trackPos : msgPos;
            break;
        case SB_ENDSCROLL:
            s.balkenSetzen = true;
            break;
        default:
            break;
    }
    s.pos = std::clamp(s.pos, 0, std::max(0, max));
    return s;
}

ScrollSchritt horizontalScrollen(int code, int pos, int max, int msgPos) {
    ScrollSchritt s{pos, code < SB_THUMBPOSITION};
    switch (code) {
        case SB_LINEUP:
            s.pos = pos - 1;
            break;
        case SB_LINEDOWN:
            s.pos = pos + 1;
            break;
        case SB_PAGEUP:
            s.pos = pos - 10;
            break;
        case SB_PAGEDOWN:
            s.pos = pos + 10;
            break;
        case SB_THUMBPOSITION:
            s.pos = msgPos;
            s.balkenSetzen = true;
            break;
        case SB_THUMBTRACK:
            s.pos = msgPos;
            break;
        case SB_ENDSCROLL:
            s.balkenSetzen = true;
            break;
        default:
            break;
    }
    s.pos = std::clamp(s.pos, 0, std::max(0, max));
    return s;
}

}  // namespace table
