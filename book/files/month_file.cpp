#include "book/files/month_file.h"

#include <algorithm>
#include <array>
#include <cstdint>

#include "book/database/db_reader.h"
#include "book/files/scrambled_text.h"
#include "book/database/user_db_format.h"
#include "book/sheet/zeitbuch.h"
#include "platform/core/codepage.h"
#include "platform/core/file.h"
#include "platform/core/message_box.h"
#include "platform/core/replace_file.h"

namespace book {
namespace {

// Month file, little-endian:
//
//   offset | size | content
//   0      | 4    | u32 year, plain (files without it start with the count,
//          |      | a value below 1900)
//   4      | 4    | u32 record count, plain: the lines, plus 1 in hand mode
//   8      | ..   | records
//
// Line record, every byte scrambled with the database key 0x17:
//
//   byte   | content
//   0-1    | day, two ASCII digits (sheet columns 5-6)
//   2-3    | from hour (22-23)
//   4-5    | from minute (25-26)
//   6-7    | to hour (28-29)
//   8-9    | to minute (31-32)
//   10     | bits 0-3 month (binary), bits 4-7 line kind
//   11..   | work text and its NUL, at most 151 bytes
//
// Hand-mode record (only in hand mode, written last), every byte scrambled:
//
//   byte   | content
//   0      | 99 (a line record starts with a digit character)
//   1-4    | standby weeks, weekends, weeks with car, weekends with car
//   5      | number n of standby periods, 0..9
//   6..    | n standby period records of 5 bytes

constexpr uint8_t kHandRecord = kStandbyMarker;
constexpr int kLineHead = 11;
constexpr int kHandHead = 6;
constexpr int kPeriodSize = 5;

// Sheet columns of the ten digit characters, in file order.
constexpr std::array<int, 10> kDigitColumns = {
    col::kDay,    col::kDay + 1,    col::kFromHour,   col::kFromHour + 1, col::kFromMinute,
    col::kFromMinute + 1, col::kToHour, col::kToHour + 1, col::kToMinute, col::kToMinute + 1};

void appendByte(std::string& out, int plain) {
    out.push_back(static_cast<char>(static_cast<uint8_t>(plain) ^ kDatabaseKey));
}

void unscramble(uint8_t* bytes, int size) {
    for (int i = 0; i < size; ++i) bytes[i] ^= kDatabaseKey;
}

// A work text as it can be read back: up to its first NUL, at most 150 bytes.
std::string storableText(const std::string& text) {
    std::string t = text.substr(0, text.find('\0'));
    if (t.size() > kWorkTextMax) t.resize(kWorkTextMax);
    return t;
}

void reportLoadError() {
    platform::MessageBox("Fehler beim Laden", "Fehlerhaftes Datenformat");
}

}  // namespace

const std::string& monthFileSaveFilter() {
    static const std::string filter =
        platform::cp1252("Überstunden Daten (*.akt)|*.akt|Textdatei (*.txt)|*.txt");
    return filter;
}

const std::string& monthFileOpenFilter() {
    static const std::string filter = platform::cp1252("Überstunden Daten (*.akt)|*.akt");
    return filter;
}

std::string monthFileImage(const Zeitbuch& b) {
    const size_t lines = b.zeilen.empty() ? 0 : b.zeilen.size() - 1;
    std::string out;
    appendU32(out, static_cast<uint32_t>(b.jahr));
    appendU32(out, static_cast<uint32_t>(lines + (b.handModus ? 1 : 0)));
    for (size_t i = 0; i < lines; ++i) {
        std::string line = b.zeilen[i];
        line.resize(kLineLength, ' ');
        for (const int column : kDigitColumns) appendByte(out, line[column]);
        const int month = Zeitbuch::Zweistellig_lesen(&line[col::kMonth]);
        appendByte(out, (month & 0x0F) | kindBits(line[col::kMarker]));
        appendScrambled(out, storableText(i < b.texte.size() ? b.texte[i] : ""), kDatabaseKey);
    }
    if (b.handModus) {
        const int periods = b.bereitschaftsAnzahl();
        for (const int v : {int(kHandRecord), int(b.wochen), int(b.wochenenden), int(b.wochenPkw),
                            int(b.wochenendenPkw), periods})
            appendByte(out, v);
        for (int i = 0; i < periods * kPeriodSize; ++i) appendByte(out, b.bereitschaftsListe[i]);
    }
    return out;
}

bool Zeitbuch::Akt_speichern(const std::string& name) {
    // A line inserted and not stored is dropped first.
    if (einfuegeIndex != -1) Zeile_auswaehlen(static_cast<int>(zeilen.size()) - 1, true, false);
    if (!platform::replaceFile(name, monthFileImage(*this))) {
        platform::MessageBox("Die Daten konnten nicht gespeichert werden!", "Fehler");
        return false;
    }
    if (!angemeldet) host().enableAction(Action::Speichern, false);
    return true;
}

bool Zeitbuch::SpeichernAlsExecute() {
    const std::string name = host().askSaveFileName(monthFileSaveFilter(), kMonthFileDefaultExt);
    return !name.empty() && Akt_speichern(name);
}

void Zeitbuch::LadenExecute() {
    const std::string name = host().askOpenFileName(monthFileOpenFilter(), kMonthFileDefaultExt);
    if (name.empty()) return;
    if (jahresbilanz) host().setControls(true);
    if (!Seite_sichern_fragen()) return;  // a failed save keeps the page
    Akt_laden(name);
}

void Zeitbuch::Akt_laden(const std::string& name) {
    platform::File f;
    if (!f.open(name, platform::OpenMode::ReadOnly)) return;
    DbReader in(f);
    auto fail = [&] {
        f.close();
        reportLoadError();
    };

    laufStart = laufFreitag = uebertragStart = 0;

    uint32_t first = 0;
    if (!in.u32(first)) return fail();
    if (first != static_cast<uint32_t>(jahr) && first >= kMonthFileFirstYear && first <= 9999) {
        if (angemeldet) {
            static const std::string text =
                "Das Aktuelle Jahr ist nicht identisch zu dem Jahr der Daten die geladen werden "
                "sollen.\nDie Anzeige der Wochentage und die Zuschlagsberechnung ist dadurch "
                "nicht richtig!\nDas Geforderte Jahr lautet ";
            platform::MessageBox(text + std::to_string(first), "Achtung");
        } else {
            jahr = static_cast<int>(first);
            host().showYear(jahr);
            Monat_einstellen(1);
        }
    }
    uint32_t count = first;
    if (first >= kMonthFileFirstYear && !in.u32(count)) return fail();

    // Every record reads at least six bytes, so a count larger than the file
    // ends in a short read, never in a long walk.
    bool hand = false;
    int at = 0;  // sheet index of the next line; the hand record is no line
    for (uint32_t r = 0; r < count; ++r) {
        uint8_t head[kLineHead];
        if (!in.read(head, kHandHead)) return fail();
        unscramble(head, kHandHead);

        if (head[0] == kHandRecord) {
            const int periods = head[5];
            if (periods > kStandbyPeriods) return fail();
            uint8_t list[kStandbyPeriods * kPeriodSize];
            if (!in.read(list, periods * kPeriodSize)) return fail();
            unscramble(list, periods * kPeriodSize);
            wochen = static_cast<int8_t>(head[1]);
            wochenenden = static_cast<int8_t>(head[2]);
            wochenPkw = static_cast<int8_t>(head[3]);
            wochenendenPkw = static_cast<int8_t>(head[4]);
            bereitschaftsListe.fill(0);
            std::copy(list, list + periods * kPeriodSize, bereitschaftsListe.begin());
            hand = true;
            continue;
        }

        if (!in.read(head + kHandHead, kLineHead - kHandHead)) return fail();
        unscramble(head + kHandHead, kLineHead - kHandHead);
        // The whole record is read before the line goes in, so the sheet
        // lines and the work texts stay parallel after a short file.
        std::string text;
        if (!in.text(&text, kLineTextMax, kDatabaseKey)) return fail();

        // Each line is checked against its own month, which the page takes
        // first (a page typed while signed out may mix months).
        const int month = head[10] & 0x0F;
        if (month < 1 || month > 12) return fail();
        if (month != monat) Monat_einstellen(month);

        eingabe.assign(kTemplateLine, kLineLength);
        eingabe[col::kMarker] = markerOfKindBits(head[10]);
        eingabe[col::kMonth] = static_cast<char>('0' + month / 10);
        eingabe[col::kMonth + 1] = static_cast<char>('0' + month % 10);
        for (size_t k = 0; k < kDigitColumns.size(); ++k)
            eingabe[kDigitColumns[k]] = static_cast<char>(head[k]);

        // The line's own index is current during the overlap test, so that
        // it is compared with every line read before it.
        aktuelleZeile = at;
        if (Zeile_pruefen(true) >= 0) return fail();
        const std::string built = Zeile_auswerten(false, false);
        Zeile_einfuegen(at, built, false);
        texte.insert(texte.begin() + std::min<size_t>(at, texte.size()), text);
        eingabe[col::kMarker] = ' ';
        ++at;
    }

    host().adjustScrollRange();
    handModus = hand;
    host().checkAction(Action::ZHand, hand);
    host().checkAction(Action::ZAutomatik, !hand);
    Zuschlaege_neu_berechnen();
    Zeile_auswaehlen(static_cast<int>(zeilen.size()) - 1, true, false);
    f.close();
    // The page is saved under the month its lines left it in.
    if (angemeldet && at > 0) seitenMonat = monat;
    if (angemeldet && bearbeitungErlaubt) host().enableAction(Action::Speichern, true);
}

}  // namespace book
