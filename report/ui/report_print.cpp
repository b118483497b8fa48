#include "report/ui/report_print.h"

#include "platform/ui/printing/printer.h"
#include "report/report.h"
#include "report/report_draw.h"
#include "report/ui/qt_report_canvas.h"

namespace report {

bool druckeReport(Report& r, ui::Printer& printer, const std::string& title, int copies) {
    printer.setLandscape(r.Ausrichtung() == kQuerformat);
    printer.setCopies(copies);
    if (!printer.BeginDoc(title)) {
        ui::showPrintFailure(false);
        return false;
    }
    const ui::PrinterMetrics m = printer.metrics();
    const DrawZiel ziel = druckerZiel(r, m.physicalWidth, m.physicalHeight, m.offsetX, m.offsetY,
                                      m.pixelsPerInchX);
    QtReportCanvas canvas(printer.canvas(), [&printer] { printer.NewPage(); });
    // Frames, boxes and texts are drawn on the paper without a fill behind them.
    printer.canvas().brush.style = ui::BrushStyle::Clear;
    // While the report asks for a count, the first pass only counts. A
    // report that would draw too much says so and prints no page at all.
    r.neuerAuftrag();
    const bool gezaehlt = !(r.Seiten() != 1 && r.Zaehlen()) || DrawCanvas(r, canvas, ziel);
    if (!gezaehlt || !DrawCanvas(r, canvas, ziel)) {
        printer.Abort();
        return false;
    }
    if (!printer.EndDoc()) {
        ui::showPrintFailure(true);
        return false;
    }
    return true;
}

}  // namespace report
