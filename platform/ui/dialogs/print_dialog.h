// The print dialog on the process-wide printer: the user picks a printer
// (CUPS) or a PDF file, copies and pages; tests replace the dialog.
#pragma once

#include <functional>
#include <string>

class QWidget;

namespace ui {

class Printer;

// True when the user chose to print; the choice is left on the printer.
// `fileName` (Windows-1252, no folder), when given, is the name the dialog
// offers for printing into a file (Printer::proposeFileName).
bool PrintDialog(QWidget* parent, const std::string& fileName = {});

// The dialog PrintDialog runs; empty restores Qt's. Tests script it.
using PrintDialogRunner = std::function<bool(Printer&)>;
void setPrintDialogRunner(PrintDialogRunner runner);

}  // namespace ui
