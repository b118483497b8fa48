// Changing the shown year: the up-down of the year field and a year typed
// into it.
#include "app/main_window/main_window.h"
#include "app/main_window/sheet_keys.h"
#include "app/main_window/window_parts.h"

#include <QComboBox>

namespace app {

void TForm1::Jahr_geaendert() {
    const EinmalMalen einmal(*this);
    book::Zeitbuch& b = buch_;
    const int jahr = Anzeige_Jahr->position();
    const int monat = ComboBox1->currentIndex() + 1;
    if (!b.angemeldet) {
        b.jahr = jahr;
        b.Monat_einstellen(monat);
    } else if (!b.jahresbilanz) {
        if (!Seite_sichern_fragen()) {
            // The changed page could not be saved: it stays, and so do year and month.
            setYearField(b.jahr);
            showMonthInList(b.monat);
            return;
        }
        b.jahr = jahr;
        b.Monat_einstellen(monat);
        b.Monat_laden(static_cast<uint8_t>(monat), jahr);
    } else {
        b.Jahresbilanz_erstellen(jahr);
    }
    FormPaint(false);
}

void TForm1::Anzeige_JahrKeyUp(int key) {
    key = mainDigit(key);
    const QString text = Anzeige_Jahr->text();
    if (key < vk::k0 || key > vk::k9 || text.isEmpty()) return;
    const int jahr = text.toInt();
    if (jahr >= 1900) {
        if (jahr == Anzeige_Jahr->position()) return;
        Anzeige_Jahr->setPosition(jahr);
        Jahr_geaendert();
    } else if (jahr >= 1000) {
        beep();
        Hinweis_zeigen(6);
    }
}

}  // namespace app
