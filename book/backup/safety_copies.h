// The safety-copy pair "Benutzerdat.bak" and "Benutzerlog.bak", replaced as
// one step: new copies beside the old, one commit record, then the renames.
#pragma once

#include <string>

namespace book {

inline constexpr const char* kSafetyCopyDat = "Benutzerdat.bak";
inline constexpr const char* kSafetyCopyLog = "Benutzerlog.bak";
// Stands while a complete new pair waits to be renamed over the old one.
inline constexpr const char* kSafetyCopyRecord = "Benutzerbak.neu";
// Appended to the real file of each copy for the new copy beside it.
inline constexpr const char* kFreshCopySuffix = ".neu";

// Completes what an interrupted replacement left: with the commit record the
// new copies still waiting are renamed into place, without it they are
// removed. Afterwards the pair is whole, old or new. Call under the database
// lock; false when a waiting copy could not be renamed (the pair must not be
// used then).
bool finishSafetyCopies(const std::string& dataDir);

// Copies `dat` and `log` over the pair as one step, under the database lock.
// False on a failure; the pair is then whole, the old one or (when the
// failure came after the commit record) the new one at the next finish.
bool replaceSafetyCopies(const std::string& dataDir, const std::string& dat,
                         const std::string& log);

// The index holds a user record and the block file at least a block head: a
// database with something in it that a restore point must not lose.
bool holdsUsers(const std::string& log, const std::string& dat);

}  // namespace book
