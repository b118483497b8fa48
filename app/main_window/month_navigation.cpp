#include "app/main_window/month_navigation.h"

#include <QComboBox>

#include "app/main_window/main_window.h"
#include "app/main_window/window_parts.h"
#include "controls/calendar/kalender.h"

namespace app {

MonatJahr monatSchritt(MonatJahr von, int schritt) {
    const int index = von.jahr * 12 + (von.monat - 1) + schritt;
    const MonatJahr ziel{index / 12, index % 12 + 1};
    return ziel.jahr < kErstesJahr || ziel.jahr > kLetztesJahr ? von : ziel;
}

void TForm1::ToolButton7Click() { monatBlaettern(-1); }

void TForm1::ToolButton9Click() { monatBlaettern(+1); }

void TForm1::monatBlaettern(int schritt) {
    const EinmalMalen einmal(*this);
    const MonatJahr jetzt{Anzeige_Jahr->position(), ComboBox1->currentIndex() + 1};
    const MonatJahr ziel = monatSchritt(jetzt, schritt);
    if (ziel == jetzt) return;
    if (ziel.jahr != jetzt.jahr) {
        // Across the year's end the year change asks, clears and loads.
        setYearField(ziel.jahr);
        showMonthInList(ziel.monat);
        Jahr_geaendert();
        return;
    }
    monatZeigen(ziel.monat);
}

void TForm1::ComboBox1Change() { monatZeigen(ComboBox1->currentIndex() + 1); }

void TForm1::monatZeigen(int monat) {
    const EinmalMalen einmal(*this);
    book::Zeitbuch& b = buch_;
    // The save question comes first: the changed page is stored under its
    // own month, and a save that failed keeps page and month as they were.
    if (b.angemeldet && !Seite_sichern_fragen()) {
        showMonthInList(b.monat);
        return;
    }
    b.Monat_einstellen(monat);
    showMonthInList(monat);
    if (b.angemeldet) b.Monat_laden(static_cast<uint8_t>(monat), Anzeige_Jahr->position());
    FormPaint(false);
}

void TForm1::ToolButton22Click() {
    const EinmalMalen einmal(*this);
    book::Zeitbuch& b = buch_;
    if (ComboBox1->currentIndex() + 1 == heuteMonat && Anzeige_Jahr->position() == heuteJahr) return;
    if (!Seite_sichern_fragen()) return;
    b.jahr = heuteJahr;
    b.Monat_einstellen(heuteMonat);
    b.Monat_laden(static_cast<uint8_t>(heuteMonat), heuteJahr);
    setYearField(heuteJahr);
    if (!b.seiteGespeichert) {
        b.Monat_einstellen(heuteMonat);
        MonthCalendar1->Init(static_cast<uint16_t>(heuteJahr), static_cast<uint16_t>(heuteMonat), 1,
                             nullptr);
        showMonthInList(heuteMonat);
        b.seitenMonat = heuteMonat;
    }
    FormPaint(false);
}

}  // namespace app
