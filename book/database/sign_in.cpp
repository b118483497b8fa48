// Sign-in lookup, the duplicate-name test and the two main-window state
// switches of signing in and out.
#include <cerrno>

#include "book/database/block_file.h"
#include "book/database/db_journal.h"
#include "book/database/db_messages.h"
#include "book/database/db_reader.h"
#include "book/database/user_index.h"
#include "book/sheet/zeitbuch.h"
#include "platform/core/file.h"

namespace book {
namespace {

// An entered text matches a stored one when both agree up to the stored
// terminator; the stored text has at most 20 characters, so a longer entry
// never matches.
bool matches(const std::string& entered, const std::string& stored) {
    return entered == stored;
}

bool formatError() {
    showIndexFormatError();
    return false;
}

}  // namespace

bool Zeitbuch::Pruefe_Anmeldung(const std::string& name, const std::string& kennwort) {
    if (name.empty() && kennwort.empty()) return false;
    if (name.empty()) {
        if (kennwort != adminPasswort) return false;
        Abgemeldet_anzeigen();
        administrator = true;
        host().setCaption("Administrator angemeldet");
        nachname = "Administrator";
        benutzerName.clear();
        vorname.clear();
        bereich.clear();
        angemeldet = true;
        host().openAdministration();
        adminAngemeldet = true;
        host().enableAction(Action::Abmelden, true);
        return true;
    }

    enum class Suche { Gefunden, Keiner, KeinZugriff, Gesperrt, Formatfehler };
    IndexSatz rec;
    Benutzerdaten user;
    uint32_t reserve = 0;
    // Read under the lock; a box waits for the user, so it comes after the
    // lock is given back and another program is not kept waiting meanwhile.
    const Suche suche = [&] {
        DbLock lock(datenOrdner);
        platform::File file;
        if (!lock.held() || !file.open(indexPath(datenOrdner), platform::OpenMode::ReadOnly)) {
            // A new installation has no users yet: nobody to find, nothing wrong.
            if (lock.held() && platform::isNotFound(file.lastError()) &&
                keineBenutzerdateien(datenOrdner))
                return Suche::Keiner;
            return platform::isAccessDenied(file.lastError()) ? Suche::Gesperrt
                                                              : Suche::KeinZugriff;
        }
        const int64_t length = file.length();
        if (length < 4) return Suche::Keiner;  // not even the end mark: no users yet
        if (length > kMaxDbFileLength) return Suche::Formatfehler;
        DbReader in(file);
        for (int64_t pos = 0;; pos += rec.laenge) {
            switch (readIndexHead(in, pos, rec)) {
                case IndexStep::End:
                    return Suche::Keiner;
                case IndexStep::Error:
                    return Suche::Formatfehler;
                case IndexStep::Record:
                    break;
            }
            if (!readField(in, rec, user.benutzername)) return Suche::Formatfehler;
            if (!matches(name, user.benutzername)) continue;
            benutzerName = user.benutzername;
            if (!readField(in, rec, user.passwort)) return Suche::Formatfehler;
            if (!matches(kennwort, user.passwort)) continue;
            passwort = user.passwort;
            if (!readRecordTail(in, rec, user, reserve)) return Suche::Formatfehler;
            return Suche::Gefunden;
        }
    }();
    switch (suche) {
        case Suche::Gefunden:
            break;
        case Suche::Keiner:
            return false;
        case Suche::KeinZugriff:
        case Suche::Gesperrt:
            showNoAccess(suche == Suche::Gesperrt ? kCaptionGesperrt : kCaptionVerwaltung);
            return false;
        case Suche::Formatfehler:
            return formatError();
    }
    nachname = user.name;
    vorname = user.vorname;
    personalNr = user.personalnummer;
    bereich = user.bereich;
    benutzerReserve = reserve;

    const uint8_t o = user.optionen;
    benutzerOptionen = o;
    mathRunden = o & kUserMathRunden;
    host().checkAction(Action::Runden, mathRunden);
    pkw = o & kUserPkw;
    host().checkAction(Action::PKW_Berechnung, pkw);
    administrator = o & kUserAdministrator;
    const bool adminMenus =
        administrator || (host().administrationOpen() && !host().signInDialogShowing());
    for (Action a : {Action::Admin, Action::Zuschlagskorrektur, Action::MenuePasswort})
        host().showAction(a, adminMenus);
    proTag = o & kUserProTag;
    host().checkAction(Action::Tageweise, proTag);
    ganzeWochen = o & kUserGanzeWochen;
    host().checkAction(Action::GanzeWochen1, ganzeWochen);
    zeitvorschlag = !(o & kUserKeinZeitvorschlag);
    handModus = o & kUserKeineAutomatik;
    host().checkAction(Action::ZHand, handModus);
    host().checkAction(Action::ZAutomatik, !handModus);
    adminFreigabe = o & kUserAdminfreigabe;

    angemeldet = true;
    host().enableAction(Action::Abmelden, true);
    host().enableAction(Action::Bilanz, true);
    host().enableAction(Action::Benutzereinstellungen,
                        host().signInDialogShowing() || bearbeitungErlaubt);
    blockPosition = rec.block;
    host().enableAction(Action::MonthNavigation, true);
    host().setControls(true);
    return true;
}

bool Zeitbuch::eigenenBlockFinden(uint32_t& block, int* oeffnenFehler) {
    if (oeffnenFehler) *oeffnenFehler = 0;
    platform::File file, dat;
    auto nichtGeoeffnet = [&](const platform::File& f) {
        // Some systems leave no error number; the caller needs one to tell.
        if (oeffnenFehler) *oeffnenFehler = f.lastError() != 0 ? f.lastError() : EIO;
        return false;
    };
    if (benutzerName.empty()) return false;
    if (!file.open(indexPath(datenOrdner), platform::OpenMode::ReadOnly))
        return nichtGeoeffnet(file);
    const int64_t length = file.length();
    if (length < 4 || length > kMaxDbFileLength) return false;
    DbReader in(file);
    IndexSatz rec;
    std::string name, kennwort;
    for (int64_t pos = 0;; pos += rec.laenge) {
        if (readIndexHead(in, pos, rec) != IndexStep::Record) return false;
        if (!readField(in, rec, name)) return false;
        if (!matches(benutzerName, name)) continue;
        if (!readField(in, rec, kennwort)) return false;
        if (matches(passwort, kennwort)) break;
    }
    uint32_t back = 0;
    if (!dat.open(blockPath(datenOrdner), platform::OpenMode::ReadOnly)) return nichtGeoeffnet(dat);
    if (!readU32At(dat, rec.block, back) || int64_t{back} != rec.start + 4) return false;
    block = rec.block;
    return true;
}

bool Zeitbuch::Benutzername_vorhanden(const std::string& name, bool bearbeiten) {
    const std::string path = indexPath(datenOrdner);
    if (!platform::fileExists(path)) return false;
    DbLock lock(datenOrdner);
    if (!lock.held()) return false;  // nothing is read unlocked; the add asks again
    uint32_t eigener = 0;
    // The own record is told by its block as it stands now.
    if (bearbeiten && eigenenBlockFinden(eigener)) blockPosition = eigener;
    platform::File file;
    if (!file.open(path, platform::OpenMode::ReadOnly) || file.length() > kMaxDbFileLength)
        return false;
    DbReader in(file);
    IndexSatz rec;
    std::string stored;
    for (int64_t pos = 0;; pos += rec.laenge) {
        if (readIndexHead(in, pos, rec) != IndexStep::Record) return false;
        if (bearbeiten && rec.block == blockPosition) continue;
        if (!readField(in, rec, stored)) return false;
        if (matches(name, stored)) return true;
    }
}

void Zeitbuch::Abgemeldet_anzeigen() {
    Seite_sichern_fragen();  // a failed save keeps the page
    angemeldet = false;
    host().setCaption("Nicht Angemeldet");
    host().setControls(true);
    for (Action a :
         {Action::Bilanz, Action::Abmelden, Action::Benutzereinstellungen, Action::MonthNavigation})
        host().enableAction(a, false);
    adminFreigabe = false;
    host().checkAction(Action::GanzeWochen1, false);
    ganzeWochen = false;
    for (Action a : {Action::Admin, Action::Zuschlagskorrektur, Action::MenuePasswort})
        host().showAction(a, false);
    zeitvorschlag = true;
    host().setCalendarYearBlock(false);
}

void Zeitbuch::Bearbeitung_freigeben(bool erlaubt) {
    bearbeitungErlaubt = erlaubt;
    for (Action a : {Action::Bearbeiten1, Action::ZHand, Action::ZAutomatik, Action::ToolButton1,
                     Action::Oeffnen1, Action::Freizeitausgleich, Action::Extra_Kronlauf,
                     Action::UeStundenKonto, Action::AZVerlagern, Action::Mehrarbeit,
                     Action::ToolButton6, Action::Neu1})
        host().enableAction(a, erlaubt);
}

}  // namespace book
