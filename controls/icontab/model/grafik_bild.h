// What the chart view of a table draws, as a list of filled rectangles,
// polygons, lines and texts computed from its screen layout; the painter
// only walks the list.
#pragma once

#include <string>
#include <vector>

#include "controls/icontab/model/icontab_bild.h"
#include "controls/table_shared/model/tab_druck.h"
#include "controls/table_shared/model/tab_typen.h"

namespace table {

using platform::Point;

struct GrafikTeil {
    enum Art : std::uint8_t { Flaeche, Vieleck, Linie, Text };
    Art art = Flaeche;
    Rect r;  // Flaeche: the area; Linie: from (left, top) to (right, bottom); Text: its clip
    std::vector<Point> ecken;
    TColor farbe = 0;  // of the text too
    std::string text;
    Point pos;  // top left of the text cell (of the turned cell for upright text)
    bool fett = false;
    bool senkrecht = false;  // turned by 90 degrees, read from the bottom up
};

struct GrafikStil {
    TColor hintergrund = kWeiss;
    TColor rahmen = kBtnFace;  // fixed rows
    TColor auswahl = 0xFFF6FF;
    TColor gitter = 0x808080;
    bool auswahlSichtbar = true;
};

// A bar's faces: the front in the row's colour (blue without one), the top
// a third lighter toward white, the side a third darker.
TColor heller(TColor c);
TColor dunkler(TColor c);
constexpr TColor kBalkenBlau = 0xFF0000;
constexpr int kGrafikPunkte = 8;

// The chart of table p (shown as a chart) as laid out in b; m measures the
// control font at the chart's size.
std::vector<GrafikTeil> grafikTeile(const TabBild& b, const TabellenPlatz& p, DruckMetrik& m,
                                    const GrafikStil& s);

}  // namespace table
