// The real printer: a QPrinter (A4 portrait by default) printing to a CUPS
// printer or a PDF file. The print dialog works on qprinter().
#pragma once

#include <QPrinter>
#include <string>

#include "platform/ui/printer.h"

namespace ui {

class QtPrinter : public Printer {
public:
    QtPrinter();
    ~QtPrinter() override;

    PrinterMetrics metrics() const override;
    void setCopies(int n) override;
    void setLandscape(bool on) override;

    // The device itself, for the print dialog and page set-up.
    QPrinter& qprinter() { return printer_; }
    // Sends the next documents to a PDF file instead of a printer.
    void setPdfOutput(const std::string& path);
    bool hasPrinter() const;

protected:
    bool beginDevice() override;
    void newPageDevice() override;
    bool endDevice() override;
    void abortDevice() override;

private:
    QPrinter printer_;
};

}  // namespace ui
