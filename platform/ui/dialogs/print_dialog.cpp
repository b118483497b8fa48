#include "platform/ui/dialogs/print_dialog.h"

#include <QPrintDialog>

#include "platform/ui/printing/printer.h"
#include "platform/ui/printing/qt_printer.h"
#include "platform/ui/windows/window_placement.h"

namespace ui {
namespace {

PrintDialogRunner& runner() {
    static PrintDialogRunner r;
    return r;
}

}  // namespace

void setPrintDialogRunner(PrintDialogRunner r) { runner() = std::move(r); }

bool PrintDialog(QWidget* parent, const std::string& fileName) {
    Printer& p = printer();
    if (!fileName.empty()) p.proposeFileName(fileName);
    if (runner()) return runner()(p);
    auto* qt = dynamic_cast<QtPrinter*>(&p);
    if (qt == nullptr) return true;  // a printer without a device has nothing to choose
    QPrintDialog dialog(&qt->qprinter(), parent);
    keepAboveProgram(dialog);  // "Benutzer Drucken" beside the administration window
    return dialog.exec() == QDialog::Accepted;
}

}  // namespace ui
