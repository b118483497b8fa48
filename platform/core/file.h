// Low-level binary file handles and folder operations. Every call reports
// failure; the error number of the last failure is kept for the message texts
// ("access denied" selects other texts than "not found").
// Paths are Windows-1252 like every text of the program; they reach the
// system through osPath (path.h).
#pragma once

#include <cstdint>
#include <string>
#include <vector>

namespace platform {

enum class OpenMode {
    ReadOnly,
    ReadWrite,
    CreateWrite,  // create or truncate, write only
    CreateNew,    // a new file only, read and write; an existing name or a link fails
    ReadNoFollow, // read only; a link fails, and opening never waits (a pipe planted there)
};

class File {
public:
    File() = default;
    ~File();
    File(File&& other) noexcept;
    File& operator=(File&& other) noexcept;
    File(const File&) = delete;
    File& operator=(const File&) = delete;

    bool open(const std::string& path, OpenMode mode);
    bool isOpen() const { return fd_ >= 0; }
    // Bytes read (fewer at the end of the file), or -1 on an error.
    int64_t read(void* buffer, int64_t size);
    // True only when exactly `size` bytes were read.
    bool readExact(void* buffer, int64_t size);
    // True only when all bytes were written.
    bool write(const void* buffer, int64_t size);
    bool write(const std::string& bytes) { return write(bytes.data(), static_cast<int64_t>(bytes.size())); }
    bool seek(int64_t position);
    int64_t position() const;  // -1 on an error
    int64_t length() const;    // -1 on an error
    bool truncate(int64_t length);
    // Waits until the written bytes and the length are on the disk.
    bool sync();
    // Starts writing [offset, offset + length) to the disk without waiting,
    // so that a later sync has less left to wait for. Only a hint: it
    // promises nothing about durability and never fails.
    void startWriteback(int64_t offset, int64_t length);
    bool close();
    int lastError() const { return error_; }
    // The system's handle, for calls this class does not wrap; -1 when closed.
    int descriptor() const { return fd_; }
    // Something was written or truncated since the file was opened.
    bool written() const { return written_; }

private:
    bool fail();
    int fd_ = -1;
    int error_ = 0;
    std::string path_;  // for the test recorder
    bool written_ = false;
};

// The error number (errno) means that access was refused, not that the file is missing.
bool isAccessDenied(int error);
// The error says that the file or a folder on its path does not exist.
bool isNotFound(int error);

bool fileExists(const std::string& path);
bool dirExists(const std::string& path);
bool createDir(const std::string& path);
bool removeDir(const std::string& path);  // empty folders only
bool renamePath(const std::string& from, const std::string& to);
// Makes the folder's entries durable: a file created or renamed in it
// survives a power cut only after this.
bool syncFolder(const std::string& dir);
// The folder that holds `path` ("." for a bare name).
std::string folderOf(const std::string& path);
bool deleteFile(const std::string& path);
// Copies a whole file, synced; with overwrite false an existing target is a failure.
bool copyFile(const std::string& from, const std::string& to, bool overwrite);
// Names (not paths) of the regular files in `dir` that match a pattern of
// literal characters, '*' and '?', compared without regard to ASCII case.
std::vector<std::string> findFiles(const std::string& dir, const std::string& pattern);
// Whole file into a byte string; false when it cannot be read.
bool readWholeFile(const std::string& path, std::string& bytes);
// The error number of the last failed call of the functions above.
int lastFileError();

// Test hook: the n-th write-like call from now on (write, truncate, sync,
// rename, folder sync; a copy counts its writes and its sync; 1 = the next)
// fails with ENOSPC; 0 switches it off.
void injectWriteFailure(int n);
// Counts one write-like call made outside File (a copy inside the kernel);
// true, with errno ENOSPC, when the test hook fails it.
bool writeCallFails();
// Benchmark hook: with false, sync and syncFolder succeed without waiting
// for the disk, to show what the waiting costs. The program never turns it off.
void setSyncToDisk(bool on);
// Counts write-like calls since the last reset (tests use it to find every k).
int writeCallCount();
void resetWriteCallCount();
// Counts sync and syncFolder calls, reset with the write calls.
int syncCallCount();

// Takes the record lock of the whole file behind `fd` (held per open file,
// so the same program opening the file elsewhere keeps it) without waiting:
// 0, or the error number (EAGAIN or EACCES: another program holds it).
int tryRecordLock(int fd, bool exclusive);
// Test hook: every record lock is refused with `error` (ENOLCK: a share
// without lock service); 0 switches it off.
void refuseRecordLocks(int error);

// Test hook, for root as well: the folder `dir` refuses changes as on a
// read-only file system (EROFS: no file in it opens for writing, none is
// made, renamed or removed) or, with `entriesOnly`, as a folder without write
// permission (EACCES: its files can be written, but none made, renamed or
// removed). "" switches it off.
void simulateReadOnlyFolder(const std::string& dir, bool entriesOnly = false);
// Test hook: every File::open of a file named `name` (the last part of its
// path) fails with `error`; with `forWriting` only the modes that write. An
// empty name switches it off. Root opens every file, so tests of refused
// access need this.
void refuseOpens(const std::string& name, int error, bool forWriting);

// deleteFile that the hooks below and above count as a write-like call.
bool removeFile(const std::string& path);

// Test hook: the program dies after the n-th write-like call from now on: that
// call and all before it succeed, every later one fails with EIO until the
// hook is switched off with 0.
void injectCrashAfter(int n);

// Test hook: what the write-like calls did, in order, for replaying the states
// a power cut may leave. Reads are not recorded.
struct FileEvent {
    enum Kind { Create, Write, Truncate, Sync, Rename, Remove, SyncFolder } kind;
    std::string path;    // the file (the folder for SyncFolder); empty: a copy inside the kernel
    std::string to;      // Rename's target
    int64_t offset = 0;  // Write's position, Truncate's length
    std::string bytes;   // Write's bytes
};
// Starts recording into `events` (null stops).
void recordFileEvents(std::vector<FileEvent>* events);

}  // namespace platform
