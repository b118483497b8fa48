// The three string tables that carry the statement into a report command
// text ("Formular.txt"): Tab1 the named figures, Tab2 one row per sheet
// line, Tab3 one row per standby period.
#pragma once

#include <cstdint>
#include <string>

#include "app/statement/statement_data.h"
#include "report/string_tab.h"

namespace app {

// Rounded minutes as the hour figure of the totals: 7 characters, right-aligned,
// with the configured decimals (truncated), blank for 0.
std::string stundenFeld(int32_t minuten, int kommastellen);

// The cells of one sheet line in the order of Tab2's names.
std::array<std::string, 14> zeilenZellen(const std::string& zeile, const std::string& text);

// Clears and fills the three tables.
void tabellenFuellen(const Abrechnung& a, report::TStringTab& tab1, report::TStringTab& tab2,
                     report::TStringTab& tab3);

}  // namespace app
