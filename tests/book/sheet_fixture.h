// A month page driven as the sheet editing drives it: lines typed into the
// entry line, checked, built and stored, with a recording host.
#pragma once

#include <gtest/gtest.h>

#include <string>

#include "book/zeitbuch.h"
#include "platform/core/message_box.h"
#include "tests/support/recording_host.h"

namespace sheet_test {

// The template line with day, month, times and marker filled in.
inline std::string entryLine(int day, int month, const char* von, const char* bis,
                             char marker = ' ') {
    std::string e = book::kTemplateLine;
    auto two = [&](int column, int v) {
        e[column] = static_cast<char>('0' + v / 10 % 10);
        e[column + 1] = static_cast<char>('0' + v % 10);
    };
    two(book::col::kDay, day);
    two(book::col::kMonth, month);
    e.replace(book::col::kFromHour, 5, von);
    e.replace(book::col::kToHour, 5, bis);
    e[book::col::kMarker] = marker;
    return e;
}

// The 59-character text of a built line with its minute columns.
inline std::string sheetLine(char marker, int lineNo, int day, int month, const char* weekday,
                             const char* von, const char* bis, int total, int normal, int extra,
                             int night, int holiday) {
    std::string s = entryLine(day, month, von, bis, marker);
    auto put = [&](int value, int column, int width) {
        if (value == 0) return;
        const std::string v = std::to_string(value);
        s.replace(column + width - v.size(), v.size(), v);
    };
    put(lineNo, book::col::kLineNo, 3);
    s.replace(book::col::kWeekday, 10, weekday);
    put(total, 34, 5);
    put(normal, 39, 4);
    put(extra, 44, 4);
    put(night, 49, 4);
    put(holiday, 54, 4);
    return s;
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
    const int last = static_cast<int>(zb.zeilen.size()) - 1;
    zb.eingabe = entryLine(day, zb.monat, von, bis, marker);
    const int r = zb.Zeile_pruefen(true);
    if (r >= 0) return r;
    const bool stored = at != last;
    if (stored)
        zb.zeilen.erase(zb.zeilen.begin() + at);
    else
        zb.texte.insert(zb.texte.begin() + at, "");
    const std::string line = zb.Zeile_auswerten(true, false);
    zb.Zeile_einfuegen(at, line, true);
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
