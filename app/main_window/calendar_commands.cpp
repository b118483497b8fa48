// The month calendar on the main window: a clicked date goes into the entry
// line, and its context menu marks standby weeks and weekends by hand or goes
// to today.
#include <algorithm>
#include <array>

#include "app/main_window/main_window.h"
#include "app/main_window/window_parts.h"
#include "controls/calendar/kalender.h"
#include "platform/core/codepage.h"
#include "platform/core/date.h"
#include "platform/core/message_box.h"

namespace app {

namespace {

enum KalenderId { kWoche = 1, kWochenende, kHeute };

constexpr int kRecord = 5;

// First and last day of a standby record as day numbers, read against the
// shown year; false for a record whose days are no dates.
bool recordSpan(const uint8_t* r, int jahr, int& start, int& end) {
    int endJahr = jahr;
    if ((r[0] & book::kStandbyFromPrevYear) && r[4] == 12)
        --endJahr;
    else if (r[0] & book::kStandbyIntoNextYear)
        ++endJahr;
    // A period lasts a week at most: it starts in the end's year, or in the
    // year before when it runs from December into January.
    const int startJahr = r[2] > r[4] ? endJahr - 1 : endJahr;
    if (!platform::isValidDate(startJahr, r[2], r[1]) || !platform::isValidDate(endJahr, r[4], r[3]))
        return false;
    start = platform::dayNumber(startJahr, r[2], r[1]);
    end = platform::dayNumber(endJahr, r[4], r[3]);
    return true;
}

}  // namespace

void TForm1::Kalenderdatum_setzen(ui::Message& m) {
    book::Zeitbuch& b = buch_;
    kalenderAbgelehnt = false;
    // Day 0 is what a refused click at the year block reports.
    const auto tagNr = static_cast<int>(m.wParam);
    const platform::CivilDate d = platform::decodeDate(static_cast<platform::DateTime>(tagNr));
    if (tagNr <= 0 || d.year < 1900) {
        jahrAblehnen();
        kalenderAbgelehnt = true;
        return;
    }
    if (!textModus && m.lParam == 0) {
        if (d.year != b.jahr && (b.angemeldet || b.zeilen.size() > 1)) {
            jahrAblehnen();
            kalenderAbgelehnt = true;
            return;
        }
        b.jahr = d.year;
        b.Monat_einstellen(d.month);
        b.tag = d.day;
        b.Zeile_auswaehlen(b.aktuelleZeile, true, true);
        if (!b.angemeldet) setYearField(d.year);
    } else {
        MonthCalendar1->Init(static_cast<uint16_t>(d.year), static_cast<uint16_t>(d.month), d.day,
                             &b.bereitschaftsListe);
    }
}

void TForm1::Kalender_MenuePopup(ui::PopupMenu& menu) {
    if (ui::MenuItem* heute = menu.item(kHeute)) heute->enabled = heuteJahr == buch_.jahr;
    for (int id : {kWoche, kWochenende})
        if (ui::MenuItem* item = menu.item(id)) item->enabled = !kalenderAbgelehnt;
}

void TForm1::kalenderMenueZeigen(QPoint globalPos) {
    ui::PopupMenu menu;
    menu.add("Setze Bereitschaftswoche", kWoche);
    menu.add("Setze Bereitschaftswochenende", kWochenende);
    menu.add("Gehe zum heutigen Tag", kHeute);
    Kalender_MenuePopup(menu);
    switch (menu.popup(globalPos, this)) {
        case kWoche: Setze_B_WocheClick(true); break;
        case kWochenende: Setze_B_WocheClick(false); break;
        case kHeute: GehezumheutigenTag1Click(); break;
        default: break;
    }
}

void TForm1::GehezumheutigenTag1Click() {
    book::Zeitbuch& b = buch_;
    if (heuteJahr != b.jahr) return jahrAblehnen();
    MonthCalendar1->Init(static_cast<uint16_t>(heuteJahr), static_cast<uint16_t>(heuteMonat), heuteTag,
                         &b.bereitschaftsListe);
    if (!textModus) {
        b.Monat_einstellen(heuteMonat);
        b.tag = heuteTag;
        b.Zeile_auswaehlen(b.aktuelleZeile, true, true);
    }
}

// Marks the week (Monday to Sunday) or the weekend (Friday to Sunday) of the
// day chosen in the calendar as a standby period.
void TForm1::Setze_B_WocheClick(bool woche) {
    book::Zeitbuch& b = buch_;
    if (b.jahresbilanz || !b.bearbeitungErlaubt) return;
    const platform::DateTime datum = MonthCalendar1->Get_Datum();
    if (datum == 0) {
        Hinweis_zeigen(7);
        return;
    }
    checkCommand("ZAutomatik", false);
    checkCommand("ZHand", true);

    const int tagNr = static_cast<int>(datum);
    const int w = platform::isoWeekday(tagNr) - 1;  // Monday 0
    const int laenge = woche ? 6 : 2;
    const int start = woche ? tagNr - w : tagNr - (w - 4);
    const int ende = start + laenge;
    const platform::CivilDate s = platform::decodeDate(start);
    const platform::CivilDate e = platform::decodeDate(ende);
    const int montag = start - (platform::isoWeekday(start) - 1);
    auto wochenByte = static_cast<uint8_t>(
        calendar::TKalender::Get_Kalenderwoche(Anzeige_Jahr->position(), montag));
    if (s.year < b.jahr) wochenByte |= book::kStandbyFromPrevYear;
    if (s.year > b.jahr) wochenByte |= book::kStandbyIntoNextYear;
    if (s.year == b.jahr && s.month == 12 && s.day + laenge > 31) wochenByte |= book::kStandbyIntoNextYear;

    // A period may not share a day with one already listed.
    book::StandbyList& liste = b.bereitschaftsListe;
    int n = 0;
    for (; n < book::kStandbyPeriods && liste[kRecord * n] != 0; ++n) {
        int von = 0, bis = 0;
        if (recordSpan(&liste[kRecord * n], b.jahr, von, bis) && von <= ende && start <= bis) {
            platform::MessageBox("F\xFCr diesen Zeitraum ist schon ein Eintrag vorhanden", "Geht nicht!",
                                 platform::Buttons::Ok);
            return;
        }
    }
    if (n == book::kStandbyPeriods) return;  // the list is full

    int pos = 0;
    while (pos < n && static_cast<int8_t>(liste[kRecord * pos]) < static_cast<int8_t>(wochenByte)) ++pos;
    std::copy_backward(liste.begin() + kRecord * pos, liste.begin() + kRecord * n,
                       liste.begin() + kRecord * (n + 1));
    const std::array<uint8_t, kRecord> neu = {wochenByte, static_cast<uint8_t>(s.day),
                                              static_cast<uint8_t>(s.month), static_cast<uint8_t>(e.day),
                                              static_cast<uint8_t>(e.month)};
    std::copy(neu.begin(), neu.end(), liste.begin() + kRecord * pos);
    if (n + 1 < book::kStandbyPeriods)
        std::fill_n(liste.begin() + kRecord * (n + 1), kRecord, uint8_t{0});

    if (woche) {
        ++b.wochen;
        ++b.wochenPkw;
    } else {
        ++b.wochenenden;
        ++b.wochenendenPkw;
    }
    b.handModus = true;
    b.Summen_anzeigen(0);
    setCommand("Speichern", true);
}

}  // namespace app
