// Appending, changing and deleting users: the index record and its block.
// Each operation reads and checks what it relies on before its first write.
#include <algorithm>
#include <new>

#include "book/database/block_file.h"
#include "book/database/db_journal.h"
#include "book/database/db_messages.h"
#include "book/database/db_reader.h"
#include "book/database/user_index.h"
#include "book/sheet/zeitbuch.h"
#include "platform/core/codepage.h"
#include "platform/core/message_box.h"

namespace book {
namespace {

void showChangeError() {
    static const std::string text =
        platform::cp1252("Fehler in der Benutzerverwaltung Daten konnten nicht geändert werden");
    platform::MessageBox(text + lockFailureLine(), kCaptionDatenformat);
}

void showOpenFailure(int osError, void (*otherwise)()) {
    if (platform::isAccessDenied(osError))
        showWriteProtected();
    else
        otherwise();
}

// The chain entry of the block at `offset`, or null.
const BlockKopf* findBlock(const std::vector<BlockKopf>& chain, uint32_t offset) {
    auto it = std::lower_bound(chain.begin(), chain.end(), offset,
                               [](const BlockKopf& k, uint32_t o) { return k.offset < o; });
    return it != chain.end() && it->offset == offset ? &*it : nullptr;
}

// The record at `start` of the index (records are in file order), or null.
const IndexSatz* findRecord(const std::vector<IndexSatz>& records, int64_t start) {
    auto it = std::lower_bound(records.begin(), records.end(), start,
                               [](const IndexSatz& r, int64_t s) { return r.start < s; });
    return it != records.end() && it->start == start ? &*it : nullptr;
}

// Record and block point at each other.
bool linked(const IndexSatz* r, const BlockKopf* b) {
    return r && b && r->block == b->offset && int64_t{b->indexPosition} == r->start + 4;
}

}  // namespace

// With a delete of a block at or before the signed-in user's, the page's
// block moved or is gone.
static void abmeldenNachLoeschen(Zeitbuch& zb, uint32_t block) {
    if (!zb.benutzerBlockAktiv() || zb.blockPosition < block) return;
    showSignInAgain();
    zb.host().setCaption("Nicht Angemeldet");
    zb.angemeldet = false;
    zb.host().enableAction(Action::Speichern, false);
    zb.Seite_sichern_fragen();  // `Speichern` is off: only clears the page
    zb.host().setControls(true);
}

bool Zeitbuch::Neuer_Benutzerblock(DbChange& change, uint32_t indexPosition,
                                   uint32_t& blockOffset) {
    const DbResult r = appendUserBlock(change, indexPosition, blockOffset);
    showBlockFailure(r);
    return r.ok();
}

bool Zeitbuch::Benutzer_anlegen(const Benutzerdaten& daten) {
    if (daten.benutzername.empty()) {
        showNameMissing();
        return false;
    }
    // A fresh installation has no data folder yet: the first user makes it.
    if (!platform::dirExists(datenOrdner)) platform::createDir(datenOrdner);
    {
        // The index must be there to be locked; empty, it holds no users.
        platform::File index;
        if (!openReadWriteCreating(index, indexPath(datenOrdner))) {
            showOpenFailure(index.lastError(), showIndexFormatError);
            return false;
        }
    }
    DbLock lock(datenOrdner);
    if (!lock.held()) {
        showBlockFailure({DbStatus::OpenFailed});
        return false;
    }
    // Another program may have added the name since the dialog asked.
    if (Benutzername_vorhanden(daten.benutzername, false)) {
        showNameTaken();
        return false;
    }
    DbChange change(datenOrdner);
    if (!change.open(true)) {
        showBlockFailure({DbStatus::OpenFailed, change.openError()});
        return false;
    }
    platform::File& index = change.log();
    const int64_t length = index.length();
    if (length < 0 || length > kMaxDbFileLength) {
        showIndexFormatError();
        return false;
    }
    std::vector<IndexSatz> records;
    int64_t P = 0;  // an index shorter than its end mark is empty
    if (length >= 4) {
        DbReader in(index);
        if (!readIndex(in, records, P) || P + kRecordMax + 4 > kMaxDbFileLength) {
            showIndexFormatError();
            return false;
        }
    }
    change.keep(kIndexFile, 0, length);
    uint32_t block = 0;
    if (!Neuer_Benutzerblock(change, static_cast<uint32_t>(P + 4), block)) return false;
    if (!writeU32At(index, P + 4, block) || !Schreibe_Benutzer(index, P, daten) ||
        !change.commit()) {
        change.rollback();
        showBlockFailure({DbStatus::WriteFailed});
        return false;
    }
    return true;
}

bool Zeitbuch::Datenbank_aendern(uint32_t block, bool loeschen, const Benutzerdaten& daten) {
    if (!loeschen && daten.benutzername.empty()) {
        showNameMissing();
        return false;
    }
    // The save question runs while the offsets of the page's block still hold;
    // a page that could not be saved stops the delete, so nothing is lost.
    if (loeschen && benutzerBlockAktiv() && blockPosition > block && !Seite_sichern_fragen())
        return false;

    DbLock lock(datenOrdner);
    if (!lock.held()) {
        showChangeError();
        return false;
    }
    // The signed-in user's own record is found again by name and password:
    // when another program moved the blocks since the offset was taken, it
    // may name another user's block now.
    const bool eigener = !loeschen && benutzerBlockAktiv() && block == blockPosition;
    if (eigener) {
        int oeffnenFehler = 0;
        if (!eigenenBlockFinden(block, &oeffnenFehler)) {
            showOpenFailure(oeffnenFehler, showChangeError);
            return false;
        }
        blockPosition = block;
    }
    DbChange change(datenOrdner);
    if (!change.open(false)) {
        showOpenFailure(change.openError(), showChangeError);
        return false;
    }
    platform::File& index = change.log();
    platform::File& dat = change.dat();
    try {
        std::vector<BlockKopf> chain;
        std::vector<IndexSatz> records;
        int64_t endMark = 0;
        {
            DbReader in(index);
            if (!readBlockChain(dat, chain) || index.length() > kMaxDbFileLength ||
                !readIndex(in, records, endMark)) {
                showChangeError();
                return false;
            }
        }
        const BlockKopf* head = findBlock(chain, block);
        const int64_t R = head ? int64_t{head->indexPosition} - 4 : -1;
        auto own = std::find_if(records.begin(), records.end(), [&](const IndexSatz& r) {
            return r.start == R && r.block == block;
        });
        if (own == records.end()) {
            showChangeError();
            return false;
        }
        const std::vector<IndexSatz> behind(own + 1, records.end());
        // The blocks whose records move, and with a delete the blocks that
        // move up, must be linked to their records before anything is written.
        bool sound = true;
        for (const IndexSatz& r : behind) sound = sound && linked(&r, findBlock(chain, r.block));
        const size_t k = static_cast<size_t>(head - chain.data());
        for (size_t i = k + 1; loeschen && i < chain.size(); ++i)
            sound = sound &&
                    linked(findRecord(records, int64_t{chain[i].indexPosition} - 4), &chain[i]);
        if (!sound) {
            showChangeError();
            return false;
        }
        if (loeschen && !daten.benutzername.empty()) {
            DbReader in(index);
            std::string stored;
            in.seek(R + 8);
            if (!readField(in, *own, stored) || stored != storedField(daten.benutzername)) {
                showChangeError();
                return false;
            }
        }
        if (!loeschen) {
            // Another record with the new name: two users could not be told apart.
            DbReader in(index);
            std::string stored;
            for (const IndexSatz& r : records) {
                if (r.start == R) continue;
                in.seek(r.start + 8);
                if (readField(in, r, stored) && stored == daten.benutzername) {
                    showNameTaken();
                    return false;
                }
            }
        }

        // The journal holds all that is overwritten: the index, and the block
        // heads that learn new record positions (a delete: the rest).
        change.keep(kIndexFile, 0, index.length());
        if (loeschen) {
            keepForMove(change, chain, k);
        } else {
            change.keep(kBlockFile, block, 4);
            for (const IndexSatz& r : behind) change.keep(kBlockFile, r.block, 4);
        }
        if (!change.begin()) {
            showChangeError();
            return false;
        }
        int64_t start = R;
        bool written = true;
        if (!behind.empty()) {
            // The record moves behind the others: they move up by its length,
            // and their blocks learn their new positions.
            const int64_t len = own->laenge;
            const int64_t restLen = endMark - (R + len);
            std::string record(8, '\0'), rest(static_cast<size_t>(restLen), '\0');
            if (!readAt(index, R, record.data(), 8) ||
                !readAt(index, R + len, rest.data(), rest.size())) {
                showChangeError();
                return false;
            }
            written = writeAt(index, R, rest.data(), rest.size());
            for (const IndexSatz& r : behind)
                written =
                    written && writeU32At(dat, r.block, static_cast<uint32_t>(r.start - len + 4));
            written = written && writeU32At(dat, block, static_cast<uint32_t>(R + restLen + 4)) &&
                      writeAt(index, R + restLen, record.data(), 8);
            start = R + restLen;
        }
        if (!loeschen) {
            if (written && Schreibe_Benutzer(index, start, daten) && change.commit()) {
                if (eigener) eigenenSatzUebernehmen(daten);
                return true;
            }
            change.rollback();
            showChangeError();
            return false;
        }
        written = written && writeU32At(index, start, 0) && index.truncate(start + 4);
        if (!written) {
            change.rollback();
            showChangeError();
            return false;
        }
        if (!Benutzerblock_verschieben(change, block, true, nullptr)) {
            change.rollback();
            return false;
        }
        if (!change.commit()) {
            showChangeError();
            return false;
        }
        abmeldenNachLoeschen(*this, block);
        if (Datenbank_pruefen()) return true;
        datenbankBeschaedigt();
        return false;
    } catch (const std::bad_alloc&) {
        showBlockFailure({DbStatus::NoMemory});
        return false;
    }
}

void Zeitbuch::eigenenSatzUebernehmen(const Benutzerdaten& daten) {
    const std::string alterName = benutzerName;
    benutzerName = storedField(daten.benutzername);
    passwort = storedField(daten.passwort);
    nachname = storedField(daten.name);
    vorname = storedField(daten.vorname);
    personalNr = storedField(daten.personalnummer);
    bereich = storedField(daten.bereich);
    benutzerOptionen = daten.optionen;
    // The shown month is still this user's: a save keeps comparing it with
    // what was loaded, so another program's save of it is still asked about.
    if (geladenerMonat.gueltig && geladenerMonat.benutzer == alterName)
        geladenerMonat.benutzer = benutzerName;
}

bool Zeitbuch::Benutzerblock_verschieben(DbChange& change, uint32_t block, bool loeschen,
                                         bool* eintragZuletzt) {
    const BlockMove mv = moveUserBlock(change, block, loeschen, jahr, seitenMonat);
    if (eintragZuletzt) *eintragZuletzt = mv.result.ok() && mv.entryLast;
    if (!mv.result.ok()) {
        showBlockFailure(mv.result);
        return false;
    }
    if (!loeschen) blockPosition = mv.offset;
    return true;
}

bool Zeitbuch::Benutzerblock_verschieben(uint32_t block, bool loeschen, bool* eintragZuletzt) {
    if (eintragZuletzt) *eintragZuletzt = false;
    DbLock lock(datenOrdner);
    DbChange change(datenOrdner);
    if (!lock.held() || !change.open(false)) {
        showBlockFailure({DbStatus::OpenFailed, change.openError()});
        return false;
    }
    if (!Benutzerblock_verschieben(change, block, loeschen, eintragZuletzt)) return false;
    if (!change.commit()) {
        showBlockFailure({DbStatus::WriteFailed});
        return false;
    }
    if (loeschen) abmeldenNachLoeschen(*this, block);
    return true;
}

}  // namespace book
