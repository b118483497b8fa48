// The quick periods of a coupled pair of date fields: this or last month,
// this or last year, a chosen month, each as a start and an end value.
#pragma once

#include "platform/core/date.h"

namespace calendar {

enum class QuickPeriod { DieserMonat, LetzterMonat, DiesesJahr, LetztesJahr };

struct Period {
    platform::DateTime start = 0;  // the first day, 00:00
    platform::DateTime end = 0;
};

// Whole months and years end at 23:59:59.999 of their last day.
Period quickPeriod(QuickPeriod kind, platform::DateTime now);
// A month picked in the month chooser ends at 00:00 of its last day.
Period chosenMonth(int year, int month);

}  // namespace calendar
