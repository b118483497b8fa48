#include "platform/ui/printing/recording_printer.h"

#include <utility>

namespace ui {

PrinterMetrics RecordingPrinter::a4At96Dpi() {
    PrinterMetrics m;
    m.physicalWidth = 794;  // 210 mm
    m.physicalHeight = 1123;  // 297 mm
    m.offsetX = 24;
    m.offsetY = 24;
    m.pageWidth = m.physicalWidth - 2 * m.offsetX;
    m.pageHeight = m.physicalHeight - 2 * m.offsetY;
    m.pixelsPerInchX = 96;
    m.pixelsPerInchY = 96;
    return m;
}

RecordingPrinter::RecordingPrinter(PrinterMetrics metrics) : metrics_(metrics) {
    canvas_.onText = [this](int x, int y, const std::string& text) {
        if (!pages_.empty()) pages_.back().texts.push_back({x, y, text, {}});
    };
    canvas_.onTextArea = [this](const Rect& covered) {
        if (!pages_.empty() && !pages_.back().texts.empty()) pages_.back().texts.back().box = covered;
    };
}

PrinterMetrics RecordingPrinter::metrics() const {
    if (!landscape()) return metrics_;
    PrinterMetrics m = metrics_;
    std::swap(m.pageWidth, m.pageHeight);
    std::swap(m.physicalWidth, m.physicalHeight);
    std::swap(m.offsetX, m.offsetY);
    std::swap(m.pixelsPerInchX, m.pixelsPerInchY);
    return m;
}

void RecordingPrinter::startPage() {
    canvas_.detach();  // the vector may move the images
    const PrinterMetrics m = metrics();
    RecordedPage page;
    page.image = QImage(m.pageWidth, m.pageHeight, QImage::Format_RGB32);
    page.image.fill(Qt::white);
    pages_.push_back(std::move(page));
    canvas_.attach(&pages_.back().image, m.pixelsPerInchY);
}

bool RecordingPrinter::beginDevice() {
    if (failBegin_) {
        failBegin_ = false;
        return false;
    }
    ++documents_;
    aborted_ = false;
    startPage();
    return true;
}

void RecordingPrinter::newPageDevice() { startPage(); }

bool RecordingPrinter::endDevice() {
    const bool failed = std::exchange(failEnd_, false);
    return canvas_.detach() && !failed;
}

void RecordingPrinter::abortDevice() {
    aborted_ = true;
    canvas_.detach();
}

}  // namespace ui
