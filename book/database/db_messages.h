// Message boxes of the user database operations (Windows-1252 texts).
#pragma once

#include "book/database/block_file.h"

namespace book {

extern const char kCaptionGesperrt[];     // "Zugriff auf Datenbank gesperrt"
extern const char kCaptionDatenformat[];  // "Fehlerhaftes Datenformat"
extern const char kCaptionVerwaltung[];   // "Fehler in der Benutzerverwaltung"

// `Formatfehler_melden`'s box: "Fehler in der Benutzerverwaltung".
void showIndexFormatError();
// "Die Datenbank ist schreibgechützt!", caption "Zugriff auf Datenbank gesperrt".
void showWriteProtected();
// An empty user name and a name another record holds, caption "Achtung".
void showNameMissing();
void showNameTaken();
// The database could not be had: "Kein Zugriff auf die Datenbank!" and the
// line that says why the lock was refused.
void showNoAccess(const char* caption = kCaptionGesperrt);
// The signed-in user's block moved or is gone: "Bitte Neu anmelden!".
void showSignInAgain();
// A failed block operation: open (access denied or not), memory, format, write.
void showBlockFailure(const DbResult& r);

}  // namespace book
