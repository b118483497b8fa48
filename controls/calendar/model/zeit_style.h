// The three shapes of the date and time field and the digit positions each
// one has: 0-1 day, 2-3 month, 4-7 year, 8-11 hour and minute (the time-only
// style numbers its four digits 0-3).
#pragma once

#include <cstdint>

namespace calendar {

enum class TZeitStyle : uint8_t { zaDatum, zaUhr, zaBeides };

inline bool hasDate(TZeitStyle s) {
    return s != TZeitStyle::zaUhr;
}
inline bool hasTime(TZeitStyle s) {
    return s != TZeitStyle::zaDatum;
}
inline int lastDigit(TZeitStyle s) {
    return s == TZeitStyle::zaDatum ? 7 : s == TZeitStyle::zaUhr ? 3 : 11;
}

// The five parts of a value; 0 (date) and -1 (time) mean empty.
struct ZeitFields {
    int day = 0;
    int month = 0;
    int year = 0;
    int hour = -1;
    int minute = -1;

    bool dateEmpty() const { return day == 0 && month == 0 && year == 0; }
    bool dateComplete() const { return day != 0 && month != 0 && year != 0; }
    bool timeSet() const { return hour >= 0 && minute >= 0; }
    bool allEmpty() const { return dateEmpty() && hour < 0 && minute < 0; }
    bool operator==(const ZeitFields&) const = default;
};

}  // namespace calendar
