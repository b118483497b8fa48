#include "report/report_errors.h"

#include <gtest/gtest.h>

#include <vector>

#include "platform/core/codepage.h"
#include "platform/core/message_box.h"
#include "report/report.h"

namespace report {
namespace {

// The message of every numbered error, in order.
const char* const kTexts[] = {
    "Objektzuweisung ohne Objektdefinition",
    "Unvollständiger Befehl",
    "Parameterwert erwartet aber nicht definiert",
    "Ausrichtungsangabe oder Parameterposition an ungültiger Stelle",
    "Parameter für Schriftart ohne Parameterdefinition gefunden",
    "Frameparameter ohne Framedefinition",
    "Zuweisung ohne Objektdefinition",
    "Unerwartete 'end'-Anweisung",
    "Unzulässige Objekteigenschaft",
    "Kein Vorgabeparameter",
    "Tabellenauswahl ohne 'Set' oder ohne 'Data' -Befehl",
    "Zeilendefinition (row) ohne Datenmous 'data tabX'",
    "Bedingungsparameter ohne Parameterdefinition gefunden",
    "Es kann nur ein Seitenframe-Objekt definiert werden",
    "Ein Seitenframe-Objekt kann nicht innerhalb eines Frames definiert werden",
    "Diese Eigenschaft kann nicht als Vorgabe gesetzt werden",
    "Fehlende 'end'-Anweisung"};

// Texts (UTF-8) that stop with one numbered error on one line: every error where it
// stands and where a pending word meets it. Lines count LF only; a lone CR ends a line
// without counting one; error 2 at a line end is reported on the incomplete command's line.
struct ErrorCase {
    int number, line;
    std::vector<const char*> texts;
};
const ErrorCase kCases[] = {
    {1, 1, {"label", "object dbtext wenn label", "fontart fett", "tabelle tab1"}},
    {1, 2, {"object label end\nbitmap", "data tab1\nfontart fett"}},
    {2, 1, {"object\n", "object label text\r\nend", "data\n", "object label tabelle\n"}},
    {2, 1, {"object variable typ\n", "object label anzeige\n", "object end", "object text a"}},
    {2, 1, {"object label wenn text a", "object\rlabel end\nend"}},
    {3, 1, {"object label links -", "object label links 2147483648", "object label farbe 12G4"}},
    {3, 1, {"object label links -2147483649", "object label links 99999999999999999999999999"}},
    {3, 2, {"object label\nhöhe -x"}},
    {4, 1, {"object label ausrichtung hmitte vmitte", "hmitte", "querformat", "object links 5"}},
    {4, 1, {"object label wenn oben", "object label fontart gruppe 2"}},
    {5, 1, {"object label fett", "object label fontart fett kursiv", "normal"}},
    {6, 1, {"spalten 2", "object label ausrichtung spalten 2"}},
    {7, 1, {"wenn label", "text Hallo", "wenn leer", "typ zahl", "anzeige format", "set else x"}},
    {7, 1, {"getdbtext x", "set text x"}},
    {7, 2, {"object label end\nschrittweite 5", "data tab1\nausrichtung hmitte"}},
    {8, 7, {"frame\r\n\r\n# x\r\nobject label\r\nend\r\nend\r\nend\r\n"}},
    {9, 1, {"object label typ zahl", "object label getdbtext Spalte"}},
    {10, 1, {"set spalten 2", "set seiten 2"}},
    {11, 1, {"tab1", "object label tab3"}},
    {12, 2, {"data tab1 end\nrow a"}},
    {13, 1, {"object label wenn änderung datensatz", "object label zahl", "format", "leer"}},
    {14, 2, {"seitenframe end\nseitenframe"}},
    {15, 1, {"frame seitenframe"}},
    {15, 4, {"frame end\nframe\nobject label end\nseitenframe"}},
    {16, 1, {"set anzeige format"}},
    {17, 1, {"object label object", "seitenframe object", "frame object label object"}},
};

TEST(ReportErrors, EveryNumberedErrorWithItsLine) {
    for (const ErrorCase& c : kCases) {
        for (const char* text : c.texts) {
            platform::ScriptedMessages boxes;
            Report r;
            EXPECT_FALSE(r.SetReportdaten(platform::cp1252(text))) << text;
            ASSERT_EQ(boxes.count(), 1u) << text;
            EXPECT_EQ(boxes.last().text,
                      platform::cp1252(
                          "Fehler in den Reportdaten!\nFehlernummer:" + std::to_string(c.number) +
                          "  " + kTexts[c.number - 1] + "\nIn Zeile " + std::to_string(c.line)))
                << text;
            EXPECT_TRUE(boxes.last().caption == "Fehler" &&
                        boxes.last().buttons == platform::Buttons::Ok);
        }
    }
}

}  // namespace
}  // namespace report
