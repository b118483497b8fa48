// Paths: stored paths may use "\" (written on Windows) or "/"; the program
// builds its own with "/".
#pragma once

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
// The current folder of the process ("" when it cannot be read).
std::string currentDir();

}  // namespace platform
