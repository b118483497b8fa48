#include "app/statement/statement_data.h"

#include <QComboBox>

#include "app/main_window/main_window.h"
#include "app/main_window/window_parts.h"
#include "platform/ui/drawing/qt_text.h"

namespace app {

Abrechnung abrechnungVon(const TForm1& form) {
    const book::Zeitbuch& b = form.buch();
    Abrechnung a;
    // The last line is the entry line: never printed. Nor is an inserted
    // line still open: it is no line of the page until it is stored.
    const size_t n = b.zeilen.empty() ? 0 : b.zeilen.size() - 1;
    for (size_t i = 0; i < n; ++i) {
        if (static_cast<int>(i) == b.einfuegeIndex) continue;
        a.zeilen.push_back(b.zeilen[i]);
        a.texte.push_back(i < b.texte.size() ? b.texte[i] : std::string());
    }
    a.summenZeilen = b.summenZeilen;
    a.bereitschaftsZeilen = b.bereitschaftsZeilen;
    for (size_t i = 0; i < 6; ++i) {
        int32_t v = b.summen[i];
        if (i == 1) v -= b.korrekturNormal;
        if (i == 2) v -= b.korrekturExtra;
        a.gerundet[i] = b.runden(v);
    }
    const bool pkw = b.bereitschaft && b.pkw;
    a.wochen = b.bereitschaft ? b.wochen : 0;
    a.wochenenden = b.bereitschaft ? b.wochenenden : 0;
    a.wochenPkw = pkw ? b.wochenPkw : 0;
    a.wochenendenPkw = pkw ? b.wochenendenPkw : 0;
    a.grundlagen = b.grundlagen;
    a.angemeldet = b.angemeldet;
    a.jahresbilanz = b.jahresbilanz;
    a.bearbeitungErlaubt = b.bearbeitungErlaubt;
    a.bereitschaft = b.bereitschaft;
    a.pkw = b.pkw;
    a.nachname = b.nachname;
    a.vorname = b.vorname;
    a.personalNr = b.personalNr;
    a.bereich = b.bereich.empty() ? b.bereichVorgabe : b.bereich;
    a.monatText = ui::fromQString(form.ComboBox1->currentText());
    a.jahrText = ui::fromQString(form.Anzeige_Jahr->text());
    for (int i = 0; i < 3; ++i) a.spaltenKoepfe[i] = form.HeaderControl1->caption(6 + i);
    a.programmOrdner = b.programmOrdner;
    return a;
}

}  // namespace app
