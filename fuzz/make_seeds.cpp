// Writes the small seed corpora of the fuzz targets with the program's own
// writers: users added, pages typed and saved, settings and month files
// written, report texts and byte programs. Run from the checkout:
// build/fuzz/fuzz/fuzz_seeds fuzz/corpus
#include <stdlib.h>

#include <cstdio>
#include <string>

#include "book/database/db_journal.h"
#include "book/sheet/host.h"
#include "book/files/month_file.h"
#include "book/files/settings_file.h"
#include "book/sheet/zeitbuch.h"
#include "fuzz/fuzz_support.h"
#include "platform/core/message_box.h"
#include "platform/core/path.h"

namespace {

std::string root;

void seed(const std::string& target, const std::string& name, const std::string& bytes) {
    const std::string dir = platform::joinPath(root, target);
    if (!platform::dirExists(dir)) platform::createDir(dir);
    fuzz::putFile(platform::joinPath(dir, name), reinterpret_cast<const uint8_t*>(bytes.data()),
                  bytes.size());
}

// Types a line into the open entry line as the sheet editing does.
void typeLine(book::Zeitbuch& zb, int day, int from, int to, char marker, const char* text) {
    char e[book::kLineLength + 1];
    std::snprintf(e, sizeof e, "%s", book::kTemplateLine);
    std::string line = e;
    auto two = [&](int column, int v) {
        line[column] = static_cast<char>('0' + v / 10);
        line[column + 1] = static_cast<char>('0' + v % 10);
    };
    two(book::col::kDay, day);
    two(book::col::kMonth, zb.monat);
    two(book::col::kFromHour, from / 60);
    two(book::col::kFromMinute, from % 60);
    two(book::col::kToHour, to / 60);
    two(book::col::kToMinute, to % 60);
    line[book::col::kMarker] = marker;
    const int at = zb.aktuelleZeile;
    zb.eingabe = line;
    if (zb.Zeile_pruefen(true) >= 0) std::abort();
    zb.texte.insert(zb.texte.begin() + at, text);
    zb.Zeile_einfuegen(at, zb.Zeile_auswerten(true, false), true);
    zb.Zuschlaege_neu_berechnen();
    zb.einfuegeIndex = -1;
    zb.Zeile_auswaehlen(at + 1, false, false);
}

// A cleared page of (year, month) with `lines` lines; hand mode with one
// standby period when asked.
void page(book::Zeitbuch& zb, int year, int month, int lines, bool hand) {
    zb.seiteLeeren();
    zb.jahr = year;
    zb.Monat_einstellen(month);
    zb.seitenMonat = month;
    zb.zeitvorschlag = false;
    zb.Zeile_auswaehlen(static_cast<int>(zb.zeilen.size()) - 1, true, false);
    static const char marks[] = " !-+VM";
    for (int l = 0; l < lines; ++l)
        typeLine(zb, 1 + l * 2, 7 * 60 + l, 16 * 60 + 30, marks[l % 6], l % 2 ? "Wartung" : "");
    zb.handModus = hand;
    if (hand) {
        zb.wochen = 1;
        zb.bereitschaftsListe.fill(0);
        const uint8_t period[5] = {10, 4, 3, 10, 3};
        std::copy(period, period + 5, zb.bereitschaftsListe.begin());
    }
}

void databases() {
    const std::string& dir = fuzz::scratchFolder();
    platform::deleteFile(book::indexPath(dir));
    platform::deleteFile(book::blockPath(dir));
    book::NullHost host;
    book::Zeitbuch zb(host);
    zb.datenOrdner = dir;
    auto snapshot = [&](const char* name) {
        seed("database", name,
             fuzz::joinDatabase(fuzz::getFile(book::indexPath(dir)),
                                fuzz::getFile(book::blockPath(dir))));
    };
    for (const char* name : {"anna", "bert", "carla"})
        if (!zb.Benutzer_anlegen({name, "pw", "Name", "Vorname", "17", "IT", 0x11})) std::abort();
    snapshot("users");
    for (const char* name : {"anna", "bert"}) {
        if (!zb.Pruefe_Anmeldung(name, "pw")) std::abort();
        page(zb, 2024, 2, 3, name[0] == 'b');
        if (!zb.Monat_speichern()) std::abort();
        page(zb, 2024, 3, 2, false);
        if (!zb.Monat_speichern()) std::abort();
    }
    snapshot("pages");
    // A save cut off after its journal is whole: the database as it was cut,
    // with the journal behind the block file.
    const std::string log = fuzz::getFile(book::indexPath(dir));
    const std::string dat = fuzz::getFile(book::blockPath(dir));
    for (int k = 1; k < 40; ++k) {
        platform::ScriptedMessages boxes;
        if (!zb.Pruefe_Anmeldung("anna", "pw")) std::abort();
        page(zb, 2024, 4, 1, false);
        platform::injectCrashAfter(k);
        zb.Monat_speichern();
        platform::injectCrashAfter(0);
        const std::string j = fuzz::getFile(book::journalPath(dir));
        if (j.compare(0, 8, "KLBJRNL1") == 0) {
            seed("database", "journal",
                 fuzz::joinDatabase(fuzz::getFile(book::indexPath(dir)),
                                    fuzz::getFile(book::blockPath(dir)) + j));
            break;
        }
        platform::deleteFile(book::journalPath(dir));
        fuzz::putFile(book::indexPath(dir), reinterpret_cast<const uint8_t*>(log.data()), log.size());
        fuzz::putFile(book::blockPath(dir), reinterpret_cast<const uint8_t*>(dat.data()), dat.size());
    }
    platform::deleteFile(book::journalPath(dir));
    fuzz::putFile(book::indexPath(dir), reinterpret_cast<const uint8_t*>(log.data()), log.size());
    fuzz::putFile(book::blockPath(dir), reinterpret_cast<const uint8_t*>(dat.data()), dat.size());
    zb.angemeldet = false;
    if (!zb.Datenbank_aendern(0, true)) std::abort();  // the first block goes
    snapshot("deleted");
}

void settingsAndMonthFiles() {
    book::NullHost host;
    book::Zeitbuch zb(host);
    zb.datenOrdner = "C:\\Daten\\Benutzer";
    zb.backupOrdner = "D:\\Sicherung";
    zb.autoBenutzer = "anna";
    seed("settings_file", "defaults", book::settingsFileImage(zb));
    page(zb, 2024, 2, 3, false);
    seed("month_file", "lines", book::monthFileImage(zb));
    page(zb, 2024, 3, 2, true);
    seed("month_file", "hand", book::monthFileImage(zb));
}

void texts() {
    seed("report_parser", "form",
         "Seiten 1\nSchrift \"Arial\" 10\nText 100 100 \"Ueberstunden\"\n"
         "Linie 100 200 1800 200\nRahmen 100 300 1800 900\nFeld 120 320 \"Name\"\n");
    seed("string_table", "ops",
         std::string("\x00\x05\x03\x01\x01\x00\x03"
                     "abc\x05"
                     "a\x01\x00\x00\x01",
                     16));
    std::string standby = {static_cast<char>(0xE8), 0x07, 3, 10, 4, 3, 10, 3};
    standby.resize(3 + 45 + 42, '\0');
    for (int c = 10; c < 17; ++c) standby[3 + 45 + c] = 1;
    seed("standby_records", "week", standby);
    seed("html_format", "header",
         "Version:0.9\r\nStartHTML:0000000097\r\nEndHTML:0000000170\r\n"
         "StartFragment:0000000131\r\nEndFragment:0000000134\r\n"
         "<html><body><!--StartFragment--><td>1</td><!--EndFragment--></body></html>");
}

}  // namespace

int main(int argc, char** argv) {
    if (argc != 2) {
        std::fprintf(stderr, "usage: fuzz_seeds <corpus folder>\n");
        return 2;
    }
    root = argv[1];
    platform::ScriptedMessages boxes;
    databases();
    settingsAndMonthFiles();
    texts();
    return 0;
}
