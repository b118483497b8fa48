#include "book/db_check.h"

#include <algorithm>
#include <bit>
#include <cstring>
#include <new>
#include <vector>

#if defined(__SSE2__)
#include <emmintrin.h>
#endif

#include "book/db_reader.h"
#include "book/user_db_format.h"
#include "book/zeitbuch.h"
#include "platform/core/codepage.h"
#include "platform/core/file.h"

namespace book {

const char kFaultCaption[] = "Datenbank fehlerhaft";

namespace {

constexpr uint8_t kFailed = 0xFF;  // a fault without a code of its own

struct MonthsOfYear {
    uint16_t year;
    uint32_t bits;
};

// Day, hours, minutes and month of a line record (unscrambled). Compared
// unsigned: a byte of 128 or more is no hour or minute either.
inline bool lineValuesValid(const uint8_t r[6]) {
    const unsigned month = r[5] & 0x0Fu;
    const bool bad = (static_cast<unsigned>(r[0]) - 1u > 30u) | (r[1] > 23) | (r[2] > 59) |
                     (r[3] > 23) | (r[4] > 59) | (month - 1u > 11u);
    return !bad;
}

// The same test on the six scrambled bytes held in the low bytes of `w`
// (little-endian), all at once: this runs for every line of the database.
inline bool lineWordValid(uint64_t w) {
    w ^= 0x0000171717171717ull;
    const uint32_t times =
        static_cast<uint32_t>(w >> 8);  // from hour, from minute, to hour, to minute
    // Adding 127 - limit sets a byte's high bit exactly when it exceeds its limit.
    const uint32_t over = ((times & 0x7F7F7F7Fu) + 0x44684468u) | times;
    const unsigned day = static_cast<uint8_t>(w);
    const unsigned month = static_cast<unsigned>(w >> 40) & 0x0Fu;
    return !((over & 0x80808080u) | (day - 1u > 30u) | (month - 1u > 11u));
}

// Offset of the first byte equal to `key` in p[0..n), or n; p[0..n+15] must be readable.
inline size_t findKey(const uint8_t* p, size_t n, uint8_t key) {
#if defined(__SSE2__)
    const __m128i k = _mm_set1_epi8(static_cast<char>(key));
    for (size_t i = 0; i < n; i += 16) {
        const __m128i v = _mm_loadu_si128(reinterpret_cast<const __m128i*>(p + i));
        if (const int m = _mm_movemask_epi8(_mm_cmpeq_epi8(v, k)))
            return std::min(n, i + static_cast<size_t>(std::countr_zero(static_cast<unsigned>(m))));
    }
    return n;
#else
    const void* hit = std::memchr(p, key, n);
    return hit ? static_cast<size_t>(static_cast<const uint8_t*>(hit) - p) : n;
#endif
}

// Fast path: checks line records straight in the reader's buffer while a
// whole record with the longest text fits, counting `left` down. Stops at a
// standby record, at the buffer's end or at a fault.
uint8_t checkBufferedLines(DbReader& d, uint32_t& left) {
    if constexpr (std::endian::native != std::endian::little) return 0;
    size_t avail = 0;
    const uint8_t* const start = d.peek(avail);
    constexpr size_t kWhole = 6 + kLineTextMax + 16;  // findKey reads up to 16 bytes ahead
    if (avail < kWhole) return 0;
    const uint8_t* p = start;
    const uint8_t* const last = start + (avail - kWhole);
    uint8_t fault = 0;
    for (; left > 0 && p <= last && (p[0] ^ kDatabaseKey) != kStandbyMarker; --left) {
        uint64_t w;
        std::memcpy(&w, p, 8);
        if (!lineWordValid(w)) {
            fault = kFaultLineValue;
            break;
        }
        const size_t text = findKey(p + 6, kLineTextMax, kDatabaseKey);
        if (text == kLineTextMax) {
            fault = kFailed;
            break;
        }
        p += 6 + text + 1;
    }
    d.skip(static_cast<size_t>(p - start));
    return fault;
}

// Checks one record at the reader's position.
uint8_t checkRecord(DbReader& d) {
    const int64_t start = d.position();
    uint8_t r[6];
    if (!d.read(r, 6)) return kFaultRecord;
    for (uint8_t& b : r) b ^= kDatabaseKey;
    if (r[0] == kStandbyMarker) {
        const int n = r[1];
        if (n == 0 || n > kStandbyPeriods) return kFaultOther;
        d.seek(start + 2);
        for (int i = 0; i < n; ++i) {
            uint8_t p[5];
            if (!d.read(p, 5)) return kFaultStandbyShort;
            const int week = (p[0] ^ kDatabaseKey) & 0x3F;
            const int day = p[1] ^ kDatabaseKey;
            const int month = p[2] ^ kDatabaseKey;
            if (week < 1 || week > 53 || day < 1 || day > 31 || month < 1 || month > 31)
                return kFaultStandbyValue;
        }
        return 0;
    }
    if (!lineValuesValid(r)) return kFaultLineValue;
    return d.text(nullptr, kLineTextMax, kDatabaseKey) ? 0 : kFailed;
}

// Entries of the block at p with last-entry offset L; the reader stands
// behind the head.
uint8_t checkEntries(DbReader& d, int64_t p, uint32_t L, std::vector<MonthsOfYear>& months) {
    months.clear();
    for (;;) {
        const int64_t es = d.position();
        uint32_t key = 0, length = 0, count = 0;
        uint8_t month = 0;
        if (!d.u32(key) || !d.u8(month) || month < 1 || month > 12) return kFaultMonth;
        const uint16_t year = static_cast<uint16_t>(key);
        MonthsOfYear* node = nullptr;
        for (MonthsOfYear& m : months)
            if (m.year == year) node = &m;
        if (!node) {
            try {
                months.push_back({year, 0});
            } catch (const std::bad_alloc&) {
                return kFaultMemory;
            }
            node = &months.back();
        }
        if (node->bits & (1u << month)) return kFaultDuplicate;
        node->bits |= 1u << month;
        if (!d.u32(length)) return kFailed;
        if (length == 0 && es != p + L) return kFaultLastEntry;
        if (!d.u32(count)) return kFaultRecord;
        while (count > 0) {
            if (const uint8_t f = checkBufferedLines(d, count)) return f;
            if (count == 0) break;
            if (const uint8_t f = checkRecord(d)) return f;
            --count;
        }
        if (length == 0) return 0;
        if (d.position() != es + 9 + int64_t{length}) return kFaultEntryEnd;
    }
}

// Walks the block file; counts the blocks and checks each against the index.
uint8_t checkBlocks(DbReader& d, DbReader& index, int64_t& blocks) {
    std::vector<MonthsOfYear> months;
    const int64_t len = d.length();
    for (int64_t p = 0;;) {
        if (len - p < kBlockHead) return kFaultBlockHead;
        d.seek(p);
        uint32_t ip = 0, bl = 0, L = 0, back = 0;
        if (!d.u32(ip) || !d.u32(bl)) return kFaultBlockHead;
        ++blocks;
        index.seek(ip);
        if (!index.u32(back) || back != p) return kFaultBackPointer;
        if (!d.u32(L)) return kFaultBlockHead;
        if (L == 0) {
            if (bl == 0 && d.position() != len) return kFaultEmptyLastBlock;
        } else if (const uint8_t f = checkEntries(d, p, L, months)) {
            return f;
        }
        if (bl == 0) return d.position() == len ? 0 : kFaultFileEnd;
        if (d.position() != p + bl) return kFaultBlockEnd;
        p = d.position();
    }
}

// Each index record uses up one counted block.
uint8_t checkRecords(DbReader& index, int64_t blocks) {
    if (index.length() < 4) return blocks > 0 ? kFaultFewerRecords : 0;  // no end mark yet
    for (int64_t pos = 0;;) {
        uint32_t length = 0;
        index.seek(pos);
        if (!index.u32(length)) return kFailed;
        if (length == 0) return blocks > 0 ? kFaultFewerRecords : 0;
        if (blocks == 0) return kFaultMoreRecords;
        if (length < kRecordMin || length > kRecordMax) return kFailed;
        --blocks;
        pos += length;
    }
}

}  // namespace

DbCheck checkDatabase(const std::string& dataDir) {
    const std::string logPath = indexPath(dataDir);
    const std::string datPath = blockPath(dataDir);
    if (!platform::fileExists(logPath)) return {};  // no database yet
    platform::File log;
    if (!log.open(logPath, platform::OpenMode::ReadOnly)) return {false, 0};
    platform::File dat;
    // A missing block file is an empty one: the index must then hold no records.
    if (!dat.open(datPath, platform::OpenMode::ReadOnly) && platform::fileExists(datPath))
        return {false, kFaultOther};
    const int64_t logLen = log.length();
    const int64_t datLen = dat.isOpen() ? dat.length() : 0;
    if (logLen < 0 || datLen < 0 || logLen > kMaxDbFileLength || datLen > kMaxDbFileLength)
        return {false, kFaultOther};

    DbReader index(log);
    int64_t blocks = 0;
    uint8_t code = 0;
    if (datLen > 0) {
        DbReader d(dat);
        code = checkBlocks(d, index, blocks);
    }
    if (code == 0) code = checkRecords(index, blocks);
    if (code == kFailed) code = kFaultOther;
    return code == 0 ? DbCheck{} : DbCheck{false, code};
}

std::string faultMessage(uint8_t code) {
    static const std::string text = platform::cp1252(
        "Die Datenbank enthält mindestens einen Fehler und wird deshalb nicht geöffnet!\n"
        "Zum Sichern von Daten die Funktion <Speichern als> benutzen!\nFehlernummer ");
    return text + faultCharacter(code);
}

bool Zeitbuch::Datenbank_pruefen() {
    const DbCheck r = checkDatabase(datenOrdner);
    if (r.code != 0) datenbankFehler = r.code;
    return r.ok;
}

}  // namespace book
