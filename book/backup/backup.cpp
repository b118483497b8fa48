#include "book/backup/backup.h"

#include <sys/stat.h>

#include <cstdio>

#include "book/backup/restore.h"
#include "book/database/block_file.h"
#include "book/database/db_journal.h"
#include "book/sheet/zeitbuch.h"
#include "platform/core/codepage.h"
#include "platform/core/file.h"
#include "platform/core/message_box.h"
#include "platform/core/path.h"
#include "platform/core/replace_file.h"
#include "platform/core/temp_file.h"

namespace book {
namespace {

using platform::Answer;
using platform::Buttons;

constexpr const char* kDat = "Benutzer.dat";
constexpr const char* kLog = "Benutzer.log";
constexpr const char* kRestoreCaption = "Achtung Datenbankwiederherstellung";

bool askYes(const std::string& text, const std::string& caption) {
    return platform::MessageBox(text, caption, Buttons::YesNo) == Answer::Yes;
}

// Copies both database files; both are tried even when the first fails, so
// that as much as possible is kept. Under the database lock, so the copies
// never catch another program half way through a change.
bool copyPair(const std::string& dat, const std::string& log, const std::string& toDat,
              const std::string& toLog) {
    const DbLock lock(platform::folderOf(dat));
    if (!lock.held()) return false;
    const bool datOk = platform::copyFileReplacing(dat, toDat);
    const bool logOk = platform::copyFileReplacing(log, toLog);
    return datOk && logOk;
}

// Copies both database files into a generation as one pair: both go to
// new files beside their targets, synced, and are renamed into place only
// when both were copied, so a failed copy leaves the generation's old pair
// whole instead of one new and one old file.
bool copyGeneration(const std::string& dat, const std::string& log, const std::string& toDat,
                    const std::string& toLog) {
    const DbLock lock(platform::folderOf(dat));
    if (!lock.held()) return false;
    const std::string* const from[2] = {&dat, &log};
    const std::string* const to[2] = {&toDat, &toLog};
    platform::File in[2];
    platform::TempFile out[2];  // removed unless renamed
    for (int i = 0; i < 2; ++i)
        if (!in[i].open(*from[i], platform::OpenMode::ReadOnly) || !out[i].create(*to[i]) ||
            !platform::copyContents(in[i], out[i].file()) || !out[i].file().sync())
            return false;
    return out[0].commit() && out[1].commit();
}

void reportCopyFailed(const std::string& lines = {}) {
    platform::MessageBox("Es konnte keine Sicherungscopy von der Datenbank angelegt werden" +
                             lockFailureLine() + lines,
                         "Achtung Fehler");
}

void reportFolderFailed() {
    platform::MessageBox("Verzeichniss konnte nicht angelegt werden", "Fehler");
}

// Renames a generation folder; a missing source or an existing target (a
// leftover of an interrupted run) fails instead of being merged or replaced.
bool moveFolder(const std::string& from, const std::string& to) {
    if (!platform::dirExists(from) || platform::dirExists(to) || platform::fileExists(to))
        return false;
    return platform::renamePath(from, to);
}

// Deletes the files of a surplus generation by full path, then the folder;
// the process's current folder is never changed.
void removeGeneration(const std::string& folder) {
    for (const std::string& name : platform::findFiles(folder, "*"))
        platform::deleteFile(platform::joinPath(folder, name));
    platform::removeDir(folder);
}

// The database exists without users while a generation (or the folder "0"
// of an interrupted rotation) holds users: each close would push one more
// of them out until none was left.
bool generationsWouldLoseUsers(const std::string& dataDir, const std::string& root, int count) {
    const std::string dat = platform::joinPath(dataDir, kDat);
    const DbLock lock(dataDir);
    if (!platform::fileExists(dat) || holdsUsers(platform::joinPath(dataDir, kLog), dat))
        return false;
    for (int i = 0; i <= count; ++i) {
        const std::string folder = platform::joinPath(root, std::to_string(i));
        if (holdsUsers(platform::joinPath(folder, kLog), platform::joinPath(folder, kDat)))
            return true;
    }
    return false;
}

// Steps 2 and 3 of the restore, after the user agreed to it: the fault
// copies, then the safety copies written into the database files. True when
// the database is restored (or needs it no more).
bool restoreFromSafetyCopies(const std::string& dir) {
    const std::string dat = platform::joinPath(dir, kDat);
    const std::string log = platform::joinPath(dir, kLog);
    // The index is what the lock holds: without one there is nothing to
    // guard the files being written.
    if (!platform::fileExists(log)) {
        platform::File index;
        openReadWriteCreating(index, log);
    }
    const std::string stamp = faultCopyStamp(platform::now());
    std::string failure;
    PairOutcome pair;
    // Each step under one lock: a program waiting for it meanwhile gets it
    // on the same, restored files. Boxes wait until it is given back.
    auto restore = [&](bool saveFaultCopies, bool& saved) {
        const DbLock lock(dir);
        if (!lock.held()) return false;
        // Another program may have restored it since the question.
        if (!restoreWanted(dir)) return true;
        if (saveFaultCopies) {
            saved = copyPair(dat, log, platform::joinPath(dir, stamp + "dat.Fehler"),
                             platform::joinPath(dir, stamp + "log.Fehler"));
            if (!saved) return false;
        }
        // A replacement of the pair cut short is completed first: the
        // restore takes a whole pair, never one new and one old copy.
        pair = finishSafetyCopies(dir);
        std::vector<std::string> blocked;
        if (!pair.ok || !safetyCopiesReadable(dir, blocked) || !writeSafetyCopiesInPlace(dir)) {
            failure = blockedNamesLines(blocked);
            return false;
        }
        return true;
    };
    bool saved = true;
    bool done = restore(true, saved);
    if (!saved) {
        if (!askYes("Die fehlerhafte Datenbank konnte nicht gesichert werden.\n"
                    "Soll die alte Version trotzdem wiederhergestellt werden?",
                    kRestoreCaption))
            return false;
        done = restore(false, saved);
    }
    if (const std::string note = setAsideMessage(pair); !note.empty())
        platform::MessageBox(note, "Achtung Fehler");
    if (!done)
        platform::MessageBox(
            "Die Datenbank konnte nicht wiederhergestellt werden!!" + lockFailureLine() + failure,
            "Achtung Fehler");
    return done;
}

}  // namespace

std::string faultCopyStamp(platform::DateTime when) {
    const platform::CivilDate d = platform::decodeDate(when);
    const platform::TimeOfDay t = platform::decodeTime(when);
    char buf[32];
    std::snprintf(buf, sizeof buf, "%02d_%02d_%04d %02d_%02d_%02d", d.day % 100, d.month % 100,
                  d.year % 10000, t.hour % 100, t.minute % 100, t.second % 100);
    return buf;
}

std::string setAsidePath(const std::string& path) {
    const std::string base = path + ".defekt " + faultCopyStamp(platform::now());
    std::string aside = base;
    struct stat st {};
    for (int n = 2; ::lstat(platform::osPath(aside).c_str(), &st) == 0; ++n)
        aside = base + " " + std::to_string(n);
    return aside;
}

void Zeitbuch::Datenbank_sichern_wiederherstellen(bool sichern) {
    const std::string dat = platform::joinPath(datenOrdner, kDat);
    const std::string log = platform::joinPath(datenOrdner, kLog);

    if (sichern) {
        if (!platform::fileExists(dat)) return;
        PairOutcome pair;
        bool offer = false;
        {
            const DbLock lock(datenOrdner);
            pair.ok = lock.held();
            if (pair.ok) pair = finishSafetyCopies(datenOrdner);
            if (pair.ok && !holdsUsers(log, dat) && safetyCopiesHoldUsers(datenOrdner)) {
                // A database whose users were all deleted passes the check;
                // it never empties the restore point, which is offered instead.
                offer = true;
            } else if (pair.ok) {
                const PairOutcome replaced = replaceSafetyCopies(datenOrdner, dat, log);
                pair.ok = replaced.ok;
                pair.blocked = replaced.blocked;
            }
        }
        if (const std::string note = setAsideMessage(pair); !note.empty())
            platform::MessageBox(note, "Achtung Fehler");
        if (!pair.ok) return reportCopyFailed(blockedNamesLines(pair.blocked));
        if (!offer) return;
        static const std::string question = platform::cp1252(
            "Die Datenbank enthält keine Benutzer, die Sicherungskopie der Datenbank aber "
            "schon.\nSoll die Sicherungskopie wiederhergestellt werden?\nBei \"Nein\" wird die "
            "Sicherungskopie nicht ersetzt, bis die Datenbank wieder Benutzer enthält.");
        if (!askYes(question, kRestoreCaption) || !restoreFromSafetyCopies(datenOrdner)) return;
        datenbankFehler = 0;
        if (!Datenbank_pruefen())
            platform::MessageBox("Die Datenbank ist immer noch fehlerhaft", "Datenbank fehlerhaft");
        return;
    }

    static const std::string question = platform::cp1252(
        "Soll die alte Version der Datenbank wiederhergestellt werden?\n"
        "Alle geänderten Daten nach dem letzten fehlerfreien Start des\n"
        "Programms gehen dabei verloren!");
    if (!askYes(question, kRestoreCaption)) return;
    if (restoreFromSafetyCopies(datenOrdner)) datenbankFehler = 0;
}

bool Zeitbuch::Sicherungsordner_vorbereiten(uint8_t count, const std::string& base) {
    const std::string root = platform::nativePath(base);
    bool failed = false;
    if (!platform::dirExists(root)) {
        static const std::string question = platform::cp1252(
            "Quellverzeichniss für die Datenbank nicht vorhanden.\nSoll es angelegt werden?");
        if (!askYes(question, "Hallo... anlegen?")) {
            failed = true;
        } else if (root.empty() || !platform::createDir(root)) {
            reportFolderFailed();
            failed = true;
        }
    }

    bool removalAgreed = false;
    for (int i = 1; !failed; ++i) {
        const std::string folder = platform::joinPath(root, std::to_string(i));
        if (!platform::dirExists(folder)) {
            if (i > count) break;
            if (!platform::createDir(folder)) {
                reportFolderFailed();
                failed = true;
            }
            continue;
        }
        if (i <= count) continue;
        if (!removalAgreed) {
            static const std::string question =
                platform::cp1252("Überflüssige Sicherungsverzeichnisse werden gelöscht!");
            static const std::string caption = platform::cp1252("Löschen");
            removalAgreed = askYes(question, caption);
            if (!removalAgreed) continue;  // asked again for the next surplus folder
        }
        removeGeneration(folder);
    }

    if (!failed) {
        grundlagen.folgesicherungen = count;
        backupOrdner = base;
    }
    return failed;
}

void Zeitbuch::Sicherung_rotieren() {
    const int count = grundlagen.folgesicherungen;
    const std::string root = platform::nativePath(backupOrdner);
    auto generation = [&](int i) { return platform::joinPath(root, std::to_string(i)); };
    auto exists = [&](int i) { return platform::dirExists(generation(i)); };

    // Without a base folder the generations would land in the current folder.
    bool failed = count > 0 && root.empty();
    if (count > 0 && !failed && generationsWouldLoseUsers(datenOrdner, root, count)) {
        static const std::string text = platform::cp1252(
            "Die Datenbank enthält keine Benutzer, die Sicherungen im Sicherungsordner aber "
            "schon.\nDie Sicherungen wurden deshalb nicht erneuert.");
        platform::MessageBox(text, "Achtung");
        return;
    }
    // Without a database there is nothing to keep: shifting anyway would put
    // the oldest generation into folder "1", as if it were the newest.
    if (count > 0 && !failed && !platform::fileExists(platform::joinPath(datenOrdner, kDat)))
        return;
    // The newest copy is written into folder "0", which becomes folder "1"
    // by the last rename: an interruption at any step leaves folder "0".
    bool intoZero = false;
    if (count > 0 && !failed && exists(0)) {
        // An earlier rotation stopped: its generations are shifted on into
        // the gap it left, and "0" takes the newest copy. Without a gap
        // "0" is surplus (it held the oldest generation) and goes.
        for (int i = count - 1; i >= 1; --i)
            if (exists(i) && !exists(i + 1)) moveFolder(generation(i), generation(i + 1));
        intoZero = !exists(1);
        if (!intoZero) {
            removeGeneration(generation(0));
            failed = exists(0);
        }
    }
    if (count > 1 && !failed && !intoZero) {
        failed = !moveFolder(generation(count), generation(0));
        for (int i = count - 1; i >= 1 && !failed; --i)
            failed = !moveFolder(generation(i), generation(i + 1));
        intoZero = !failed;
        // A shift that failed still brings the oldest back as folder "1".
        if (failed) moveFolder(generation(0), generation(1));
    }

    if (!failed && count > 0) {
        const std::string newest = generation(intoZero ? 0 : 1);
        if (!platform::dirExists(newest)) {
            failed = true;
        } else {
            const std::string dat = platform::joinPath(datenOrdner, kDat);
            const std::string log = platform::joinPath(datenOrdner, kLog);
            if (platform::fileExists(dat) &&
                !copyGeneration(dat, log, platform::joinPath(newest, kDat),
                                platform::joinPath(newest, kLog)))
                reportCopyFailed();
            if (intoZero && (!moveFolder(newest, generation(1)) || !platform::syncFolder(root)))
                failed = true;
        }
    }

    if (failed)
        platform::MessageBox(
            "Der Sicherungsordner konnte nicht vorbereitet werden.\n Deshalb wurde die "
            "Datenbank nicht gesichert!",
            "Achtung Fehler");
}

}  // namespace book
