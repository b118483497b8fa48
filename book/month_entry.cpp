#include "book/month_entry.h"

#include <algorithm>

#include "book/zeitbuch.h"

namespace book {
namespace {

uint32_t clampedNibble(int32_t count) { return static_cast<uint32_t>(std::clamp(count, 0, 15)); }

}  // namespace

uint32_t monthKey(int year, bool handMode, const HandCounts& c) {
    uint32_t key = static_cast<uint32_t>(year) & 0xFFFFu;
    if (!handMode) return key;
    uint32_t high = clampedNibble(c.wochenenden) | clampedNibble(c.wochen) << 4 |
                    clampedNibble(c.wochenendenPkw) << 8 | clampedNibble(c.wochenPkw) << 12;
    if (high == 0) high = 0xFFFF;
    return key | high << 16;
}

DecodedKey decodeMonthKey(uint32_t key) {
    DecodedKey d;
    d.year = static_cast<int>(key & 0xFFFF);
    uint32_t high = key >> 16;
    d.handMode = high != 0;
    if (high != 0 && high != 0xFFFF) {
        d.counts.wochenenden = static_cast<int32_t>(high & 15);
        d.counts.wochen = static_cast<int32_t>(high >> 4 & 15);
        d.counts.wochenendenPkw = static_cast<int32_t>(high >> 8 & 15);
        d.counts.wochenPkw = static_cast<int32_t>(high >> 12 & 15);
    }
    return d;
}

uint8_t kindBitsOfMarker(char marker) {
    switch (marker) {
        case '!': return 0x10;
        case '-': return 0x20;
        case '+': return 0x40;
        case 'V': return 0x80;
        case 'M': return 0xF0;
        default: return 0x00;
    }
}

char markerOfKindBits(uint8_t monthByte) {
    switch (monthByte & 0xF0) {
        case 0x10: return '!';
        case 0x20: return '-';
        case 0x40: return '+';
        case 0x80: return 'V';
        case 0xF0: return 'M';
        default: return ' ';
    }
}

int standbyPeriodCount(const StandbyList& list) {
    int n = 0;
    while (n < kStandbyPeriods && (list[static_cast<size_t>(n) * 5] & 0x3F) != 0) ++n;
    return n;
}

std::string scrambled(std::string bytes) {
    for (char& c : bytes) c = static_cast<char>(static_cast<uint8_t>(c) ^ kDatenbankSchluessel);
    return bytes;
}

std::string lineRecord(const std::string& line, const std::string& workText) {
    std::string plain(6, '\0');
    const char* t = line.c_str();
    plain[0] = static_cast<char>(Zeitbuch::Zweistellig_lesen(t + col::kDay));
    plain[1] = static_cast<char>(Zeitbuch::Zweistellig_lesen(t + col::kFromHour));
    plain[2] = static_cast<char>(Zeitbuch::Zweistellig_lesen(t + col::kFromMinute));
    plain[3] = static_cast<char>(Zeitbuch::Zweistellig_lesen(t + col::kToHour));
    plain[4] = static_cast<char>(Zeitbuch::Zweistellig_lesen(t + col::kToMinute));
    plain[5] = static_cast<char>((Zeitbuch::Zweistellig_lesen(t + col::kMonth) & 0x0F) |
                                 kindBitsOfMarker(line.empty() ? ' ' : line[0]));
    size_t textLength = std::min<size_t>(workText.size(), kWorkTextMax);
    textLength = std::min(textLength, workText.find('\0'));
    plain.append(workText, 0, textLength);
    plain.push_back('\0');
    return scrambled(std::move(plain));
}

std::string standbyRecord(const StandbyList& list, int count) {
    std::string plain;
    plain.push_back(static_cast<char>(kStandbyRecordMark));
    plain.push_back(static_cast<char>(count));
    plain.append(reinterpret_cast<const char*>(list.data()), static_cast<size_t>(count) * 5);
    return scrambled(std::move(plain));
}

std::string monthEntry(const PageImage& page) {
    int periods = page.handMode ? standbyPeriodCount(page.standby) : 0;
    std::string out;
    putU32(out, monthKey(page.year, page.handMode, page.counts));
    out.push_back(static_cast<char>(page.month));
    putU32(out, 0);
    putU32(out, static_cast<uint32_t>(page.lineCount + (periods > 0 ? 1 : 0)));
    if (periods > 0) out += standbyRecord(page.standby, periods);
    for (int i = 0; i < page.lineCount; ++i) out += lineRecord(page.lines[i], page.texts[i]);
    return out;
}

void putU32(std::string& out, uint32_t v) {
    for (int i = 0; i < 4; ++i) out.push_back(static_cast<char>(v >> (8 * i) & 0xFF));
}

uint32_t getU32(const unsigned char* b) {
    return static_cast<uint32_t>(b[0]) | static_cast<uint32_t>(b[1]) << 8 |
           static_cast<uint32_t>(b[2]) << 16 | static_cast<uint32_t>(b[3]) << 24;
}

}  // namespace book
