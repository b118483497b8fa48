// The safety-copy pair "Benutzerdat.bak" and "Benutzerlog.bak", replaced as
// one step: new copies beside the old, one commit record, then the renames.
#pragma once

#include <string>
#include <vector>

namespace book {

inline constexpr const char* kSafetyCopyDat = "Benutzerdat.bak";
inline constexpr const char* kSafetyCopyLog = "Benutzerlog.bak";
// Stands while a complete new pair waits to be renamed over the old one.
inline constexpr const char* kSafetyCopyRecord = "Benutzerbak.neu";
// Appended to the real file of each copy for the new copy beside it.
inline constexpr const char* kFreshCopySuffix = ".neu";

// What became of the pair, for the messages.
struct PairOutcome {
    bool ok = true;  // the pair under its names is whole, old or new
    // Names under which something other than a file (a folder, say) stands
    // in the way of a replacement; shown as in the data folder.
    std::vector<std::string> blocked;
    // The names a waiting new pair that failed the database check now has.
    std::vector<std::string> setAside;
};

// Completes what an interrupted replacement left: with the commit record the
// new copies still waiting are renamed into place, but only when the new
// pair passes the database check; otherwise they are renamed aside and the
// old pair stays. Without the record they are removed. Call under the
// database lock; not ok when a waiting copy could not be renamed (the pair
// must not be used then).
PairOutcome finishSafetyCopies(const std::string& dataDir);

// Copies `dat` and `log` over the pair as one step, under the database lock.
// Not ok on a failure; the pair is then whole, the old one or (when the
// failure came after the commit record) the new one at the next finish.
// Something other than a file under one of the names stops it up front.
PairOutcome replaceSafetyCopies(const std::string& dataDir, const std::string& dat,
                                const std::string& log);

// The copies a restore reads: the files "Benutzerdat.bak" and
// "Benutzerlog.bak" (a link followed to its file). False when one is
// missing or is no file; such a name goes to `blocked`.
bool safetyCopiesReadable(const std::string& dataDir, std::vector<std::string>& blocked);

// The lines a message adds for `blocked` names (each with its leading line
// break); Windows-1252.
std::string blockedNamesLines(const std::vector<std::string>& blocked);
// The message about a new pair renamed aside, or "" when none was.
std::string setAsideMessage(const PairOutcome& outcome);

// The index holds a user record and the block file at least a block head: a
// database with something in it that a restore point must not lose.
bool holdsUsers(const std::string& log, const std::string& dat);
// The safety copies in `dataDir` hold users.
bool safetyCopiesHoldUsers(const std::string& dataDir);

}  // namespace book
