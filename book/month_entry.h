// Byte images of one month page in "Benutzer.dat": the entry key with the
// hand-set standby counts, the line records and the standby record.
#pragma once

#include <cstdint>
#include <string>

#include "book/host.h"

namespace book {

constexpr uint8_t kDatenbankSchluessel = 0x17;  // XOR key of the database texts
constexpr uint8_t kStandbyRecordMark = 99;      // first byte of a standby record
constexpr int kEntryHeadSize = 13;              // key, month, length, record count

// The four standby counts as the book holds them.
struct HandCounts {
    int32_t wochen = 0;
    int32_t wochenenden = 0;
    int32_t wochenPkw = 0;
    int32_t wochenendenPkw = 0;
    bool operator==(const HandCounts&) const = default;
};

// Entry key:
//   bits  0-15  year
//   bits 16-31  0 = automatic standby detection; in hand mode
//               16-19 weekends, 20-23 weeks, 24-27 weekends with car,
//               28-31 weeks with car, 0xFFFF when all four are 0.
// Each count is clamped to 0..15 so that none spills into its neighbour.
uint32_t monthKey(int year, bool handMode, const HandCounts& counts);

struct DecodedKey {
    int year = 0;
    bool handMode = false;
    HandCounts counts;  // 0xFFFF reads as four zero counts
};
DecodedKey decodeMonthKey(uint32_t key);

// Kind bits of the line record's month byte for a sheet line marker, and back
// (an unknown nibble reads as ordinary work).
uint8_t kindBitsOfMarker(char marker);
char markerOfKindBits(uint8_t monthByte);

// Number of standby periods in the list: the records before the first whose
// week number (low 6 bits) is 0, at most 9.
int standbyPeriodCount(const StandbyList& list);

// XOR of every byte with the database key.
std::string scrambled(std::string bytes);

// Line record, scrambled:
//   byte 0 day | 1 from hour | 2 from minute | 3 to hour | 4 to minute
//   byte 5 bits 0-3 month, bits 4-7 kind (0x00 " ", 0x10 "!", 0x20 "-",
//          0x40 "+", 0x80 "V", 0xF0 "M")
//   then the work text and its NUL (at most 150 + 1 bytes)
// The numbers are the two-digit fields of the 59-character sheet line; the
// text is cut at 150 bytes and at an embedded NUL, which a reader would take
// for its end.
std::string lineRecord(const std::string& sheetLine, const std::string& workText);

// Standby record, scrambled: 99, period count n (1..9), n five-byte periods.
std::string standbyRecord(const StandbyList& list, int count);

// Month entry:
//   offset 0  u32 key              (plain)
//          4  u8  month 1..12      (plain)
//          5  u32 length, 0 = last entry of the block (plain)
//          9  u32 record count, standby record included (plain)
//         13  records
// The entry is written as the last one of its block, so its length is 0.
struct PageImage {
    int year = 0;
    int month = 0;
    bool handMode = false;
    HandCounts counts;
    StandbyList standby{};
    const std::string* lines = nullptr;  // sheet lines, without the template
    const std::string* texts = nullptr;
    int lineCount = 0;
};
std::string monthEntry(const PageImage& page);

void putU32(std::string& out, uint32_t value);
uint32_t getU32(const unsigned char* bytes);

}  // namespace book
