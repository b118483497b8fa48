// Journals written byte by byte from the journal's layout, for the tests
// that plant one beside a database.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "book/database/db_journal.h"
#include "tests/book/database/db_fixture.h"

namespace dbtest {

inline std::string u64(uint64_t v) {
    return u32(static_cast<uint32_t>(v)) + u32(static_cast<uint32_t>(v >> 32));
}
struct Kept {
    uint8_t file;  // 0 "Benutzer.log", 1 "Benutzer.dat"
    uint64_t offset;
    std::string bytes;
    uint64_t length = UINT64_MAX;  // the stated length; the bytes' size when not set
};
// A journal as a change writes it: magic, old lengths, regions, checksum.
inline std::string journal(uint64_t logLength, uint64_t datLength, const std::vector<Kept>& regions) {
    std::string j = "KLBJRNL1" + u64(logLength) + u64(datLength) +
                    u32(static_cast<uint32_t>(regions.size()));
    for (const Kept& r : regions)
        j += std::string(1, static_cast<char>(r.file)) + u64(r.offset) +
             u64(r.length == UINT64_MAX ? r.bytes.size() : r.length) + r.bytes;
    return j + u64(book::journalChecksum(j));
}

}  // namespace dbtest
