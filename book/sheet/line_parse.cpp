// `Zeile_auswerten`: builds the sheet line of the entry line, keeps the time
// index list, splits the period and adds it to the totals.
#include <cstring>

#include "book/sheet/zeitbuch.h"
#include "platform/core/date.h"

namespace book {
namespace {

int minutesAt(const char* line, int hourColumn) {
    return 60 * Zeitbuch::Zweistellig_lesen(line + hourColumn) +
           Zeitbuch::Zweistellig_lesen(line + hourColumn + 3);
}

}  // namespace

const char* Zeitbuch::Zeile_auswerten(bool compute, bool parse) {
    if (eingabe.size() < static_cast<size_t>(kLineLength)) eingabe.resize(kLineLength, ' ');
    char* out = built_;
    std::memcpy(out, kTemplateLine, sizeof built_);
    std::memcpy(out + col::kDay, eingabe.data() + col::kDay, col::kMonth + 2 - col::kDay);
    std::memcpy(out + col::kFromHour, eingabe.data() + col::kFromHour,
                col::kToMinute + 2 - col::kFromHour);
    out[col::kMarker] = eingabe[col::kMarker];
    const int kind = kindOfMarker(out[col::kMarker]);
    const int month = Zweistellig_lesen(out + col::kMonth);

    if (parse) {
        pTag = Zweistellig_lesen(out + col::kDay);
        // Stored lines passed the check; a damaged one must still not take
        // the date arithmetic outside the calendar.
        pDatum = platform::isValidDate(jahr, month, pTag) ? platform::dayNumber(jahr, month, pTag)
                                                          : platform::dayNumber(jahr, monat, 1);
        pVon = minutesAt(out, col::kFromHour);
        pBis = minutesAt(out, col::kToHour);
    } else if (einfuegeIndex != -1) {
        // The new line pushes every line from the insert position down.
        for (ZeitIndex& node : zeitIndex)
            if (node.zeile >= einfuegeIndex) ++node.zeile;
        zeitIndex.push_back({pDatum, pVon, pBis, aktuelleZeile, 0});
    } else {
        ZeitIndex* own = nullptr;
        for (ZeitIndex& node : zeitIndex)
            if (node.zeile == aktuelleZeile) {
                own = &node;
                break;
            }
        if (own)
            *own = {pDatum, pVon, pBis, aktuelleZeile, 0};
        else
            zeitIndex.push_back({pDatum, pVon, pBis, aktuelleZeile, 0});
    }
    if (!compute) return out;

    if (month != monat && month >= 1 && month <= 12) Monat_einstellen(month);
    Zuschlaege_berechnen(kind);
    const int w = platform::isoWeekday(pDatum);
    if (!handModus && out[col::kMarker] == ' ') bereitschaftErkennen(w);

    rec.zeile = aktuelleZeile + 1;
    // The columns start blank, which is how a zero shows: only other values
    // need writing.
    const struct {
        int32_t value;
        int column, last;
    } columns[] = {{rec.gesamt, 34, 4},
                   {rec.normal, 39, 3},
                   {rec.extra, 44, 3},
                   {rec.nacht, 49, 3},
                   {rec.feiertag1 + rec.feiertag2, 54, 3},
                   {rec.zeile, col::kLineNo, 2}};
    for (const auto& c : columns)
        if (c.value != 0) Zahl_in_Text(c.value, out + c.column, c.last, -1, false);
    std::memcpy(out + col::kWeekday, kWeekdayNames[w], 10);

    summen[0] += rec.gesamt;
    summen[1] += rec.normal;
    summen[2] += rec.extra;
    summen[3] += rec.nacht;
    summen[4] += rec.feiertag1;
    summen[5] += rec.feiertag2;
    // The recomputation shows the totals once, after its last line; the
    // sheet is hidden meanwhile, so the lines in between would show nothing.
    if (!neuBerechnung_) Summen_anzeigen(0);
    return out;
}

int Zeitbuch::bereitschaftsAnzahl() const {
    int n = 0;
    while (n < kStandbyPeriods && (bereitschaftsListe[5 * n] & 0x3F) != 0) ++n;
    return n;
}

void Zeitbuch::blattNeuZeichnen(bool whole) {
    if (blattAngezeigt) host().repaintSheet(whole);
}

}  // namespace book
