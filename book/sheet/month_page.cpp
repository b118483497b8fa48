#include "book/sheet/zeitbuch.h"
#include "platform/core/date.h"

namespace book {

void Zeitbuch::Monat_einstellen(int month) {
    if (month == 0) {
        // Today's month, but on the 1st the month that just ended.
        const platform::CivilDate today = platform::decodeDate(platform::today());
        jahr = today.year;
        tag = today.day;
        month = today.month;
        if (today.day == 1) {
            if (--month == 0) {
                month = 12;
                --jahr;
            }
        }
    } else if (month < 1 || month > 12) {
        return;  // not a month: the page stays as it is
    }
    monat = month;
    ersterWochentag = platform::isoWeekday(platform::encodeDate(jahr, monat, 1));
    if (feiertagsJahr != jahr) {
        bewegliche_Feiertage(jahr);
        feiertagsJahr = jahr;
    }
    monatsLaenge = platform::daysInMonth(jahr, monat);
}

}  // namespace book
