// Lines of the year balance sheet: the month title, the separator and the
// month line with the month's six figures in whole hours.
#pragma once

#include <array>
#include <cstdint>
#include <string>

namespace book {

constexpr int kBilanzZeileLaenge = 65;  // the month line
extern const char kBilanzTrenner[];     // separator line, three blanks
extern const char kBilanzTitelText[];   // work text of a title line
// Work text of a month line: the marker "<<<<" behind six blanks. A work
// text starts at column 59 of its line on paper and 59.6 on screen, and the
// month line's figures run to column 62 of its 65: so the marker stands
// behind the line and covers none of its figures.
extern const char kBilanzMonatsText[];

// Whole hours of a month's minutes: toward zero, plus one for a remainder
// above 0 (always up) or above 29 (half-up). Negative months are cut toward zero.
int32_t bilanzStunden(int32_t minutes, bool halfUp);

// "===========" + month name + 46 "=".
std::string bilanzTitelZeile(int month);

// ">>>>         Gesamt h" padded to 65 characters, with the hours of the six
// totals (total, normal, extra, night, holiday class 1, class 2) right-aligned
// in columns 35-38, 39-42, 44-47, 49-52, 54-57 and 59-62, zero as blanks.
std::string bilanzMonatsZeile(const std::array<int32_t, 6>& minutes, bool halfUp);

}  // namespace book
