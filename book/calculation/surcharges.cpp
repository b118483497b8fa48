// The surcharge split of one parsed line into minutes per class.
#include <algorithm>

#include "book/sheet/zeitbuch.h"

namespace book {
namespace {

constexpr int kDay = 1440;
constexpr int kHolidayStart = 360;  // a holiday's window runs 06:00 to 06:00

int overlap(int from, int to, int windowFrom, int windowTo) {
    return std::max(0, std::min(to, windowTo) - std::max(from, windowFrom));
}

}  // namespace

// Shares of a line on or beside a holiday (w = weekday of the line's date):
//   A  00:00-06:00 of this day    -> the day before's holiday: class 2 if w is 7 or 1
//   B  06:00-24:00 of this day    -> this day's holiday:       class 2 if w >= 6
//   C  after 06:00 of the next day -> the next day's holiday:  class 2 if w is 5 or 6
// Minutes of a share whose holiday is not enabled stay ordinary.
void Zeitbuch::Zuschlaege_berechnen(int kind) {
    rec = Minuten{};

    const int from = pVon;
    int to = pBis;
    int after = 0;  // minutes past midnight on the next day
    if (to <= from) {
        after = to;
        to = kDay;
    }
    const int worked = to - from + after;

    // Night window [start, end) and [0, morningEnd) on every day. A start
    // inside the morning part would count those minutes twice.
    const int morningEnd = static_cast<int>(std::min<uint32_t>(grundlagen.morgenEnde, kDay));
    const int nightEnd = static_cast<int>(std::min<uint32_t>(grundlagen.nachtEnde, kDay));
    const int nightStart =
        std::max(static_cast<int>(std::min<uint32_t>(grundlagen.nachtStart, kDay)), morningEnd);
    const int night = overlap(from, to, nightStart, nightEnd) + overlap(from, to, 0, morningEnd) +
                      overlap(0, after, 0, morningEnd) + overlap(0, after, nightStart, nightEnd);

    rec.gesamt = (kind == 2 || kind == 3) ? 0 : worked;

    const int day = pTag;
    tag = day;
    const int w = (((day - 1) % 7 + 7) % 7 + ersterWochentag - 1) % 7 + 1;
    rec.tag = day;
    rec.wochentag = w;

    if (kind == 1) {  // "Freizeitausgleich": only the total, negative
        rec.gesamt = -rec.gesamt;
        return;
    }
    rec.nacht = night;

    int rest = worked;
    if (feiertageEin) {
        const int bits = Ist_Feiertag(day, monat);
        int a = 0, b = 0, c = 0;
        if (bits & 1) {
            b = worked;
            if (from < kHolidayStart) {
                a = std::min(from + worked, kHolidayStart) - from;
                b -= a;
                if (!(bits & 2)) a = 0;
            }
            if (after > kHolidayStart) {
                c = after - kHolidayStart;
                b -= c;
                if (!(bits & 4)) c = 0;
            }
        } else if ((bits & 2) && from < kHolidayStart) {
            a = std::min(to, kHolidayStart) - from;
        } else if ((bits & 4) && after > kHolidayStart) {
            c = after - kHolidayStart;
        }
        (w == 7 || w == 1 ? rec.feiertag2 : rec.feiertag1) += a;
        (w >= 6 ? rec.feiertag2 : rec.feiertag1) += b;
        (w == 5 || w == 6 ? rec.feiertag2 : rec.feiertag1) += c;
        rest = worked - a - b - c;
    }

    if (rest == 0) return;
    const int budget = static_cast<int>(std::min<uint32_t>(grundlagen.tagesBudget, kDay * 31));
    const bool exhausted = budget != 0 && budgetMinuten >= budget;
    if (kind == 3 || kind == 4) return;  // "V" and "M": no normal/extra split

    const int firstExtraDay = grundlagen.extraTage & 0x0F;
    const int lastExtraDay = grundlagen.extraTage >> 4;
    if (firstExtraDay <= w && w <= lastExtraDay) {
        rec.extra = rest;
        return;
    }
    if (budgetTag == day && exhausted) {
        rec.extra = rest;
        return;
    }
    if (budgetTag != day) {
        budgetTag = day;
        budgetMinuten = 0;
    }
    if (budget != 0 && budgetMinuten + rest > budget) {
        rec.normal = budget - budgetMinuten;
        rec.extra = rest - budget + budgetMinuten;
    } else {
        rec.normal = rest;
    }
    if (proTag) budgetMinuten += rec.normal;
}

}  // namespace book
