#include "book/database/db_journal.h"

#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <memory>
#include <new>
#include <utility>

#include "book/backup/backup.h"
#include "book/backup/restore.h"
#include "book/database/block_file.h"
#include "book/database/user_db_format.h"
#include "platform/core/codepage.h"
#include "platform/core/path.h"

namespace book {
namespace {

// "Benutzer.jnl", all integers little-endian:
//
// | offset | size | meaning                                              |
// |--------|------|------------------------------------------------------|
// | 0      | 8    | magic "KLBJRNL1"; 8 zero bytes once committed        |
// | 8      | 8    | u64 length of "Benutzer.log" before the change       |
// | 16     | 8    | u64 length of "Benutzer.dat" before the change       |
// | 24     | 4    | u32 number n of regions                              |
// | 28     | ..   | n regions, each:                                     |
// |        | 1    |   u8 file: 0 = "Benutzer.log", 1 = "Benutzer.dat"    |
// |        | 8    |   u64 offset in that file                            |
// |        | 8    |   u64 length m, offset + m within the length above   |
// |        | m    |   the original bytes                                 |
// | end-8  | 8    | u64 checksum (class Checksum) of every byte before it |
//
// The magic is written last, after everything else is on the disk: a journal
// without it was cut short while it was written (or committed). One with it
// is valid only when it parses to exactly its length, the checksum (over
// the bytes with the magic) matches and its figures fit the files.
constexpr char kMagic[8] = {'K', 'L', 'B', 'J', 'R', 'N', 'L', '1'};
constexpr int64_t kHeader = 28, kRegionHead = 17;
constexpr size_t kChunk = 1 << 20;

// A 64-bit checksum that keeps up with the disk: four lanes of 8-byte words,
// each multiplied and folded; the same value however the bytes are split.
class Checksum {
public:
    void add(const void* data, size_t n) {
        const auto* b = static_cast<const uint8_t*>(data);
        total_ += n;
        while (n > 0 && (pending_ > 0 || n < 32)) {
            buf_[pending_++] = *b++;
            --n;
            if (pending_ == 32) {
                block(buf_);
                pending_ = 0;
            }
        }
        for (; n >= 32; n -= 32, b += 32) block(b);
        while (n-- > 0) buf_[pending_++] = *b++;
    }
    uint64_t value() const {
        uint64_t h = total_;
        for (uint64_t l : lane_) h = mix(h ^ l);
        for (size_t i = 0; i < pending_; ++i) h = mix(h ^ buf_[i]);
        return h;
    }

private:
    static constexpr uint64_t kPrime = 0x9E3779B97F4A7C15ULL;
    static uint64_t mix(uint64_t x) {
        x *= kPrime;
        return x ^ (x >> 29);
    }
    void block(const uint8_t* b) {
        for (int i = 0; i < 4; ++i) {
            uint64_t w;
            std::memcpy(&w, b + 8 * i, 8);
            lane_[i] = mix(lane_[i] ^ w);
        }
    }
    uint64_t lane_[4] = {1, 2, 3, 4};
    uint8_t buf_[32] = {};
    size_t pending_ = 0;
    uint64_t total_ = 0;
};

void putU64(uint8_t* p, uint64_t v) {
    for (int i = 0; i < 8; ++i) p[i] = static_cast<uint8_t>(v >> (8 * i));
}
uint64_t getU64(const uint8_t* p) {
    uint64_t v = 0;
    for (int i = 7; i >= 0; --i) v = v << 8 | p[i];
    return v;
}

std::string filePath(const std::string& dir, int file) {
    return file == kIndexFile ? indexPath(dir) : blockPath(dir);
}

// Journal writer with a running checksum, in pieces through the page cache:
// each piece is handed to the disk as soon as it is complete, so the sync
// that follows waits only for the last one, and the disk writes while the
// next piece is read.
class Writer {
public:
    explicit Writer(platform::File& f) : f_(f), buf_(new (std::nothrow) uint8_t[kChunk]) {}
    Writer(const Writer&) = delete;
    Writer& operator=(const Writer&) = delete;
    bool ok() const { return buf_ != nullptr; }

    bool put(const void* p, size_t n) {
        const auto* b = static_cast<const uint8_t*>(p);
        sum_.add(b, n);
        while (n > 0) {
            const size_t take = std::min(n, kChunk - used_);
            std::memcpy(buf_.get() + used_, b, take);
            used_ += take;
            b += take;
            n -= take;
            if (used_ == kChunk && !flush(kChunk)) return false;
        }
        return true;
    }
    // `n` bytes of `src` from its position, read straight into the buffer.
    bool putFrom(platform::File& src, int64_t n) {
        while (n > 0) {
            const size_t take = std::min(static_cast<size_t>(n), kChunk - used_);
            if (!src.readExact(buf_.get() + used_, static_cast<int64_t>(take))) return false;
            sum_.add(buf_.get() + used_, take);
            used_ += take;
            n -= static_cast<int64_t>(take);
            if (used_ == kChunk && !flush(kChunk)) return false;
        }
        return true;
    }
    // Zeros in place of the first `n` bytes put (still in the buffer); the
    // checksum keeps them as they were put.
    void blankStart(size_t n) { std::memset(buf_.get(), 0, std::min(n, used_)); }
    // The checksum and the last piece.
    bool finish() {
        uint8_t tail[8];
        putU64(tail, sum_.value());
        return put(tail, 8) && (used_ == 0 || flush(used_));
    }

private:
    bool flush(size_t n) {
        if (!f_.write(buf_.get(), static_cast<int64_t>(n))) return false;
        f_.startWriteback(written_, static_cast<int64_t>(n));
        written_ += static_cast<int64_t>(n);
        used_ = 0;
        return true;
    }
    platform::File& f_;
    std::unique_ptr<uint8_t[]> buf_;
    size_t used_ = 0;
    int64_t written_ = 0;
    Checksum sum_;
};

struct Parsed {
    uint64_t lengths[2] = {0, 0};
    uint32_t regions = 0;
    struct Region {
        uint64_t offset, end;
    };
    std::vector<Region> kept[2];  // per file, as read (collected when not applying)
};

bool hasMagic(platform::File& j) {
    uint8_t magic[8];
    return j.length() >= kHeader + 8 && j.seek(0) && j.readExact(magic, 8) &&
           std::memcmp(magic, kMagic, 8) == 0;
}

// Walks a journal; with `files` writes each region into them. False when
// the journal is not valid (apply is only used on a journal found valid).
bool walkJournal(platform::File& j, Parsed& out, platform::File* files) {
    const int64_t total = j.length();
    if (total < kHeader + 8 || !j.seek(0)) return false;
    uint8_t head[kHeader];
    if (!j.readExact(head, kHeader) || std::memcmp(head, kMagic, 8) != 0) return false;
    Checksum sum;
    sum.add(head, kHeader);
    out.lengths[0] = getU64(head + 8);
    out.lengths[1] = getU64(head + 16);
    out.regions = getU32(head + 24);
    // No file of the database is longer; the region checks rely on it.
    for (uint64_t l : out.lengths)
        if (l > static_cast<uint64_t>(kMaxDbFileLength)) return false;
    int64_t at = kHeader;
    std::string chunk;
    for (uint32_t r = 0; r < out.regions; ++r) {
        uint8_t rh[kRegionHead];
        if (at + kRegionHead + 8 > total || !j.readExact(rh, kRegionHead)) return false;
        sum.add(rh, kRegionHead);
        const int file = rh[0];
        const uint64_t offset = getU64(rh + 1), length = getU64(rh + 9);
        at += kRegionHead;
        if (file > 1 || offset > out.lengths[file] || length > out.lengths[file] - offset ||
            length > static_cast<uint64_t>(total - 8 - at))
            return false;
        if (!files) out.kept[file].push_back({offset, offset + length});
        for (uint64_t done = 0; done < length;) {
            const int64_t n = static_cast<int64_t>(std::min<uint64_t>(kChunk, length - done));
            chunk.resize(static_cast<size_t>(n));
            if (!j.readExact(chunk.data(), n)) return false;
            sum.add(chunk.data(), chunk.size());
            if (files && (!files[file].seek(static_cast<int64_t>(offset + done)) ||
                          !files[file].write(chunk)))
                return false;
            done += static_cast<uint64_t>(n);
        }
        at += static_cast<int64_t>(length);
    }
    uint8_t tail[8];
    return at + 8 == total && j.readExact(tail, 8) && getU64(tail) == sum.value();
}

// Whether putting the journal back gives the files their old state and no
// more: every byte between a file's length now and its old length comes
// from the journal (none is made up as zeros), and a journal of two empty
// files, which only the first user's addition writes, meets files no larger
// than that addition makes them.
bool fitsFiles(Parsed& p, const int64_t now[2]) {
    if (p.lengths[0] == 0 && p.lengths[1] == 0 &&
        (now[0] > static_cast<int64_t>(kRecordMax) + 4 || now[1] > kBlockHead))
        return false;
    for (int f = 0; f < 2; ++f) {
        std::vector<Parsed::Region>& kept = p.kept[f];
        std::sort(kept.begin(), kept.end(),
                  [](const Parsed::Region& a, const Parsed::Region& b) { return a.offset < b.offset; });
        uint64_t restored = static_cast<uint64_t>(now[f]);  // covered up to here
        for (const Parsed::Region& r : kept)
            if (r.offset <= restored) restored = std::max(restored, r.end);
        if (restored < p.lengths[f]) return false;
    }
    return true;
}

// Removes the journal; the folder sync makes the removal survive a power cut.
bool dropJournal(const std::string& dir) {
    if (!platform::removeFile(journalPath(dir))) return false;
    platform::syncFolder(dir);
    return true;
}

bool gChangeRunning = false;  // recovery must not undo this program's own change
std::string gJournalMessage;

// A journal that must not be applied (or something else under its name)
// is renamed, never removed: it is the only trace of what went wrong.
bool setAside(const std::string& dir) {
    const std::string path = journalPath(dir);
    const std::string aside = setAsidePath(path);
    if (!platform::renamePath(path, aside) || !platform::syncFolder(dir)) return false;
    const std::string name = aside.substr(aside.rfind('/') + 1);
    gJournalMessage = platform::cp1252(
        "Das Änderungsprotokoll \"Benutzer.jnl\" im Datenordner ist fehlerhaft und wurde "
        "nicht angewendet.\nEs wurde umbenannt in \"" + name + "\".\n"
        "Bitte die zuletzt gespeicherten Daten prüfen. Meldet die Datenbankprüfung einen "
        "Fehler, die alte Version der Datenbank wiederherstellen.");
    return true;
}

}  // namespace

std::string journalPath(const std::string& dataDir) {
    return dataDir + "/Benutzer.jnl";
}

std::string takeJournalMessage() {
    return std::exchange(gJournalMessage, std::string());
}

uint64_t journalChecksum(const std::string& bytes) {
    Checksum sum;
    sum.add(bytes.data(), bytes.size());
    return sum.value();
}

bool recoverJournal(const std::string& dataDir) {
    const std::string path = journalPath(dataDir);
    if (gChangeRunning) return true;
    if (dbLockHeld()) removeRestoreTemporaries(dataDir);
    struct stat st {};
    if (::lstat(platform::osPath(path).c_str(), &st) != 0) return errno == ENOENT;
    // Another program's change in progress is its holder's alone.
    if (!dbLockHeld()) return false;
    if (!S_ISREG(st.st_mode)) return setAside(dataDir);
    platform::File j;
    if (!j.open(path, platform::OpenMode::ReadNoFollow))
        return j.lastError() == ELOOP ? setAside(dataDir) : false;
    if (!hasMagic(j)) {
        // Never complete (the files were not touched) or committed: nothing
        // to undo; one that cannot be removed is overwritten by the next change.
        j.close();
        dropJournal(dataDir);
        return true;
    }
    Parsed p;
    platform::File files[2];
    int64_t now[2] = {0, 0};
    for (int f = 0; f < 2; ++f) {
        if (!files[f].open(filePath(dataDir, f), platform::OpenMode::ReadWrite)) {
            // A file gone cannot be put back; one that is only locked away can later.
            if (!platform::isNotFound(files[f].lastError())) return false;
            j.close();
            return setAside(dataDir);
        }
        now[f] = files[f].length();
    }
    if (!walkJournal(j, p, nullptr) || now[0] < 0 || now[1] < 0 || !fitsFiles(p, now)) {
        j.close();
        return setAside(dataDir);
    }
    if (!walkJournal(j, p, files)) return false;
    for (int f = 0; f < 2; ++f)
        if (!files[f].truncate(static_cast<int64_t>(p.lengths[f])) || !files[f].sync() ||
            !files[f].close())
            return false;
    j.close();
    return dropJournal(dataDir);
}

DbChange::~DbChange() {
    if (begun_ && !done_) rollback();
}

bool DbChange::open(bool create) {
    if (dbLockReadOnly()) {
        openError_ = EROFS;  // a write-protected database
        return false;
    }
    for (int f = 0; f < 2; ++f) {
        const std::string path = filePath(dir_, f);
        const bool ok = create ? openReadWriteCreating(files_[f], path)
                               : files_[f].open(path, platform::OpenMode::ReadWrite);
        lengths_[f] = ok ? files_[f].length() : -1;
        if (!ok || lengths_[f] < 0) {
            openError_ = files_[f].lastError();
            return false;
        }
    }
    return true;
}

bool DbChange::keep(DbFile file, int64_t offset, int64_t length) {
    const int64_t from = std::max<int64_t>(offset, 0);
    const int64_t to = std::min(offset + length, lengths_[file]);
    if (to <= from) return true;  // nothing there yet: cut off by the length
    if (!begun_) {
        regions_.push_back({file, from, to - from});
        return true;
    }
    for (const Region& r : regions_)
        if (r.file == file && r.offset <= from && to <= r.offset + r.length) return true;
    return false;
}

bool DbChange::begin() {
    if (begun_) return true;
    if (!dbLockHeld() || dbLockReadOnly()) return false;  // nothing changes unlocked
    // A new file under the name, never through a link planted there; a
    // leftover (not valid, or recovery would have rolled it back) goes first.
    const std::string path = journalPath(dir_);
    platform::File j;
    std::error_code ec;
    if (std::filesystem::exists(std::filesystem::symlink_status(platform::osPath(path), ec)))
        platform::removeFile(path);
    if (!j.open(path, platform::OpenMode::CreateNew)) return false;
    begun_ = true;  // from here a failure is rolled back (a torn journal is dropped)
    gChangeRunning = true;
    Writer w(j);
    if (!w.ok()) return false;
    uint8_t head[kHeader];
    std::memcpy(head, kMagic, 8);
    putU64(head + 8, static_cast<uint64_t>(lengths_[0]));
    putU64(head + 16, static_cast<uint64_t>(lengths_[1]));
    putU32(head + 24, static_cast<uint32_t>(regions_.size()));
    if (!w.put(head, kHeader)) return false;
    w.blankStart(8);  // the magic comes last
    for (const Region& r : regions_) {
        uint8_t rh[kRegionHead];
        rh[0] = r.file;
        putU64(rh + 1, static_cast<uint64_t>(r.offset));
        putU64(rh + 9, static_cast<uint64_t>(r.length));
        if (!w.put(rh, kRegionHead) || !files_[r.file].seek(r.offset) ||
            !w.putFrom(files_[r.file], r.length))
            return false;
    }
    if (!w.finish() || !j.sync() || !platform::syncFolder(dir_)) return false;
    // Only a journal that is whole on the disk gets its magic: a later one
    // with the magic that fails its checks was damaged, not cut short.
    return j.seek(0) && j.write(kMagic, 8) && j.sync() && j.close();
}

// The commit point: the journal's magic is overwritten and synced, so it is
// no longer a journal. The data files were synced before.
bool DbChange::commit() {
    if (!begun_) return true;  // nothing was written
    // A file the change did not write needs no sync.
    bool ok =
        (!files_[0].written() || files_[0].sync()) && (!files_[1].written() || files_[1].sync());
    if (ok) {
        platform::File j;
        invalidating_ = true;
        const uint8_t zero[8] = {};
        ok = j.open(journalPath(dir_), platform::OpenMode::ReadWrite) && j.write(zero, 8) &&
             j.sync() && j.close();
    }
    if (!ok) {
        rollback();
        return false;
    }
    done_ = true;
    gChangeRunning = false;
    files_[0].close();
    files_[1].close();
    // Only tidying: a journal left behind, or brought back by a power cut
    // before the folder held its removal, is not valid and the next open
    // drops it, so the removal needs no folder sync.
    platform::removeFile(journalPath(dir_));
    return true;
}

void DbChange::rollback() {
    done_ = true;
    gChangeRunning = false;
    files_[0].close();
    files_[1].close();
    if (invalidating_) {
        // The commit failed half way: the journal becomes one again. When
        // that fails too, the synced new state stands whole.
        platform::File j;
        if (j.open(journalPath(dir_), platform::OpenMode::ReadWrite)) j.write(kMagic, 8);
    }
    recoverJournal(dir_);
}

}  // namespace book
