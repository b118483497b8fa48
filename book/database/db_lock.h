// The lock that lets programs on one data folder take turns at the user
// database: the record lock of "Benutzer.log" or, where the file system
// refuses record locks, the lock file "Benutzer.lck"; why it failed, and the
// hook through which the window shows a wait for it.
#pragma once

#include <functional>
#include <string>

namespace book {

std::string lockFilePath(const std::string& dataDir);

// Held around each load, save, user operation and check; taking it first
// rolls back an unfinished change (or sets aside a journal that fails its
// checks). Nested locks in one program share the outer one. Without an index
// file there is nothing to lock and nothing to recover.
class DbLock {
public:
    explicit DbLock(const std::string& dataDir);
    ~DbLock();
    DbLock(const DbLock&) = delete;
    DbLock& operator=(const DbLock&) = delete;
    // False when another program kept the database too long, no kind of lock
    // can be had, or an unfinished change could not be dealt with. In a
    // read-only folder without record locks it is held without a lock, for
    // reading only (dbLockReadOnly).
    bool held() const { return held_; }

private:
    bool held_ = false;
    bool counted_ = false;
};

// This program holds the lock now (a change and a roll-back need it).
bool dbLockHeld();
// ... but for reading only: the index is write-protected, or the folder is
// read-only and the database is read without a lock. Nothing may change.
bool dbLockReadOnly();

enum class LockFailure {
    None,
    Busy,     // another program kept it for the whole wait
    NoLock,   // record locks refused and the lock file cannot be made
    Journal,  // an unfinished change could neither be undone nor set aside
    Stuck,    // a left-behind lock file (or a folder under its name) cannot be removed
};
// Why the last lock this program asked for was not had.
LockFailure lastLockFailure();
// The line a message about a refused access adds (with its leading line
// break), empty when the last lock was had for changes. Windows-1252.
std::string lockFailureLine();

// Called with true when a wait for the lock has lasted half a second, and
// with false when that wait ends; the window shows the wait meanwhile.
void setLockWaitListener(std::function<void(bool waiting)> listener);
// Test hook: the wait for the lock in milliseconds (15 s); 0 restores it.
void setLockWaitLimit(int milliseconds);

}  // namespace book
