#include "book/backup/restore.h"

#include <algorithm>

#include "book/backup/safety_copies.h"
#include "book/database/db_check.h"
#include "book/database/db_journal.h"
#include "book/database/user_db_format.h"
#include "platform/core/file.h"
#include "platform/core/path.h"
#include "platform/core/temp_file.h"

namespace book {
namespace {

constexpr int64_t kPiece = int64_t{1} << 20;

// Copies `n` bytes of `in` from `from` into `out` at `to`, a piece at a time.
bool copyRange(platform::File& in, int64_t from, platform::File& out, int64_t to, int64_t n) {
    if (n <= 0) return true;
    if (!in.seek(from) || !out.seek(to)) return false;
    std::string piece(static_cast<size_t>(std::min(n, kPiece)), '\0');
    for (; n > 0;) {
        const int64_t take = std::min(n, static_cast<int64_t>(piece.size()));
        if (!in.readExact(piece.data(), take) || !out.write(piece.data(), take)) return false;
        n -= take;
    }
    return true;
}

}  // namespace

bool restoreWanted(const std::string& dataDir) {
    return !checkDatabase(dataDir).ok ||
           (!holdsUsers(indexPath(dataDir), blockPath(dataDir)) && safetyCopiesHoldUsers(dataDir));
}

// Order of the writes: the block file, the index behind its first record
// length, both synced, then that length. Until it lands the index starts
// with an end mark (or is shorter than one), so the files read as a
// database without users whose blocks no record claims: the check fails,
// or, with no blocks either, the start offers the restore again. Where the
// old files held something they are journaled whole and a cut puts them back.
bool writeSafetyCopiesInPlace(const std::string& dataDir) {
    platform::File copy[2];
    int64_t length[2] = {0, 0};
    const char* const names[2] = {kSafetyCopyLog, kSafetyCopyDat};  // by DbFile
    for (int f = 0; f < 2; ++f) {
        if (!copy[f].open(platform::joinPath(dataDir, names[f]), platform::OpenMode::ReadOnly))
            return false;
        length[f] = copy[f].length();
        if (length[f] < 0 || length[f] > kMaxDbFileLength) return false;
    }
    DbChange change(dataDir);
    if (!change.open(true)) return false;
    platform::File& log = change.log();
    platform::File& dat = change.dat();
    const int64_t oldLog = log.length(), oldDat = dat.length();
    if (oldLog < 0 || oldDat < 0) return false;
    // Two empty files have nothing to keep, and a journal of two empty files
    // is trusted only for files no larger than a first user makes them.
    const bool journaled = oldLog > 0 || oldDat > 0;
    if (journaled) {
        change.keep(kIndexFile, 0, oldLog);
        change.keep(kBlockFile, 0, oldDat);
        if (!change.begin()) return false;  // a begun change is rolled back
    }
    const int64_t head = std::min<int64_t>(length[kIndexFile], 4);
    bool ok = copyRange(copy[kBlockFile], 0, dat, 0, length[kBlockFile]) &&
              dat.truncate(length[kBlockFile]) &&
              copyRange(copy[kIndexFile], head, log, head, length[kIndexFile] - head) &&
              log.truncate(length[kIndexFile]) && dat.sync() && log.sync() &&
              copyRange(copy[kIndexFile], 0, log, 0, head);
    if (journaled) return ok && change.commit();
    ok = ok && log.sync();
    if (!ok) {
        // Back to two empty files, the index first.
        log.truncate(0);
        dat.truncate(0);
        log.sync();
        dat.sync();
    }
    return ok;
}

void removeRestoreTemporaries(const std::string& dataDir) {
    for (const std::string& name : platform::findFiles(dataDir, "*.tmp")) {
        if (!platform::isTempFileName(name)) continue;
        // "<copy>.<random>.tmp": the random part holds no dot.
        const std::string copy = name.substr(0, name.rfind('.', name.size() - 5));
        if (copy == "Benutzer.dat" || copy == "Benutzer.log" || copy == kSafetyCopyDat ||
            copy == kSafetyCopyLog || copy.ends_with("dat.Fehler") || copy.ends_with("log.Fehler"))
            platform::deleteFile(platform::joinPath(dataDir, name));
    }
}

}  // namespace book
