#include "platform/core/week_number.h"

#include <cmath>

namespace platform {

int Get_Kalenderwoche(int jahr, DateTime date) {
    // Bounded instead of recursive: a date before 1 Jan of `jahr` steps back
    // one year at a time, at most as many years as lie between them.
    for (int guard = 0; guard < 10000; ++guard) {
        const DateTime newYear = encodeDate(jahr, 1, 1);
        const int w = isoWeekday(newYear);
        const double d = date - newYear;
        const int week = static_cast<int>(std::trunc(d - w + 14)) / 7;
        if (week == 0) {
            --jahr;
            continue;
        }
        if (week > 52 && isoWeekday(encodeDate(jahr, 12, 31)) <= 3) return 1;
        return week;
    }
    return 0;
}

}  // namespace platform
