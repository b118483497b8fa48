// The settings dialog's fields as texts and choices: filled from the book,
// and stored back with the range checks and their numbered errors. No Qt, so
// the rules are tested without widgets.
#pragma once

#include <array>
#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "book/sheet/zeitbuch.h"

namespace app {

// The fields in the order the OK button reads them (Windows-1252 texts).
struct EinstellungsFelder {
    std::array<std::string, book::kHolidayCount> feiertagsDaten;  // "dd.mm.yyyy"
    std::array<bool, book::kHolidayCount> feiertagEin{};
    std::array<std::string, 5> prozente;  // normal, extra, night, weekday and weekend holiday
    std::array<std::string, 4> betraege;  // standby week, weekend, car week, car weekend: "ddd,dd"
    std::string nachtBeginn;              // "hh:mm", blanks as "_" or " "
    std::string nachtEnde;
    std::string tagesMinuten;
    int vonTag = 0;  // 0 Monday .. 6 Sunday, 7 "Deaktiviert", -1 none
    int bisTag = 0;  // 0 .. 6, -1 none
    std::string datenOrdner;
    std::string bereich;
    int kommastellen = 1;  // 0, 1, 2
    std::string rundung;
    std::string backupOrdner;
    std::string folgesicherungen;
    uint16_t optionen = 0;  // bit n = check box n + 1, bits 0..11
};

constexpr int kVonTagDeaktiviert = 7;
constexpr uint16_t kDialogOptionen = 0x0FFF;

// Fields that can refuse their value.
enum class Feld {
    Prozent1, Prozent2, Prozent3, Prozent4, Prozent5,
    Betrag1, Betrag2, Betrag3, Betrag4,
    NachtBeginn, NachtEnde, TagesMinuten, Rundung,
};

// A refused value: its range error code 1..12, or 0 when the field holds no
// number at all. The book keeps the old value.
struct Eingabefehler {
    int code = 0;
    Feld feld = Feld::Prozent1;
    bool operator==(const Eingabefehler&) const = default;
};

// The fields as the book holds the settings; the holiday dates are those of
// `jahr` (the year the main window shows).
EinstellungsFelder einstellungenLaden(const book::Zeitbuch& b, int jahr);

// Stores every value that is in range into the book and returns the refused
// ones in field order. A changed data folder is kept for the settings file
// only (the database in use stays open until the next start) and says so; a
// checked "Backup Ein/Aus" with a generation count prepares the backup folders.
std::vector<Eingabefehler> einstellungenSpeichern(const EinstellungsFelder& f, book::Zeitbuch& b);

// The message of a refused value (caption "Bereichsüberschreitung" for codes
// 1..12) and its caption; Windows-1252.
std::string eingabefehlerText(int code);
std::string eingabefehlerCaption(int code);

// Field readers: a whole number of digits (blanks around it allowed); an
// amount "ddd,dd" in cents (blanks in the integer part ignored, missing
// decimals count as 0); a time "hh:mm" in minutes, blanks counting as 0.
std::optional<uint32_t> zahlLesen(const std::string& text);
std::optional<uint32_t> betragLesen(const std::string& text);
uint32_t uhrzeitLesen(const std::string& text);

// The text of an amount in cents ("77,00"), of minutes as "hh:mm".
std::string betragText(uint32_t cents);
std::string uhrzeitText(uint32_t minutes);

}  // namespace app
