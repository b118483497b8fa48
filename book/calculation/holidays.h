// Holiday dates: Easter Sunday by the Gregorian computus and the entries of
// the holiday table that follow the year.
#pragma once

#include <array>
#include <cstdint>

#include "book/sheet/zeitbuch.h"

namespace book {

// Day number (days since 30 Dec 1899) of Easter Sunday of `year`.
int32_t easterSunday(int year);

// Whether entry `index` of the holiday table moves with the year.
bool isMovableHoliday(int index);

// Puts the dates of the movable entries of `year` into `table`.
void setMovableHolidays(std::array<Feiertag, kHolidayCount>& table, int year);

}  // namespace book
