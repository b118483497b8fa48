// A month page driven as the sheet editing drives it: lines typed into the
// entry line, checked, built and stored, with a recording host.
#pragma once

#include <gtest/gtest.h>

#include <string>

#include "book/sheet/zeitbuch.h"
#include "platform/core/message_box.h"
#include "tests/support/recording_host.h"

namespace sheet_test {

// Writes `value` right-aligned into s[column, column + width), nothing for 0.
inline void putNumber(std::string& s, int column, int width, int value, bool zeroPad = false) {
    if (value == 0 && !zeroPad) return;
    std::string v = std::to_string(value);
    if (zeroPad && v.size() < size_t(width)) v.insert(0, width - v.size(), '0');
    s.replace(column + width - v.size(), v.size(), v);
}

// The template line with day, month, times and marker filled in.
inline std::string entryLine(int day, int month, const char* von, const char* bis,
                             char marker = ' ') {
    std::string e = book::kTemplateLine;
    putNumber(e, book::col::kDay, 2, day % 100, true);
    putNumber(e, book::col::kMonth, 2, month % 100, true);
    e.replace(book::col::kFromHour, 5, von);
    e.replace(book::col::kToHour, 5, bis);
    e[book::col::kMarker] = marker;
    return e;
}

// Shows `month` of `year` with the time proposal out of the way and the
// entry line open.
inline void showMonth(book::Zeitbuch& zb, int year, int month) {
    zb.jahr = year;
    zb.Monat_einstellen(month);
    zb.zeitvorschlag = false;
    zb.Zeile_auswaehlen(static_cast<int>(zb.zeilen.size()) - 1, true, false);
}

// Enter on the open line as the sheet editing does it: check with the
// overlap test, build, store at the selected index, recompute when a stored
// line was replaced or the check asks for it, then open the next line.
// Returns the check's result.
inline int typeLine(book::Zeitbuch& zb, int day, const char* von, const char* bis,
                    char marker = ' ') {
    const int at = zb.aktuelleZeile;
    const bool stored = at != static_cast<int>(zb.zeilen.size()) - 1;
    zb.eingabe = entryLine(day, zb.monat, von, bis, marker);
    const int r = zb.Zeile_pruefen(true);
    if (r >= 0) return r;
    if (stored) zb.zeilen.erase(zb.zeilen.begin() + at);
    if (!stored) zb.texte.insert(zb.texte.begin() + at, "");
    zb.Zeile_einfuegen(at, zb.Zeile_auswerten(true, false), true);
    if (stored || r == -2) zb.Zuschlaege_neu_berechnen();
    zb.einfuegeIndex = -1;
    zb.Zeile_auswaehlen(at + 1, false, false);
    return r;
}

class SheetTest : public ::testing::Test {
protected:
    testing_support::RecordingHost host;
    book::Zeitbuch zb{host};
    platform::ScriptedMessages boxes;

    void showMonth(int year, int month) {
        sheet_test::showMonth(zb, year, month);
        host.calls.clear();
    }
    int lastIndex() const { return static_cast<int>(zb.zeilen.size()) - 1; }
    int type(int day, const char* von, const char* bis, char marker = ' ') {
        return typeLine(zb, day, von, bis, marker);
    }
};

}  // namespace sheet_test
