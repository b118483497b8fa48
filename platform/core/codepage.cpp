#include "platform/core/codepage.h"

#include <array>

namespace platform {
namespace {

// 0x80..0x9F of Windows-1252; its five unassigned bytes map to the C1
// controls of the same value, so every byte round-trips.
constexpr std::array<char16_t, 32> kCp1252High = {
    0x20AC, 0x0081, 0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021,
    0x02C6, 0x2030, 0x0160, 0x2039, 0x0152, 0x008D, 0x017D, 0x008F,
    0x0090, 0x2018, 0x2019, 0x201C, 0x201D, 0x2022, 0x2013, 0x2014,
    0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0x009D, 0x017E, 0x0178};

// 0x80..0xFF of code page 850.
constexpr std::array<char16_t, 128> kCp850High = {
    0x00C7, 0x00FC, 0x00E9, 0x00E2, 0x00E4, 0x00E0, 0x00E5, 0x00E7,
    0x00EA, 0x00EB, 0x00E8, 0x00EF, 0x00EE, 0x00EC, 0x00C4, 0x00C5,
    0x00C9, 0x00E6, 0x00C6, 0x00F4, 0x00F6, 0x00F2, 0x00FB, 0x00F9,
    0x00FF, 0x00D6, 0x00DC, 0x00F8, 0x00A3, 0x00D8, 0x00D7, 0x0192,
    0x00E1, 0x00ED, 0x00F3, 0x00FA, 0x00F1, 0x00D1, 0x00AA, 0x00BA,
    0x00BF, 0x00AE, 0x00AC, 0x00BD, 0x00BC, 0x00A1, 0x00AB, 0x00BB,
    0x2591, 0x2592, 0x2593, 0x2502, 0x2524, 0x00C1, 0x00C2, 0x00C0,
    0x00A9, 0x2563, 0x2551, 0x2557, 0x255D, 0x00A2, 0x00A5, 0x2510,
    0x2514, 0x2534, 0x252C, 0x251C, 0x2500, 0x253C, 0x00E3, 0x00C3,
    0x255A, 0x2554, 0x2569, 0x2566, 0x2560, 0x2550, 0x256C, 0x00A4,
    0x00F0, 0x00D0, 0x00CA, 0x00CB, 0x00C8, 0x0131, 0x00CD, 0x00CE,
    0x00CF, 0x2518, 0x250C, 0x2588, 0x2584, 0x00A6, 0x00CC, 0x2580,
    0x00D3, 0x00DF, 0x00D4, 0x00D2, 0x00F5, 0x00D5, 0x00B5, 0x00FE,
    0x00DE, 0x00DA, 0x00DB, 0x00D9, 0x00FD, 0x00DD, 0x00AF, 0x00B4,
    0x00AD, 0x00B1, 0x2017, 0x00BE, 0x00B6, 0x00A7, 0x00F7, 0x00B8,
    0x00B0, 0x00A8, 0x00B7, 0x00B9, 0x00B3, 0x00B2, 0x25A0, 0x00A0};

void appendUtf8(std::string& out, char32_t c) {
    if (c < 0x80) {
        out += static_cast<char>(c);
    } else if (c < 0x800) {
        out += static_cast<char>(0xC0 | (c >> 6));
        out += static_cast<char>(0x80 | (c & 0x3F));
    } else if (c < 0x10000) {
        out += static_cast<char>(0xE0 | (c >> 12));
        out += static_cast<char>(0x80 | ((c >> 6) & 0x3F));
        out += static_cast<char>(0x80 | (c & 0x3F));
    } else {
        out += static_cast<char>(0xF0 | (c >> 18));
        out += static_cast<char>(0x80 | ((c >> 12) & 0x3F));
        out += static_cast<char>(0x80 | ((c >> 6) & 0x3F));
        out += static_cast<char>(0x80 | (c & 0x3F));
    }
}

// Decodes one code point at `i` and advances it; -1 for an invalid sequence
// (then `i` moves past one byte).
long nextUtf8(std::string_view s, size_t& i) {
    const auto b0 = static_cast<unsigned char>(s[i++]);
    if (b0 < 0x80) return b0;
    int extra;
    char32_t c;
    if ((b0 & 0xE0) == 0xC0) {
        extra = 1;
        c = b0 & 0x1F;
    } else if ((b0 & 0xF0) == 0xE0) {
        extra = 2;
        c = b0 & 0x0F;
    } else if ((b0 & 0xF8) == 0xF0) {
        extra = 3;
        c = b0 & 0x07;
    } else {
        return -1;
    }
    if (i + extra > s.size()) return -1;
    for (int k = 0; k < extra; ++k) {
        const auto b = static_cast<unsigned char>(s[i + k]);
        if ((b & 0xC0) != 0x80) return -1;
        c = (c << 6) | (b & 0x3F);
    }
    i += extra;
    return static_cast<long>(c);
}

template <typename ToUnicode>
std::string toUtf8(std::string_view bytes, ToUnicode map) {
    std::string out;
    out.reserve(bytes.size() + bytes.size() / 4);
    for (char ch : bytes) appendUtf8(out, map(static_cast<unsigned char>(ch)));
    return out;
}

template <typename FromUnicode>
std::string fromUtf8(std::string_view utf8, char replacement, FromUnicode map) {
    std::string out;
    out.reserve(utf8.size());
    for (size_t i = 0; i < utf8.size();) {
        const long c = nextUtf8(utf8, i);
        const int b = c < 0 ? -1 : map(static_cast<char32_t>(c));
        out += b < 0 ? replacement : static_cast<char>(b);
    }
    return out;
}

}  // namespace

char32_t cp1252ToUnicode(unsigned char byte) {
    return byte >= 0x80 && byte < 0xA0 ? kCp1252High[byte - 0x80] : byte;
}

char32_t cp850ToUnicode(unsigned char byte) { return byte >= 0x80 ? kCp850High[byte - 0x80] : byte; }

int unicodeToCp1252(char32_t code) {
    if (code < 0x80 || (code >= 0xA0 && code <= 0xFF)) return static_cast<int>(code);
    for (size_t i = 0; i < kCp1252High.size(); ++i)
        if (kCp1252High[i] == code) return static_cast<int>(0x80 + i);
    return -1;
}

int unicodeToCp850(char32_t code) {
    if (code < 0x80) return static_cast<int>(code);
    for (size_t i = 0; i < kCp850High.size(); ++i)
        if (kCp850High[i] == code) return static_cast<int>(0x80 + i);
    return -1;
}

std::string cp1252ToUtf8(std::string_view bytes) { return toUtf8(bytes, cp1252ToUnicode); }
std::string cp850ToUtf8(std::string_view bytes) { return toUtf8(bytes, cp850ToUnicode); }

std::string utf8ToCp1252(std::string_view utf8, char replacement) {
    return fromUtf8(utf8, replacement, unicodeToCp1252);
}

std::string utf8ToCp850(std::string_view utf8, char replacement) {
    return fromUtf8(utf8, replacement, unicodeToCp850);
}

std::string cp1252ToCp850(std::string_view bytes, char replacement) {
    std::string out;
    out.reserve(bytes.size());
    for (char ch : bytes) {
        const int b = unicodeToCp850(cp1252ToUnicode(static_cast<unsigned char>(ch)));
        out += b < 0 ? replacement : static_cast<char>(b);
    }
    return out;
}

std::string cp850ToCp1252(std::string_view bytes, char replacement) {
    std::string out;
    out.reserve(bytes.size());
    for (char ch : bytes) {
        const int b = unicodeToCp1252(cp850ToUnicode(static_cast<unsigned char>(ch)));
        out += b < 0 ? replacement : static_cast<char>(b);
    }
    return out;
}

}  // namespace platform
