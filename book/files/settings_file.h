// The settings file "Kronlauf.ini" in the program folder: folders, sign-in
// data, administrator password, holiday flags and the calculation block.
#pragma once

#include <string>

namespace book {

class Zeitbuch;

inline constexpr const char* kSettingsFileName = "Kronlauf.ini";
// Longest string (terminator included) the reader accepts; the writer cuts
// longer strings so that everything it writes reads back.
constexpr int kSettingsStringMax = 4096;

// The complete file image of the book's settings.
std::string settingsFileImage(const Zeitbuch& book);

}  // namespace book
