// One change of the user database as one step: the rollback journal
// "Benutzer.jnl" beside "Benutzer.log" and "Benutzer.dat", and the lock that
// lets two programs on one folder take turns.
//
// A change keeps (journals) every region of either file that it will
// overwrite, writes and syncs the journal and the folder before its first
// write to the files, writes in place, syncs both files, then overwrites the
// journal's magic and syncs it (the commit point) and removes the journal.
// A valid journal found at the next open means the change did not commit:
// its bytes and lengths are put back. A journal that is cut short or damaged
// fails its checksum; it was never complete, so it was never synced and the
// files were not yet touched. It is dropped, as is a committed one.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "platform/core/file.h"

namespace book {

std::string journalPath(const std::string& dataDir);

enum DbFile : uint8_t { kIndexFile = 0, kBlockFile = 1 };

// Rolls back a complete journal, drops a broken one. False when a journal is
// there and cannot be dealt with (the files may then be half changed).
bool recoverJournal(const std::string& dataDir);

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

// The advisory lock on "Benutzer.log" around each load, save and user
// operation; taking it first rolls back an unfinished change. Nested locks in
// one program share the outer one. Without an index file there is nothing to
// lock and nothing to recover.
class DbLock {
public:
    explicit DbLock(const std::string& dataDir);
    ~DbLock();
    DbLock(const DbLock&) = delete;
    DbLock& operator=(const DbLock&) = delete;
    // False when another program kept the database too long or an
    // unfinished change could not be undone.
    bool held() const { return held_; }

private:
    bool held_ = false;
    bool counted_ = false;
};

}  // namespace book
