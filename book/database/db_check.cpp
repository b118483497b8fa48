#include "book/database/db_check.h"

#include <algorithm>
#include <array>
#include <bit>
#include <cstring>
#include <new>
#include <vector>

#if defined(__SSE2__)
#include <emmintrin.h>
#endif

#include "book/backup/safety_copies.h"
#include "book/database/db_journal.h"
#include "book/database/db_reader.h"
#include "book/database/user_db_format.h"
#include "book/database/user_index.h"
#include "book/sheet/zeitbuch.h"
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

// Years a page may have: the loader sets a month page up only for these.
constexpr int kFirstYear = 1900;
constexpr int kLastYear = 9999;

// Days of each month nibble 0..15 (0 where the nibble is no month), in a
// common and in a leap year: a line's day must lie within its own month.
// clang-format off
constexpr uint8_t kMonthDays[2][16] = {
    {0, 31, 28, 31, 30, 31, 30, 31, 31, 30, 31, 30, 31, 0, 0, 0},
    {0, 31, 29, 31, 30, 31, 30, 31, 31, 30, 31, 30, 31, 0, 0, 0},
};
// clang-format on
// Runs for every entry, often twice: the short test first, no call.
inline const uint8_t* monthDays(int year) {
    const bool leap = (year & 3) == 0 && (year % 100 != 0 || year % 400 == 0);
    return kMonthDays[leap ? 1 : 0];
}

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
// `maxDay` is 31, or 28 for the quick test that needs no month length.
template <unsigned maxDay>
inline bool lineWordValid(uint64_t w) {
    w ^= 0x0000171717171717ull;
    // Day, hours and minutes in their low seven bits, the month nibble: no
    // byte carries into the next below.
    const uint64_t v = w & 0x00000F7F7F7F7F7Full;
    // Adding 127 - limit sets a byte's high bit exactly when it exceeds its limit:
    // day, hour 23, minute 59, hour 23, minute 59, month 12.
    const uint64_t over = v + (0x0000734468446800ull | (127u - maxDay));
    // Subtracting the floor from the byte with its high bit set clears that
    // bit exactly when the byte is below it: day and month start at 1.
    const uint64_t atLeast = (v | 0x0000808080808080ull) - 0x0000010000000001ull;
    // A day, hour or minute byte of 128 or more is out of range as well.
    const uint64_t bad = ((over | ~atLeast) & 0x0000808080808080ull) | (w & 0x0000008080808080ull);
    return bad == 0;
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

// Bytes behind a line record's start that the fast path may read: the six
// head bytes, the longest text and findKey's overreach.
constexpr size_t kLineScan = 6 + kLineTextMax + 16;

// The line test for a day of 29 to 31, which must lie in its month; out of
// line, so that the common test stays as short as it was.
[[gnu::noinline]] bool lateDayValid(const uint8_t* p, uint64_t w, const uint8_t* days) {
    return lineWordValid<31>(w) && (p[0] ^ kDatabaseKey) <= days[(p[5] ^ kDatabaseKey) & 0x0F];
}

// One clean line record at p of a page whose month lengths are `days`:
// advances p behind it. False, with p kept, when p lies behind `last` (the
// record might not fit) or at anything the exact record-by-record check must
// look at and name, a standby record included: its 99 is no day.
inline bool stepLine(const uint8_t*& p, const uint8_t* last, const uint8_t* days) {
    if (p > last) return false;
    uint64_t w;
    std::memcpy(&w, p, 8);
    const size_t text = findKey(p + 6, kLineTextMax, kDatabaseKey);
    // Days 29 to 31 are rare: only they need their month's length.
    if ((!lineWordValid<28>(w) && !lateDayValid(p, w, days)) || text == kLineTextMax) return false;
    p += 6 + text + 1;
    return true;
}

// Fast path: checks line records straight in the reader's buffer while a
// whole record with the longest text fits, counting `left` down.
void checkBufferedLines(DbReader& d, uint32_t& left, const uint8_t* days) {
    if constexpr (std::endian::native != std::endian::little) return;
    size_t avail = 0;
    const uint8_t* const start = d.peek(avail);
    if (avail < kLineScan) return;
    const uint8_t* p = start;
    const uint8_t* const last = start + (avail - kLineScan);
    uint32_t n = left;  // a local: the loop must not store it every line
    while (n > 0 && stepLine(p, last, days)) --n;
    left = n;
    d.skip(static_cast<size_t>(p - start));
}

// Look-ahead over the line records of several month entries at once. Each
// record's start hangs on the previous record's text, so one entry is a chain
// of dependent loads; the entries of a block are chained by their lengths
// instead, so a few of them can be walked side by side. What is remembered is
// only "`count` clean line records at file position `at` end at `end`"; the
// heads of the entries and every fault stay with the exact check.
class LineLookAhead {
public:
    // Moves the reader behind the `count` records at its position when they
    // are all clean line records. The reader stands behind the head of the
    // entry at `entryStart` with entry length `length` and year `year`.
    bool skipClean(DbReader& d, int64_t entryStart, uint32_t length, uint32_t count, int year) {
        if (known(d, count)) return true;
        walk(d, entryStart, length, count, year);
        return known(d, count);
    }

private:
    static constexpr int kLanes = 4;
    struct Walked {
        int64_t at = -1;
        uint32_t count = 0;
        int64_t end = 0;
    };
    struct Lane {
        const uint8_t* start;
        uint32_t count;
        const uint8_t* days;  // month lengths of the entry's year
        const uint8_t* p;
        uint32_t left;
        bool ok;
    };

    bool known(DbReader& d, uint32_t count) {
        for (const Walked& w : walked_)
            if (w.at == d.position() && w.count == count) {
                d.seek(w.end);
                return true;
            }
        return false;
    }

    // Walks this entry's records and those of the entries behind it whose
    // heads are in the buffer, until the block's last entry.
    void walk(DbReader& d, int64_t entryStart, uint32_t length, uint32_t count, int year) {
        if constexpr (std::endian::native != std::endian::little) return;
        const int64_t at = d.position();
        size_t avail = 0;
        const uint8_t* const base = d.peek(avail);
        if (avail < kLineScan) return;
        const uint8_t* const last = base + (avail - kLineScan);
        std::array<Lane, kLanes> lanes;
        int n = 0;
        lanes[n++] = {base, count, monthDays(year), base, count, true};
        // The next head must lie behind this one's records start and inside the buffer.
        for (int64_t next = entryStart + 9 + int64_t{length}; n < kLanes && length != 0;) {
            if (next < at || next - at > static_cast<int64_t>(avail) - kEntryHead) break;
            const uint8_t* const records = base + (next - at) + kEntryHead;
            const uint8_t* const head = records - kEntryHead;
            length = getU32(head + 5);
            const uint32_t c = getU32(head + 9);
            lanes[n++] = {records, c, monthDays(keyYear(getU32(head))), records, c, true};
            next += 9 + int64_t{length};
        }
        // Side by side while every lane has records left, then each alone.
        uint32_t joint = lanes[0].left;
        for (int i = 1; i < n; ++i) joint = std::min(joint, lanes[i].left);
        for (uint32_t j = 0; j < joint; ++j) {
            bool all = true;
            for (int i = 0; i < n; ++i) {
                if (stepLine(lanes[i].p, last, lanes[i].days)) {
                    --lanes[i].left;
                } else {
                    lanes[i].ok = all = false;
                }
            }
            if (!all) break;
        }
        int k = 0;
        for (int i = 0; i < n; ++i) {
            Lane& l = lanes[i];
            while (l.ok && l.left > 0) {
                if (stepLine(l.p, last, l.days))
                    --l.left;
                else
                    l.ok = false;
            }
            if (l.ok) walked_[k++] = {at + (l.start - base), l.count, at + (l.p - base)};
        }
        for (; k < kLanes; ++k) walked_[k] = {};
    }

    std::array<Walked, kLanes> walked_;
};

// Checks one record at the reader's position. Only the first record of an
// entry may be a standby record; anywhere else its 99 is a line's day.
uint8_t checkRecord(DbReader& d, bool first, const uint8_t* days) {
    const int64_t start = d.position();
    uint8_t r[6];
    if (!d.read(r, 6)) return kFaultRecord;
    for (uint8_t& b : r) b ^= kDatabaseKey;
    if (first && r[0] == kStandbyMarker) {
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
    if (!lineValuesValid(r) || r[0] > days[r[5] & 0x0F]) return kFaultLineValue;
    return d.text(nullptr, kLineTextMax, kDatabaseKey) ? 0 : kFailed;
}

// Entries of the block at p with last-entry offset L; the reader stands
// behind the head.
uint8_t checkEntries(DbReader& d, int64_t p, uint32_t L, std::vector<MonthsOfYear>& months,
                     LineLookAhead& ahead) {
    months.clear();
    for (;;) {
        const int64_t es = d.position();
        uint32_t key = 0, length = 0, count = 0;
        uint8_t month = 0;
        if (!d.u32(key) || !d.u8(month) || month < 1 || month > 12) return kFaultMonth;
        const uint16_t year = static_cast<uint16_t>(key);
        if (year < kFirstYear || year > kLastYear) return kFaultMonth;
        const uint8_t* const days = monthDays(year);
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
        const uint32_t total = count;
        if (count > 0 && ahead.skipClean(d, es, length, count, year)) count = 0;
        while (count > 0) {
            checkBufferedLines(d, count, days);
            if (count == 0) break;
            if (const uint8_t f = checkRecord(d, count == total, days)) return f;
            --count;
        }
        if (length == 0) return 0;
        if (d.position() != es + 9 + int64_t{length}) return kFaultEntryEnd;
    }
}

// The index records in file order, read as the sign-in reads them.
struct IndexWalk {
    std::vector<IndexSatz> records;  // every record whose head could be read
    bool complete = true;            // each of them read whole, up to the end mark
};

// An index shorter than its end mark holds no users. More records than
// `maxRecords` cannot all have a block: code 22 before they fill memory.
uint8_t walkIndex(DbReader& in, int64_t maxRecords, IndexWalk& w) {
    if (in.length() < 4) return 0;
    for (int64_t pos = 0;;) {
        IndexSatz rec;
        const IndexStep step = readIndexHead(in, pos, rec);
        if (step == IndexStep::End) return 0;
        if (step == IndexStep::Error) {
            w.complete = false;
            return 0;
        }
        if (static_cast<int64_t>(w.records.size()) >= maxRecords) return kFaultMoreRecords;
        w.records.push_back(rec);
        if (!recordReadable(in, rec)) {
            w.complete = false;
            return 0;
        }
        pos += rec.laenge;
    }
}

// The record starting at `start`, or null (records are in file order).
const IndexSatz* recordAt(const std::vector<IndexSatz>& records, int64_t start) {
    auto it = std::lower_bound(records.begin(), records.end(), start,
                               [](const IndexSatz& r, int64_t s) { return r.start < s; });
    return it != records.end() && it->start == start ? &*it : nullptr;
}

// Walks the block file; counts the blocks and checks each against its record:
// the head names the record's start + 4 and the record names the block. A
// head that names no record start but finds its own offset there anyway sets
// `unlinked`, which the record count may explain better than code 2.
uint8_t checkBlocks(DbReader& d, DbReader& index, const IndexWalk& walk, int64_t& blocks,
                    bool& unlinked) {
    std::vector<MonthsOfYear> months;
    LineLookAhead ahead;
    const int64_t len = d.length();
    for (int64_t p = 0;;) {
        if (len - p < kBlockHead) return kFaultBlockHead;
        d.seek(p);
        uint32_t ip = 0, bl = 0, L = 0, back = 0;
        if (!d.u32(ip) || !d.u32(bl)) return kFaultBlockHead;
        ++blocks;
        if (const IndexSatz* r = recordAt(walk.records, int64_t{ip} - 4)) {
            if (r->block != p) return kFaultBackPointer;
        } else {
            index.seek(ip);
            if (!index.u32(back) || back != p) return kFaultBackPointer;
            unlinked = true;
        }
        if (!d.u32(L)) return kFaultBlockHead;
        if (L == 0) {
            if (bl == 0 && d.position() != len) return kFaultEmptyLastBlock;
        } else if (const uint8_t f = checkEntries(d, p, L, months, ahead)) {
            return f;
        }
        if (bl == 0) return d.position() == len ? 0 : kFaultFileEnd;
        if (d.position() != p + bl) return kFaultBlockEnd;
        p = d.position();
    }
}

// Each index record uses up one counted block. Blocks and records that
// passed point at each other one to one, so equal counts pair them all.
uint8_t checkRecords(const IndexWalk& walk, int64_t blocks, bool unlinked) {
    const int64_t n = static_cast<int64_t>(walk.records.size());
    if (n > blocks) return kFaultMoreRecords;
    if (!walk.complete) return kFailed;
    if (n < blocks) return kFaultFewerRecords;
    return unlinked ? kFaultBackPointer : 0;
}

}  // namespace

DbCheck checkDatabase(const std::string& dataDir) {
    return checkDatabaseFiles(indexPath(dataDir), blockPath(dataDir));
}

DbCheck checkDatabaseFiles(const std::string& logPath, const std::string& datPath) {
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

    uint8_t code = 0;
    try {
        DbReader index(log);
        IndexWalk walk;
        int64_t blocks = 0;
        bool unlinked = false;
        code = walkIndex(index, datLen / kBlockHead + 1, walk);
        if (code == 0 && datLen > 0) {
            DbReader d(dat);
            code = checkBlocks(d, index, walk, blocks, unlinked);
        }
        if (code == 0) code = checkRecords(walk, blocks, unlinked);
    } catch (const std::bad_alloc&) {
        code = kFaultOther;  // no memory for the record list or a read buffer
    }
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
    // Taking the lock first completes or undoes a change that was cut short.
    DbLock lock(datenOrdner);
    if (!lock.held()) return false;
    DbCheck r = checkDatabase(datenOrdner);
    // An index without its end mark is empty for the format, but no program
    // leaves one where users were: a database cut to nothing, while the
    // safety copies still hold the users, is damage the restore mends.
    // (A first user's addition that was undone leaves one too, with no such
    // copies.)
    platform::File index;
    if (r.ok && index.open(indexPath(datenOrdner), platform::OpenMode::ReadOnly) &&
        index.length() < 4 && safetyCopiesHoldUsers(datenOrdner))
        r = {false, kFaultOther};
    if (r.code != 0) datenbankFehler = r.code;
    return r.ok;
}

}  // namespace book
