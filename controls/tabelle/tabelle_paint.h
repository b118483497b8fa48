// Drawing the grid table: its cells and title markers, the chart rows, and
// the canvas metric that measures texts in the control's font family.
#pragma once

#include <array>
#include <map>
#include <tuple>

#include "controls/tabelle/model/tabelle_metrik.h"
#include "controls/tabelle/model/tabelle_modell.h"
#include "platform/ui/drawing/canvas.h"

namespace table {

// Measures in the family of `basis` at any size, at the resolution of the
// canvas. Widths are summed per character from a table of the 256
// Windows-1252 advances per size, so filling many cells stays cheap.
class CanvasMetrik : public GitterMetrik {
public:
    CanvasMetrik(ui::Canvas& canvas, const ui::Font& basis) : canvas_(canvas), basis_(basis) {}
    void setBasis(const ui::Font& basis);
    int breite(std::string_view text, int punkte, bool fett) override;
    int hoehe(int punkte, bool fett) override;

private:
    struct Tabelle {
        std::array<int, 256> breiten{};
        int hoehe = 0;
    };
    const Tabelle& tabelle(int punkte, bool fett);

    ui::Canvas& canvas_;
    ui::Font basis_;
    std::map<std::tuple<int, bool, int>, Tabelle> tabellen_;  // points, bold, resolution
};

struct TabellenStil {
    ui::Font font;  // the control's font
    ui::TColor hintergrund = ui::clWindow;
    bool fokus = false;
    bool suchfeld = false;  // a search field is set: its column is marked
};

// Draws every visible cell of the grid: backgrounds and lines as a grid
// does, then each cell's own content (nothing of that while locked).
void paintTabelle(ui::Canvas& c, const TabelleModell& t, const TabellenStil& stil, int breite,
                  int hoehe);

// The title markers, 10 x 12 pixels: the sort arrow and the search column's dot.
void zeichneSortPfeil(ui::Canvas& c, int x, int y, bool abwaerts);
void zeichneSuchMarker(ui::Canvas& c, int x, int y);

}  // namespace table
