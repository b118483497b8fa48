// Printing the grid table (or its chart) on the process-wide printer.
#pragma once

#include <string>

#include "controls/tabelle/model/tabelle_modell.h"
#include "platform/ui/drawing/drawing_state.h"
#include "platform/ui/printing/printer.h"

namespace table {

// Prints with the title above the first page, the font fitted to the page
// width; false when nothing was printed (too wide, empty, printer failed).
bool druckeTabelle(const TabelleModell& t, ui::Printer& drucker, const std::string& titel,
                   const ui::Font& font);

}  // namespace table
