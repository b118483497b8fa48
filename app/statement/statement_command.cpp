#include "app/statement/statement_command.h"

#include <new>

#include "app/main_window/main_window.h"
#include "app/statement/print_form.h"
#include "app/statement/program_files.h"
#include "app/statement/statement_data.h"
#include "app/statement/statement_print.h"
#include "app/statement/statement_tables.h"
#include "platform/core/codepage.h"
#include "platform/core/file.h"
#include "platform/core/message_box.h"
#include "platform/ui/drawing/bitmap.h"
#include "platform/ui/dialogs/print_dialog.h"
#include "platform/ui/printing/printer.h"
#include "platform/ui/printing/qt_printer.h"
#include "report/ui/druck_report.h"

namespace app {
namespace {

using platform::cp1252;

// True when the bytes are well-formed UTF-8 and hold at least one
// multi-byte sequence (plain ASCII is the same in both code pages).
bool istUtf8(const std::string& s) {
    bool mehrbyte = false;
    size_t i = 0;
    while (i < s.size()) {
        const auto c = static_cast<unsigned char>(s[i]);
        size_t n = 0;  // continuation bytes
        if (c >= 0xC2 && c <= 0xDF) {
            n = 1;
        } else if ((c & 0xF0) == 0xE0) {
            n = 2;
        } else if (c >= 0xF0 && c <= 0xF4) {
            n = 3;
        } else if (c >= 0x80) {
            return false;
        }
        if (s.size() - i - 1 < n) return false;
        for (size_t k = 1; k <= n; ++k) {
            if ((static_cast<unsigned char>(s[i + k]) & 0xC0) != 0x80) return false;
        }
        mehrbyte = mehrbyte || n > 0;
        i += n + 1;
    }
    return mehrbyte;
}

enum class Formular { Fehlt, Gelesen, Unlesbar };

// The whole file, or Fehlt when it does not open (then the built-in layout
// prints), or Unlesbar when it opened but could not be read whole.
Formular formularLesen(const std::string& pfad, std::string& text) {
    platform::File f;
    if (pfad.empty() || !f.open(pfad, platform::OpenMode::ReadOnly)) return Formular::Fehlt;
    const int64_t laenge = f.length();
    if (laenge < 0) return Formular::Unlesbar;
    try {
        text.assign(static_cast<size_t>(laenge), '\0');
    } catch (const std::bad_alloc&) {
        return Formular::Unlesbar;
    } catch (const std::length_error&) {
        return Formular::Unlesbar;
    }
    return f.readExact(text.data(), laenge) ? Formular::Gelesen : Formular::Unlesbar;
}

// The report road: the text to the print form's report, the figures into its
// three tables, printed as "Überstundenabrechnung".
void ueberFormular(TForm1& form, const Abrechnung& a, const std::string& text) {
    TForm9& f = Form9(form);
    f.DruckReport1->SetReportdaten(text);
    tabellenFuellen(a, f.Tab1, f.Tab2, f.Tab3);
    f.DruckReport1->Drucken(cp1252("Überstundenabrechnung"), 1);
}

}  // namespace

DateiFrage pdfFrage(const Abrechnung& a) {
    std::string name = a.jahresbilanz ? cp1252("Jahresübersicht ") + a.jahrText
                                      : cp1252("Überstunden ") + a.monatText + " " + a.jahrText;
    if (a.angemeldet && !(a.nachname.empty() && a.vorname.empty()))
        name += " " + a.nachname + " " + a.vorname;
    // A name is one path part: no folder separators, no surrounding blanks.
    for (char& c : name)
        if (c == '/' || c == '\\') c = '-';
    const size_t ende = name.find_last_not_of(' ');
    name.erase(ende == std::string::npos ? 0 : ende + 1);
    return {"PDF-Dokument (*.pdf)|*.pdf", 1, "pdf", true, name + " als PDF speichern",
            name + ".pdf"};
}

std::string formularText(std::string bytes) {
    return istUtf8(bytes) ? platform::utf8ToCp1252(bytes) : bytes;
}

void abrechnungDrucken(TForm1& form) {
    const book::Zeitbuch& b = form.buch();
    ui::Bitmap logo;
    const std::string logoPfad = programmDatei(b.programmOrdner, "Logo.bmp");
    if (!logoPfad.empty()) logo.loadFromFile(logoPfad);

    if (!b.jahresbilanz && !form.administrationOpen()) {
        const platform::Answer antwort = platform::MessageBox(
            cp1252("Sind die Angaben für die Wochen/Wochenend Zuschläge richtig?"), "Achtung",
            platform::Buttons::YesNo, platform::Icon::Question);
        if (antwort != platform::Answer::Yes) return;
    }

    const Abrechnung a = abrechnungVon(form);
    if (!b.jahresbilanz) {
        std::string text;
        switch (formularLesen(programmDatei(b.programmOrdner, "Formular.txt"), text)) {
            case Formular::Gelesen:
                ueberFormular(form, a, formularText(std::move(text)));
                return;
            case Formular::Unlesbar:
                platform::MessageBox("Formular.txt konnte nicht gelesen werden!", "Fehler",
                                     platform::Buttons::Ok, platform::Icon::Error);
                return;
            case Formular::Fehlt:
                break;
        }
    }
    druckeStandardAbrechnung(a, &logo, ui::printer());
}

void ToolButton10Click(TForm1& form) {
    // Without a printer, or with a file chosen in an earlier print dialog, the
    // document goes to a PDF file the user names: the earlier file would
    // otherwise take this statement, perhaps another person's, under its name.
    if (auto* qt = dynamic_cast<ui::QtPrinter*>(&ui::printer());
        qt != nullptr && (!qt->hasPrinter() || qt->printsToFile())) {
        const std::string datei = form.dateiFragen(pdfFrage(abrechnungVon(form)));
        if (datei.empty()) return;
        qt->setPdfOutput(datei);
    }
    abrechnungDrucken(form);
}

void Drucken1Click(TForm1& form) {
    // A file chosen in the dialog is named after the statement being printed.
    if (ui::PrintDialog(&form, pdfFrage(abrechnungVon(form)).vorschlag)) abrechnungDrucken(form);
}

}  // namespace app
