// The commands a search field sends to the table linked to it, and the
// interface through which the table receives them.
#pragma once

namespace table {

// One command of the search field; 4 + n reports that column n was chosen.
using Such_Kommando = unsigned;

constexpr Such_Kommando kSucheJetzt = 0;   // search now with the current text
constexpr Such_Kommando kAbgekoppelt = 1;  // the field is being detached from this target
constexpr Such_Kommando kAngekoppelt = 2;  // the field has been attached to this target
constexpr Such_Kommando kEnterGedrueckt = 3;
constexpr Such_Kommando kSpalteGewaehlt = 4;  // + column number

// Columns from here on cannot be reported: the tables keep their search
// column in a signed byte.
constexpr int kSpaltenGrenze = 128;

// A table that searches on behalf of a search field. The field compares
// targets by address, so linking the same table twice sends nothing.
class SuchZiel {
public:
    virtual void Suche(Such_Kommando cmd) = 0;

protected:
    ~SuchZiel() = default;
};

}  // namespace table
