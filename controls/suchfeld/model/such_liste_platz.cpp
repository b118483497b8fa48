#include "controls/suchfeld/model/such_liste_platz.h"

#include <algorithm>

namespace table {

platform::Rect listenPlatz(const platform::Rect& feld, const platform::Rect& schirm,
                           int zeilenHoehe, int eintraege) {
    zeilenHoehe = std::max(zeilenHoehe, 1);
    const int minHoehe = zeilenHoehe + 2;
    int hoehe = zeilenHoehe * std::max(eintraege, 1) + 2;
    const int breite = std::max(feld.width(), 100);
    int top = feld.bottom;
    if (top + hoehe > schirm.bottom) {
        const int unten = schirm.bottom - feld.bottom;
        if (unten >= 10 * zeilenHoehe) {
            hoehe = unten;
        } else {
            top = feld.top - hoehe;
            if (top < schirm.top) {
                top = schirm.top;
                // A field at the very top leaves no room above: keep one entry.
                hoehe = std::max(feld.top - schirm.top, minHoehe);
            }
        }
    }
    return platform::rectAt(feld.left, top, breite, hoehe);
}

int listenIndex(int x, int y, int breite, int hoehe, int zeilenHoehe, int obersterIndex,
                int eintraege, int scrollBreite) {
    if (zeilenHoehe <= 0) return -1;
    const bool allePassen = eintraege * zeilenHoehe <= hoehe;
    const int nutzbar = allePassen ? breite : breite - scrollBreite;
    if (x < 0 || y < 0 || x >= nutzbar || y >= hoehe) return -1;
    return obersterIndex + y / zeilenHoehe;
}

}  // namespace table
