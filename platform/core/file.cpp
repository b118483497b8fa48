#include "platform/core/file.h"

#include <dirent.h>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cctype>
#include <cerrno>
#include <cstdio>
#include <utility>

#include "platform/core/path.h"

namespace platform {
namespace {

int gLastError = 0;
int gFailAt = 0;     // write-like call that fails, counted from the injection
int gCallsSinceInject = 0;
int gWriteCalls = 0;
bool gSyncToDisk = true;
int gSyncCalls = 0;
int gCrashAfter = 0;  // calls left before the simulated power cut; 0 = off
bool gCrashed = false;
std::vector<FileEvent>* gEvents = nullptr;
int gRefuseLocks = 0;
std::string gReadOnlyFolder;  // system path
bool gReadOnlyEntriesOnly = false;

// True, with errno set, when the test hook's read-only folder refuses a call
// on `path` that writes (`entry`: makes, renames or removes a name).
bool readOnlyRefusal(const std::string& path, bool entry = true) {
    if (gReadOnlyFolder.empty() || folderOf(osPath(path)) != gReadOnlyFolder) return false;
    if (gReadOnlyEntriesOnly && !entry) return false;
    errno = gReadOnlyEntriesOnly ? EACCES : EROFS;
    return true;
}
// The same for an open with `flags`: one that writes, and in a folder
// without write permission only one that makes the file. Asks the disk
// only while the hook is on.
bool readOnlyRefusesOpen(const std::string& path, int flags) {
    if (gReadOnlyFolder.empty() || (flags & (O_WRONLY | O_RDWR)) == 0) return false;
    return readOnlyRefusal(path,
                           (flags & O_CREAT) != 0 && ((flags & O_EXCL) != 0 || !fileExists(path)));
}
std::string gRefusedName;  // File::open of this file name fails
int gRefusedError = 0;
bool gRefusedWritingOnly = false;

void note(FileEvent e) {
    if (gEvents) gEvents->push_back(std::move(e));
}

// Counts a write-like call; true when the test hook says it must fail.
bool injectedFailure() {
    ++gWriteCalls;
    if (gCrashed) {
        errno = EIO;
        return true;
    }
    if (gCrashAfter > 0 && --gCrashAfter == 0) gCrashed = true;
    if (gFailAt <= 0) return false;
    if (++gCallsSinceInject == gFailAt) {
        gFailAt = 0;
        errno = ENOSPC;
        return true;
    }
    return false;
}

// The test hook refuses opening `path` with `flags`.
bool refusedByTestHook(const std::string& path, int flags) {
    const size_t n = gRefusedName.size();
    if (n == 0 || path.size() < n || path.compare(path.size() - n, n, gRefusedName) != 0)
        return false;
    if (path.size() > n && path[path.size() - n - 1] != '/' && path[path.size() - n - 1] != '\\')
        return false;  // only the whole name
    return !gRefusedWritingOnly || (flags & (O_WRONLY | O_RDWR)) != 0;
}

bool record(bool ok) {
    if (!ok) gLastError = errno;
    return ok;
}

bool matches(const char* pattern, const char* name) {
    if (*pattern == '\0') return *name == '\0';
    if (*pattern == '*') {
        for (const char* n = name;; ++n) {
            if (matches(pattern + 1, n)) return true;
            if (*n == '\0') return false;
        }
    }
    if (*name == '\0') return false;
    if (*pattern != '?' && std::tolower(static_cast<unsigned char>(*pattern)) !=
                               std::tolower(static_cast<unsigned char>(*name)))
        return false;
    return matches(pattern + 1, name + 1);
}

}  // namespace

File::~File() {
    if (fd_ >= 0) ::close(fd_);
}

File::File(File&& other) noexcept
    : fd_(std::exchange(other.fd_, -1)),
      error_(other.error_),
      path_(std::move(other.path_)),
      written_(other.written_) {}

File& File::operator=(File&& other) noexcept {
    if (this != &other) {
        if (fd_ >= 0) ::close(fd_);
        fd_ = std::exchange(other.fd_, -1);
        error_ = other.error_;
        path_ = std::move(other.path_);
        written_ = other.written_;
    }
    return *this;
}

bool File::fail() {
    error_ = errno;
    gLastError = error_;
    return false;
}

bool File::open(const std::string& path, OpenMode mode) {
    if (fd_ >= 0) ::close(fd_);
    int flags = O_CLOEXEC;
    switch (mode) {
        case OpenMode::ReadOnly: flags |= O_RDONLY; break;
        case OpenMode::ReadWrite: flags |= O_RDWR; break;
        case OpenMode::CreateWrite: flags |= O_WRONLY | O_CREAT | O_TRUNC; break;
        case OpenMode::CreateNew: flags |= O_RDWR | O_CREAT | O_EXCL | O_NOFOLLOW; break;
        case OpenMode::ReadNoFollow: flags |= O_RDONLY | O_NOFOLLOW | O_NONBLOCK; break;
    }
    if (readOnlyRefusesOpen(path, flags)) return fail();
    if (refusedByTestHook(path, flags)) {
        errno = gRefusedError;
        return fail();
    }
    // 0666: new files follow the umask, so a shared group folder works.
    fd_ = ::open(osPath(path).c_str(), flags, 0666);
    if (fd_ < 0) return fail();
    struct stat st {};
    if (::fstat(fd_, &st) == 0 && S_ISDIR(st.st_mode)) {
        ::close(fd_);
        fd_ = -1;
        errno = EISDIR;
        return fail();
    }
    error_ = 0;
    path_ = path;
    written_ = false;
    if (mode == OpenMode::CreateWrite || mode == OpenMode::CreateNew)
        note({FileEvent::Create, path, {}, 0, {}});
    return true;
}

int64_t File::read(void* buffer, int64_t size) {
    if (fd_ < 0 || size < 0) {
        errno = EBADF;
        fail();
        return -1;
    }
    int64_t done = 0;
    auto* out = static_cast<char*>(buffer);
    while (done < size) {
        const ssize_t n = ::read(fd_, out + done, static_cast<size_t>(size - done));
        if (n < 0) {
            if (errno == EINTR) continue;
            fail();
            return -1;
        }
        if (n == 0) break;
        done += n;
    }
    return done;
}

bool File::readExact(void* buffer, int64_t size) {
    return read(buffer, size) == size;
}

bool File::write(const void* buffer, int64_t size) {
    if (fd_ < 0 || size < 0) {
        errno = EBADF;
        return fail();
    }
    if (injectedFailure()) return fail();
    written_ = true;
    if (gEvents)
        note({FileEvent::Write,
              path_,
              {},
              position(),
              std::string(static_cast<const char*>(buffer), static_cast<size_t>(size))});
    int64_t done = 0;
    const auto* in = static_cast<const char*>(buffer);
    while (done < size) {
        const ssize_t n = ::write(fd_, in + done, static_cast<size_t>(size - done));
        if (n < 0) {
            if (errno == EINTR) continue;
            return fail();
        }
        done += n;
    }
    return true;
}

bool File::seek(int64_t position) {
    if (fd_ < 0 || position < 0) {
        errno = fd_ < 0 ? EBADF : EINVAL;
        return fail();
    }
    if (::lseek(fd_, static_cast<off_t>(position), SEEK_SET) < 0) return fail();
    return true;
}

int64_t File::position() const {
    if (fd_ < 0) return -1;
    return ::lseek(fd_, 0, SEEK_CUR);
}

int64_t File::length() const {
    struct stat st {};
    if (fd_ < 0 || ::fstat(fd_, &st) != 0) return -1;
    return st.st_size;
}

bool File::truncate(int64_t length) {
    if (fd_ < 0 || length < 0) {
        errno = fd_ < 0 ? EBADF : EINVAL;
        return fail();
    }
    if (injectedFailure()) return fail();
    written_ = true;
    if (::ftruncate(fd_, static_cast<off_t>(length)) != 0) return fail();
    note({FileEvent::Truncate, path_, {}, length, {}});
    return true;
}

bool File::sync() {
    if (fd_ < 0) {
        errno = EBADF;
        return fail();
    }
    if (injectedFailure()) return fail();
    ++gSyncCalls;
    note({FileEvent::Sync, path_, {}, 0, {}});
    if (!gSyncToDisk) return true;
    while (::fsync(fd_) != 0)
        if (errno != EINTR) return fail();
    return true;
}

void File::startWriteback(int64_t offset, int64_t length) {
#ifdef SYNC_FILE_RANGE_WRITE
    if (fd_ >= 0 && gSyncToDisk && length > 0)
        ::sync_file_range(fd_, static_cast<off_t>(offset), static_cast<off_t>(length),
                          SYNC_FILE_RANGE_WRITE);
#else
    (void)offset;
    (void)length;
#endif
}

bool File::close() {
    if (fd_ < 0) return true;
    const int fd = std::exchange(fd_, -1);
    if (::close(fd) != 0) return fail();
    return true;
}

bool isAccessDenied(int error) {
    return error == EACCES || error == EPERM || error == EROFS;
}

bool isNotFound(int error) { return error == ENOENT; }

bool fileExists(const std::string& path) {
    struct stat st {};
    return ::stat(osPath(path).c_str(), &st) == 0 && S_ISREG(st.st_mode);
}

bool dirExists(const std::string& path) {
    struct stat st {};
    return ::stat(osPath(path).c_str(), &st) == 0 && S_ISDIR(st.st_mode);
}

bool createDir(const std::string& path) {
    if (readOnlyRefusal(path)) return record(false);
    return record(::mkdir(osPath(path).c_str(), 0777) == 0);
}

bool removeDir(const std::string& path) {
    if (readOnlyRefusal(path)) return record(false);
    return record(::rmdir(osPath(path).c_str()) == 0);
}

bool renamePath(const std::string& from, const std::string& to) {
    if (injectedFailure() || readOnlyRefusal(from) || readOnlyRefusal(to)) return record(false);
    if (::rename(osPath(from).c_str(), osPath(to).c_str()) != 0) return record(false);
    note({FileEvent::Rename, from, to, 0, {}});
    return true;
}

bool syncFolder(const std::string& dir) {
    if (injectedFailure()) return record(false);
    ++gSyncCalls;
    note({FileEvent::SyncFolder, dir, {}, 0, {}});
    if (!gSyncToDisk) return true;
    const int fd = ::open(osPath(dir).c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (fd < 0) return record(false);
    int rc;
    while ((rc = ::fsync(fd)) != 0 && errno == EINTR) {
    }
    const int error = errno;
    ::close(fd);
    // EINVAL: a file system that keeps no folder to sync.
    if (rc != 0 && error != EINVAL) {
        errno = error;
        return record(false);
    }
    return true;
}

std::string folderOf(const std::string& path) {
    const size_t slash = path.find_last_of('/');
    if (slash == std::string::npos) return ".";
    return slash == 0 ? "/" : path.substr(0, slash);
}

bool deleteFile(const std::string& path) {
    if (readOnlyRefusal(path)) return record(false);
    return record(::unlink(osPath(path).c_str()) == 0);
}

bool copyFile(const std::string& from, const std::string& to, bool overwrite) {
    if (!overwrite && (fileExists(to) || dirExists(to))) {
        errno = EEXIST;
        return record(false);
    }
    File in;
    if (!in.open(from, OpenMode::ReadOnly)) return false;
    File out;
    if (!out.open(to, OpenMode::CreateWrite)) return false;
    char buf[1 << 16];
    for (;;) {
        const int64_t n = in.read(buf, sizeof buf);
        if (n < 0) return false;
        if (n == 0) break;
        if (!out.write(buf, n)) return false;
    }
    return out.sync() && out.close();
}

std::vector<std::string> findFiles(const std::string& dir, const std::string& pattern) {
    std::vector<std::string> names;
    DIR* d = ::opendir(dir.empty() ? "." : osPath(dir).c_str());
    if (!d) {
        gLastError = errno;
        return names;
    }
    while (const dirent* e = ::readdir(d)) {
        // A name with letters the program cannot keep could not be opened again.
        const std::optional<std::string> stored = fromOsPath(e->d_name);
        if (!stored) continue;
        const std::string& name = *stored;
        if (name == "." || name == "..") continue;
        if (!matches(pattern.c_str(), name.c_str())) continue;
        if (fileExists(dir.empty() ? name : dir + "/" + name)) names.push_back(name);
    }
    ::closedir(d);
    return names;
}

bool readWholeFile(const std::string& path, std::string& bytes) {
    File f;
    if (!f.open(path, OpenMode::ReadOnly)) return false;
    const int64_t len = f.length();
    if (len < 0) return false;
    bytes.assign(static_cast<size_t>(len), '\0');
    const int64_t n = f.read(bytes.data(), len);
    if (n < 0) return false;
    bytes.resize(static_cast<size_t>(n));
    return true;
}

int lastFileError() {
    return gLastError;
}

void injectWriteFailure(int n) {
    gFailAt = n;
    gCallsSinceInject = 0;
}

bool writeCallFails() {
    if (!injectedFailure()) {
        note({FileEvent::Write, {}, {}, 0, {}});
        return false;
    }
    gLastError = errno;
    return true;
}

int writeCallCount() { return gWriteCalls; }

void setSyncToDisk(bool on) {
    gSyncToDisk = on;
}
void resetWriteCallCount() {
    gWriteCalls = 0;
    gSyncCalls = 0;
}
int syncCallCount() {
    return gSyncCalls;
}

int tryRecordLock(int fd, bool exclusive) {
    if (gRefuseLocks != 0) return gRefuseLocks;
    struct flock fl {};
    fl.l_type = exclusive ? F_WRLCK : F_RDLCK;
    fl.l_whence = SEEK_SET;
    return ::fcntl(fd, F_OFD_SETLK, &fl) == 0 ? 0 : errno;
}

void refuseRecordLocks(int error) { gRefuseLocks = error; }

void simulateReadOnlyFolder(const std::string& dir, bool entriesOnly) {
    gReadOnlyEntriesOnly = entriesOnly;
    gReadOnlyFolder = dir.empty() ? std::string() : osPath(dir);
    while (gReadOnlyFolder.size() > 1 && gReadOnlyFolder.back() == '/') gReadOnlyFolder.pop_back();
}

void refuseOpens(const std::string& name, int error, bool forWriting) {
    gRefusedName = name;
    gRefusedError = error;
    gRefusedWritingOnly = forWriting;
}

bool removeFile(const std::string& path) {
    if (injectedFailure() || readOnlyRefusal(path)) return record(false);
    if (::unlink(osPath(path).c_str()) != 0) return record(false);
    note({FileEvent::Remove, path, {}, 0, {}});
    return true;
}

void injectCrashAfter(int n) {
    gCrashAfter = n;
    gCrashed = false;
}

void recordFileEvents(std::vector<FileEvent>* events) {
    gEvents = events;
}

}  // namespace platform
