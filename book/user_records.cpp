// Appending, changing and deleting users: the index record and its block.
// Each operation reads and checks what it relies on before its first write.
#include <algorithm>
#include <new>

#include "book/block_file.h"
#include "book/db_messages.h"
#include "book/db_reader.h"
#include "book/user_index.h"
#include "book/zeitbuch.h"
#include "platform/core/codepage.h"
#include "platform/core/message_box.h"

namespace book {
namespace {

void showChangeError() {
    static const std::string text =
        platform::cp1252("Fehler in der Benutzerverwaltung Daten konnten nicht geändert werden");
    platform::MessageBox(text, kCaptionDatenformat);
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

bool Zeitbuch::Neuer_Benutzerblock(uint32_t indexPosition, uint32_t& blockOffset) {
    const DbResult r = appendUserBlock(datenOrdner, indexPosition, blockOffset);
    showBlockFailure(r);
    return r.ok();
}

bool Zeitbuch::Benutzer_anlegen(const Benutzerdaten& daten) {
    // A fresh installation has no data folder yet: the first user makes it.
    if (!platform::dirExists(datenOrdner)) platform::createDir(datenOrdner);
    platform::File index;
    if (!openReadWriteCreating(index, indexPath(datenOrdner))) {
        showOpenFailure(index.lastError(), showIndexFormatError);
        return false;
    }
    const int64_t length = index.length();
    if (length < 0 || length > kMaxDbFileLength) {
        showIndexFormatError();
        return false;
    }
    if (length < 4 && !writeU32At(index, 0, 0)) {
        showBlockFailure({DbStatus::WriteFailed});
        return false;
    }
    std::vector<IndexSatz> records;
    int64_t P = 0;
    {
        DbReader in(index);
        if (!readIndex(in, records, P) || P + kRecordMax + 4 > kMaxDbFileLength) {
            showIndexFormatError();
            return false;
        }
    }
    uint32_t block = 0;
    if (!Neuer_Benutzerblock(static_cast<uint32_t>(P + 4), block)) return false;
    // Until the record's length is written the old end mark still ends the list.
    if (!writeU32At(index, P + 4, block) || !Schreibe_Benutzer(index, P, daten) ||
        !closeSynced(index)) {
        // Take the new block back, restore the end mark and cut what was
        // written behind it.
        moveUserBlock(datenOrdner, block, true, 0, 0);
        writeU32At(index, P, 0);
        index.truncate(P + 4);
        showBlockFailure({DbStatus::WriteFailed});
        return false;
    }
    return true;
}

bool Zeitbuch::Datenbank_aendern(uint32_t block, bool loeschen, const Benutzerdaten& daten) {
    // The save question runs while the offsets of the page's block still hold;
    // a page that could not be saved stops the delete, so nothing is lost.
    if (loeschen && benutzerBlockAktiv() && blockPosition > block && !Seite_sichern_fragen())
        return false;

    platform::File index, dat;
    if (!index.open(indexPath(datenOrdner), platform::OpenMode::ReadWrite)) {
        showOpenFailure(index.lastError(), showChangeError);
        return false;
    }
    if (!dat.open(blockPath(datenOrdner), platform::OpenMode::ReadWrite)) {
        showOpenFailure(dat.lastError(), showChangeError);
        return false;
    }
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
        for (size_t i = static_cast<size_t>(head - chain.data()) + 1; loeschen && i < chain.size();
             ++i)
            sound = sound &&
                    linked(findRecord(records, int64_t{chain[i].indexPosition} - 4), &chain[i]);
        if (!sound) {
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
        // A delete is always checked afterwards; a change only when a write
        // failed half way.
        auto checkAfterwards = [this] {
            if (Datenbank_pruefen()) return true;
            datenbankBeschaedigt();
            return false;
        };
        if (!loeschen) {
            if (written && Schreibe_Benutzer(index, start, daten) && closeSynced(index) &&
                closeSynced(dat))
                return true;
            index.close();
            dat.close();
            showChangeError();
            checkAfterwards();
            return false;
        }
        written = written && writeU32At(index, start, 0) && index.truncate(start + 4) &&
                  closeSynced(index) && closeSynced(dat);
        const bool moved = written && Benutzerblock_verschieben(block, true);
        if (!written) showChangeError();
        return checkAfterwards() && moved;
    } catch (const std::bad_alloc&) {
        showBlockFailure({DbStatus::NoMemory});
        return false;
    }
}

bool Zeitbuch::Benutzerblock_verschieben(uint32_t block, bool loeschen, bool* eintragZuletzt) {
    const BlockMove mv = moveUserBlock(datenOrdner, block, loeschen, jahr, seitenMonat);
    if (eintragZuletzt) *eintragZuletzt = mv.result.ok() && mv.entryLast;
    if (!mv.result.ok()) {
        showBlockFailure(mv.result);
        return false;
    }
    if (!loeschen) {
        blockPosition = mv.offset;
    } else if (benutzerBlockAktiv() && blockPosition >= block) {
        // The page's block moved or is gone.
        platform::MessageBox(
            "Da sich die Datenbank ge\xE4ndert hat, kann auf den jetzigen Benutzer nicht mehr\n"
            "zugegriffen werden. Bitte Benutzer erneut laden!",
            "Bitte Neu anmelden!");
        host().setCaption("Nicht Angemeldet");
        angemeldet = false;
        host().enableAction(Action::Speichern, false);
        Seite_sichern_fragen();  // `Speichern` is off: only clears the page
        host().setControls(true);
    }
    return true;
}

}  // namespace book
