// Paths: stored paths may use "\" (written on Windows) or "/"; the program
// builds its own with "/".
#pragma once

#include <optional>
#include <string>
#include <string_view>

namespace platform {

// "\" and "/" become "/".
std::string nativePath(std::string_view stored);
// Joins with exactly one "/" between the parts; an empty part is skipped.
std::string joinPath(std::string_view a, std::string_view b);
template <typename... Rest>
std::string joinPath(std::string_view a, std::string_view b, Rest... rest) {
    return joinPath(joinPath(a, b), rest...);
}
// The current folder of the process in Windows-1252 ("" when it cannot be
// read or holds letters Windows-1252 lacks).
std::string currentDir();

// The program keeps paths in Windows-1252, as its files store them; the file
// system names files in UTF-8. Every call that hands a path to the system
// goes through osPath, every name that comes back through fromOsPath.
std::string osPath(std::string_view cp1252Path);
// nullopt when the name is not valid UTF-8 or has a letter Windows-1252 lacks.
std::optional<std::string> fromOsPath(std::string_view osName);

}  // namespace platform
