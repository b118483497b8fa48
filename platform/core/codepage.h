// Conversions between the 8-bit code pages of stored texts (Windows-1252 for
// the program's own files, OEM code page 850 for the sheet's clipboard text)
// and UTF-8, which only the UI edge uses.
#pragma once

#include <string>
#include <string_view>

namespace platform {

char32_t cp1252ToUnicode(unsigned char byte);
char32_t cp850ToUnicode(unsigned char byte);
// The byte for a code point, or -1 when the code page has none.
int unicodeToCp1252(char32_t code);
int unicodeToCp850(char32_t code);

std::string cp1252ToUtf8(std::string_view bytes);
std::string cp850ToUtf8(std::string_view bytes);
// Characters the code page lacks become `replacement`; invalid UTF-8 bytes too.
std::string utf8ToCp1252(std::string_view utf8, char replacement = '?');
std::string utf8ToCp850(std::string_view utf8, char replacement = '?');
std::string cp1252ToCp850(std::string_view bytes, char replacement = '?');
std::string cp850ToCp1252(std::string_view bytes, char replacement = '?');

}  // namespace platform

namespace platform {
// Source files are UTF-8; stored and compared texts are Windows-1252. Literal
// texts with umlauts go through this: cp1252("Monatslänge überschritten").
inline std::string cp1252(std::string_view utf8) { return utf8ToCp1252(utf8); }
}  // namespace platform
