// The text lines of the standby list shown beside the totals: two headings
// and one 14-character line per standby period record.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "book/sheet/host.h"

namespace book {

extern const char kStandbyHeading[];        // " Bereitschaft"
extern const char kStandbyColumnHeading[];  // "KW  von   bis "

// The line of one 5-byte record: week ("<J" / ">J" across the year), then
// "dd.mm-dd.mm", or " am dd.mm  " for a single day.
std::string standbyLineText(const uint8_t* record);

// `Bereitschaftszeile`: the headings, then one line per record up to the
// first with week number 0; in the year balance the headings only.
void Bereitschaftszeile(std::vector<std::string>& list, const StandbyList& records,
                        bool yearBalance);

}  // namespace book
