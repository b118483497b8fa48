// The calculation settings block `Berechnungsgrundlagen`: 56 bytes,
// little-endian, stored as one image in the settings file.
#pragma once

#include <array>
#include <cstdint>
#include <ostream>

namespace book {

// Option bits (u16 at offset 50).
enum Option : uint16_t {
    kOptPkw = 0x0001,              // "Privat PKW-Zuschlag ein"
    kOptBereitschaft = 0x0002,     // "Bereitschaftszuschläge ein"
    kOptFeiertage = 0x0004,        // "Feiertage ein"
    kOptWechselZeitArt = 0x0008,   // "Wechsel Zeit/Art der Arbeit ein"
    kOptGanzeWochen = 0x0010,      // "Ganze Bereitschaftswochen ein"
    kOptMathRunden = 0x0020,       // "Mathematisch Runden ein"
    kOptUnterschrift = 0x0040,     // "Gültig nur mit Unterschrift"
    kOptFarbe = 0x0080,            // "In Farbe drucken"
    kOptStandardFormular = 0x0100, // "Standard Formular"
    kOptBackup = 0x0200,           // "Backup Ein/Aus"
    kOptBackupJedesMal = 0x0400,   // "Bei jedem Beenden"
    kOptBackupTaeglich = 0x0800,   // "Einmal pro Tag"
};

constexpr uint8_t kExtraRangeDisabled = 0x88;  // "Deaktiviert"

struct Berechnungsgrundlagen {
    static constexpr int kSize = 56;

    uint16_t prozentNormal = 25;
    uint16_t prozentExtra = 50;
    uint16_t prozentNacht = 25;
    uint16_t prozentFeiertag = 140;    // holiday class 1, Monday to Friday
    uint16_t prozentFeiertagWE = 100;  // holiday class 2, Saturday or Sunday
    std::array<uint8_t, 2> reserved10{};
    uint32_t nachtStart = 1200;
    uint32_t nachtEnde = 1440;
    uint32_t morgenEnde = 360;
    uint32_t tagesBudget = 120;  // minutes at the normal percentage; 0 = none
    uint8_t extraTage = 0x77;    // low nibble first weekday, high nibble last
    std::array<uint8_t, 3> reserved29{};
    uint32_t bereitschaftWoche = 7700;  // cents
    uint32_t bereitschaftWochenende = 3800;
    uint32_t pkwWoche = 2600;
    uint32_t pkwWochenende = 1500;
    uint8_t kommastellen = 1;
    uint8_t rundung = 6;  // minutes, 1..60
    uint16_t optionen = 0x00AE;
    uint8_t folgesicherungen = 1;
    std::array<uint8_t, 3> reserved53{};

    bool option(uint16_t bit) const { return (optionen & bit) != 0; }
    // Stores a night window entered as start S and end E (minutes below 1440).
    void setNachtfenster(uint32_t start, uint32_t end);

    std::array<uint8_t, kSize> encode() const;
    // Reads the image; a rounding unit of 0 reads as 60.
    static Berechnungsgrundlagen decode(const std::array<uint8_t, kSize>& bytes);

    bool operator==(const Berechnungsgrundlagen&) const = default;
};

std::ostream& operator<<(std::ostream& os, const Berechnungsgrundlagen& b);

}  // namespace book
