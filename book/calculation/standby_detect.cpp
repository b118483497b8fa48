// Automatic standby detection: a line outside the running standby period
// opens a standby week or weekend and records it in the standby list.
#include "book/sheet/zeitbuch.h"
#include "platform/core/date.h"
#include "platform/core/week_number.h"

namespace book {

// Case table, D the line's date, w its weekday (1 = Monday), S the running
// period's first day, F its Friday:
//
//   S + 6 < D and (w <= 4 or whole weeks)  -> week    Monday..Sunday of D
//   otherwise F + 2 < D and w >= 5         -> weekend Friday..Sunday of D
//   otherwise                              -> D lies in the running period
void Zeitbuch::bereitschaftErkennen(int w) {
    const int32_t d = pDatum;
    bool woche = false;
    if (laufStart + 6 < d && (w <= 4 || ganzeWochen)) {
        woche = true;
        ++wochen;
        ++wochenPkw;
    } else if (laufFreitag + 2 < d && w >= 5) {
        ++wochenenden;
        ++wochenendenPkw;
    } else {
        return;
    }
    laufStart = d - w + 1;
    laufFreitag = laufStart + 4;

    const int anzahl = wochen + wochenenden;
    if (jahresbilanz || anzahl > kStandbyPeriods) return;  // a tenth period is only counted

    const int32_t start = woche ? laufStart : laufFreitag;
    const int32_t ende = start + (woche ? 6 : 2);
    const platform::CivilDate von = platform::decodeDate(start);
    const platform::CivilDate bis = platform::decodeDate(ende);
    // The week number routine is exact only for a Monday, so a weekend asks
    // with the Monday of its own week.
    uint8_t kw = static_cast<uint8_t>(platform::Get_Kalenderwoche(jahr, laufStart) & 0x3F);
    if (von.year < jahr) kw |= kStandbyFromPrevYear;
    if (bis.year > jahr) kw |= kStandbyIntoNextYear;

    uint8_t* e = &bereitschaftsListe[5 * (anzahl - 1)];
    e[0] = kw;
    e[1] = static_cast<uint8_t>(von.day);
    e[2] = static_cast<uint8_t>(von.month);
    e[3] = static_cast<uint8_t>(bis.day);
    e[4] = static_cast<uint8_t>(bis.month);
}

}  // namespace book
