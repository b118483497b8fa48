// What the table control asks of the desktop to get its contents out: the
// export save dialog, opening a mail link, choosing and turning the printer.
// Each is one replaceable function, so tests answer in place of the desktop.
#pragma once

#include <functional>
#include <optional>
#include <string>

class QWidget;

namespace ui {
class Printer;
}

namespace table {

struct ExportWahl {
    std::string datei;  // as chosen, ".txt" added by the dialog where it had none
    int filter = 1;     // 1-based filter index = export mode
};

using ExportDialog = std::function<std::optional<ExportWahl>(QWidget* owner)>;
using LinkOeffner = std::function<bool(const std::string& link)>;
// Whether printing may go ahead on ui::printer() (a printer or a PDF file chosen).
using DruckerWahl = std::function<bool(QWidget* owner)>;
// Turns the printer's paper; false when it cannot.
using Ausrichtung = std::function<bool(ui::Printer& printer, bool quer)>;

std::optional<ExportWahl> exportDialog(QWidget* owner);
bool linkOeffnen(const std::string& link);
bool druckerWaehlen(QWidget* owner);
bool ausrichten(ui::Printer& printer, bool quer);

// Each returns the function it replaces; an empty one restores the desktop's.
ExportDialog setExportDialog(ExportDialog f);
LinkOeffner setLinkOeffner(LinkOeffner f);
DruckerWahl setDruckerWahl(DruckerWahl f);
Ausrichtung setAusrichtung(Ausrichtung f);

}  // namespace table
