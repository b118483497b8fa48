#include "book/backup/safety_copies.h"

#include <sys/stat.h>

#include <filesystem>

#include "book/database/db_journal.h"
#include "book/database/user_db_format.h"
#include "platform/core/file.h"
#include "platform/core/path.h"
#include "platform/core/temp_file.h"

namespace book {
namespace {

// A copy of the pair: the file a write to its name lands in (a copy kept as
// a link to a shared place stays one) and the new copy beside that file.
struct Member {
    std::string target, fresh;
};

bool members(const std::string& dir, Member (&out)[2]) {
    const char* const names[2] = {kSafetyCopyDat, kSafetyCopyLog};
    for (int i = 0; i < 2; ++i) {
        std::string real;
        if (!platform::realTargetPath(platform::joinPath(dir, names[i]), real)) return false;
        out[i] = {real, real + kFreshCopySuffix};
    }
    return true;
}

std::filesystem::file_type entryType(const std::string& path) {
    std::error_code ec;
    return std::filesystem::symlink_status(platform::osPath(path), ec).type();
}
bool entryExists(const std::string& path) {
    const auto type = entryType(path);
    return type != std::filesystem::file_type::not_found &&
           type != std::filesystem::file_type::none;
}

// The folders that hold the copies (one, unless a link leads elsewhere).
bool syncFolders(const Member (&m)[2]) {
    const std::string a = platform::folderOf(m[0].target), b = platform::folderOf(m[1].target);
    return platform::syncFolder(a) && (a == b || platform::syncFolder(b));
}

void removeFresh(const Member (&m)[2]) {
    for (const Member& x : m)
        if (entryExists(x.fresh)) platform::removeFile(x.fresh);
}

// A new file only (never through a link planted under the name), with the
// permissions of the copy it replaces; synced.
bool copyFresh(const std::string& from, const Member& m) {
    platform::File in, out;
    if (!in.open(from, platform::OpenMode::ReadOnly) ||
        !out.open(m.fresh, platform::OpenMode::CreateNew))
        return false;
    struct stat st {};
    if (::stat(platform::osPath(m.target).c_str(), &st) == 0 && S_ISREG(st.st_mode))
        (void)::fchmod(out.descriptor(), st.st_mode & 07777);
    return platform::copyContents(in, out) && out.sync() && out.close();
}

}  // namespace

// Order of a replacement and what a cut at each point leaves:
//   1. new copies "<copy>.neu", synced, folder synced   no record: removed
//   2. the empty commit record, folder synced           record: renamed on
//   3. both renames, folders synced                     record: the rest renamed
//   4. the record removed                               nothing left to do
// The record is made only once both new copies are on the disk, and removed
// only once both renames are, so a record found means a complete new pair.
bool finishSafetyCopies(const std::string& dataDir) {
    Member m[2];
    if (!members(dataDir, m)) return false;
    const std::string record = platform::joinPath(dataDir, kSafetyCopyRecord);
    if (!entryExists(record)) {
        // The old pair is whole. A leftover that cannot be removed only stops
        // the next replacement (its new copy is made under that name), never
        // a restore; a removal lost to a power cut is done again.
        removeFresh(m);
        return true;
    }
    for (const Member& x : m)
        if (entryType(x.fresh) == std::filesystem::file_type::regular &&
            !platform::renamePath(x.fresh, x.target))
            return false;
    // A record brought back by a power cut finds nothing left to rename.
    return syncFolders(m) && platform::removeFile(record);
}

bool replaceSafetyCopies(const std::string& dataDir, const std::string& dat,
                         const std::string& log) {
    const DbLock lock(dataDir);
    Member m[2];
    if (!lock.held() || !finishSafetyCopies(dataDir) || !members(dataDir, m)) return false;
    if (!copyFresh(dat, m[0]) || !copyFresh(log, m[1]) || !syncFolders(m)) {
        removeFresh(m);
        return false;
    }
    const std::string record = platform::joinPath(dataDir, kSafetyCopyRecord);
    platform::File r;
    const bool created = r.open(record, platform::OpenMode::CreateNew);
    if (!created || !r.close() || !platform::syncFolder(dataDir)) {
        // Not committed: back to the old pair (a record that cannot be
        // removed commits the new one at the next finish).
        if (!created || platform::removeFile(record)) removeFresh(m);
        return false;
    }
    return finishSafetyCopies(dataDir);
}

bool holdsUsers(const std::string& log, const std::string& dat) {
    platform::File index, blocks;
    uint8_t head[4];
    return index.open(log, platform::OpenMode::ReadOnly) && index.readExact(head, 4) &&
           getU32(head) != 0 && blocks.open(dat, platform::OpenMode::ReadOnly) &&
           blocks.length() >= kBlockHead;
}

}  // namespace book
