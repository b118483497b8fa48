// The printout of the table control without a printer: column widths in the
// print font, the font size that makes the widest table fill the page, the
// orientation, and the pages with the rows on each. The page total printed
// in the footers is the number of pages planned here.
#pragma once

#include <array>
#include <functional>
#include <string>
#include <string_view>
#include <vector>

#include "controls/table_shared/model/tab_typen.h"

namespace table {

// Measures texts in the print font (the control font's name) at a size.
class DruckMetrik {
public:
    virtual ~DruckMetrik() = default;
    virtual int breite(std::string_view text, int punkte, bool fett) = 0;
    virtual int hoehe(std::string_view text, int punkte, bool fett) = 0;
};

// Column widths of one table: [0] the left margin (2 x "m"), [c + 1] the
// width of visible column c; the row of each column's widest text.
struct Breiten {
    std::vector<int> breiten;
    std::vector<int> breitesteZeile;  // -1 = none
};

// Fills b for t at the given size and returns the sum of the column widths.
// With messen every cell is measured and the widest row of each column
// remembered; without, only the remembered cells are measured again.
int GetColBreiten(DruckMetrik& m, int punkte, Breiten& b, const Tabdefinition& t, bool messen);

struct SeitenFormat {
    int breite = 0;
    int hoehe = 0;
};

// One row on a page: the table (index into the list), the row, its top.
struct DruckZeile {
    int tabelle = 0;
    int row = 0;
    int y = 0;
    int hoehe = 0;
};

struct DruckSeite {
    std::vector<DruckZeile> zeilen;
    int vektor = -1;  // a page of its own for this drawing table
};

enum class DruckErgebnis { Drucken, Nichts, ZuBreit };

struct DruckPlan {
    DruckErgebnis ergebnis = DruckErgebnis::Nichts;
    bool quer = false;
    SeitenFormat seite;
    int punkte = 8;                // print font size; the title is 4 points larger, bold
    int zeilenHoehe = 0;           // text height of "M"
    int titelHoehe = 0;            // 0 without a title
    int fussY = 0;                 // top of the footer: page height - text height of "A"
    std::vector<Breiten> breiten;  // one per table of the list
    std::vector<DruckSeite> seiten;
};

// Tables whose display format has no place on paper (the bitmap view) are
// left out; a drawing gets a page of its own; format(quer) says the
// printable size in either orientation.
DruckPlan planeDruck(const std::vector<const Tabdefinition*>& tabellen, DruckMetrik& m,
                     const std::function<SeitenFormat(bool quer)>& format,
                     const std::string& titel);

// A chart on paper: four cells per row, column 0, the labels left of the
// value column, the value, the labels right of it (lines joined by CR LF).
std::array<std::string, 4> grafikZellen(const Tabdefinition& t, int row);
// How much of the value column a row's bar fills, 0 to 1.
double grafikAnteil(const Tabdefinition& t, int row);
constexpr TColor kGrafikGrau = 0xC0C0C0;

// "Seite n von N Seiten"; empty for a one-page print.
std::string seitenFuss(int seite, int seiten);

constexpr const char* kZuBreitText =
    "Tabelle kann nicht gedruckt werden,\nda die Breite zu gro\xDF ist!";
constexpr const char* kZuBreitTitel = "nicht m\xF6glich";
constexpr int kSeitenFrage = 10;  // more pages than this ask first
std::string seitenFrage(int seiten);
constexpr const char* kSeitenFrageTitel = "Wirklich";

}  // namespace table
