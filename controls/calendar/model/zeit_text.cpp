#include "controls/calendar/model/zeit_text.h"

#include <cstdio>

namespace calendar {
namespace {

// Pattern letters: D day, M month, Y year, h hour, m minute; anything else
// is a separator that must stand where it is.
std::string patternOf(TZeitStyle style, bool textFormat) {
    std::string p;
    if (hasDate(style)) p += textFormat ? "DD.MM.YYYY" : "YYYYMMDD";
    if (hasTime(style)) p += textFormat ? "hh:mm" : "hhmm";
    return p;
}

int* partOf(ZeitFields& f, char letter) {
    switch (letter) {
        case 'D':
            return &f.day;
        case 'M':
            return &f.month;
        case 'Y':
            return &f.year;
        case 'h':
            return &f.hour;
        case 'm':
            return &f.minute;
        default:
            return nullptr;
    }
}

}  // namespace

std::string formatDateAnsi(int year, int month, int day, bool textFormat) {
    char buf[16];
    if (textFormat)
        std::snprintf(buf, sizeof buf, "%02d.%02d.%04d", day % 100, month % 100, year % 10000);
    else
        std::snprintf(buf, sizeof buf, "%04d%02d%02d", year % 10000, month % 100, day % 100);
    return buf;
}

std::string formatTimeAnsi(int hour, int minute, bool textFormat) {
    char buf[16];
    if (textFormat)
        std::snprintf(buf, sizeof buf, "%02d:%02d", hour % 100, minute % 100);
    else
        std::snprintf(buf, sizeof buf, "%02d%02d00", hour % 100, minute % 100);
    return buf;
}

std::string invalidAnsi(bool textFormat, bool nullZeit) {
    if (nullZeit) return "00000000";
    return textFormat ? "" : "NULL";
}

std::optional<ZeitFields> parseAnsi(std::string_view text, TZeitStyle style, bool textFormat) {
    const std::string pattern = patternOf(style, textFormat);
    if (text.size() < pattern.size()) return std::nullopt;
    ZeitFields f;
    if (hasTime(style)) f.hour = f.minute = 0;
    for (size_t i = 0; i < pattern.size(); ++i) {
        const char c = text[i];
        int* part = partOf(f, pattern[i]);
        if (part == nullptr) {
            if (c != pattern[i]) return std::nullopt;
            continue;
        }
        if (c < '0' || c > '9') return std::nullopt;
        *part = *part * 10 + (c - '0');
    }
    if (hasTime(style) && (f.hour > 23 || f.minute > 59)) return std::nullopt;
    return f;
}

}  // namespace calendar
