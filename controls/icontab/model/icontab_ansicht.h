// The records of the table control's other views: the bitmap and vector
// view (zoom, the shown part of the picture, the drawing) and the icon list
// layout with the measuring it needs.
#pragma once

#include <string_view>
#include <vector>

#include "controls/table_shared/model/tab_typen.h"
#include "controls/icontab/model/vektor_daten.h"

namespace table {

// One per control while a table shows a bitmap or a drawing.
struct BitmapAnzeige {
    double zoom = 1.0;        // screen pixels per picture pixel
    bool einpassen = true;    // the zoom follows the window
    bool verschoben = false;  // the mouse moved over the view
    Rect quelle;              // the part of the picture shown
    int bildBreite = 0;       // the picture's size; its pixels live in the window
    int bildHoehe = 0;
    VektorDaten vektor;
    VektorBild bild;  // the drawing scaled into the window
};

constexpr double kKleinsterZoom = 0.00001;

// The icon list: one line per data row, the icon and the text of the first
// non-fixed column, then the further visible columns at fixed positions.
struct ListenLayout {
    std::vector<int> breiten;  // per laid-out visible column; [fixed] is the first
    int zeilenHoehe = 18;      // icon height + 10 + text height of "G"
    int kleineHoehe = 13;      // text height of "G" in the list font
    int schrift = 8;           // points the further columns were measured at
    int gesamt() const;
};

// A metric without a window: every character 2/3 of the size wide (bold one
// more), lines 3/2 of the size high.
class SchaetzMetrik : public DruckMetrik {
public:
    int breite(std::string_view text, int punkte, bool fett) override {
        return static_cast<int>(text.size()) * (punkte * 2 / 3 + (fett ? 1 : 0));
    }
    int hoehe(std::string_view, int punkte, bool) override { return punkte * 3 / 2; }
};

// BerechneListe: the icon list layout of t; m measures the control font.
ListenLayout berechneListe(const Tabdefinition& t, DruckMetrik& m, int iconBreite, int iconHoehe,
                           const std::string& zusatztext);

}  // namespace table
