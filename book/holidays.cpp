#include "book/holidays.h"

#include "book/zeitbuch.h"
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
constexpr uint32_t kMovableMask =
    1u << 2 | 1u << 3 | 1u << 4 | 1u << 6 | 1u << 7 | 1u << 8 | 1u << 9 | 1u << kBussUndBettag;

constexpr int dateKey(int day, int month) {
    return month << 8 | day;
}

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

void Zeitbuch::bewegliche_Feiertage(int year) {
    const int32_t easter = easterSunday(year);
    for (const EasterOffset& o : kEasterOffsets) setEntry(feiertage[o.index], easter + o.days);
    // The Wednesday eleven days before the first Sunday of Advent.
    const int32_t christmasEve = platform::dayNumber(year, 12, 24);
    const int sundayBased = platform::dayOfWeek(christmasEve) - 1;  // 0 = Sunday
    setEntry(feiertage[kBussUndBettag], christmasEve - sundayBased - 32);
}

int Zeitbuch::Ist_Feiertag(int day, int month) const {
    if (month < 1 || month > 12) return 0;
    const int length = platform::daysInMonth(jahr, month);
    if (day < 1 || day > length) return 0;

    // A neighbour in the adjacent year can only be 31.12. or 1.1.; the table
    // holds the movable dates of the shown year, and none of them falls on
    // those days, so only the fixed entries count there.
    const int key = dateKey(day, month);
    int before, after;
    uint32_t beforeMask = ~0u, afterMask = ~0u;  // entries that may match
    if (day > 1) {
        before = dateKey(day - 1, month);
    } else if (month > 1) {
        before = dateKey(platform::daysInMonth(jahr, month - 1), month - 1);
    } else {
        before = dateKey(31, 12);
        beforeMask = ~kMovableMask;
    }
    if (day < length) {
        after = dateKey(day + 1, month);
    } else if (month < 12) {
        after = dateKey(1, month + 1);
    } else {
        after = dateKey(1, 1);
        afterMask = ~kMovableMask;
    }

    int bits = 0;
    for (int i = 0; i < kHolidayCount; ++i) {
        const Feiertag& f = feiertage[i];
        if (!f.ein) continue;
        const int k = dateKey(f.tag, f.monat);
        if (k == key) bits |= 1;
        if (k == before && ((beforeMask >> i) & 1)) bits |= 2;
        if (k == after && ((afterMask >> i) & 1)) bits |= 4;
    }
    return bits;
}

}  // namespace book
