#include "app/dialogs/settings_values.h"

#include <cstdio>

#include "book/calculation/holidays.h"
#include "book/calculation/number_text.h"
#include "platform/core/codepage.h"
#include "platform/core/message_box.h"

namespace app {
namespace {

constexpr uint32_t kMaxProzent = 200;
constexpr uint32_t kMaxBetrag = 99900;  // cents
constexpr uint32_t kMinutenProTag = 1440;

bool isBlank(char c) { return c == ' ' || c == '_'; }
bool isDigit(char c) { return c >= '0' && c <= '9'; }

std::string trim(const std::string& s) {
    size_t a = 0, e = s.size();
    while (a < e && isBlank(s[a])) ++a;
    while (e > a && isBlank(s[e - 1])) --e;
    return s.substr(a, e - a);
}

}  // namespace

std::optional<uint32_t> zahlLesen(const std::string& text) {
    const std::string t = trim(text);
    if (t.empty() || t.size() > 9) return std::nullopt;
    uint32_t v = 0;
    for (char c : t) {
        if (!isDigit(c)) return std::nullopt;
        v = v * 10 + static_cast<uint32_t>(c - '0');
    }
    return v;
}

std::optional<uint32_t> betragLesen(const std::string& text) {
    const size_t comma = text.find(',');
    const std::string whole = text.substr(0, comma);
    const std::string part = comma == std::string::npos ? std::string() : text.substr(comma + 1);
    bool anyDigit = false;
    uint32_t euro = 0;
    int wholeDigits = 0;
    for (char c : whole) {
        if (isBlank(c)) continue;
        if (!isDigit(c) || ++wholeDigits > 6) return std::nullopt;
        euro = euro * 10 + static_cast<uint32_t>(c - '0');
        anyDigit = true;
    }
    if (part.size() > 2) return std::nullopt;
    uint32_t cents = 0;
    for (size_t i = 0; i < 2; ++i) {
        const char c = i < part.size() ? part[i] : ' ';
        if (isDigit(c)) {
            anyDigit = true;
        } else if (!isBlank(c)) {
            return std::nullopt;
        }
        cents = cents * 10 + (isDigit(c) ? static_cast<uint32_t>(c - '0') : 0);
    }
    if (!anyDigit) return std::nullopt;
    return euro * 100 + cents;
}

uint32_t uhrzeitLesen(const std::string& text) {
    const auto digit = [&](size_t i) -> uint32_t {
        return i < text.size() && isDigit(text[i]) ? static_cast<uint32_t>(text[i] - '0') : 0;
    };
    return (digit(0) * 10 + digit(1)) * 60 + digit(3) * 10 + digit(4);
}

std::string betragText(uint32_t cents) {
    char field[7] = {};
    // Six places "ddd,dd"; a stored amount too large for them shows as "*".
    book::zahlInFeld(cents, field, 5, 2, true);
    return trim(field);
}

std::string uhrzeitText(uint32_t minutes) {
    // The end of a night window up to midnight is stored as 1440 and shown
    // (and entered) as 00:00.
    const uint32_t m = minutes % kMinutenProTag;
    char buf[8];
    std::snprintf(buf, sizeof buf, "%02u:%02u", static_cast<unsigned>(m / 60),
                  static_cast<unsigned>(m % 60));
    return buf;
}

EinstellungsFelder einstellungenLaden(const book::Zeitbuch& b, int jahr) {
    EinstellungsFelder f;
    std::array<book::Feiertag, book::kHolidayCount> tabelle = b.feiertage;
    book::setMovableHolidays(tabelle, jahr);
    for (int i = 0; i < book::kHolidayCount; ++i) {
        char buf[16];
        std::snprintf(buf, sizeof buf, "%02u.%02u.%04d",
                      static_cast<unsigned>(tabelle[i].tag % 100),
                      static_cast<unsigned>(tabelle[i].monat % 100), jahr % 10000);
        f.feiertagsDaten[i] = buf;
        f.feiertagEin[i] = b.feiertage[i].ein;
    }
    const book::Berechnungsgrundlagen& g = b.grundlagen;
    const uint16_t prozente[5] = {g.prozentNormal, g.prozentExtra, g.prozentNacht,
                                  g.prozentFeiertag, g.prozentFeiertagWE};
    for (int i = 0; i < 5; ++i) f.prozente[i] = std::to_string(prozente[i]);
    const uint32_t betraege[4] = {g.bereitschaftWoche, g.bereitschaftWochenende, g.pkwWoche,
                                  g.pkwWochenende};
    for (int i = 0; i < 4; ++i) f.betraege[i] = betragText(betraege[i]);
    f.nachtBeginn = uhrzeitText(g.nachtStart);
    f.nachtEnde = uhrzeitText(g.morgenEnde != 0 ? g.morgenEnde : g.nachtEnde);
    f.folgesicherungen = std::to_string(g.folgesicherungen);
    f.tagesMinuten = std::to_string(g.tagesBudget);
    const int von = g.extraTage & 0x0F;
    const int bis = g.extraTage >> 4;
    f.vonTag = von >= 1 && von <= 8 ? von - 1 : -1;
    f.bisTag = f.vonTag != kVonTagDeaktiviert && bis >= 1 && bis <= 7 ? bis - 1 : -1;
    f.datenOrdner = b.datenOrdnerNeu.empty() ? b.datenOrdner : b.datenOrdnerNeu;
    f.backupOrdner = b.backupOrdner;
    f.bereich = b.bereichVorgabe;
    f.kommastellen = g.kommastellen <= 2 ? g.kommastellen : 1;
    f.rundung = std::to_string(g.rundung);
    f.optionen = g.optionen & kDialogOptionen;
    return f;
}

std::vector<Eingabefehler> einstellungenSpeichern(const EinstellungsFelder& f, book::Zeitbuch& b) {
    std::vector<Eingabefehler> fehler;
    book::Berechnungsgrundlagen& g = b.grundlagen;
    // Reads a field, or notes it as refused: 0 = no number, else the code.
    const auto pruefe = [&](std::optional<uint32_t> v, uint32_t max, int code, Feld feld) {
        if (!v) {
            fehler.push_back({0, feld});
        } else if (*v > max) {
            fehler.push_back({code, feld});
        } else {
            return true;
        }
        return false;
    };

    for (int i = 0; i < book::kHolidayCount; ++i) b.feiertage[i].ein = f.feiertagEin[i];

    uint16_t* prozente[5] = {&g.prozentNormal, &g.prozentExtra, &g.prozentNacht, &g.prozentFeiertag,
                             &g.prozentFeiertagWE};
    for (int i = 0; i < 5; ++i) {
        const std::optional<uint32_t> v = zahlLesen(f.prozente[i]);
        if (pruefe(v, kMaxProzent, 1 + i, static_cast<Feld>(static_cast<int>(Feld::Prozent1) + i)))
            *prozente[i] = static_cast<uint16_t>(*v);
    }
    uint32_t* betraege[4] = {&g.bereitschaftWoche, &g.bereitschaftWochenende, &g.pkwWoche,
                             &g.pkwWochenende};
    for (int i = 0; i < 4; ++i) {
        const std::optional<uint32_t> v = betragLesen(f.betraege[i]);
        if (pruefe(v, kMaxBetrag, 6 + i, static_cast<Feld>(static_cast<int>(Feld::Betrag1) + i)))
            *betraege[i] = *v;
    }

    const uint32_t beginn = uhrzeitLesen(f.nachtBeginn);
    if (pruefe(beginn, kMinutenProTag - 1, 10, Feld::NachtBeginn)) g.nachtStart = beginn;
    const uint32_t ende = uhrzeitLesen(f.nachtEnde);
    if (pruefe(ende, kMinutenProTag - 1, 11, Feld::NachtEnde)) {
        if (ende <= g.nachtStart) {  // the window crosses midnight
            g.nachtEnde = kMinutenProTag;
            g.morgenEnde = ende;
        } else {
            g.nachtEnde = ende;
            g.morgenEnde = 0;
        }
    }

    if (const std::optional<uint32_t> v = zahlLesen(f.tagesMinuten))
        g.tagesBudget = *v;
    else
        fehler.push_back({0, Feld::TagesMinuten});

    if (f.vonTag == kVonTagDeaktiviert) {
        g.extraTage = book::kExtraRangeDisabled;
    } else if (f.vonTag >= 0 && f.vonTag < 7) {
        const int bis = f.bisTag >= f.vonTag && f.bisTag < 7 ? f.bisTag : f.vonTag;
        g.extraTage = static_cast<uint8_t>((f.vonTag + 1) | ((bis + 1) << 4));
    }

    const std::string& inGebrauch = b.datenOrdnerNeu.empty() ? b.datenOrdner : b.datenOrdnerNeu;
    if (f.datenOrdner != inGebrauch) {
        if (f.datenOrdner == b.datenOrdner) {
            b.datenOrdnerNeu.clear();
        } else {
            // The blocks of the open database stay in use until the program
            // ends; the next start checks and copies the new one.
            b.datenOrdnerNeu = f.datenOrdner;
            platform::MessageBox(
                platform::cp1252("Der neue Pfad für die Datenbank wird erst beim nächsten "
                                 "Programmstart übernommen!"),
                "Hinweis");
        }
    }
    if (f.kommastellen >= 0 && f.kommastellen <= 2)
        g.kommastellen = static_cast<uint8_t>(f.kommastellen);
    const std::optional<uint32_t> rundung = zahlLesen(f.rundung);
    if (pruefe(rundung, 60, 12, Feld::Rundung)) {
        if (*rundung >= 1)
            g.rundung = static_cast<uint8_t>(*rundung);
        else
            fehler.push_back({12, Feld::Rundung});
    }

    g.optionen = f.optionen & kDialogOptionen;
    b.bereichVorgabe = f.bereich;

    if ((g.optionen & book::kOptBackup) != 0) {
        if (const std::optional<uint32_t> n = zahlLesen(f.folgesicherungen); n && *n <= 99)
            b.Sicherungsordner_vorbereiten(static_cast<uint8_t>(*n), f.backupOrdner);
    }
    return fehler;
}

std::string eingabefehlerText(int code) {
    static const char* const felder[13] = {
        nullptr,
        "Normal-Prozente!",
        "Extra-Prozente!",
        "Nacht-Prozente!",
        "Werktagsfeiertag-Prozente!",
        "Wochenendfeiertag-Prozente!",
        "Wochenzuschlagsangabe!",
        "Wochenendzuschlagsangabe!",
        "Privat PKW angabe für eine ganze Woche!",
        "Privat PKW angabe für eine ganzes Wochenende!",
        "den Beginn der Nachtzuschläge!",
        "das Ende der Nachtzuschläge!",
        nullptr,
    };
    std::string text;
    if (code >= 1 && code <= 5) {
        text = "Für die Prozentangaben dürfen maximal nur 200% eingetragen werden!\n"
               "Diesen Wert übersteigt die Angabe der ";
        text += felder[code];
    } else if (code >= 6 && code <= 9) {
        text = "Die Eurobeträge die das Programm verarbeiten kann sind auf 999€ begrenzt!\n"
               "Diese Grenze überschreitet die ";
        text += felder[code];
    } else if (code == 10 || code == 11) {
        text = "Keine gültige Uhrzeitangabe für ";
        text += felder[code];
    } else if (code == 12) {
        text = "Die Rundungsangabe für die Überstunden muss im Bereich von 1min bis 60min liegen!";
    } else {
        text = "Keine gültige Zahl eingegeben!";
    }
    return platform::cp1252(text);
}

std::string eingabefehlerCaption(int code) {
    return code == 0 ? std::string("Fehler") : platform::cp1252("Bereichsüberschreitung");
}

}  // namespace app
