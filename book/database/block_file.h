// The block file "Benutzer.dat" (layout in user_db_format.h): its block
// chain and the appending, moving and removing of user blocks. Files are untrusted: every walk is
// bounded by the file or block and strictly advancing; a violation is a format error and nothing is
// written.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "book/database/db_journal.h"
#include "book/database/user_db_format.h"
#include "platform/core/file.h"

namespace book {

enum class DbStatus { Ok, OpenFailed, FormatError, WriteFailed, NoMemory };

struct DbResult {
    DbStatus status = DbStatus::Ok;
    int osError = 0;  // errno of a failed open
    bool ok() const { return status == DbStatus::Ok; }
};

bool readAt(platform::File& f, int64_t pos, void* dst, size_t n);
bool readU32At(platform::File& f, int64_t pos, uint32_t& v);
bool writeAt(platform::File& f, int64_t pos, const void* src, size_t n);
bool writeU32At(platform::File& f, int64_t pos, uint32_t v);
// A written database file is synced before it is closed: a success that is
// reported must survive a power cut.
bool closeSynced(platform::File& f);
// Opens read-write, creating a missing file (permissions follow the umask).
bool openReadWriteCreating(platform::File& f, const std::string& path);

struct BlockKopf {
    uint32_t offset = 0;
    uint32_t indexPosition = 0;  // the record's block-offset field in "Benutzer.log"
    uint32_t laenge = 0;         // as stored; 0 = last block
    uint32_t letzterEintrag = 0;
};

// All heads from offset 0: each whole inside the file, each block at least
// its head, the last one with length 0. False on any violation or a file
// longer than u32 positions reach; an empty file is an empty chain.
bool readBlockChain(platform::File& dat, std::vector<BlockKopf>& chain);
// End of block i of a chain read from a file of `fileLength` bytes.
int64_t blockEnd(const std::vector<BlockKopf>& chain, size_t i, int64_t fileLength);

// `Neuer_Benutzerblock`: appends the head {indexPosition, 0, 0} and makes the
// former last block point to it. `offset` receives the new block's offset.
// Journals the former last block's length and begins the change.
DbResult appendUserBlock(DbChange& change, uint32_t indexPosition, uint32_t& offset);

struct BlockMove {
    DbResult result;
    uint32_t offset = 0;     // the block's new offset (move only)
    bool entryLast = false;  // the entry (year, month) exists and is now the block's last
};
// `Benutzerblock_verschieben`: with remove off moves the block to the end of
// the file and the entry (year, month) to the end of the block; with remove
// on deletes the block. Index positions of the blocks behind it are updated
// in "Benutzer.log". Journals the whole index and the block file from the
// block on (a month save writes only there afterwards), begins the change
// when it writes and moves the rest in pieces: memory holds the block, never the rest.
BlockMove moveUserBlock(DbChange& change, uint32_t block, bool remove, int year, int month);
// The journal regions moveUserBlock needs, for a caller that begins first.
void keepForMove(DbChange& change, const std::vector<BlockKopf>& chain, size_t k);

}  // namespace book
