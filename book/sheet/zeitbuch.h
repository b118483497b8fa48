// The overtime book `Zeitbuch`: settings, holiday table, signed-in user and
// the month page with its lines, time index, standby periods and totals. Its
// operations are defined in the .cpp files named beside each group below.
#pragma once

#include <array>
#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "book/sheet/host.h"
#include "book/files/settings_block.h"
#include "book/database/user_db_format.h"

namespace book {

class DbChange;

constexpr int kLineLength = 59;    // a sheet line, without its NUL
constexpr int kWorkTextMax = 150;  // "Art der Arbeit", without its NUL
constexpr int kStandbyPeriods = 9;
constexpr int kHolidayCount = 18;

// Columns of the sheet line.
namespace col {
constexpr int kMarker = 0;
constexpr int kLineNo = 1;    // 1-3
constexpr int kDay = 5;       // 5-6
constexpr int kMonth = 8;     // 8-9
constexpr int kWeekday = 11;  // 11-20
constexpr int kFromHour = 22;
constexpr int kFromMinute = 25;
constexpr int kToHour = 28;
constexpr int kToMinute = 31;
}  // namespace col

// The empty template line in which a new period is typed.
extern const char kTemplateLine[kLineLength + 1];
// ---- Sheet engine: the entry line as the sheet holds it at its end, the
// positions still to be typed shown as "_".
extern const char kEntryLine[kLineLength + 1];
// "Montag    " .. "Sonntag   ", index 1 = Monday .. 7 = Sunday (0 unused).
extern const char* const kWeekdayNames[8];
// "Januar" .. "Dezember" (Windows-1252), index 1..12 (0 unused).
extern const char* const kMonthNames[13];

// Kind code of a line marker: " " and "!" 0, "-" 1, "+" 2, "V" 3, "M" 4.
int kindOfMarker(char marker);

struct Feiertag {
    uint8_t tag = 0;
    uint8_t monat = 0;
    bool ein = false;
    bool operator==(const Feiertag&) const = default;
};

// Names in the fixed order of the table (Windows-1252).
extern const char* const kHolidayNames[kHolidayCount];
std::array<Feiertag, kHolidayCount> defaultHolidays();

// Per-line minute record of the surcharge split.
struct Minuten {
    int32_t gesamt = 0;  // negative for "-"
    int32_t normal = 0;
    int32_t extra = 0;
    int32_t nacht = 0;
    int32_t feiertag1 = 0;  // holiday on Monday to Friday
    int32_t feiertag2 = 0;  // holiday on Saturday or Sunday
    int32_t zeile = 0;      // line number (current line index + 1)
    int32_t wochentag = 0;  // 1 = Monday .. 7 = Sunday
    int32_t tag = 0;        // day of the month
    bool operator==(const Minuten&) const = default;
};

// One node of the time index: a parsed line of the page.
struct ZeitIndex {
    int32_t datum = 0;  // day number
    int32_t von = 0;    // minutes
    int32_t bis = 0;
    int32_t zeile = 0;  // index into the sheet lines
    uint8_t mark = 0;   // taken while the recomputation sorts
};

// Standby period record byte 0 flags.
constexpr uint8_t kStandbyFromPrevYear = 0x80;
constexpr uint8_t kStandbyIntoNextYear = 0x40;

// User option byte `Benutzeroptionen`.
enum UserOption : uint8_t {
    kUserMathRunden = 0x01,
    kUserPkw = 0x02,
    kUserAdminfreigabe = 0x04,
    kUserAdministrator = 0x08,
    kUserProTag = 0x10,
    kUserGanzeWochen = 0x20,
    kUserKeinZeitvorschlag = 0x40,
    kUserKeineAutomatik = 0x80,
};

class Zeitbuch {
public:
    explicit Zeitbuch(ZeitbuchHost& host);

    ZeitbuchHost& host() { return *host_; }
    void setHost(ZeitbuchHost& host) { host_ = &host; }

    // ---- Settings -------------------------------------------------------
    Berechnungsgrundlagen grundlagen;
    std::array<Feiertag, kHolidayCount> feiertage = defaultHolidays();
    int feiertagsJahr = 0;  // year of the movable feasts in the table

    // ---- Strings of the book (Windows-1252) ------------------------------
    std::string anzeigeName;   // display names in the window caption
    std::string autoBenutzer;  // automatic sign-in
    std::string autoPasswort;
    bool autoAnmeldung = false;
    std::string datenOrdner;  // data folder
    // A data folder chosen while the program runs: the settings file takes
    // it, the database in use stays `datenOrdner` until the next start.
    std::string datenOrdnerNeu;  // "" = none chosen
    std::string adminPasswort = "8542";
    std::string programmOrdner;  // current folder at start
    std::string backupOrdner;
    std::string bereichVorgabe;  // default text of the area field

    // ---- Signed-in user -------------------------------------------------
    std::string benutzerName, nachname, vorname, personalNr, bereich;
    int64_t blockPosition = 0;  // the user's block in "Benutzer.dat"
    uint8_t benutzerOptionen = 0;

    // ---- Calculation flags ----------------------------------------------
    bool mathRunden = true;     // half-up rounding
    bool pkw = false;           // private-car allowance
    bool bereitschaft = true;   // standby allowances
    bool feiertageEin = true;   // holidays counted
    bool proTag = true;         // per-day budget
    bool ganzeWochen = false;   // whole standby weeks
    bool zeitvorschlag = true;  // time proposal on
    bool handModus = false;     // standby counts set by hand

    bool angemeldet = false;
    bool adminAngemeldet = false;
    bool bearbeitungErlaubt = true;
    bool seiteGespeichert = false;    // page is in the database
    bool jahresbilanz = false;        // year-balance mode
    bool blattAngezeigt = false;      // sheet shown
    uint8_t datenbankFehler = 0;      // 0 = sound; 1..9, 17..24

    // ---- Month page ------------------------------------------------------
    int jahr = 1900;          // shown year
    int monat = 1;            // shown month 1..12
    int tag = 1;              // current day of the month
    int ersterWochentag = 1;  // weekday of the 1st, 1 = Monday
    int monatsLaenge = 31;
    int seitenMonat = 0;  // month the page was loaded for (save key)

    std::vector<std::string> zeilen;               // 59-character sheet lines; last = template
    std::vector<std::string> texte;                // work texts, parallel to `zeilen`
    std::vector<std::string> bereitschaftsZeilen;  // text lines of the standby periods
    std::array<std::string, 11> summenZeilen;      // the totals block

    int aktuelleZeile = 0;   // current line index
    int einfuegeIndex = -1;  // uncommitted inserted line, -1 = none
    // A line is being edited: the inserted line is open. The time index does
    // not count it yet, so the page is not recomputed until it is stored or left.
    bool zeileInBearbeitung() const { return einfuegeIndex != -1; }
    // A recomputation was asked for while the line was being edited; it runs
    // once the line is left (storing it recomputes the page anyway).
    bool neuBerechnungFaellig = false;
    int zeilenAnzahl = 0;    // line count of the page (year balance)

    std::string eingabe;     // entry line, 59 characters
    std::string textPuffer;  // work text buffer, 151 characters, blank padded
    int textLaenge = 0;

    // Parsed line.
    int pTag = 0;
    int32_t pDatum = 0;
    int32_t pVon = 0;
    int32_t pBis = 0;

    Minuten rec;
    std::vector<ZeitIndex> zeitIndex;  // in list order

    // Daily budget state.
    int budgetTag = 0;
    int32_t budgetMinuten = 0;

    // Chronology check: last line that passed in ascending order.
    int32_t chronoDatum = 0;
    int32_t chronoBis = 0;

    // Time proposal: today as refreshed by the window's timer.
    int heuteJahr = 0, heuteTag = 0, heuteMonat = 0, heuteStunde = 0, heuteMinute = 0;
    bool vorschlagGemacht = false;

    // Standby state.
    StandbyList bereitschaftsListe{};
    int32_t wochen = 0, wochenenden = 0, wochenPkw = 0, wochenendenPkw = 0;
    int32_t laufStart = 0;       // first day of the running standby period
    int32_t laufFreitag = 0;     // that period's Friday
    int32_t uebertragStart = 0;  // carried over from the previous month

    // Totals: total, normal, extra, night, holiday class 1, class 2.
    std::array<int32_t, 6> summen{};
    int32_t korrekturNormal = 0;
    int32_t korrekturExtra = 0;

    // ---- Numbers and texts (number_text.cpp) -----------------------------
    static int Zweistellig_lesen(const char* text);
    static void Zahl_in_Text(int32_t value, char* dest, int last, int decimals, bool showZero);

    // ---- Month page and holidays (month_page.cpp, holidays.cpp) ----------
    void Monat_einstellen(int month);
    int Ist_Feiertag(int day, int month) const;
    void bewegliche_Feiertage(int year);  // movable feasts of `year` into the table
    // ---- Holiday bits of one month, kept for Ist_Feiertag (holidays.cpp) -
    struct FeiertagsCache {
        int jahr = 0;
        int monat = 0;  // 0 = nothing kept
        int laenge = 0;
        std::array<Feiertag, kHolidayCount> tabelle{};  // the table they came from
        std::array<uint8_t, 32> bits{};                 // by day of the month
    };
    mutable FeiertagsCache feiertagsCache;

    // ---- Surcharge split (surcharges.cpp) --------------------------------
    void Zuschlaege_berechnen(int kind);

    // ---- Totals (totals.cpp) ---------------------------------------------
    void Summen_anzeigen(int month);
    // Rounds minutes to the rounding unit with the current rounding mode.
    int32_t runden(int32_t minutes) const;
    // ---- Totals block and standby lines (totals.cpp, standby_lines.cpp) --
    // Indexes of the totals lines (`summenZeilen`).
    static constexpr int kSummeGesamt = 0;      // 0..5: the six totals
    static constexpr int kSummeAnzahlKopf = 6;  // "Anzahl Summe"
    static constexpr int kSummeWochen = 7;      // 7..10: standby counts
    static constexpr int kSummeWochenPkw = 8;
    static constexpr int kSummeWochenenden = 9;
    static constexpr int kSummeWochenendenPkw = 10;
    // The eleven totals lines as created, before any figure is written.
    static std::array<std::string, 11> summenVorlage();
    // Puts the five percentages (lines 1-5) and the four allowance amounts
    // (lines 7-10) of the settings into the totals lines; the window calls
    // it whenever it shows changed settings.
    void einstellungenEintragen();

    // ---- Line check and parsing (line_check.cpp, line_parse.cpp) ---------
    int Zeile_pruefen(bool checkOverlap);
    const char* Zeile_auswerten(bool compute, bool parse);
    void Zeile_auswaehlen(int index, bool force, bool displayOnly);

    // ---- Page recomputation (recompute.cpp) -------------------------------
    void Zeile_einfuegen(int index, const std::string& text, bool adjust);
    void Zuschlaege_neu_berechnen();

    // ---- Sheet engine (line_check.cpp, line_parse.cpp, standby_detect.cpp,
    //      line_select.cpp, recompute.cpp) ---------------------------------
    // Standby periods in the list: the records before the first whose week
    // number (low 6 bits) is 0, at most 9. Savers write this many.
    int bereitschaftsAnzahl() const;

    // ---- Page lifecycle (page.cpp) ---------------------------------------
    // Empties the page down to the template line and clears the totals,
    // counts, standby state, budget, corrections and chronology pair.
    void seiteLeeren();

    // ---- Month loading and saving, year balance, save question ------------
    //      (month_store.cpp, year_balance.cpp, save_question.cpp)
    // The last load from the database failed: the page month may belong to
    // another page, so the page is not saved to the database until another
    // page is loaded ("Speichern als" stays available).
    bool ladeFehler = false;
    int bilanzZusatzzeilen = 0;  // sheet rows the year balance adds to the scroll range
    // Loads (year, month) of the signed-in user; month 0 with year 0 loads
    // the last saved page. The outcome is in `seiteGespeichert` and the page.
    void Monat_laden(uint8_t month, int year);
    // Writes the shown page into the user's block; false when it was not
    // saved (the page then stays marked as changed). When another program
    // saved the month since this window loaded it, asks before overwriting.
    bool Monat_speichern();
    // A month as stored: absent, or its entry's bytes without the length
    // field (which changes when the entries around it move).
    struct GespeicherterMonat {
        bool vorhanden = false;
        std::string inhalt;
        bool operator==(const GespeicherterMonat&) const = default;
    };
    // The stored month this window loaded or saved last.
    struct GeladenerMonat {
        bool gueltig = false;
        std::string benutzer;
        int jahr = 0, monat = 0;
        GespeicherterMonat stand;
    };
    GeladenerMonat geladenerMonat;
    // The last save stopped at the user's "Nein" to overwriting another
    // program's save: the page stays as it is, nothing else is offered.
    bool ueberschreibenAbgelehnt = false;
    void Jahresbilanz_erstellen(int year);
    // `vomBenutzer`: the command came from the user (the sender was given).
    // False when a failed save kept the page and nothing was switched.
    bool BilanzExecute(bool vomBenutzer);
    // Asks whether to save a changed page, then clears it. False (and the
    // page kept) when the user chose to save and the save failed.
    bool Seite_sichern_fragen();
    // A save that did not complete: the message (when not yet shown), the page
    // kept as changed and, when the files may be half written, the check.
    bool speichernFehlgeschlagen(bool geschrieben, bool melden);
    // The check failed after a change of the files: say so and sign the user out.
    void datenbankBeschaedigt();
    // ---- Settings file, safety copies, month files -------------------------
    // settings_file.cpp: true reads "Kronlauf.ini" of the program folder
    // (result: the file was read whole), false writes it (result: saved).
    bool Einstellungen_laden_speichern(bool lesen);
    // "Kronlauf.ini" as this program read it, or as it last wrote it.
    struct EinstellungsStand {
        bool gelesen = false;
        std::optional<std::string> datei;  // its bytes; none: it could not be read
        bool fehlerhaft = false;           // it was there but not read whole
        std::string werte;                 // the book's settings then, as a file image
    };
    EinstellungsStand einstellungsStand;
    // At the end of the run: writes "Kronlauf.ini" only when it is missing,
    // when this program changed a setting, or when it was read damaged. When
    // another program wrote it meanwhile, asks first and keeps that
    // program's settings where this one changed nothing. False: a write failed.
    bool einstellungenBeimBeenden();
    // backup.cpp: true takes the safety copies, false offers the restore.
    void Datenbank_sichern_wiederherstellen(bool sichern);
    // Creates the generation folders 1..count below `base` and removes
    // surplus ones; true when it FAILED.
    bool Sicherungsordner_vorbereiten(uint8_t count, const std::string& base);
    void Sicherung_rotieren();
    // month_file.cpp: writes the shown page as a month file; false on failure.
    bool Akt_speichern(const std::string& name);
    void Akt_laden(const std::string& name);
    // Asks for a file name and saves the page there.
    bool SpeichernAlsExecute();  // true when the month file was written
    // Asks for a month file, ends the year balance, clears the page with its
    // save question and loads the file.
    void LadenExecute();

    // ---- User database (db_check.cpp, sign_in.cpp, user_records.cpp) -----
    std::string passwort;          // the signed-in user's password
    uint32_t benutzerReserve = 0;  // reserved u32 of the user record, kept as read
    bool administrator = false;    // administrator rights (administrator sign-in or user bit 0x08)
    bool adminFreigabe = false;    // "Adminfreigabe": the administrator may edit the pages
    // A named user's block holds the page (not a bare administrator session).
    bool benutzerBlockAktiv() const { return angemeldet && !benutzerName.empty(); }

    // True when the database is sound or absent; a fault sets `datenbankFehler`.
    bool Datenbank_pruefen();
    // Sign-in with the dialog's user name and password; true when somebody
    // is signed in now. The caller loads the month.
    bool Pruefe_Anmeldung(const std::string& name, const std::string& kennwort);
    // True when another record already holds `name`; `bearbeiten` skips the
    // signed-in user's own record.
    bool Benutzername_vorhanden(const std::string& name, bool bearbeiten);
    // Appends a user record and an empty block; false (with its message) on failure.
    bool Benutzer_anlegen(const Benutzerdaten& daten);
    bool Neuer_Benutzerblock(DbChange& change, uint32_t indexPosition, uint32_t& blockOffset);
    // Rewrites (loeschen false) or deletes the user record of the block at `block`.
    // The signed-in user's own record (`block` is his block) is found again by
    // name and password, and the book takes the new record at once, so that
    // the shown page can still be saved. A delete with a user name in `daten`
    // removes only that user's record: a block that another program has given
    // to another user since the caller took its offset is refused.
    bool Datenbank_aendern(uint32_t block, bool loeschen, const Benutzerdaten& daten = {});
    // Moves the block to the end of the file and the entry (jahr, seitenMonat)
    // to the end of the block, or deletes the block. `eintragZuletzt`: that
    // entry exists and is now the block's last.
    bool Benutzerblock_verschieben(uint32_t block, bool loeschen, bool* eintragZuletzt = nullptr);
    // The same as one step of a larger change (begun by the move).
    bool Benutzerblock_verschieben(DbChange& change, uint32_t block, bool loeschen,
                                   bool* eintragZuletzt);
    // The signed-in user's block, found again from the first record with his
    // name and password, and only when that block points back to the record.
    // Call under the database lock: other programs move blocks. When false,
    // `oeffnenFehler` receives the error number of a file that could not be
    // opened, or 0 when the files were read and the user is not there.
    bool eigenenBlockFinden(uint32_t& block, int* oeffnenFehler = nullptr);
    void Abgemeldet_anzeigen();
    void Bearbeitung_freigeben(bool erlaubt);

private:
    // Writes the settings file and notes it as this program's state.
    bool einstellungenSchreiben(const std::string& bytes);
    // The signed-in user's record was rewritten with `daten`.
    void eigenenSatzUebernehmen(const Benutzerdaten& daten);
    ZeitbuchHost* host_;
    char built_[kLineLength + 1] = {};  // result buffer of Zeile_auswerten

    // ---- Sheet engine (private) -------------------------------------------
    // Refuses a field of the entry line: beep, status code 3, its column.
    int feldAblehnen(int column);
    // Automatic standby detection for the parsed line on weekday `w`.
    void bereitschaftErkennen(int w);
    // Repaints through the host while the sheet is shown.
    void blattNeuZeichnen(bool whole);
    bool neuBerechnung_ = false;  // the whole page is being recomputed

    // ---- Month saving (month_store.cpp) -------------------------------------
    // The save itself, under the lock; stops with `fremd_` set when the stored
    // month is neither as loaded nor as the user agreed to overwrite it.
    bool monatSchreiben();
    bool fremdGespeichert(uint32_t block);
    std::optional<GespeicherterMonat> zugestimmt_, fremd_;
};

}  // namespace book
