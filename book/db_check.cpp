#include "book/db_check.h"

#include <new>
#include <vector>

#include "book/block_file.h"
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
    // Compared unsigned: a byte of 128 or more is no hour or minute either.
    const int month = r[5] & 0x0F;
    if (r[0] < 1 || r[0] > 31 || r[1] > 23 || r[2] > 59 || r[3] > 23 || r[4] > 59 || month < 1 ||
        month > 12)
        return kFaultLineValue;
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
        for (uint32_t i = 0; i < count; ++i)
            if (const uint8_t f = checkRecord(d)) return f;
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
