#include "book/database/user_db_format.h"

#include <algorithm>

#include "platform/core/file.h"
#include "platform/core/path.h"

namespace book {
namespace {

void appendField(std::string& out, const std::string& text) {
    appendScrambled(out, storedField(text), kDatabaseKey);
}

uint32_t clampCount(int n) {
    return static_cast<uint32_t>(std::clamp(n, 0, 15));
}

}  // namespace

std::string storedField(const std::string& text) {
    const size_t nul = text.find('\0');
    return text.substr(0,
                       std::min<size_t>(nul == std::string::npos ? text.size() : nul, kFieldChars));
}

bool Text_lesen(platform::File& file, char* buffer, int16_t max, uint8_t key) {
    for (int k = 0; k < max; ++k) {
        uint8_t b = 0;
        if (!file.readExact(&b, 1)) return false;
        buffer[k] = static_cast<char>(b ^ key);
        if (buffer[k] == '\0') return true;
    }
    return false;
}

std::string indexPath(const std::string& dataDir) {
    return platform::joinPath(dataDir, kIndexFileName);
}
std::string blockPath(const std::string& dataDir) {
    return platform::joinPath(dataDir, kBlockFileName);
}

bool keineBenutzerdateien(const std::string& dataDir) {
    return !platform::fileExists(indexPath(dataDir)) && !platform::fileExists(blockPath(dataDir));
}

void appendU32(std::string& out, uint32_t v) {
    uint8_t b[4];
    putU32(b, v);
    out.append(reinterpret_cast<const char*>(b), 4);
}

std::string encodeUserRecordBody(const Benutzerdaten& user) {
    std::string out;
    for (const std::string* t : {&user.benutzername, &user.passwort, &user.name, &user.vorname,
                                 &user.personalnummer, &user.bereich})
        appendField(out, *t);
    appendU32(out, 0);
    out.push_back(static_cast<char>(user.optionen));
    out.push_back('\0');
    return out;
}

std::string encodeUserRecord(uint32_t blockOffset, const Benutzerdaten& user) {
    const std::string body = encodeUserRecordBody(user);
    std::string out;
    appendU32(out, static_cast<uint32_t>(8 + body.size()));
    appendU32(out, blockOffset);
    return out + body;
}

uint8_t kindBits(char marker) {
    switch (marker) {
        case '!':
            return 0x10;
        case '-':
            return 0x20;
        case '+':
            return 0x40;
        case 'V':
            return 0x80;
        case 'M':
            return 0xF0;
        default:
            return 0x00;
    }
}

char markerOfKindBits(uint8_t bits) {
    switch (bits & 0xF0) {
        case 0x10:
            return '!';
        case 0x20:
            return '-';
        case 0x40:
            return '+';
        case 0x80:
            return 'V';
        case 0xF0:
            return 'M';
        default:
            return ' ';
    }
}

std::string encodeLineRecord(const Zeilensatz& line) {
    const uint8_t plain[6] = {
        line.tag,       line.vonStunde,
        line.vonMinute, line.bisStunde,
        line.bisMinute, static_cast<uint8_t>((line.monat & 0x0F) | kindBits(line.art))};
    std::string out;
    for (const uint8_t b : plain) out.push_back(static_cast<char>(b ^ kDatabaseKey));
    const size_t nul = line.text.find('\0');
    const size_t n =
        std::min<size_t>(nul == std::string::npos ? line.text.size() : nul, kLineTextMax - 1);
    appendScrambled(out, line.text.substr(0, n), kDatabaseKey);
    return out;
}

Zeilensatz decodeLineHead(const uint8_t plain[6]) {
    Zeilensatz z;
    z.tag = plain[0];
    z.vonStunde = plain[1];
    z.vonMinute = plain[2];
    z.bisStunde = plain[3];
    z.bisMinute = plain[4];
    z.monat = plain[5] & 0x0F;
    z.art = markerOfKindBits(plain[5]);
    return z;
}

std::string encodeStandbyRecord(const StandbyList& periods, int count) {
    count = std::clamp(count, 0, 9);
    std::string out;
    out.push_back(static_cast<char>(kStandbyMarker ^ kDatabaseKey));
    out.push_back(static_cast<char>(count ^ kDatabaseKey));
    for (int i = 0; i < count * 5; ++i)
        out.push_back(static_cast<char>(periods[static_cast<size_t>(i)] ^ kDatabaseKey));
    return out;
}

uint32_t monthKey(int year, bool handMode, const HandZahlen& c) {
    const uint32_t y = static_cast<uint32_t>(year) & 0xFFFF;
    if (!handMode) return y;
    uint32_t high = clampCount(c.wochenenden) | clampCount(c.wochen) << 4 |
                    clampCount(c.wochenendenPkw) << 8 | clampCount(c.wochenPkw) << 12;
    if (high == 0) high = 0xFFFF;
    return y | high << 16;
}

bool keyHandMode(uint32_t key) {
    return (key >> 16) != 0;
}

HandZahlen keyCounts(uint32_t key) {
    const uint32_t high = key >> 16;
    if (high == 0 || high == 0xFFFF) return {};
    HandZahlen c;
    c.wochenenden = static_cast<int>(high & 0xF);
    c.wochen = static_cast<int>(high >> 4 & 0xF);
    c.wochenendenPkw = static_cast<int>(high >> 8 & 0xF);
    c.wochenPkw = static_cast<int>(high >> 12 & 0xF);
    return c;
}

std::string encodeEntryHead(uint32_t key, uint8_t month, uint32_t length, uint32_t count) {
    std::string out;
    appendU32(out, key);
    out.push_back(static_cast<char>(month));
    appendU32(out, length);
    appendU32(out, count);
    return out;
}

}  // namespace book
