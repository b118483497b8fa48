// The month as a text file ("Exportieren als Textdatei"): what the sheet
// shows, in Windows-1252 with CR LF line ends.
#pragma once

#include <string>

namespace book {
class Zeitbuch;
}

namespace app {

// The fixed heading line; its percentages do not follow the settings.
extern const char kExportKopf[];
// The save dialog's filter index and default extension of the export.
inline constexpr int kExportFilterIndex = 2;
inline constexpr const char* kExportDefaultExt = "2";

// The file's bytes: the heading, each sheet line but the entry line followed
// by its work text, an empty line, the eleven totals lines, an empty line,
// and, outside the year balance, the standby lines when a period exists.
std::string monatsText(const book::Zeitbuch& b);

}  // namespace app
