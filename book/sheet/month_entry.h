// The image of the shown month page as one month entry of "Benutzer.dat"
// (layout in book/database/user_db_format.h), built from the sheet lines.
#pragma once

#include <string>

#include "book/database/user_db_format.h"

namespace book {

// The line record of a 59-character sheet line: the two-digit fields at
// columns 5, 22, 25, 28, 31 and 8, the kind from the marker at column 0.
Zeilensatz lineOfSheet(const std::string& sheetLine, const std::string& workText);

struct PageImage {
    int year = 0;
    int month = 0;
    bool handMode = false;
    HandZahlen counts;
    StandbyList standby{};
    int periods = 0;                     // standby periods to store (hand mode only)
    const std::string* lines = nullptr;  // sheet lines, without the template
    const std::string* texts = nullptr;
    int lineCount = 0;
};
// The entry as the last of its block (length 0): head, the standby record in
// hand mode when there are periods, then the line records.
std::string monthEntry(const PageImage& page);

}  // namespace book
