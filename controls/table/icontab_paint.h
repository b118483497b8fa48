// Draws the grid tables of a table control from its screen layout: cell
// backgrounds, grid lines, texts and the selected row.
#pragma once

#include "controls/table/model/icontab_bild.h"
#include "controls/table/model/icontab_modell.h"
#include "platform/ui/canvas.h"

namespace table {

struct GitterStil {
    ui::TColor hintergrund = ui::clWhite;  // the control's Color
    ui::TColor rahmen = ui::clBtnFace;  // fixed cells
    bool fokus = false;  // the control has the focus
    int zeilenHoehe = 18;  // DefaultRowHeight
    bool keineAngaben = true;
    std::string neueZeileText;
};

// Paints every grid row placed in `bild`; the canvas font is the cell font.
void paintGitter(ui::Canvas& c, const IconTabModell& m, const TabBild& bild, const GitterStil& s);

}  // namespace table
