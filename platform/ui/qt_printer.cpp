#include "platform/ui/qt_printer.h"

#include <QPageLayout>
#include <QPageSize>
#include <QPrinterInfo>

#include "platform/ui/qt_text.h"

namespace ui {

QtPrinter::QtPrinter() : printer_(QPrinter::HighResolution) {
    printer_.setPageSize(QPageSize(QPageSize::A4));
    printer_.setPageOrientation(QPageLayout::Portrait);
    if (!hasPrinter()) printer_.setOutputFormat(QPrinter::PdfFormat);
}

QtPrinter::~QtPrinter() {
    if (printing()) Abort();
}

bool QtPrinter::hasPrinter() const { return !QPrinterInfo::availablePrinters().isEmpty(); }

void QtPrinter::setPdfOutput(const std::string& path) {
    printer_.setOutputFormat(QPrinter::PdfFormat);
    printer_.setOutputFileName(toQString(path));
}

PrinterMetrics QtPrinter::metrics() const {
    const int dpi = printer_.resolution();
    const QPageLayout layout = printer_.pageLayout();
    const QRect full = layout.fullRectPixels(dpi);
    const QRect paint = layout.paintRectPixels(dpi);
    PrinterMetrics m;
    m.pageWidth = paint.width();
    m.pageHeight = paint.height();
    m.physicalWidth = full.width();
    m.physicalHeight = full.height();
    m.offsetX = paint.left() - full.left();
    m.offsetY = paint.top() - full.top();
    m.pixelsPerInchX = dpi;
    m.pixelsPerInchY = dpi;
    return m;
}

void QtPrinter::setCopies(int n) {
    Printer::setCopies(n);
    printer_.setCopyCount(copies());
}

void QtPrinter::setLandscape(bool on) {
    Printer::setLandscape(on);
    printer_.setPageOrientation(on ? QPageLayout::Landscape : QPageLayout::Portrait);
}

bool QtPrinter::beginDevice() {
    printer_.setDocName(toQString(title()));
    canvas_.attach(&printer_, printer_.resolution());
    return canvas_.isAttached();
}

void QtPrinter::newPageDevice() { printer_.newPage(); }

bool QtPrinter::endDevice() { return canvas_.detach(); }

void QtPrinter::abortDevice() {
    printer_.abort();
    canvas_.detach();
}

}  // namespace ui
