#include "app/statement/text_export.h"

#include "app/dialogs/file_dialogs.h"
#include "app/main_window/main_window.h"
#include "book/files/month_file.h"
#include "book/sheet/zeitbuch.h"
#include "platform/core/message_box.h"
#include "platform/core/replace_file.h"

namespace app {

const char kExportKopf[] =
    "lfNr Datum Wochentag  Von   Bis gesamt 25%  50% N25% 140%         Art der Arbeit";

std::string monatsText(const book::Zeitbuch& b) {
    static const std::string crlf = "\r\n";
    std::string out = kExportKopf + crlf;
    // The last sheet line is the entry line: never exported.
    for (size_t i = 0; i + 1 < b.zeilen.size(); ++i)
        out += b.zeilen[i] + (i < b.texte.size() ? b.texte[i] : std::string()) + crlf;
    out += crlf;
    for (const std::string& summe : b.summenZeilen) out += summe + crlf;
    out += crlf;
    // Two heading lines come before the periods.
    if (!b.jahresbilanz && b.bereitschaftsZeilen.size() > 2)
        for (const std::string& zeile : b.bereitschaftsZeilen) out += zeile + crlf;
    return out;
}

void TForm1::ExportierenalsTextdatei1Click() {
    book::Zeitbuch& b = buch_;
    // A stored line that is open is left first: the file shows it as stored.
    const int eingabeZeile = static_cast<int>(b.zeilen.size()) - 1;
    if (b.aktuelleZeile != eingabeZeile) {
        b.Zeile_auswaehlen(eingabeZeile, true, false);
        FormPaint(false);
    }
    const std::string name =
        dateiFragen({book::monthFileSaveFilter(), kExportFilterIndex, kExportDefaultExt, true});
    if (name.empty()) return;
    // Written whole through a temporary file: a full disk leaves no half file.
    if (!platform::replaceFile(name, monatsText(b)))
        platform::MessageBox("Die Datei konnte nicht geschrieben werden!", "Fehler");
}

}  // namespace app
