// What the statement printout reads, taken from the main window and the
// book at the moment of printing; both roads draw only from this.
#pragma once

#include <array>
#include <cstdint>
#include <string>
#include <vector>

#include "book/files/settings_block.h"

namespace app {

class TForm1;

struct Abrechnung {
    std::vector<std::string> zeilen;  // sheet lines without the entry line
    std::vector<std::string> texte;   // their work texts
    std::array<std::string, 11> summenZeilen;
    std::vector<std::string> bereitschaftsZeilen;  // two headings, then the periods
    // The six totals rounded to the unit, corrections taken off.
    std::array<int32_t, 6> gerundet{};
    // Standby counts as they count for money: 0 while the allowance is off.
    int32_t wochen = 0, wochenPkw = 0, wochenenden = 0, wochenendenPkw = 0;
    book::Berechnungsgrundlagen grundlagen;
    bool angemeldet = false;
    bool jahresbilanz = false;
    bool bearbeitungErlaubt = false;
    bool bereitschaft = false;
    bool pkw = false;
    std::string nachname, vorname, personalNr;
    std::string bereich;  // the default area text when the user has none
    std::string monatText, jahrText;
    std::array<std::string, 3> spaltenKoepfe;  // normal %, extra %, night
    std::string programmOrdner;

    bool standardFormular() const { return grundlagen.option(book::kOptStandardFormular); }
    bool farbe() const { return grundlagen.option(book::kOptFarbe); }
    bool nurMitUnterschrift() const { return grundlagen.option(book::kOptUnterschrift); }
};

Abrechnung abrechnungVon(const TForm1& form);

}  // namespace app
