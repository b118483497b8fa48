// Month files (".akt"): one month page with its work texts and, in hand mode,
// the standby counts and periods, outside the user database.
#pragma once

#include <cstdint>
#include <string>

namespace book {

class Zeitbuch;

// The file dialogs of "Speichern als" and "Laden" (Windows-1252 filters).
const std::string& monthFileSaveFilter();
const std::string& monthFileOpenFilter();
inline constexpr const char* kMonthFileDefaultExt = "1";

// A first word below this is an old file without a year: it is the count.
constexpr uint32_t kMonthFileFirstYear = 1900;

// The complete month file of the shown page (template line excluded).
std::string monthFileImage(const Zeitbuch& book);

}  // namespace book
