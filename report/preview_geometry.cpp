#include "report/preview_geometry.h"

#include <algorithm>

namespace report {

// The page is centred in the height the button band leaves and scrolls
// within it, so no part of it ever lies hidden behind the band.
VorschauGeometrie vorschauGeometrie(int w, int h, int pageW, int pageH, bool knopfLeiste,
                                    int scrollbarBreite) {
    VorschauGeometrie g;
    if (pageW < 1 || pageH < 1) return g;
    const int sichtbar = std::max(0, h - (knopfLeiste ? kKnopfLeiste : 0));
    double s = static_cast<double>(w) / pageW;
    bool noetig = false;
    if (static_cast<int>(pageH * s) > sichtbar) {
        noetig = true;
        s = static_cast<double>(std::max(0, w - scrollbarBreite)) / pageW;
    }
    const int hoehe = static_cast<int>(pageH * s);
    const int breite = static_cast<int>(pageW * s);
    g.seiteOben = std::max(0, (sichtbar - hoehe) / 2);
    g.seiteUnten = g.seiteOben + hoehe;
    g.scrollBereich = std::max(0, g.seiteUnten - sichtbar);
    g.scrollbar = noetig && g.scrollBereich > 0;
    g.seiteLinks = std::max(0, (w - breite) / 2 - (g.scrollbar ? scrollbarBreite / 2 : 0));
    g.seiteRechts = g.seiteLinks + breite;
    g.scrollbarLinks = g.seiteRechts;
    g.scrollbarHoehe = sichtbar;
    return g;
}

platform::Rect knopfRechteck(int w, int h, int i) {
    const int x = w / 2 - 88 + 44 * i;
    return {x, h - 27, x + kKnopfBreite, h - 2};
}

int knopfBei(int w, int h, int x, int y) {
    for (int i = 0; i < 4; ++i) {
        if (knopfRechteck(w, h, i).contains(x, y)) return i;
    }
    return -1;
}

int seiteNachKnopf(int i, int seite, int gesamt) {
    switch (i) {
        case 0: return 0;
        case 1: return seite > 0 ? seite - 1 : seite;
        case 2: return seite < gesamt - 1 ? seite + 1 : seite;
        case 3: return std::max(0, gesamt - 1);
        default: return seite;
    }
}

int scrollNachRad(int position, int delta, int maximum) {
    if (delta < 0) return std::min(maximum, position + kRadSchritt);
    if (delta > 0) return std::max(0, position - kRadSchritt);
    return position;
}

}  // namespace report
