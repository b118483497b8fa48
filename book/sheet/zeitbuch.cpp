#include "book/sheet/zeitbuch.h"

#include "book/calculation/standby_lines.h"

namespace book {

const char kTemplateLine[kLineLength + 1] =
    "       .                :     :                            ";
const char kEntryLine[kLineLength + 1] =
    "     __.              __:__ __:__                          ";

const char* const kWeekdayNames[8] = {"",          "Montag    ", "Dienstag  ", "Mittwoch  ",
                                      "Donnerstag", "Freitag   ", "Sonnabend ", "Sonntag   "};

const char* const kMonthNames[13] = {"",     "Januar", "Februar", "M\xE4rz",   "April",
                                     "Mai",  "Juni",   "Juli",    "August",    "September",
                                     "Oktober", "November", "Dezember"};

const char* const kHolidayNames[kHolidayCount] = {
    "Neujahr",          "Heilige Drei K\xF6nige", "Karfreitag",
    "Ostersonntag",     "Ostermontag",           "Maifeiertag",
    "Christi Himmelfahrt", "Pfingstsonntag",     "Pfingstmontag",
    "Fronleichnam",     "Friedensfest",          "Mari\xE4 Himmelfahrt",
    "Tag der Deutschen Einheit", "Reformationstag", "Allerheiligen",
    "Bu\xDF- und Bettag", "1.Weihnachtstag",      "2.Weihnachtstag"};

std::array<Feiertag, kHolidayCount> defaultHolidays() {
    // Movable entries hold 0 until the first month page is set up.
    return {{{1, 1, true},   {6, 1, true},  {0, 0, true},   {0, 0, true},  {0, 0, true},
             {1, 5, true},   {0, 0, true},  {0, 0, true},   {0, 0, true},  {0, 0, false},
             {8, 8, false},  {15, 8, false}, {3, 10, true}, {31, 10, true}, {1, 11, false},
             {0, 0, false},  {25, 12, true}, {26, 12, true}}};
}

int kindOfMarker(char marker) {
    switch (marker) {
        case '-': return 1;
        case '+': return 2;
        case 'V': return 3;
        case 'M': return 4;
        default: return 0;
    }
}

Zeitbuch::Zeitbuch(ZeitbuchHost& host)
    : zeilen{kEntryLine}, texte{""}, eingabe(kEntryLine), textPuffer(151, ' '),
      host_(&host) {
    // Totals block and standby headings, as the summary panel first shows them.
    summenZeilen = summenVorlage();
    einstellungenEintragen();
    Bereitschaftszeile(bereitschaftsZeilen, bereitschaftsListe, false);
}

void Zeitbuch::seiteLeeren() {
    // The entry line at the end stays as it is.
    std::string entry = zeilen.empty() ? std::string(kEntryLine) : zeilen.back();
    zeilen.assign(1, std::move(entry));
    texte.assign(1, "");
    zeitIndex.clear();
    aktuelleZeile = 0;
    einfuegeIndex = -1;
    neuBerechnungFaellig = false;
    summen.fill(0);
    wochen = wochenenden = wochenPkw = wochenendenPkw = 0;
    laufStart = laufFreitag = 0;
    bereitschaftsListe.fill(0);
    budgetTag = 0;
    budgetMinuten = 0;
    korrekturNormal = korrekturExtra = 0;
    chronoDatum = chronoBis = 0;
}

}  // namespace book
