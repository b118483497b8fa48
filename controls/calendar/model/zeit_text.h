// Text forms of the date and time field: the compact forms ("YYYYMMDD",
// "HHMMSS") and the display forms ("DD.MM.YYYY", "HH:MM"), written and read.
#pragma once

#include <optional>
#include <string>
#include <string_view>

#include "controls/calendar/model/zeit_style.h"

namespace calendar {

// "DD.MM.YYYY" with textFormat, else "YYYYMMDD".
std::string formatDateAnsi(int year, int month, int day, bool textFormat);
// "HH:MM" with textFormat, else "HHMMSS" with the seconds 00.
std::string formatTimeAnsi(int hour, int minute, bool textFormat);
// What an empty or invalid value reads as: "00000000" with nullZeit, else
// "NULL" in the compact form and "" in the display form.
std::string invalidAnsi(bool textFormat, bool nullZeit);

// Reads the form that the style writes: date before time, each digit "0"-"9"
// and each separator in place; characters after the form are ignored. The
// parts of the style's blocks are filled in (the others stay empty). Nothing
// for a short text, another character, an hour above 23 or a minute above
// 59; the date is not checked against the calendar here.
std::optional<ZeitFields> parseAnsi(std::string_view text, TZeitStyle style, bool textFormat);

}  // namespace calendar
