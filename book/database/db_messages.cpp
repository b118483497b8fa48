#include "book/database/db_messages.h"

#include "book/database/db_lock.h"
#include "platform/core/codepage.h"
#include "platform/core/message_box.h"

namespace book {

const char kCaptionGesperrt[] = "Zugriff auf Datenbank gesperrt";
const char kCaptionDatenformat[] = "Fehlerhaftes Datenformat";
const char kCaptionVerwaltung[] = "Fehler in der Benutzerverwaltung";

void showIndexFormatError() {
    platform::MessageBox("Fehler in der Benutzerverwaltung", kCaptionDatenformat);
}

void showWriteProtected() {
    static const std::string text = platform::cp1252("Die Datenbank ist schreibgechützt!");
    platform::MessageBox(text, kCaptionGesperrt);
}

void showNameMissing() {
    platform::MessageBox("Bitte einen Benutzernamen eingeben!", "Achtung");
}

void showNameTaken() {
    platform::MessageBox("Benutzername schon vorhanden, einen anderen Benutzernamen bitte.",
                         "Achtung");
}

void showNoAccess(const char* caption) {
    platform::MessageBox("Kein Zugriff auf die Datenbank!" + lockFailureLine(), caption);
}

void showSignInAgain() {
    platform::MessageBox(
        "Da sich die Datenbank ge\xE4ndert hat, kann auf den jetzigen Benutzer nicht mehr\n"
        "zugegriffen werden. Bitte Benutzer erneut laden!",
        "Bitte Neu anmelden!");
}

void showBlockFailure(const DbResult& r) {
    switch (r.status) {
        case DbStatus::Ok:
            return;
        case DbStatus::OpenFailed:
            if (platform::isAccessDenied(r.osError))
                showWriteProtected();
            else
                showNoAccess();
            return;
        case DbStatus::NoMemory:
            platform::MessageBox("Nicht genug Speicher um die Datenbank zu bearbeiten", "Fehler");
            return;
        case DbStatus::FormatError:
            showIndexFormatError();
            return;
        case DbStatus::WriteFailed:
            platform::MessageBox("Die Daten konnten nicht gespeichert werden!", kCaptionGesperrt);
            return;
    }
}

}  // namespace book
