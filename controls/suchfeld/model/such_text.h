// Text rules of the search field: how the search text is compared with a
// cell (`Vergleich`), which part of it a failed search marks (`NotFund`) and
// how a column name is shortened to fit the label (`Text_Ausgabe`).
#pragma once

#include <functional>
#include <string>
#include <string_view>

namespace table {

// Result bits of Vergleich beside the count of matching characters.
constexpr int kVergleichGleich = static_cast<int>(0x80000000u);  // both texts ended together
constexpr int kVergleichPraefix = 0x40000000;                    // the search text is a prefix
constexpr int kVergleichAnzahl = 0x3FFFFFFF;                     // matching characters

// Compares the search text with a cell text from the start: the count of
// leading characters that match, plus kVergleichGleich or kVergleichPraefix
// when no character mismatched. Without caseSensitive, bytes 65..122 and
// "ä" "ö" "ü" are compared with bit 5 cleared.
int Vergleich(std::string_view suchText, std::string_view zelle, bool caseSensitive);

// The part of the search text a failed search selects; empty when nothing.
struct Auswahl {
    int start = 0;
    int laenge = 0;
    bool operator==(const Auswahl&) const = default;
};
// pos -1 marks the last character; any other pos marks from pos (limited
// to the text) to the end, so the part that matched stays unmarked.
Auswahl notFundAuswahl(int textLaenge, int pos);

// Column names whose width is `grenze` pixels or more lose their last four
// characters for "..." (one character shorter per round) while they have
// at least five.
constexpr int kLabelGrenze = 69;
std::string Text_Ausgabe(std::string name, const std::function<int(const std::string&)>& breite,
                         int grenze = kLabelGrenze);

}  // namespace table
