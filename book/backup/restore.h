// The restore of the user database from its safety copies. The copies'
// bytes are written into "Benutzer.dat" and "Benutzer.log" themselves, as
// one journaled change: the files that other programs hold open and lock
// stay the same files, so the lock keeps guarding the restored database.
#pragma once

#include <string>

namespace book {

// The database wants the restore: it fails the check, or it holds no users
// while the safety copies do. Under the database lock.
bool restoreWanted(const std::string& dataDir);

// Writes the safety copies over the database files in place, under the
// database lock the caller holds. False on a failure; the files are then as
// before (what could not be put back at once, the journal puts back at the
// next lock). A cut anywhere leaves the old files, or, where they were both
// empty, files the next start refuses.
bool writeSafetyCopiesInPlace(const std::string& dataDir);

// Removes the temporary files that whole-file copies of the database (fault
// copies, the copies of earlier versions) leave when their program is
// killed. They are made only under the database lock, so its holder finds
// none of a living program.
void removeRestoreTemporaries(const std::string& dataDir);

}  // namespace book
