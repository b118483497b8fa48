// The year balance: all months of a year on one read-only sheet.
#include "book/calculation/year_balance.h"

#include "book/database/db_lock.h"
#include "book/database/db_messages.h"
#include "book/sheet/zeitbuch.h"

namespace book {

const char kBilanzTrenner[] = "   ";
const char kBilanzTitelText[] = "==============================";
const char kBilanzMonatsText[] = "      <<<<";

int32_t bilanzStunden(int32_t minutes, bool halfUp) {
    int32_t hours = minutes / 60;
    int32_t rest = minutes % 60;  // negative for a negative month: no rounding up
    if (rest > (halfUp ? 29 : 0)) ++hours;
    return hours;
}

std::string bilanzTitelZeile(int month) {
    std::string name = month >= 1 && month <= 12 ? kMonthNames[month] : "";
    return "===========" + name + std::string(46, '=');
}

std::string bilanzMonatsZeile(const std::array<int32_t, 6>& minutes, bool halfUp) {
    static constexpr int kLast[6] = {38, 42, 47, 52, 57, 62};  // last column of each figure
    std::string line = ">>>>         Gesamt h";
    line.resize(kBilanzZeileLaenge, ' ');
    for (int i = 0; i < 6; ++i)
        Zeitbuch::Zahl_in_Text(bilanzStunden(minutes[static_cast<size_t>(i)], halfUp),
                               &line[static_cast<size_t>(kLast[i] - 3)], 3, -1, false);
    return line;
}

void Zeitbuch::Jahresbilanz_erstellen(int year) {
    if (!Seite_sichern_fragen()) return;  // a failed save keeps the page as it is
    // One lock for the twelve loads: a lock that cannot be had is waited for
    // and told once, not twelve times, and no change comes in between.
    const DbLock lock(datenOrdner);
    const bool lesbar = !benutzerBlockAktiv() || lock.held();
    if (!lesbar) {
        ladeFehler = true;
        showNoAccess();
    }
    blattAngezeigt = false;
    bilanzZusatzzeilen = 0;
    for (int m = 12; m >= 1; --m) {
        laufStart = laufFreitag = 0;
        zeilenAnzahl = 0;
        zeitIndex.clear();
        Zeile_auswaehlen(static_cast<int>(zeilen.size()) - 1, true, false);
        const std::array<int32_t, 6> vorher = summen;
        if (lesbar) Monat_laden(static_cast<uint8_t>(m), year);
        if (summen[0] != vorher[0]) {
            std::array<int32_t, 6> anteil{};
            for (size_t i = 0; i < 6; ++i) anteil[i] = summen[i] - vorher[i];
            auto at = static_cast<size_t>(aktuelleZeile) + 1;
            zeilen.insert(zeilen.begin() + static_cast<std::ptrdiff_t>(at),
                          bilanzMonatsZeile(anteil, mathRunden));
            texte.insert(texte.begin() + static_cast<std::ptrdiff_t>(at), kBilanzMonatsText);
        }
        zeilen.insert(zeilen.begin(), bilanzTitelZeile(m));
        texte.insert(texte.begin(), kBilanzTitelText);
        if (m != 1) {
            zeilen.insert(zeilen.begin(), kBilanzTrenner);
            texte.insert(texte.begin(), "");
        }
        bilanzZusatzzeilen += 3;
    }
    Zeile_auswaehlen(0, true, false);
    blattAngezeigt = true;
    host().adjustScrollRange();
    host().repaintSheet(true);
}

bool Zeitbuch::BilanzExecute(bool vomBenutzer) {
    if (angemeldet && !jahresbilanz) {
        // The save question comes before the mode switch: in year-balance
        // mode the save would do nothing and the changes would be lost.
        if (!Seite_sichern_fragen()) return false;
        jahresbilanz = true;
        host().setControls(false);
        Jahresbilanz_erstellen(jahr);
        return true;
    }
    jahresbilanz = false;
    host().setControls(true);
    if (angemeldet && vomBenutzer) {
        if (!Seite_sichern_fragen()) return false;
        Monat_laden(0, 0);
    }
    return true;
}

}  // namespace book
