// `Zeile_pruefen`: checks the entry line field by field, tests the period for
// overlap with the other periods of the page and keeps the chronology pair.
#include <string>

#include "book/sheet/zeitbuch.h"
#include "platform/core/codepage.h"
#include "platform/core/date.h"
#include "platform/core/message_box.h"

namespace book {
namespace {

bool isDigit(char c) { return c >= '0' && c <= '9'; }

// Both characters of a two-digit field must be digits; anything else would
// read as a number far outside every range.
bool twoDigits(const std::string& line, int column) {
    return isDigit(line[column]) && isDigit(line[column + 1]);
}

// A half-open span of minutes within one day.
struct Span {
    int start;
    int end;
};

// Overlap of two spans of the same calendar day:
//
//   B inside A      A: |--------|      A starts in B   A:     |------|
//                   B:   |---|                         B: |------|
//   A ends in B     A: |------|        touching only   A: |---|
//                   B:     |------|    (no conflict)   B:     |---|
//
// An empty span (a period that ends exactly at midnight has an empty share
// on the next day) never conflicts.
bool conflicts(Span a, Span b) {
    if (a.start >= a.end || b.start >= b.end) return false;
    return (a.start <= b.start && b.end <= a.end) || (b.start <= a.start && a.start < b.end) ||
           (b.start < a.end && a.end <= b.end);
}

// A period as stored in the time index: `date` from `von` to `bis`, running
// past midnight when `bis` is not after `von`.
struct Period {
    int32_t date;
    int von;
    int bis;
    bool pastMidnight() const { return bis <= von; }
    Span sameDay() const { return {von, pastMidnight() ? 1440 : bis}; }
    Span dayAfter() const { return {0, bis}; }
};

bool periodsConflict(const Period& a, const Period& b) {
    if (a.date == b.date) return conflicts(a.sameDay(), b.sameDay());
    if (a.pastMidnight() && b.date == a.date + 1) return conflicts(a.dayAfter(), b.sameDay());
    if (b.pastMidnight() && a.date == b.date + 1) return conflicts(a.sameDay(), b.dayAfter());
    return false;
}

}  // namespace

int Zeitbuch::feldAblehnen(int column) {
    host().beep();
    host().postStatus(3);
    return column;
}

int Zeitbuch::Zeile_pruefen(bool checkOverlap) {
    static const std::string kLaengeCaption = platform::cp1252("Monatslänge überschritten");
    static const std::string kLaengeText = platform::cp1252(" hat nur eine Länge von ");
    static const std::string kUeberschneidung =
        platform::cp1252("Die Zeit der aktuellen Eingabe überschneidet sich mit der Zeile\n'");

    if (eingabe.size() < static_cast<size_t>(kLineLength)) eingabe.resize(kLineLength, ' ');
    const std::string& e = eingabe;

    // Day, then the month it belongs to: the day is checked against the
    // length of the line's own month, which may differ from the shown one.
    if (!twoDigits(e, col::kDay)) return feldAblehnen(col::kDay);
    const int day = Zweistellig_lesen(&e[col::kDay]);
    if (!twoDigits(e, col::kMonth)) return feldAblehnen(col::kMonth);
    const int month = Zweistellig_lesen(&e[col::kMonth]);
    if (month < 1 || month > 12) return feldAblehnen(col::kMonth);
    const int length = platform::daysInMonth(jahr, month);
    if (day > length) {
        platform::MessageBox("Der Monat " + std::string(kMonthNames[month]) + kLaengeText +
                                 std::to_string(length) + "Tagen !",
                             kLaengeCaption, platform::Buttons::Ok);
        return col::kDay;
    }
    if (day == 0) return feldAblehnen(col::kDay);

    int von = 0;
    int bis = 0;
    struct TimeField {
        int column;
        int limit;
        int factor;
        int* target;
    };
    const TimeField fields[] = {{col::kFromHour, 23, 60, &von},
                                {col::kFromMinute, 59, 1, &von},
                                {col::kToHour, 23, 60, &bis},
                                {col::kToMinute, 59, 1, &bis}};
    for (const TimeField& f : fields) {
        if (!twoDigits(e, f.column)) return feldAblehnen(f.column);
        const int v = Zweistellig_lesen(&e[f.column]);
        if (v > f.limit) return feldAblehnen(f.column);
        *f.target += v * f.factor;
    }

    pTag = day;
    pDatum = platform::dayNumber(jahr, month, day);
    pVon = von;
    pBis = bis;

    if (checkOverlap) {
        const Period a{pDatum, pVon, pBis};
        // While an insert is pending the node indexes are not yet raised, so
        // the node at the current index is the line below the new one: it
        // must be checked, not skipped.
        const bool inserting = einfuegeIndex != -1;
        for (const ZeitIndex& node : zeitIndex) {
            if (!inserting && node.zeile == aktuelleZeile) continue;
            if (!periodsConflict(a, Period{node.datum, node.von, node.bis})) continue;

            host().setTimeCaret(col::kFromHour);
            host().resetCaretBlink();
            blattNeuZeichnen(false);
            int shown = node.zeile;
            if (inserting && einfuegeIndex <= shown) ++shown;
            std::string text;
            if (shown >= 0 && static_cast<size_t>(shown) < zeilen.size()) text = zeilen[shown];
            platform::MessageBox(kUeberschneidung + text + "'", "Fehler", platform::Buttons::Ok);
            return col::kFromHour - 1;
        }
    }

    // A line earlier than the last one that passed asks the caller for a
    // recomputation of the page, which counts the lines in time order.
    if (pDatum < chronoDatum || (pDatum == chronoDatum && pVon < chronoBis)) return -2;
    chronoDatum = pDatum;
    chronoBis = pBis;
    return -1;
}

}  // namespace book
