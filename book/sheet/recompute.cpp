// Page recomputation: `Zeile_einfuegen` puts a built line into the sheet and
// `Zuschlaege_neu_berechnen` counts every stored line anew in time order.
#include <algorithm>
#include <new>
#include <vector>

#include "book/sheet/zeitbuch.h"
#include "platform/core/codepage.h"
#include "platform/core/message_box.h"

namespace book {

void Zeitbuch::Zeile_einfuegen(int index, const std::string& text, bool adjust) {
    index = std::clamp(index, 0, static_cast<int>(zeilen.size()));
    std::string line = text;
    line.resize(kLineLength, ' ');
    zeilen.insert(zeilen.begin() + index, std::move(line));
    if (adjust) host().adjustScrollRange();
    if (!angemeldet && zeilen.size() == 2) host().setCalendarYearBlock(true);
}

void Zeitbuch::Zuschlaege_neu_berechnen() {
    if (jahresbilanz && blattAngezeigt) return;
    if (zeileInBearbeitung()) {
        neuBerechnungFaellig = true;
        return;
    }
    neuBerechnungFaellig = false;

    const bool warAngezeigt = blattAngezeigt;
    blattAngezeigt = false;

    const size_t stored = jahresbilanz ? static_cast<size_t>(std::max(zeilenAnzahl, 0))
                                       : zeilen.size() - 1;
    // Positions in the time index, ordered by (date, from) with equal keys
    // in reverse list order: the order in which the lines are counted.
    std::vector<uint32_t> order;
    try {
        order.resize(zeitIndex.size());
    } catch (const std::bad_alloc&) {
        static const std::string kText =
            platform::cp1252("Nicht genug Speicher zum neu Berechnen der Zuschläge");
        platform::MessageBox(kText, "Fehler", platform::Buttons::Ok);
        blattAngezeigt = warAngezeigt;  // nothing changed, so the sheet may show again
        return;
    }
    for (size_t i = 0; i < order.size(); ++i) order[i] = static_cast<uint32_t>(i);
    std::sort(order.begin(), order.end(), [this](uint32_t a, uint32_t b) {
        const ZeitIndex& x = zeitIndex[a];
        const ZeitIndex& y = zeitIndex[b];
        if (x.datum != y.datum) return x.datum < y.datum;
        if (x.von != y.von) return x.von < y.von;
        return a > b;
    });
    // Only the latest `stored` periods are counted (the page's own lines).
    const size_t first = order.size() > stored ? order.size() - stored : 0;

    const int gemerkt = aktuelleZeile;
    if (!handModus) bereitschaftsListe.fill(0);
    if (!jahresbilanz) {
        summen.fill(0);
        if (!handModus) wochen = wochenenden = wochenPkw = wochenendenPkw = 0;
    }
    laufStart = uebertragStart;
    laufFreitag = uebertragStart + 5;
    budgetTag = 0;
    budgetMinuten = 0;

    neuBerechnung_ = true;
    for (size_t k = first; k < order.size(); ++k) {
        const int zeile = zeitIndex[order[k]].zeile;
        if (zeile < 0 || static_cast<size_t>(zeile) + 1 >= zeilen.size()) continue;  // not the template
        eingabe = zeilen[zeile];
        eingabe.resize(kLineLength, ' ');
        aktuelleZeile = zeile;
        zeilen[zeile].assign(Zeile_auswerten(true, true), kLineLength);
    }
    neuBerechnung_ = false;

    Zeile_auswaehlen(gemerkt, true, false);
    Summen_anzeigen(0);
    if (!jahresbilanz) blattAngezeigt = true;
    blattNeuZeichnen(true);
}

}  // namespace book
