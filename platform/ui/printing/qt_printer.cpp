#include "platform/ui/printing/qt_printer.h"

#include <QDir>
#include <QFileInfo>
#include <QPageLayout>
#include <QPageSize>
#include <QPrinterInfo>
#include <algorithm>

#include "platform/ui/drawing/qt_text.h"

namespace ui {
namespace {

// A PDF file is complete when it starts with its header and ends with the
// end-of-file marker that the writer puts last (blanks may follow it).
bool completePdf(platform::File& f) {
    const int64_t length = f.length();
    std::string head(5, '\0'), tail(static_cast<size_t>(std::min<int64_t>(length, 64)), '\0');
    if (length < 16 || !f.seek(0) || !f.readExact(head.data(), 5) ||
        !f.seek(length - static_cast<int64_t>(tail.size())) ||
        !f.readExact(tail.data(), static_cast<int64_t>(tail.size())))
        return false;
    const size_t end = tail.find_last_not_of(" \r\n");
    return head == "%PDF-" && end != std::string::npos && end >= 4 &&
           tail.compare(end - 4, 5, "%%EOF") == 0;
}

}  // namespace

QtPrinter::QtPrinter() : printer_(std::make_unique<QPrinter>(QPrinter::HighResolution)) {
    printer_->setPageSize(QPageSize(QPageSize::A4));
    printer_->setPageOrientation(QPageLayout::Portrait);
    if (!hasPrinter()) printer_->setOutputFormat(QPrinter::PdfFormat);
}

QtPrinter::~QtPrinter() {
    if (printing()) Abort();
}

bool QtPrinter::hasPrinter() const { return !QPrinterInfo::availablePrinters().isEmpty(); }

bool QtPrinter::printsToFile() const { return !printer_->outputFileName().isEmpty(); }

void QtPrinter::proposeFileName(const std::string& name) {
    Printer::proposeFileName(name);
    if (name.empty()) return;
    // The print dialog offers the document name for a new file and the file
    // chosen last otherwise: both become this document's name, so a "Ja" to
    // the overwrite question never files it under the name of the one before.
    printer_->setDocName(toQString(name));
    if (printsToFile()) {
        const QFileInfo before(printer_->outputFileName());
        printer_->setOutputFileName(before.dir().filePath(toQString(name)));
    }
}

void QtPrinter::setPdfOutput(const std::string& path) {
    printer_->setOutputFormat(QPrinter::PdfFormat);
    printer_->setOutputFileName(toQString(path));
}

PrinterMetrics QtPrinter::metrics() const {
    const int dpi = printer_->resolution();
    const QPageLayout layout = printer_->pageLayout();
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
    printer_->setCopyCount(copies());
}

void QtPrinter::setLandscape(bool on) {
    Printer::setLandscape(on);
    printer_->setPageOrientation(on ? QPageLayout::Landscape : QPageLayout::Portrait);
}

bool QtPrinter::redirectToTempFile() {
    temp_.reset();
    target_ = printer_->outputFileName();
    if (target_.isEmpty()) return true;
    auto temp = std::make_unique<platform::TempFile>();
    if (!temp->create(fromQString(target_))) return false;
    printer_->setOutputFileName(toQString(temp->path()));
    temp_ = std::move(temp);
    return true;
}

bool QtPrinter::finishFile(bool ok) {
    if (!temp_) return ok;
    printer_->setOutputFileName(target_);
    // The writer's own status, then the file itself: a full disk can cut it
    // off without the writer noticing.
    ok = ok && completePdf(temp_->file()) && temp_->commit();
    temp_.reset();  // removes the file when it was not committed
    if (!ok) renewDevice();
    return ok;
}

void QtPrinter::renewDevice() {
    // After a failed write the PDF writer keeps failing (its stream stays in
    // the error state), so a failed document is followed by a fresh device
    // with the same choices.
    auto fresh = std::make_unique<QPrinter>(QPrinter::HighResolution);
    if (printer_->outputFormat() == QPrinter::NativeFormat)
        fresh->setPrinterName(printer_->printerName());
    else
        fresh->setOutputFormat(printer_->outputFormat());
    fresh->setPageLayout(printer_->pageLayout());
    fresh->setCopyCount(printer_->copyCount());
    fresh->setColorMode(printer_->colorMode());
    fresh->setDuplex(printer_->duplex());
    fresh->setOutputFileName(printer_->outputFileName());
    printer_ = std::move(fresh);
}

bool QtPrinter::beginDevice() {
    printer_->setDocName(toQString(title()));
    if (!redirectToTempFile()) return false;
    canvas_.attach(printer_.get(), printer_->resolution());
    if (!canvas_.isAttached()) finishFile(false);
    return canvas_.isAttached();
}

void QtPrinter::newPageDevice() {
    printer_->newPage();
}

bool QtPrinter::endDevice() {
    const bool ended = canvas_.detach();
    return finishFile(ended && printer_->printerState() != QPrinter::Error);
}

void QtPrinter::abortDevice() {
    printer_->abort();
    canvas_.detach();
    finishFile(false);
}

}  // namespace ui
