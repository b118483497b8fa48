// A printer for tests: every page becomes an image of the printable area,
// and every text drawn is kept with its page and position.
#pragma once

#include <QImage>
#include <memory>
#include <string>
#include <vector>

#include "platform/ui/printing/printer.h"
#include "platform/ui/drawing/rect.h"

namespace ui {

struct RecordedText {
    int x = 0;
    int y = 0;
    std::string text;  // Windows-1252
    Rect box = {};     // the area it covers on the page
    // Position and text; the box depends on the fonts at hand.
    bool operator==(const RecordedText& o) const {
        return x == o.x && y == o.y && text == o.text;
    }
};

struct RecordedPage {
    QImage image;
    std::vector<RecordedText> texts;
};

class RecordingPrinter : public Printer {
public:
    // A4 at 96 pixels per inch with a quarter-inch unprintable margin.
    static PrinterMetrics a4At96Dpi();

    explicit RecordingPrinter(PrinterMetrics metrics = a4At96Dpi());

    // Landscape swaps the widths and heights.
    PrinterMetrics metrics() const override;

    // Pages of the documents printed so far (also of an aborted one).
    const std::vector<RecordedPage>& pages() const { return pages_; }
    int documents() const { return documents_; }
    bool aborted() const { return aborted_; }
    // When set, the next BeginDoc fails as an unavailable printer does.
    void failNextBegin() { failBegin_ = true; }
    // When set, the next EndDoc fails as a document cut off by a full disk does.
    void failNextEnd() { failEnd_ = true; }

protected:
    bool beginDevice() override;
    void newPageDevice() override;
    bool endDevice() override;
    void abortDevice() override;

private:
    void startPage();

    PrinterMetrics metrics_;
    std::vector<RecordedPage> pages_;
    int documents_ = 0;
    bool aborted_ = false;
    bool failBegin_ = false;
    bool failEnd_ = false;
};

// A recording printer in place of the process-wide one for its lifetime;
// the printer before it comes back afterwards.
class ScopedRecordingPrinter {
public:
    ScopedRecordingPrinter() {
        auto p = std::make_unique<RecordingPrinter>();
        printer_ = p.get();
        previous_ = replacePrinter(std::move(p));
    }
    ~ScopedRecordingPrinter() { replacePrinter(std::move(previous_)); }
    ScopedRecordingPrinter(const ScopedRecordingPrinter&) = delete;
    ScopedRecordingPrinter& operator=(const ScopedRecordingPrinter&) = delete;

    RecordingPrinter* get() const { return printer_; }
    RecordingPrinter* operator->() const { return printer_; }

private:
    RecordingPrinter* printer_ = nullptr;
    std::unique_ptr<Printer> previous_;
};

}  // namespace ui
