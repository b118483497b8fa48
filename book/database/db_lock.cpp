#include "book/database/db_lock.h"

#include <fcntl.h>
#include <signal.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <chrono>
#include <cstdio>
#include <optional>
#include <thread>

#include "book/database/db_journal.h"
#include "book/database/user_db_format.h"
#include "platform/core/codepage.h"
#include "platform/core/file.h"
#include "platform/core/message_box.h"
#include "platform/core/path.h"

namespace book {
namespace {

using Clock = std::chrono::steady_clock;

constexpr int kWaitLimitMs = 15000;
constexpr auto kShowWaitAfter = std::chrono::milliseconds(500);
constexpr auto kPoll = std::chrono::milliseconds(10);
// A lock file of another host (or one that cannot be read) counts as left
// behind once it is five minutes old: no operation of the program holds the
// lock for nearly that long, and the clocks of hosts sharing one folder
// rarely differ by that much. A lock file of this host is left behind as
// soon as its process no longer runs.
constexpr int64_t kForeignLockAgeSeconds = 5 * 60;
// Takers of one left-behind lock file, counting the ones that died taking it.
constexpr int kClaims = 8;

int gLockFd = -1;           // the index file holding the record lock
platform::File gLockFile;  // the lock file, when the record lock was refused
std::string gLockFilePath;  // its system path
int gLockDepth = 0;
LockFailure gFailure = LockFailure::None;
int gWaitLimitMs = kWaitLimitMs;

std::function<void(bool)>& listener() {
    static std::function<void(bool)> l;
    return l;
}

// Bounds a wait for the lock and tells the window after half a second.
class Wait {
public:
    Wait() : start_(Clock::now()) {}
    ~Wait() {
        if (told_ && listener()) listener()(false);
    }
    Wait(const Wait&) = delete;
    Wait& operator=(const Wait&) = delete;
    // Sleeps a moment; false when the wait has run out.
    bool pause() {
        const auto waited = Clock::now() - start_;
        if (waited >= std::chrono::milliseconds(gWaitLimitMs)) return false;
        if (!told_ && waited >= kShowWaitAfter && listener()) {
            told_ = true;
            listener()(true);
        }
        std::this_thread::sleep_for(kPoll);
        return true;
    }

private:
    Clock::time_point start_;
    bool told_ = false;
};

bool lockRefused(int error) {
    return error == ENOLCK || error == EINVAL || error == ENOSYS || error == EOPNOTSUPP;
}

// The record lock; ENOLCK stands for every kind of refusal.
LockFailure lockRecords(int fd, bool exclusive, Wait& wait, bool& refused) {
    for (;;) {
        const int error = platform::tryRecordLock(fd, exclusive);
        if (error == 0) return LockFailure::None;
        if (lockRefused(error)) {
            refused = true;
            return LockFailure::NoLock;
        }
        if (error != EAGAIN && error != EACCES && error != EINTR) return LockFailure::NoLock;
        if (!wait.pause()) return LockFailure::Busy;
    }
}

// ---- The lock file: "host\npid\nstart\n", made with O_EXCL ------------------

std::string hostName() {
    char name[256] = {};
    if (::gethostname(name, sizeof name - 1) != 0) return "?";
    return name;
}

std::string ownContent() {
    const auto started = std::chrono::system_clock::now().time_since_epoch();
    return hostName() + "\n" + std::to_string(::getpid()) + "\n" +
           std::to_string(std::chrono::duration_cast<std::chrono::nanoseconds>(started).count()) +
           "\n";
}

// What stands under a lock file's name, to tell it apart from a later one.
struct Holder {
    dev_t dev = 0;
    ino_t ino = 0;
    int64_t mtimeNs = 0;
    std::string content;
    bool operator==(const Holder& o) const {
        return dev == o.dev && ino == o.ino && mtimeNs == o.mtimeNs && content == o.content;
    }
};

// Never follows a link; something that is no regular file is judged by age.
std::optional<Holder> inspect(const std::string& osPath) {
    struct stat st {};
    if (::lstat(osPath.c_str(), &st) != 0) return std::nullopt;
    Holder h;
    h.dev = st.st_dev;
    h.ino = st.st_ino;
    h.mtimeNs = int64_t{st.st_mtim.tv_sec} * 1000000000 + st.st_mtim.tv_nsec;
    if (!S_ISREG(st.st_mode)) return h;
    const int fd = ::open(osPath.c_str(), O_RDONLY | O_NOFOLLOW | O_NONBLOCK | O_CLOEXEC);
    if (fd < 0) return h;
    char buf[300];
    const ssize_t n = ::read(fd, buf, sizeof buf);
    ::close(fd);
    if (n > 0) h.content.assign(buf, static_cast<size_t>(n));
    return h;
}

bool leftBehind(const Holder& h) {
    const size_t a = h.content.find('\n');
    const size_t b = a == std::string::npos ? a : h.content.find('\n', a + 1);
    if (b != std::string::npos && h.content.substr(0, a) == hostName()) {
        const std::string pid = h.content.substr(a + 1, b - a - 1);
        char* end = nullptr;
        const long p = std::strtol(pid.c_str(), &end, 10);
        if (!pid.empty() && *end == '\0' && p > 0 && p <= 0x7FFFFFFF) {
            // This program holds no lock file now, so one in its name is a
            // left-over of an earlier process with the same number.
            if (p == ::getpid()) return true;
            return ::kill(static_cast<pid_t>(p), 0) != 0 && errno == ESRCH;
        }
    }
    const int64_t now = std::chrono::duration_cast<std::chrono::nanoseconds>(
                            std::chrono::system_clock::now().time_since_epoch())
                            .count();
    return now - h.mtimeNs > kForeignLockAgeSeconds * 1000000000;
}

// Removes the left-behind lock file `stale`. Its takers race for claim files
// named after it with O_EXCL: only the one that made the claim removes it,
// after seeing that the name still holds that very file, so no later lock
// file is ever removed and two takers never both go on. A claim whose taker
// died is itself left behind and the next claim number is tried.
void takeOver(const std::string& path, const Holder& stale) {
    char id[64];
    std::snprintf(id, sizeof id, ".%llx-%llx", static_cast<unsigned long long>(stale.ino),
                  static_cast<unsigned long long>(stale.mtimeNs));
    const std::string base = path + id + ".";
    for (int n = 0; n < kClaims; ++n) {
        const std::string claim = base + std::to_string(n);
        const int fd =
            ::open(claim.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_NOFOLLOW | O_CLOEXEC, 0666);
        if (fd >= 0) {
            const std::string own = ownContent();
            const bool written = ::write(fd, own.data(), own.size()) ==
                                 static_cast<ssize_t>(own.size());
            ::close(fd);
            const std::optional<Holder> now = inspect(path);
            if (written && now && *now == stale) ::unlink(path.c_str());
            for (int k = n; k >= 0; --k) ::unlink((base + std::to_string(k)).c_str());
            return;
        }
        if (errno != EEXIST) return;
        const std::optional<Holder> taker = inspect(claim);
        if (!taker || !leftBehind(*taker)) return;  // being taken over now
    }
}

// The lock file is written whole under a name of this process (made with
// O_CREAT | O_EXCL | O_NOFOLLOW), synced, and then linked to its name: the
// link is the one exclusive step, so a lock file is never seen empty, not
// even after its maker died making it. Where a link's answer is lost on the
// way (a network share), the link count tells.
bool makeLockFile(const std::string& dataDir, const std::string& path, bool& taken) {
    const std::string own = lockFilePath(dataDir) + ".neu." + hostName() + "." +
                            std::to_string(::getpid());
    const std::string ownOs = platform::osPath(own);
    ::unlink(ownOs.c_str());  // one this process's number left behind
    taken = false;
    if (!gLockFile.open(own, platform::OpenMode::CreateNew)) return false;
    bool ok = gLockFile.write(ownContent()) && gLockFile.sync();
    if (ok && ::link(ownOs.c_str(), path.c_str()) != 0) {
        struct stat st {};
        taken = errno == EEXIST;
        ok = !taken && ::fstat(gLockFile.descriptor(), &st) == 0 && st.st_nlink == 2;
    }
    ::unlink(ownOs.c_str());
    if (!ok) gLockFile.close();
    return ok;
}

LockFailure lockWithFile(const std::string& dataDir, Wait& wait) {
    const std::string path = platform::osPath(lockFilePath(dataDir));
    for (;;) {
        bool taken = false;
        if (makeLockFile(dataDir, path, taken)) {
            gLockFilePath = path;
            return LockFailure::None;
        }
        if (!taken) return LockFailure::NoLock;
        const std::optional<Holder> holder = inspect(path);
        if (holder && leftBehind(*holder)) {
            takeOver(path, *holder);
            continue;
        }
        if (!wait.pause()) return LockFailure::Busy;
    }
}

// Removes the lock file, unless another program has meanwhile taken it over
// (then the name holds its file, not this one).
void releaseLockFile() {
    if (!gLockFile.isOpen()) return;
    struct stat mine {}, named {};
    if (::fstat(gLockFile.descriptor(), &mine) == 0 &&
        ::lstat(gLockFilePath.c_str(), &named) == 0 && mine.st_dev == named.st_dev &&
        mine.st_ino == named.st_ino)
        ::unlink(gLockFilePath.c_str());
    gLockFile.close();
}

void releaseAll() {
    releaseLockFile();
    if (gLockFd >= 0) ::close(gLockFd);
    gLockFd = -1;
}

}  // namespace

std::string lockFilePath(const std::string& dataDir) {
    return dataDir + "/Benutzer.lck";
}

DbLock::DbLock(const std::string& dataDir) {
    if (gLockDepth > 0) {
        ++gLockDepth;
        held_ = counted_ = true;
        return;
    }
    gFailure = LockFailure::None;
    const std::string path = platform::osPath(indexPath(dataDir));
    bool writable = true;
    int fd = ::open(path.c_str(), O_RDWR | O_CLOEXEC);
    if (fd < 0 && platform::isAccessDenied(errno)) {
        writable = false;
        fd = ::open(path.c_str(), O_RDONLY | O_CLOEXEC);
    }
    if (fd < 0) {
        // No index: no database to guard (the first user creates the index
        // before it locks). The readers find nothing.
        if (errno != ENOENT) return;
        ++gLockDepth;
        held_ = counted_ = true;
        return;
    }
    gLockFd = fd;
    {
        Wait wait;
        bool refused = false;
        gFailure = lockRecords(fd, writable, wait, refused);
        // Where the file system keeps no record locks, the lock file; never
        // without either.
        if (refused) gFailure = lockWithFile(dataDir, wait);
    }
    if (gFailure == LockFailure::None) {
        gLockDepth = 1;  // recovery runs as the holder
        const bool recovered = writable ? recoverJournal(dataDir)
                                        : !platform::fileExists(journalPath(dataDir));
        gLockDepth = 0;
        if (!recovered) gFailure = LockFailure::Journal;
    }
    if (gFailure != LockFailure::None) {
        releaseAll();
        return;
    }
    gLockDepth = 1;
    held_ = counted_ = true;
}

DbLock::~DbLock() {
    if (!counted_ || --gLockDepth > 0) return;
    releaseAll();
    // A box waits for the user: shown after the lock is given back, so that
    // another program is not kept waiting meanwhile.
    const std::string message = takeJournalMessage();
    if (!message.empty()) platform::MessageBox(message, "Achtung Fehler");
}

bool dbLockHeld() {
    return gLockDepth > 0;
}

LockFailure lastLockFailure() {
    return gFailure;
}

std::string lockFailureLine() {
    switch (gFailure) {
        case LockFailure::None:
            return {};
        case LockFailure::Busy:
            return "\nEin anderes Programm verwendet gerade die Benutzerdaten. Bitte sp\xE4ter "
                   "noch einmal versuchen.";
        case LockFailure::NoLock:
            return "\nDer Datenordner l\xE4sst keine Sperre zu (weder eine Dateisperre noch die "
                   "Sperrdatei \"Benutzer.lck\"), deshalb sind keine \xC4nderungen m\xF6glich.";
        case LockFailure::Journal:
            return "\nEine unterbrochene \xC4nderung (\"Benutzer.jnl\") konnte weder "
                   "r\xFC" "ckg\xE4ngig gemacht noch beiseitegelegt werden.";
    }
    return {};
}

void setLockWaitListener(std::function<void(bool)> l) {
    listener() = std::move(l);
}

void setLockWaitLimit(int milliseconds) {
    gWaitLimitMs = milliseconds > 0 ? milliseconds : kWaitLimitMs;
}

}  // namespace book
