// The table control's contents as bytes for other programs: the TAB text of
// a table copy, the six text export modes, the "HTML Format" clipboard text
// with its byte-offset header, the mail link and the export file name.
#pragma once

#include <string>
#include <vector>

#include "controls/table_shared/model/tab_typen.h"

namespace table {

// Every row, visible columns only, TAB between cells, CR LF between rows
// (none after the last).
std::string tabellenText(const Tabdefinition& t);

// Export modes as the save dialog's filter index numbers them: 1-3 write
// every cell, 4-6 a blank for a cell covered by grouping; the separator is
// TAB (1, 4), ";" (2, 5) or "#" (3, 6). Other values write nothing.
std::string exportText(const Tabdefinition& t, int modus);

// The header of an "HTML Format" text, 151 bytes, each line ended by CR LF:
// clang-format off
//   offset | text                       | value
//   0      | "Version:1.0"              | -
//   13     | "StartHTML:" + 9 digits    | 000000151 (where "<html>" begins)
//   34     | "EndHTML:" + 9 digits      | byte length of the whole text
//   53     | "StartFragment:" + 9 digits| 000000159 (where "<body>" begins)
//   78     | "EndFragment:" + 9 digits  | byte length of the whole text
//   101    | "StartSelection:" + 9 digits| 000000159
//   127    | "EndSelection:" + 9 digits | byte length of the whole text
// clang-format on
constexpr size_t kHtmlKopfLaenge = 151;

// The tables as HTML, with the caption as a heading when `caption` is set.
// mitKopf puts the header in front and fills its end offsets. Cell texts
// and the caption are escaped: the German letters as named entities,
// "&", "<", ">" as entities, other bytes from 0x80 and the control bytes
// but TAB, CR and LF as numeric references; a NUL is left out.
std::string htmlKopie(const std::vector<const Tabdefinition*>& tabellen, const std::string* caption,
                      bool mitKopf);

// A Windows-1252 text escaped for HTML as above.
std::string htmlText(const std::string& text);

// "mailto:?Subject=<caption>&body=<request to paste>", both percent-encoded
// as UTF-8, so no character of the caption can end the subject.
std::string mailLink(const std::string& caption);

// The export file name: ".txt" appended to a name without extension that is
// shorter than 236 characters.
std::string exportDateiName(const std::string& name);

}  // namespace table
