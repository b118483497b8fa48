// One change of the user database as one step: the rollback journal
// "Benutzer.jnl" beside "Benutzer.log" and "Benutzer.dat".
//
// A change keeps (journals) every region of either file that it will
// overwrite, writes the journal without its magic and syncs it and the
// folder, then writes the magic and syncs again, all before its first write
// to the files; it writes in place, syncs both files, then overwrites the
// magic and syncs (the commit point) and removes the journal.
// A journal without its magic was never complete, or was committed: the
// files hold the old or the new state whole, and it is dropped. A journal
// with its magic means the change did not commit: after its checks against
// the files pass, its bytes and lengths are put back. One that fails them
// (its checksum, a length or region the files cannot have) was damaged
// after it was written: it is never applied but set aside with a message.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "book/database/db_lock.h"
#include "platform/core/file.h"

namespace book {

std::string journalPath(const std::string& dataDir);

enum DbFile : uint8_t { kIndexFile = 0, kBlockFile = 1 };

// Rolls back a complete journal, drops one without its magic and sets one
// that fails its checks aside; removes what killed restores left behind.
// Only the lock's holder does it. False when a journal is there and cannot
// be dealt with (the files may be half changed).
bool recoverJournal(const std::string& dataDir);
// The message about a journal set aside since the last call, or "".
std::string takeJournalMessage();
// The checksum that ends a journal, of all its bytes before it.
uint64_t journalChecksum(const std::string& bytes);

// Both database files, opened read-write, for one change.
class DbChange {
public:
    explicit DbChange(std::string dataDir) : dir_(std::move(dataDir)) {}
    ~DbChange();
    DbChange(const DbChange&) = delete;
    DbChange& operator=(const DbChange&) = delete;

    // Opens both files read-write; with `create` a missing file is made.
    bool open(bool create);
    int openError() const { return openError_; }
    platform::File& log() { return files_[kIndexFile]; }
    platform::File& dat() { return files_[kBlockFile]; }

    // Before begin(): the original bytes of [offset, offset + length) will be
    // journaled (clamped to the file). After begin(): true only when the
    // region is already covered.
    bool keep(DbFile file, int64_t offset, int64_t length);
    // Writes the journal and syncs it and the folder. Idempotent.
    bool begin();
    bool begun() const { return begun_; }
    // Syncs both files and ends the journal: the new state holds. False (and
    // rolled back) when the commit point was not reached.
    bool commit();
    // Puts the kept bytes and the lengths back now (after a failed write);
    // what cannot be put back stays in the journal for the next open.
    void rollback();

private:
    struct Region {
        DbFile file;
        int64_t offset, length;
    };
    std::string dir_;
    platform::File files_[2];
    int64_t lengths_[2] = {0, 0};
    std::vector<Region> regions_;
    bool begun_ = false;
    bool done_ = false;
    bool invalidating_ = false;
    int openError_ = 0;
};

}  // namespace book
