#include "book/database/db_lock.h"

#include <fcntl.h>
#include <signal.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <chrono>
#include <cstdio>
#include <cstdlib>
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
// A left-behind lock file that cannot be removed (a folder that lets only its
// owner remove files), or something else under its name (a folder), is tried
// a few times, a quarter of a second apart, in case it was only in another
// taker's hands; then the wait ends and names it.
constexpr int kTakeOverTries = 4;
constexpr auto kTakeOverPause = std::chrono::milliseconds(250);

platform::File gIndex;      // the index file holding the record lock
platform::File gLockFile;   // the lock file, when the record lock was refused
std::string gLockFilePath;  // its system path
int gLockDepth = 0;
LockFailure gFailure = LockFailure::None;
bool gReadOnly = false;  // the lock is had for reading only
bool gUnlocked = false;  // ... and without any lock: the folder is read-only
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
    // Sleeps `pause`; false when the wait has run out.
    bool pause(Clock::duration pause = kPoll) {
        const auto waited = Clock::now() - start_;
        if (waited >= std::chrono::milliseconds(gWaitLimitMs)) return false;
        if (!told_ && waited >= kShowWaitAfter && listener()) {
            told_ = true;
            listener()(true);
        }
        std::this_thread::sleep_for(pause);
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

std::optional<pid_t> parsePid(const std::string& digits) {
    char* end = nullptr;
    const long p = std::strtol(digits.c_str(), &end, 10);
    if (digits.empty() || *end != '\0' || p <= 0 || p > 0x7FFFFFFF) return std::nullopt;
    return static_cast<pid_t>(p);
}

// The process of this host that a lock file or claim ("host\npid\n...") names.
std::optional<pid_t> processHere(const std::string& content) {
    const size_t a = content.find('\n');
    const size_t b = a == std::string::npos ? a : content.find('\n', a + 1);
    if (b == std::string::npos || content.substr(0, a) != hostName()) return std::nullopt;
    return parsePid(content.substr(a + 1, b - a - 1));
}

bool processGone(pid_t p) {
    // This program holds no lock file and makes no claim while it asks, so
    // one in its name is a left-over of an earlier process with the same number.
    if (p == ::getpid()) return true;
    return ::kill(p, 0) != 0 && errno == ESRCH;
}

// What stands under a lock file's name, to tell it apart from a later one.
struct Holder {
    dev_t dev = 0;
    ino_t ino = 0;
    int64_t mtimeNs = 0;
    std::string content;
    bool regular = false;
    bool operator==(const Holder& o) const {
        return dev == o.dev && ino == o.ino && mtimeNs == o.mtimeNs && content == o.content;
    }
};

// Never follows a link.
std::optional<Holder> inspect(const std::string& osPath) {
    struct stat st {};
    if (::lstat(osPath.c_str(), &st) != 0) return std::nullopt;
    Holder h;
    h.dev = st.st_dev;
    h.ino = st.st_ino;
    h.mtimeNs = int64_t{st.st_mtim.tv_sec} * 1000000000 + st.st_mtim.tv_nsec;
    h.regular = S_ISREG(st.st_mode);
    if (!h.regular) return h;
    const int fd = ::open(osPath.c_str(), O_RDONLY | O_NOFOLLOW | O_NONBLOCK | O_CLOEXEC);
    if (fd < 0) return h;
    char buf[300];
    const ssize_t n = ::read(fd, buf, sizeof buf);
    ::close(fd);
    if (n > 0) h.content.assign(buf, static_cast<size_t>(n));
    return h;
}

bool leftBehind(const Holder& h) {
    if (const std::optional<pid_t> p = processHere(h.content)) return processGone(*p);
    const int64_t now = std::chrono::duration_cast<std::chrono::nanoseconds>(
                            std::chrono::system_clock::now().time_since_epoch())
                            .count();
    return now - h.mtimeNs > kForeignLockAgeSeconds * 1000000000;
}

enum class TakeOver {
    Freed,   // the name no longer holds the left-behind file
    InHand,  // another taker is at it
    Stuck,   // it could not be removed (or no claim could be made)
};

// Removes the left-behind lock file `stale`. Its takers race for claim files
// named after it with O_EXCL: only the one that made the claim removes it,
// after seeing that the name still holds that very file, so no later lock
// file is ever removed and two takers never both go on. A claim whose taker
// died is itself left behind and the next claim number is tried.
TakeOver takeOver(const std::string& path, const Holder& stale) {
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
            TakeOver result = written ? TakeOver::Freed : TakeOver::Stuck;
            if (written && now && *now == stale && ::unlink(path.c_str()) != 0 && errno != ENOENT)
                result = TakeOver::Stuck;
            for (int k = n; k >= 0; --k) ::unlink((base + std::to_string(k)).c_str());
            return result;
        }
        if (errno != EEXIST) return TakeOver::Stuck;
        const std::optional<Holder> taker = inspect(claim);
        if (!taker || !leftBehind(*taker)) return TakeOver::InHand;
    }
    return TakeOver::Stuck;
}

// The lock file is written whole under a name of this process (made with
// O_CREAT | O_EXCL | O_NOFOLLOW), synced, and then linked to its name: the
// link is the one exclusive step, so a lock file is never seen empty, not
// even after its maker died making it. Where a link's answer is lost on the
// way (a network share), the link count tells. `readOnly`: the folder let
// this process make no file at all.
bool makeLockFile(const std::string& dataDir, const std::string& path, bool& taken,
                  bool& readOnly) {
    const std::string own = lockFilePath(dataDir) + ".neu." + hostName() + "." +
                            std::to_string(::getpid());
    const std::string ownOs = platform::osPath(own);
    ::unlink(ownOs.c_str());  // one this process's number left behind
    taken = readOnly = false;
    if (!gLockFile.open(own, platform::OpenMode::CreateNew)) {
        readOnly = platform::isAccessDenied(gLockFile.lastError());
        return false;
    }
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

// `unlocked` is set where the folder lets nobody here make a file: nobody
// can change the database through it, so it is read without a lock, though
// never while the lock file of a program that can (another host, another
// user) is there.
LockFailure lockWithFile(const std::string& dataDir, Wait& wait, bool& unlocked) {
    const std::string path = platform::osPath(lockFilePath(dataDir));
    int stuck = 0;
    for (;;) {
        bool taken = false, readOnly = false;
        if (makeLockFile(dataDir, path, taken, readOnly)) {
            gLockFilePath = path;
            return LockFailure::None;
        }
        const std::optional<Holder> holder = inspect(path);
        const bool gone = holder && leftBehind(*holder);
        if (readOnly) {
            if (!holder || !holder->regular || gone) {
                unlocked = true;
                return LockFailure::None;
            }
        } else if (!taken) {
            return LockFailure::NoLock;
        } else if (holder && (gone || !holder->regular)) {
            // No program makes anything but a file under that name.
            const TakeOver t = gone ? takeOver(path, *holder) : TakeOver::Stuck;
            if (t == TakeOver::Stuck && ++stuck == kTakeOverTries) return LockFailure::Stuck;
            const Clock::duration pause = t == TakeOver::Freed   ? Clock::duration::zero()
                                          : t == TakeOver::Stuck ? kTakeOverPause
                                                                 : kPoll;
            if (!wait.pause(pause)) return stuck ? LockFailure::Stuck : LockFailure::Busy;
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

// What processes of this host left behind when they died: lock files not yet
// linked ("Benutzer.lck.neu.<host>.<pid>") and claims on a left-behind lock
// file ("Benutzer.lck.<id>.<n>", naming their taker). Only the holder of the
// lock file removes them: the left-behind file a claim names is gone, so no
// taker can still act on it, and one that still runs keeps its claim.
void removeDeadClaims(const std::string& dataDir) {
    const std::string lck = "Benutzer.lck.";
    const std::string unlinked = lck + "neu.";
    const std::string ours = unlinked + hostName() + ".";
    for (const std::string& name : platform::findFiles(dataDir, lck + "*")) {
        if (name.compare(0, lck.size(), lck) != 0) continue;  // found regardless of case
        const std::string path = platform::osPath(platform::joinPath(dataDir, name));
        std::optional<pid_t> taker;
        if (name.compare(0, ours.size(), ours) == 0) {
            taker = parsePid(name.substr(ours.size()));
        } else if (name.compare(0, unlinked.size(), unlinked) != 0) {
            if (const std::optional<Holder> claim = inspect(path))
                taker = processHere(claim->content);
        }
        if (taker && processGone(*taker)) ::unlink(path.c_str());
    }
}

void releaseAll() {
    releaseLockFile();
    gIndex.close();
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
    gReadOnly = gUnlocked = false;
    const std::string path = indexPath(dataDir);
    platform::File index;
    bool writable = index.open(path, platform::OpenMode::ReadWrite);
    if (!writable && platform::isAccessDenied(index.lastError()))
        index.open(path, platform::OpenMode::ReadOnly);
    if (!index.isOpen()) {
        // No index: no database to guard (the first user creates the index
        // before it locks). The readers find nothing.
        if (!platform::isNotFound(index.lastError())) return;
        ++gLockDepth;
        held_ = counted_ = true;
        return;
    }
    gIndex = std::move(index);
    bool unlocked = false;
    {
        Wait wait;
        bool refused = false;
        gFailure = lockRecords(gIndex.descriptor(), writable, wait, refused);
        // Where the file system keeps no record locks, the lock file; never
        // without either, but in a read-only folder.
        if (refused) gFailure = lockWithFile(dataDir, wait, unlocked);
    }
    if (unlocked) writable = false;
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
    gReadOnly = !writable;
    gUnlocked = unlocked;
    if (gLockFile.isOpen()) removeDeadClaims(dataDir);
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

bool dbLockReadOnly() {
    return gLockDepth > 0 && gReadOnly;
}

LockFailure lastLockFailure() {
    return gFailure;
}

std::string lockFailureLine() {
    switch (gFailure) {
        case LockFailure::None:
            if (!gUnlocked) return {};
            return "\nDer Datenordner ist schreibgesch\xFCtzt: die Benutzerdaten k\xF6nnen "
                   "gelesen, aber nicht ge\xE4ndert werden.";
        case LockFailure::Busy:
            return "\nEin anderes Programm verwendet gerade die Benutzerdaten. Bitte sp\xE4ter "
                   "noch einmal versuchen.";
        case LockFailure::NoLock:
            return "\nDer Datenordner l\xE4sst keine Sperre zu (weder eine Dateisperre noch die "
                   "Sperrdatei \"Benutzer.lck\"), deshalb sind keine \xC4nderungen m\xF6glich.";
        case LockFailure::Journal:
            return "\nEine unterbrochene \xC4nderung (\"Benutzer.jnl\") konnte weder "
                   "r\xFC" "ckg\xE4ngig gemacht noch beiseitegelegt werden.";
        case LockFailure::Stuck:
            return "\nDie Sperrdatei \"Benutzer.lck\" im Datenordner blockiert die Benutzerdaten "
                   "und l\xE4sst sich nicht entfernen. Bitte \"Benutzer.lck\" l\xF6schen und dann "
                   "noch einmal versuchen.";
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
