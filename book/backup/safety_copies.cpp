#include "book/backup/safety_copies.h"

#include <sys/stat.h>

#include "book/backup/backup.h"
#include "book/database/db_check.h"
#include "book/database/db_journal.h"
#include "book/database/user_db_format.h"
#include "platform/core/codepage.h"
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

enum class Kind { Missing, File, Link, Other };

// What stands under a name, never following a link.
Kind kindOf(const std::string& path) {
    struct stat st {};
    if (::lstat(platform::osPath(path).c_str(), &st) != 0) return Kind::Missing;
    if (S_ISREG(st.st_mode)) return Kind::File;
    return S_ISLNK(st.st_mode) ? Kind::Link : Kind::Other;
}

// A name as the user finds it: bare in the data folder, else the whole path.
std::string shownName(const std::string& dir, const std::string& path) {
    return platform::folderOf(path) == platform::folderOf(platform::joinPath(dir, "x"))
               ? path.substr(path.rfind('/') + 1)
               : path;
}

// The folders that hold the copies (one, unless a link leads elsewhere).
bool syncFolders(const Member (&m)[2]) {
    const std::string a = platform::folderOf(m[0].target), b = platform::folderOf(m[1].target);
    return platform::syncFolder(a) && (a == b || platform::syncFolder(b));
}

void removeFresh(const Member (&m)[2]) {
    for (const Member& x : m)
        if (kindOf(x.fresh) != Kind::Missing) platform::removeFile(x.fresh);
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

// Renames a waiting copy that must not be used to a name of its own.
bool setAside(const std::string& path, std::string& aside) {
    aside = setAsidePath(path);
    return platform::renamePath(path, aside);
}

// Order of a replacement and what a cut at each point leaves:
//   1. new copies "<copy>.neu", synced, folder synced   no record: removed
//   2. the empty commit record, folder synced           record: renamed on
//   3. both renames, folders synced                     record: the rest renamed
//   4. the record removed                               nothing left to do
// The record is made only once both new copies are on the disk, and removed
// only once both renames are, so a record found means a complete new pair:
// each copy waits under its new name or has been renamed already. A pair
// damaged since (or garbage planted beside a record) fails the check and is
// renamed aside. When one copy had been renamed before, the pair then holds
// that new copy and the other old one; the check at the restore tells.
PairOutcome finish(const std::string& dir, const Member (&m)[2], bool verify) {
    PairOutcome out;
    const std::string record = platform::joinPath(dir, kSafetyCopyRecord);
    Kind r = kindOf(record);
    // The record is made as a new file: anything else there is not one.
    if (r == Kind::Link) {
        platform::removeFile(record);
        r = Kind::Missing;
    } else if (r == Kind::Other) {
        out.blocked.push_back(kSafetyCopyRecord);
        r = Kind::Missing;
    }
    if (r == Kind::Missing) {
        // The old pair is whole. A leftover that cannot be removed only stops
        // the next replacement, never a restore; a removal lost to a power
        // cut is done again.
        for (const Member& x : m) {
            const Kind k = kindOf(x.fresh);
            if (k == Kind::File || k == Kind::Link)
                platform::removeFile(x.fresh);
            else if (k == Kind::Other)
                out.blocked.push_back(shownName(dir, x.fresh));
        }
        return out;
    }
    std::string pair[2];
    Kind fresh[2];
    bool valid = true;
    for (int i = 0; i < 2; ++i) {
        fresh[i] = kindOf(m[i].fresh);
        switch (fresh[i]) {
            case Kind::File:
                pair[i] = m[i].fresh;
                break;
            case Kind::Missing:
                pair[i] = m[i].target;
                valid = valid && kindOf(m[i].target) == Kind::File;
                break;
            default:
                valid = false;
        }
    }
    if (fresh[0] == Kind::File || fresh[1] == Kind::File || !valid) {
        if (valid && verify) valid = checkDatabaseFiles(pair[1], pair[0]).ok;
        for (int i = 0; i < 2; ++i) {
            const Kind k = fresh[i];
            if (valid) {
                if (k == Kind::File && !platform::renamePath(m[i].fresh, m[i].target)) {
                    out.ok = false;
                    return out;
                }
            } else if (k == Kind::File) {
                std::string aside;
                if (!setAside(m[i].fresh, aside)) {
                    out.ok = false;
                    return out;
                }
                out.setAside.push_back(shownName(dir, aside));
            } else if (k == Kind::Link) {
                platform::removeFile(m[i].fresh);
            } else if (k == Kind::Other) {
                out.blocked.push_back(shownName(dir, m[i].fresh));
            }
        }
    }
    // A record brought back by a power cut finds nothing left to rename.
    out.ok = syncFolders(m) && platform::removeFile(record);
    return out;
}

}  // namespace

PairOutcome finishSafetyCopies(const std::string& dataDir) {
    Member m[2];
    if (!members(dataDir, m)) return {false, {}, {}};
    return finish(dataDir, m, true);
}

PairOutcome replaceSafetyCopies(const std::string& dataDir, const std::string& dat,
                                const std::string& log) {
    const DbLock lock(dataDir);
    Member m[2];
    if (!lock.held() || !members(dataDir, m)) return {false, {}, {}};
    PairOutcome out = finish(dataDir, m, true);
    if (!out.ok) return out;
    // A folder under a name the replacement makes or renames over would stop
    // it half way, after the record: it is named now, before anything is made.
    for (const Member& x : m)
        if (kindOf(x.target) == Kind::Other) out.blocked.push_back(shownName(dataDir, x.target));
    if (!out.blocked.empty()) {
        out.ok = false;
        return out;
    }
    out.ok = false;
    if (!copyFresh(dat, m[0]) || !copyFresh(log, m[1]) || !syncFolders(m)) {
        removeFresh(m);
        return out;
    }
    const std::string record = platform::joinPath(dataDir, kSafetyCopyRecord);
    platform::File r;
    const bool created = r.open(record, platform::OpenMode::CreateNew);
    if (!created || !r.close() || !platform::syncFolder(dataDir)) {
        // Not committed: back to the old pair (a record that cannot be
        // removed commits the new one at the next finish).
        if (!created || platform::removeFile(record)) removeFresh(m);
        return out;
    }
    // Copied just now from a database checked at this start: no check again.
    out.ok = finish(dataDir, m, false).ok;
    return out;
}

bool safetyCopiesReadable(const std::string& dataDir, std::vector<std::string>& blocked) {
    Member m[2];
    if (!members(dataDir, m)) return false;
    bool ok = true;
    for (const Member& x : m) {
        const Kind k = kindOf(x.target);
        if (k == Kind::Other) blocked.push_back(shownName(dataDir, x.target));
        ok = ok && k == Kind::File;
    }
    return ok;
}

std::string blockedNamesLines(const std::vector<std::string>& blocked) {
    std::string lines;
    for (const std::string& name : blocked)
        lines += "\nUnter dem Namen \"" + name +
                 "\" steht keine Datei, sondern etwa ein Ordner. Bitte entfernen oder "
                 "umbenennen.";
    return lines;
}

std::string setAsideMessage(const PairOutcome& outcome) {
    if (outcome.setAside.empty()) return {};
    std::string names;
    for (const std::string& name : outcome.setAside)
        names += (names.empty() ? "\"" : "\" und \"") + name;
    return platform::cp1252(
               "Eine unterbrochene Erneuerung der Sicherungskopie hat die Datenbankprüfung nicht "
               "bestanden und wurde nicht übernommen; die bisherige Sicherungskopie bleibt.\n") +
           (outcome.setAside.size() == 1 ? "Die neue Datei wurde umbenannt in "
                                         : "Die neuen Dateien wurden umbenannt in ") +
           names + "\".";
}

bool holdsUsers(const std::string& log, const std::string& dat) {
    platform::File index, blocks;
    uint8_t head[4];
    return index.open(log, platform::OpenMode::ReadOnly) && index.readExact(head, 4) &&
           getU32(head) != 0 && blocks.open(dat, platform::OpenMode::ReadOnly) &&
           blocks.length() >= kBlockHead;
}

bool safetyCopiesHoldUsers(const std::string& dataDir) {
    return holdsUsers(platform::joinPath(dataDir, kSafetyCopyLog),
                      platform::joinPath(dataDir, kSafetyCopyDat));
}

}  // namespace book
