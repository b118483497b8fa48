// The printer service: one process-wide printer with its page geometry in
// device pixels, the document calls, and a canvas for the current page.
#pragma once

#include <memory>
#include <string>

#include "platform/ui/drawing/canvas.h"

namespace ui {

// Geometry of the current paper in device pixels. The canvas origin is the
// top-left corner of the printable area, which lies offsetX/offsetY from the
// paper's corner.
struct PrinterMetrics {
    int pageWidth = 0;  // printable area
    int pageHeight = 0;
    int physicalWidth = 0;  // whole paper
    int physicalHeight = 0;
    int offsetX = 0;
    int offsetY = 0;
    int pixelsPerInchX = 0;
    int pixelsPerInchY = 0;
};

class Printer {
public:
    virtual ~Printer() = default;

    virtual PrinterMetrics metrics() const = 0;

    // Starts a document with its first page; false when the device cannot
    // be opened (nothing to draw on then).
    bool BeginDoc(const std::string& title);
    void NewPage();
    // Ends the document; false when it could not be finished (file not written).
    bool EndDoc();
    // Ends the document without finishing it.
    void Abort();

    bool printing() const { return printing_; }
    int pageNumber() const { return page_; }  // 1-based while printing
    const std::string& title() const { return title_; }
    // The canvas of the current page; attached only while printing.
    Canvas& canvas() { return canvas_; }

    // Copies of the next documents, and their orientation (metrics follow it).
    virtual void setCopies(int n) { copies_ = n < 1 ? 1 : n; }
    int copies() const { return copies_; }
    virtual void setLandscape(bool on) { landscape_ = on; }
    bool landscape() const { return landscape_; }
    // The file name (Windows-1252, no folder) offered when the next document
    // goes to a file: the print dialog's own proposal, and the name of a file
    // chosen before, which keeps its folder.
    virtual void proposeFileName(const std::string& name) { proposedFileName_ = name; }
    const std::string& proposedFileName() const { return proposedFileName_; }

protected:
    virtual bool beginDevice() = 0;
    virtual void newPageDevice() = 0;
    virtual bool endDevice() = 0;
    virtual void abortDevice() = 0;

    Canvas canvas_;

private:
    int copies_ = 1;
    bool landscape_ = false;
    bool printing_ = false;
    int page_ = 0;
    std::string title_;
    std::string proposedFileName_;
};

// The process-wide printer; created as a QtPrinter on first use.
Printer& printer();
// Installs another printer (tests: a RecordingPrinter) and returns the one it
// replaces; null lets the next printer() call create the default again.
std::unique_ptr<Printer> replacePrinter(std::unique_ptr<Printer> next);

// Says in a message box that a document could not be started (the printer
// or file could not be opened) or not finished (not completely written).
void showPrintFailure(bool started);

}  // namespace ui
