// Loading and saving the signed-in user's month pages in "Benutzer.dat".
#include <algorithm>
#include <cstdio>
#include <optional>

#include "book/database/block_file.h"
#include "book/database/db_journal.h"
#include "book/database/db_messages.h"
#include "book/sheet/month_entry.h"
#include "book/files/scrambled_text.h"
#include "book/database/user_db_format.h"
#include "book/sheet/zeitbuch.h"
#include "platform/core/codepage.h"
#include "platform/core/date.h"
#include "platform/core/file.h"
#include "platform/core/message_box.h"

namespace book {
namespace {

// Smallest records: a line is 6 bytes and the text's terminator, a standby
// record 2 bytes and one period.
constexpr int64_t kMinRecord = 7;

struct EntryHead {
    int64_t start = 0;
    uint32_t key = 0;
    uint8_t month = 0;
    uint32_t length = 0;
    uint32_t count = 0;
    int64_t end = 0;  // where the entry's records must end
};

// Reads the signed-in user's block and its entries (all u32 little-endian,
// plain; full tables in user_db_format.h):
//
//   block  offset 0  u32 index position | 4 u32 length, 0 = last block
//                 8  u32 offset of the last entry, 0 = none | 12 entries
//   entry  offset 0  u32 key | 4 u8 month | 5 u32 length from offset 9,
//                 0 = last entry | 9 u32 record count | 13 records
//
// Every offset is checked against the block before it is used, every count
// against the bytes of its entry, and every walk advances.
class BlockReader {
public:
    BlockReader(platform::File& f, int64_t block) : f_(f), block_(block) {}

    // Block head: false when it lies outside the file or is inconsistent.
    bool readHead() {
        const int64_t fileLength = f_.length();
        uint8_t head[kBlockHead];
        if (fileLength < 0 || block_ < 0 || block_ + kBlockHead > fileLength) return false;
        if (!f_.seek(block_) || !f_.readExact(head, kBlockHead)) return false;
        const uint32_t length = getU32(head + 4);
        last_ = getU32(head + 8);
        end_ = length == 0 ? fileLength : block_ + length;
        if (end_ < block_ + kBlockHead || end_ > fileLength) return false;
        return last_ == 0 || (last_ >= kBlockHead && block_ + last_ + kEntryHead <= end_);
    }
    bool hasEntries() const { return last_ != 0; }

    bool readEntry(int64_t start, EntryHead& e) {
        uint8_t b[kEntryHead];
        if (start + kEntryHead > end_ || !f_.seek(start) || !f_.readExact(b, kEntryHead))
            return false;
        e.start = start;
        e.key = getU32(b);
        e.month = b[4];
        e.length = getU32(b + 5);
        e.count = getU32(b + 9);
        e.end = e.length == 0 ? end_ : start + 9 + e.length;
        if (e.end > end_ || e.end < start + kEntryHead) return false;
        // Every record takes at least kMinRecord bytes.
        return static_cast<int64_t>(e.count) <= (e.end - start - kEntryHead) / kMinRecord;
    }

    // The entry of (year, month), walking from the first one to the entry
    // with length 0. Empty when absent; false on a damaged chain.
    bool find(int year, int month, std::optional<EntryHead>& found) {
        found.reset();
        if (!hasEntries()) return true;
        for (int64_t p = block_ + kBlockHead;;) {
            EntryHead e;
            if (!readEntry(p, e)) return false;
            if (keyYear(e.key) == year && e.month == month) {
                found = e;
                return true;
            }
            if (e.length == 0) return true;
            p = e.end;  // at least 13 bytes further
        }
    }

    bool readLast(EntryHead& e) { return readEntry(block_ + last_, e); }

private:
    platform::File& f_;
    int64_t block_;
    int64_t end_ = 0;
    uint32_t last_ = 0;
};

// Reads `n` scrambled bytes and unscrambles them.
bool readPlain(platform::File& f, uint8_t* out, int64_t n) {
    if (!f.readExact(out, n)) return false;
    for (int64_t i = 0; i < n; ++i) out[i] ^= kDatabaseKey;
    return true;
}

bool readWorkText(platform::File& f, std::string& text) {
    char buffer[kLineTextMax];
    if (!Text_lesen(f, buffer, kLineTextMax, kDatabaseKey)) return false;
    text = buffer;
    return true;
}

// Latest date of the previous month's entry for the carry-over of the running
// standby period: the latest period end of a standby record, or else the
// latest ordinary line. `latest` comes in as the running period's first day.
bool latestStandbyDate(platform::File& f, const EntryHead& e, int year, int32_t& latest) {
    if (e.count == 0) return true;
    if (!f.seek(e.start + kEntryHead)) return false;
    for (uint32_t r = 0; r < e.count; ++r) {
        const int64_t at = f.position();
        uint8_t head[6];
        if (at < 0 || at + 6 > e.end || !readPlain(f, head, 6)) return false;
        if (r == 0 && head[0] == kStandbyMarker) {
            const int n = head[1];
            if (n < 1 || n > kStandbyPeriods || at + 2 + 5 * n > e.end) return false;
            uint8_t periods[5 * kStandbyPeriods];
            if (!f.seek(at + 2) || !readPlain(f, periods, 5 * n)) return false;
            latest = 0;
            for (int k = 0; k < n; ++k) {
                const uint8_t* p = periods + 5 * k;
                // A period that ends in the next year carries that year.
                const int endYear = (p[0] & kStandbyIntoNextYear) ? year + 1 : year;
                if (platform::isValidDate(endYear, p[4], p[3]))
                    latest = std::max(latest, platform::dayNumber(endYear, p[4], p[3]));
            }
            return true;  // the lines are not examined
        }
        const Zeilensatz line = decodeLineHead(head);
        if (line.art == ' ' && (head[5] & 0xF0) == 0 &&
            platform::isValidDate(year, line.monat, line.tag))
            latest = std::max(latest, platform::dayNumber(year, line.monat, line.tag));
        std::string skipped;
        if (!readWorkText(f, skipped) || f.position() > e.end) return false;
    }
    return true;
}

// What a save compares of an entry: all of it but the length field at 5..8.
Zeitbuch::GespeicherterMonat storedMonth(std::string entry) {
    if (entry.size() >= kEntryHead) entry.erase(5, 4);
    return {true, std::move(entry)};
}

// The entry `e` as stored, read whole.
bool readStoredMonth(platform::File& f, const EntryHead& e, Zeitbuch::GespeicherterMonat& out) {
    std::string bytes(static_cast<size_t>(e.end - e.start), '\0');
    if (!f.seek(e.start) || !f.readExact(bytes.data(), static_cast<int64_t>(bytes.size())))
        return false;
    out = storedMonth(std::move(bytes));
    return true;
}

std::string twoDigits(int value) {
    const int v = ((value % 100) + 100) % 100;
    return {static_cast<char>('0' + v / 10), static_cast<char>('0' + v % 10)};
}

void showSaveFailure() {
    platform::MessageBox("Die Daten konnten nicht gespeichert werden!",
                         "Zugriff auf Datenbank gesperrt");
}

}  // namespace

void Zeitbuch::Monat_laden(uint8_t m, int y) {
    uebertragStart = 0;
    ladeFehler = false;
    const int listenMonat = monat;  // the month the month list shows
    int neuerSeitenMonat = listenMonat;
    int gelesen = 0;
    // A load that fails leaves no month to compare a save with.
    if (!jahresbilanz) geladenerMonat = {};
    GespeicherterMonat stand;  // absent, also when the file cannot be read

    // Another program may have moved the block since the sign-in.
    DbLock lock(datenOrdner);
    uint32_t eigener = 0;
    if (benutzerBlockAktiv() && !lock.held()) {
        // Nothing loaded: a save of this page would overwrite the stored one.
        ladeFehler = true;
        showNoAccess();
    }
    const bool gefunden = benutzerBlockAktiv() && lock.held() && eigenenBlockFinden(eigener);
    if (gefunden) blockPosition = eigener;
    platform::File f;
    if (gefunden && f.open(blockPath(datenOrdner), platform::OpenMode::ReadOnly)) {
        auto ladefehler = [&] {
            f.close();
            ladeFehler = true;
            platform::MessageBox("Fehler beim Laden", "Fehlerhaftes Datenformat");
        };
        BlockReader block(f, blockPosition);
        if (!block.readHead()) return ladefehler();

        // The page.
        std::optional<EntryHead> seite;
        if (m != 0 && y != 0 && block.hasEntries()) {
            if (!block.find(y, m, seite)) return ladefehler();
        } else if (block.hasEntries()) {
            EntryHead e;
            if (!block.readLast(e)) return ladefehler();
            seite = e;
            if (m == 0) {
                m = e.month;
                y = keyYear(e.key);
            }
        }

        // Carry-over of the running standby period from the month before.
        if (block.hasEntries() && m >= 1 && m <= 12) {
            const int pm = m == 1 ? 12 : m - 1;
            const int py = m == 1 ? y - 1 : y;
            std::optional<EntryHead> vorher;
            if (!block.find(py, pm, vorher)) return ladefehler();
            if (vorher) {
                int32_t d = laufStart;
                if (!latestStandbyDate(f, *vorher, py, d)) return ladefehler();
                // Day 0 would be no date at all: nothing to carry then.
                if (d > 0) {
                    const int w = platform::isoWeekday(d);
                    laufStart = d - (w - 1);
                    laufFreitag = laufStart + 5;
                    uebertragStart = laufStart;
                }
            }
        }

        if (!seite) {
            if (!jahresbilanz) {
                seiteGespeichert = false;
                Zeile_auswaehlen(0, true, false);
                const bool hand = (benutzerOptionen & kUserKeineAutomatik) != 0;
                if (hand != handModus) {
                    handModus = hand;
                    host().checkAction(Action::ZHand, hand);
                    host().checkAction(Action::ZAutomatik, !hand);
                    host().repaintTotals();
                }
            }
        } else {
            const EntryHead& e = *seite;
            if (e.month < 1 || e.month > 12 || y < 1900) return ladefehler();
            jahr = y;
            host().showYear(y);
            Monat_einstellen(e.month);
            handModus = keyHandMode(e.key);
            host().checkAction(Action::ZHand, handModus);
            host().checkAction(Action::ZAutomatik, !handModus);
            if (handModus) {
                // Added: the year balance loads twelve pages and sums them.
                const HandZahlen z = keyCounts(e.key);
                wochen += z.wochen;
                wochenenden += z.wochenenden;
                wochenPkw += z.wochenPkw;
                wochenendenPkw += z.wochenendenPkw;
            }
            if (!jahresbilanz) {
                host().showMonthInList(e.month);
                neuerSeitenMonat = e.month;
            }
            if ((!jahresbilanz && !readStoredMonth(f, e, stand)) || !f.seek(e.start + kEntryHead))
                return ladefehler();
            for (uint32_t r = 0; r < e.count; ++r) {
                const int64_t at = f.position();
                uint8_t head[6];
                if (at < 0 || at + 6 > e.end || !readPlain(f, head, 6)) return ladefehler();
                if (head[0] == kStandbyMarker) {
                    const int n = head[1];
                    if (n < 1 || n > kStandbyPeriods || at + 2 + 5 * n > e.end) return ladefehler();
                    if (!f.seek(at + 2) || !readPlain(f, bereitschaftsListe.data(), 5 * n))
                        return ladefehler();
                    continue;
                }
                const Zeilensatz z = decodeLineHead(head);
                if (z.monat < 1 || z.monat > 12 || z.tag > 99 || z.vonStunde > 99 ||
                    z.vonMinute > 99 || z.bisStunde > 99 || z.bisMinute > 99)
                    return ladefehler();
                if (z.monat != monat) Monat_einstellen(z.monat);
                eingabe = kTemplateLine;
                eingabe[col::kMarker] = z.art;
                eingabe.replace(col::kMonth, 2, twoDigits(z.monat));
                eingabe.replace(col::kDay, 2, twoDigits(z.tag));
                eingabe.replace(col::kFromHour, 2, twoDigits(z.vonStunde));
                eingabe.replace(col::kFromMinute, 2, twoDigits(z.vonMinute));
                eingabe.replace(col::kToHour, 2, twoDigits(z.bisStunde));
                eingabe.replace(col::kToMinute, 2, twoDigits(z.bisMinute));
                const int geprueft = Zeile_pruefen(false);
                if (geprueft != -1 && geprueft != -2) return ladefehler();
                aktuelleZeile = gelesen;
                Zeile_einfuegen(gelesen, Zeile_auswerten(false, false), false);
                ++zeilenAnzahl;
                std::string text;
                const bool textOk = readWorkText(f, text) && f.position() <= e.end;
                // The text list stays parallel to the lines, even on an error.
                texte.insert(texte.begin() + gelesen, textOk ? text : std::string());
                ++gelesen;
                if (!textOk) return ladefehler();
            }
            seiteGespeichert = true;
        }
        f.close();
    }

    if (seiteGespeichert) {
        Zuschlaege_neu_berechnen();
        if (!jahresbilanz) {
            host().adjustScrollRange();
            Zeile_auswaehlen(gelesen, true, false);
            host().repaintSheet(true);
        }
    }
    seitenMonat = neuerSeitenMonat;
    // A month not found counts as absent: one stored meanwhile is asked about.
    if (!jahresbilanz) geladenerMonat = {true, benutzerName, jahr, seitenMonat, stand};
}

bool Zeitbuch::Monat_speichern() {
    ueberschreibenAbgelehnt = false;
    zugestimmt_.reset();
    for (;;) {
        fremd_.reset();
        const bool gespeichert = monatSchreiben();
        if (!fremd_) return gespeichert;
        // Asked without the lock, so that other programs go on meanwhile;
        // the answer holds for the month as found now, compared again below.
        static const std::string frage = platform::cp1252(
            "Dieser Monat wurde inzwischen von einem anderen Programm gespeichert.\n"
            "Soll er mit den angezeigten Daten überschrieben werden?");
        if (platform::MessageBox(frage, "Achtung", platform::Buttons::YesNo) !=
            platform::Answer::Yes) {
            ueberschreibenAbgelehnt = true;
            return false;
        }
        zugestimmt_ = fremd_;
    }
}

bool Zeitbuch::fremdGespeichert(uint32_t block) {
    const GeladenerMonat& g = geladenerMonat;
    const bool bekannt =
        g.gueltig && g.benutzer == benutzerName && g.jahr == jahr && g.monat == seitenMonat;
    // A page that came from elsewhere (a month file) overwrites as it always did.
    if (!bekannt && !zugestimmt_) return false;
    platform::File f;
    BlockReader reader(f, block);
    std::optional<EntryHead> e;
    GespeicherterMonat jetzt;
    // A block that cannot be read is left to the save and its check.
    if (!f.open(blockPath(datenOrdner), platform::OpenMode::ReadOnly) || !reader.readHead() ||
        !reader.find(jahr, seitenMonat, e) || (e && !readStoredMonth(f, *e, jetzt)))
        return false;
    if ((bekannt && jetzt == g.stand) || (zugestimmt_ && jetzt == *zugestimmt_)) return false;
    fremd_ = jetzt;
    return true;
}

bool Zeitbuch::monatSchreiben() {
    if (jahresbilanz) return true;  // a balance is never stored
    // Without a user's block (nobody, or the administrator alone) the page has
    // no place in the database; the caller falls back to the month file.
    if (!benutzerBlockAktiv()) return false;
    if (ladeFehler) {
        static const std::string text = platform::cp1252(
            "Die Seite wurde nicht vollständig geladen und kann nicht in die Datenbank "
            "gespeichert werden.\nBitte die Daten mit der Funktion <Speichern als> sichern!");
        platform::MessageBox(text, "Fehlerhaftes Datenformat");
        return false;
    }

    // A page of another year would be refused by the check after writing.
    if (jahr < 1900 || jahr > 9999) return speichernFehlgeschlagen(false, true);
    // The move looks for the entry under the same key that is written below.
    if (seitenMonat < 1 || seitenMonat > 12) seitenMonat = monat;

    // One writer at a time; the block is found again under the lock, since
    // another program may have moved it since the sign-in.
    DbLock lock(datenOrdner);
    if (!lock.held()) {
        showNoAccess();
        return speichernFehlgeschlagen(false, false);
    }
    uint32_t block = 0;
    int oeffnenFehler = 0;
    if (!eigenenBlockFinden(block, &oeffnenFehler)) {
        if (oeffnenFehler != 0)  // nothing is known to have changed: still signed in
            showBlockFailure({DbStatus::OpenFailed, oeffnenFehler});
        else
            showSignInAgain();
        return speichernFehlgeschlagen(false, false);
    }
    blockPosition = block;
    // Compared under the lock that the write holds: nobody saves in between.
    if (fremdGespeichert(block)) return speichernFehlgeschlagen(false, false);
    DbChange change(datenOrdner);
    // One open serves the move and the entry: its failure is the move's.
    if (!change.open(false)) {
        showBlockFailure({DbStatus::OpenFailed, change.openError()});
        return speichernFehlgeschlagen(false, false);
    }
    // Everything below is one change: any failure puts the files back as
    // they were (the move journals what it and the entry overwrite).
    bool gefunden = false;
    if (!Benutzerblock_verschieben(change, block, false, &gefunden))
        return speichernFehlgeschlagen(false, false);
    if (einfuegeIndex != -1) Zeile_auswaehlen(static_cast<int>(zeilen.size()) - 1, true, false);

    platform::File& f = change.dat();
    const int64_t b = blockPosition;
    const int64_t fileLength = f.length();
    uint8_t raw[4];
    if (fileLength < b + kBlockHead || !f.seek(b + 8) || !f.readExact(raw, 4) || !change.begin())
        return speichernFehlgeschlagen(false, true);
    uint32_t last = getU32(raw);
    uint32_t alterLetzter = 0;
    bool neu = !gefunden || last == 0;

    PageImage page;
    page.year = jahr;
    page.month = seitenMonat;
    page.handMode = handModus;
    page.counts = {wochen, wochenenden, wochenPkw, wochenendenPkw};
    page.standby = bereitschaftsListe;
    page.periods = bereitschaftsAnzahl();
    page.lines = zeilen.data();
    page.texts = texte.data();
    page.lineCount = static_cast<int>(std::min(zeilen.size(), texte.size())) - 1;
    const std::string entry = monthEntry(page);

    if (neu) {
        // Appended behind the block, which the move left last in the file.
        alterLetzter = last;
        const int64_t at = fileLength - b;
        if (fileLength + static_cast<int64_t>(entry.size()) > kMaxDbFileLength)
            return speichernFehlgeschlagen(false, true);
        last = static_cast<uint32_t>(at);
    }
    // The entry first, then the head and the former last entry point to it.
    const int64_t entryAt = b + last;
    if (!f.seek(entryAt) || !f.write(entry) ||
        !f.truncate(entryAt + static_cast<int64_t>(entry.size())))
        return speichernFehlgeschlagen(false, true);
    if (neu) {
        std::string l;
        appendU32(l, last);
        if (!f.seek(b + 8) || !f.write(l)) return speichernFehlgeschlagen(false, true);
    }
    if (neu && alterLetzter != 0) {
        std::string l;
        appendU32(l, last - alterLetzter - 9);
        if (!f.seek(b + alterLetzter + 5) || !f.write(l))
            return speichernFehlgeschlagen(false, true);
    }
    if (!change.commit()) return speichernFehlgeschlagen(false, true);
    geladenerMonat = {true, benutzerName, jahr, seitenMonat, storedMonth(entry)};

    host().enableAction(Action::Speichern, false);
    seiteGespeichert = true;
    if (!Datenbank_pruefen()) {
        datenbankBeschaedigt();
        host().enableAction(Action::Speichern, true);  // the page was not stored safely
        return false;
    }
    return true;
}

bool Zeitbuch::speichernFehlgeschlagen(bool geschrieben, bool melden) {
    if (melden) showSaveFailure();
    host().enableAction(Action::Speichern, true);
    // A save cut short may have left the files half written.
    if (geschrieben && !Datenbank_pruefen()) {
        datenbankBeschaedigt();
        host().enableAction(Action::Speichern, true);  // the page was not stored safely
    }
    return false;
}

void Zeitbuch::datenbankBeschaedigt() {
    static const std::string text = platform::cp1252(
        "Das Programm hat einen Fehler in der Datenbank verursacht.\nBitte die Daten extra "
        "Sichern mit der Funktion <Speichern als>.\nDer Benutzer wird abgemeldet!");
    platform::MessageBox(text, "Datenbank fehlerhaft");
    host().setCaption("Nicht Angemeldet");
    angemeldet = false;
}

}  // namespace book
