// Byte layouts of the user database: the user index "Benutzer.log", the block
// file "Benutzer.dat" and the month entries inside the blocks.
#pragma once

#include <array>
#include <cstdint>
#include <string>
#include <string_view>

#include "book/sheet/host.h"
#include "book/files/scrambled_text.h"  // kDatabaseKey scrambles texts and record bytes

namespace book {

// "Benutzer.log": user records `Benutzersatz` from offset 0, ended by a u32 0.
//
//   offset  size    field
//   0       4       u32 record length (start of this field to end of record); 0 = end mark
//   4       4       u32 offset of the user's block in "Benutzer.dat"
//   8       1..21   six scrambled texts, each with its terminator: user name,
//                   password, last name, first name, personnel number, area
//   +0      4       u32 reserved, written 0
//   +4      1       u8 option byte `Benutzeroptionen`, plain
//   +5      1       u8 0
//
// "Benutzer.dat": blocks `Benutzerblock` from offset 0, without gaps.
//
//   offset  size    field
//   0       4       u32 index position of the user's record + 4
//   4       4       u32 block length (to the next block); 0 = last block, runs to the end of the
//   file 8       4       u32 offset of the block's last month entry from the block start; 0 = none
//   12      ..      month entries
//
// Month entry `Monatseintrag`.
//
//   offset  size    field
//   0       4       u32 key: bits 0-15 year, bits 16-31 hand-set standby counts
//   4       1       u8 month 1..12, plain
//   5       4       u32 length from offset 9 to the next entry; 0 = last entry of the block
//   9       4       u32 record count, standby record included
//   13      ..      records
//
// Line record `Zeilensatz`, every byte scrambled.
//
//   byte    content
//   0       day 1..31
//   1, 2    from hour, from minute
//   3, 4    to hour, to minute
//   5       bits 0-3 month, bits 4-7 line kind (0x00 " ", 0x10 "!", 0x20 "-", 0x40 "+", 0x80 "V",
//   0xF0 "M") 6..     work text with its terminator, at most 151 bytes
//
// Standby record (hand mode, first record of its entry), every byte scrambled:
// 99, the period count n, then n records `Bereitschaftswoche` of 5 bytes.

constexpr char kIndexFileName[] = "Benutzer.log";
constexpr char kBlockFileName[] = "Benutzer.dat";

constexpr int kFieldMax = 21;  // a user record text with its terminator
constexpr int kFieldChars = 20;
constexpr int kLineTextMax = 151;     // a work text with its terminator
constexpr uint32_t kRecordMin = 20;   // six empty texts
constexpr uint32_t kRecordMax = 140;  // six 20-character texts
constexpr int64_t kBlockHead = 12;
constexpr int64_t kEntryHead = 13;  // key, month, length, record count
constexpr uint8_t kStandbyMarker = 99;
// Positions are u32: a file must stay addressable by them.
constexpr int64_t kMaxDbFileLength = 0xFFFFFFFFLL;

// `Text_lesen` into a buffer of at least `max` bytes, one byte per read: the
// settings file's way. After a failure the buffer need not be terminated.
bool Text_lesen(platform::File& file, char* buffer, int16_t max, uint8_t key);

std::string indexPath(const std::string& dataDir);
std::string blockPath(const std::string& dataDir);
// A folder holding neither user file is a new installation without users.
bool keineBenutzerdateien(const std::string& dataDir);

inline uint32_t getU32(const uint8_t* p) {
    return static_cast<uint32_t>(p[0]) | static_cast<uint32_t>(p[1]) << 8 |
           static_cast<uint32_t>(p[2]) << 16 | static_cast<uint32_t>(p[3]) << 24;
}
inline void putU32(uint8_t* p, uint32_t v) {
    p[0] = static_cast<uint8_t>(v);
    p[1] = static_cast<uint8_t>(v >> 8);
    p[2] = static_cast<uint8_t>(v >> 16);
    p[3] = static_cast<uint8_t>(v >> 24);
}
void appendU32(std::string& out, uint32_t v);

// The texts and options of a user as the user dialog holds them.
struct Benutzerdaten {
    std::string benutzername, passwort, name, vorname, personalnummer, bereich;  // Windows-1252
    uint8_t optionen = 0;  // `Benutzeroptionen`
    bool operator==(const Benutzerdaten&) const = default;
};

// A text of a user record as stored: cut at its first NUL and to 20 characters.
std::string storedField(const std::string& text);
// Record bytes behind the block offset: the six texts (each cut to 20
// characters and at its first NUL), the reserved u32 0, options and the 0 byte.
std::string encodeUserRecordBody(const Benutzerdaten& user);
// A whole record: length, block offset and body.
std::string encodeUserRecord(uint32_t blockOffset, const Benutzerdaten& user);

// Kind nibble of a line record for a sheet marker, and back (unknown nibbles give " ").
uint8_t kindBits(char marker);
char markerOfKindBits(uint8_t bits);

// A line record decoded; numbers are the binary values of the two-digit fields.
struct Zeilensatz {
    uint8_t tag = 0, vonStunde = 0, vonMinute = 0, bisStunde = 0, bisMinute = 0, monat = 0;
    char art = ' ';
    std::string text;  // at most 150 characters
    bool operator==(const Zeilensatz&) const = default;
};
std::string encodeLineRecord(const Zeilensatz& line);
// The six fixed bytes, already unscrambled.
Zeilensatz decodeLineHead(const uint8_t plain[6]);

// Standby record of `count` periods (1..9) taken from the list.
std::string encodeStandbyRecord(const StandbyList& periods, int count);

// Four hand-set standby counts in key bits 16-31.
struct HandZahlen {
    int wochen = 0, wochenenden = 0, wochenPkw = 0, wochenendenPkw = 0;
    bool operator==(const HandZahlen&) const = default;
};
// Key of a month entry. Counts are clamped to 0..15 so that none spills into
// its neighbour; in hand mode four zero counts are stored as 0xFFFF.
uint32_t monthKey(int year, bool handMode, const HandZahlen& counts);
// Hand mode is any non-zero high half; 0xFFFF reads as four zero counts.
bool keyHandMode(uint32_t key);
HandZahlen keyCounts(uint32_t key);
inline int keyYear(uint32_t key) {
    return static_cast<int>(key & 0xFFFF);
}

// Header bytes of a month entry (key, month, length, record count).
std::string encodeEntryHead(uint32_t key, uint8_t month, uint32_t length, uint32_t count);

}  // namespace book
