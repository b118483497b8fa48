#include "book/calculation/holidays.h"

#include <cstring>

#include "book/sheet/zeitbuch.h"
#include "platform/core/date.h"

namespace book {
namespace {

// Table entries and their distance from Easter Sunday.
struct EasterOffset {
    int index;
    int days;
};
constexpr EasterOffset kEasterOffsets[] = {
    {2, -2},  // Karfreitag
    {3, 0},   // Ostersonntag
    {4, 1},   // Ostermontag
    {6, 39},  // Christi Himmelfahrt
    {7, 49},  // Pfingstsonntag
    {8, 50},  // Pfingstmontag
    {9, 60},  // Fronleichnam
};
constexpr int kBussUndBettag = 15;
// The kept table is compared byte by byte: no padding may hide in an entry.
static_assert(sizeof(Feiertag) == 3);
constexpr uint32_t kMovableMask =
    1u << 2 | 1u << 3 | 1u << 4 | 1u << 6 | 1u << 7 | 1u << 8 | 1u << 9 | 1u << kBussUndBettag;

void setEntry(Feiertag& entry, int32_t dayNumber) {
    const platform::CivilDate d = platform::decodeDate(dayNumber);
    entry.tag = static_cast<uint8_t>(d.day);
    entry.monat = static_cast<uint8_t>(d.month);
}

}  // namespace

// Gauss's rule with the Gregorian corrections: M and N shift the epact with
// the century's solar and lunar equations; the two exceptions keep Easter
// within 22 March .. 25 April.
int32_t easterSunday(int year) {
    const int a = year % 19;
    const int b = year % 4;
    const int c = year % 7;
    const int k = year / 100;
    const int p = (13 + 8 * k) / 25;
    const int q = k / 4;
    const int m = (15 - p + k - q) % 30;
    const int n = (4 + k - q) % 7;
    const int d = (19 * a + m) % 30;
    const int e = (2 * b + 4 * c + 6 * d + n) % 7;
    int offset = d + e;  // days after 22 March
    if (d == 29 && e == 6) {
        offset -= 7;  // 19 April instead of 26 April
    } else if (d == 28 && e == 6 && (11 * m + 11) % 30 < 19) {
        offset -= 7;  // 18 April instead of 25 April
    }
    return platform::dayNumber(year, 3, 22) + offset;
}

bool isMovableHoliday(int index) {
    return index >= 0 && index < kHolidayCount && ((kMovableMask >> index) & 1) != 0;
}

void setMovableHolidays(std::array<Feiertag, kHolidayCount>& table, int year) {
    const int32_t easter = easterSunday(year);
    for (const EasterOffset& o : kEasterOffsets) setEntry(table[o.index], easter + o.days);
    // The Wednesday eleven days before the first Sunday of Advent.
    const int32_t christmasEve = platform::dayNumber(year, 12, 24);
    const int sundayBased = platform::dayOfWeek(christmasEve) - 1;  // 0 = Sunday
    setEntry(table[kBussUndBettag], christmasEve - sundayBased - 32);
}

void Zeitbuch::bewegliche_Feiertage(int year) { setMovableHolidays(feiertage, year); }

// The bits of every day of a month come from one walk over the table:
// which days from the last of the month before to the first of the month
// after are enabled holidays. The split asks for every line, so the result
// is kept until the year, the month or the table changes.
int Zeitbuch::Ist_Feiertag(int day, int month) const {
    if (month < 1 || month > 12) return 0;
    FeiertagsCache& c = feiertagsCache;
    if (c.jahr != jahr || c.monat != month ||
        std::memcmp(c.tabelle.data(), feiertage.data(), sizeof feiertage) != 0) {
        c.jahr = jahr;
        c.monat = month;
        c.tabelle = feiertage;
        c.laenge = platform::daysInMonth(jahr, month);
        const int before = month == 1 ? 12 : month - 1;
        const int after = month == 12 ? 1 : month + 1;
        const int lastBefore = platform::daysInMonth(jahr, before);
        // holiday[0] = last day before the month, holiday[laenge + 1] = first after it.
        std::array<bool, 33> holiday{};
        for (int i = 0; i < kHolidayCount; ++i) {
            const Feiertag& f = feiertage[i];
            if (!f.ein) continue;
            // A neighbour in the adjacent year can only be 31.12. or 1.1.;
            // the table holds the movable dates of the shown year, and none
            // of them falls on those days, so only the fixed entries count.
            const bool inYear = !isMovableHoliday(i);
            if (f.monat == month && f.tag >= 1 && f.tag <= c.laenge) holiday[f.tag] = true;
            if (f.monat == before && f.tag == lastBefore && (month != 1 || inYear)) {
                holiday[0] = true;
            }
            if (f.monat == after && f.tag == 1 && (month != 12 || inYear)) {
                holiday[c.laenge + 1] = true;
            }
        }
        for (int d = 1; d <= c.laenge; ++d) {
            c.bits[d] = static_cast<uint8_t>((holiday[d] ? 1 : 0) | (holiday[d - 1] ? 2 : 0) |
                                             (holiday[d + 1] ? 4 : 0));
        }
    }
    if (day < 1 || day > c.laenge) return 0;
    return c.bits[day];
}

}  // namespace book
