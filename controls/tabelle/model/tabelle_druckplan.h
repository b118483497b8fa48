// How the grid table goes onto paper, without drawing: the font size that
// fits the page width (turning to landscape when needed), the printed column
// widths, the row height and which rows fall on which page.
#pragma once

#include <string>
#include <vector>

#include "controls/tabelle/model/tabelle_metrik.h"
#include "controls/tabelle/model/tabelle_modell.h"

namespace table {

struct DruckFlaeche {
    int breite = 0;
    int hoehe = 0;
};

struct GitterDruckPlan {
    bool zuBreit = false;      // too wide even in landscape at 8 points
    bool quer = false;         // the page turned to landscape
    int groesse = 8;           // points
    int m = 0;                 // width of "m"
    int rand = 0;              // left margin
    int gesamt = 0;            // sum of the column widths
    std::vector<int> breiten;  // per printed grid column
    int rh = 0;                // row height
    int zeilen = 0;            // data rows to print
    int erste = 0;             // rows on the first page
    int weitere = 0;           // rows on each later page
    int seiten = 0;
    int seitenHoehe = 0;
    // Printed at all: not too wide, with columns and rows of some height.
    bool druckbar() const { return !zuBreit && gesamt > 0 && rh > 0 && seiten > 0; }
    // The first data row (from 1) and the number of rows on page p (from 0).
    int ersteZeile(int p) const { return p == 0 ? 1 : 1 + erste + (p - 1) * weitere; }
    int zeilenAufSeite(int p) const;
};

constexpr int kGroessteDruckSchrift = 17;
constexpr int kKleinsteDruckSchrift = 8;
extern const char* const kZuBreitText;
extern const char* const kZuBreitTitel;

// The texts of one printed cell, as they are measured and drawn.
struct DruckText {
    std::string text;
    bool fett = false;
    bool doppelt = false;  // twice the print size (chart column 0 with L > 1)
};
// Every text of grid column c: the title row first, then each data row.
std::vector<DruckText> druckTexte(const TabelleModell& t, int c);

// Plans the print at the control's font size; `hoch` and `quer` are the
// printable area in portrait and landscape.
GitterDruckPlan planeDruck(const TabelleModell& t, GitterMetrik& metrik, int schriftGroesse,
                           DruckFlaeche hoch, DruckFlaeche quer);

}  // namespace table
