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

// The file another program wrote (`theirs`) with every setting that this
// program changed from `base` to `mine` put in; `mine` when `theirs` is not a
// whole file. Each setting goes on its own (each option bit, each holiday),
// except those that change together: the night window, and the automatic
// sign-in's name, password and flag.
std::string mergedSettingsImage(const std::string& base, const std::string& mine,
                                const std::string& theirs);

}  // namespace book
