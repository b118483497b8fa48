// The real printer: a QPrinter (A4 portrait by default) printing to a CUPS
// printer or a PDF file. The print dialog works on qprinter(). A file is
// written as a new temporary file beside it that replaces it only when the
// document is finished, complete and synced: a failure keeps the older file.
#pragma once

#include <QPrinter>
#include <memory>
#include <string>

#include "platform/core/temp_file.h"
#include "platform/ui/printing/printer.h"

namespace ui {

class QtPrinter : public Printer {
public:
    QtPrinter();
    ~QtPrinter() override;

    PrinterMetrics metrics() const override;
    void setCopies(int n) override;
    void setLandscape(bool on) override;

    // The device itself, for the print dialog and page set-up.
    QPrinter& qprinter() { return *printer_; }
    // Sends the next documents to a PDF file instead of a printer.
    void setPdfOutput(const std::string& path);
    bool hasPrinter() const;
    // True while the documents go to a file (chosen in the print dialog or
    // set by setPdfOutput) rather than to a printer.
    bool printsToFile() const;
    void proposeFileName(const std::string& name) override;

protected:
    bool beginDevice() override;
    void newPageDevice() override;
    bool endDevice() override;
    void abortDevice() override;

private:
    // Points the printer at a temporary file when it prints into a file.
    bool redirectToTempFile();
    // Replaces the target with the finished temporary file when `ok`;
    // the printer is pointed back at the target in any case.
    bool finishFile(bool ok);
    void renewDevice();

    std::unique_ptr<QPrinter> printer_;
    std::unique_ptr<platform::TempFile> temp_;  // while a document goes to a file
    QString target_;
};

}  // namespace ui
