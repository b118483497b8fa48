#include "platform/ui/printing/printer.h"

#include "platform/core/codepage.h"
#include "platform/core/message_box.h"
#include "platform/ui/printing/qt_printer.h"

namespace ui {
namespace {

std::unique_ptr<Printer>& instance() {
    static std::unique_ptr<Printer> p;
    return p;
}

}  // namespace

bool Printer::BeginDoc(const std::string& title) {
    if (printing_) return false;
    title_ = title;
    if (!beginDevice()) {
        canvas_.detach();
        return false;
    }
    printing_ = true;
    page_ = 1;
    return true;
}

void Printer::NewPage() {
    if (!printing_) return;
    newPageDevice();
    ++page_;
}

bool Printer::EndDoc() {
    if (!printing_) return false;
    printing_ = false;
    page_ = 0;
    return endDevice();
}

void Printer::Abort() {
    if (!printing_) return;
    printing_ = false;
    page_ = 0;
    abortDevice();
}

Printer& printer() {
    std::unique_ptr<Printer>& p = instance();
    if (!p) p = std::make_unique<QtPrinter>();
    return *p;
}

std::unique_ptr<Printer> replacePrinter(std::unique_ptr<Printer> next) {
    std::unique_ptr<Printer> old = std::move(instance());
    instance() = std::move(next);
    return old;
}

void showPrintFailure(bool started) {
    const char* text = started ? "Das Dokument konnte nicht fertig gedruckt werden!"
                               : "Der Drucker konnte nicht geöffnet werden!";
    platform::MessageBox(platform::cp1252(text), "Fehler", platform::Buttons::Ok,
                         platform::Icon::Error);
}

}  // namespace ui
