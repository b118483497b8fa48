#include "report/report_errors.h"

#include <gtest/gtest.h>

#include "platform/core/codepage.h"
#include "platform/core/message_box.h"
#include "report/report.h"

namespace report {
namespace {

std::string cp(std::string_view utf8) {
    return platform::cp1252(utf8);
}

TEST(ReportErrors, MessageTexts) {
    const char* texts[] = {
        "Objektzuweisung ohne Objektdefinition", "Unvollständiger Befehl",
        "Parameterwert erwartet aber nicht definiert",
        "Ausrichtungsangabe oder Parameterposition an ungültiger Stelle",
        "Parameter für Schriftart ohne Parameterdefinition gefunden",
        "Frameparameter ohne Framedefinition", "Zuweisung ohne Objektdefinition",
        "Unerwartete 'end'-Anweisung", "Unzulässige Objekteigenschaft", "Kein Vorgabeparameter",
        "Tabellenauswahl ohne 'Set' oder ohne 'Data' -Befehl",
        "Zeilendefinition (row) ohne Datenmous 'data tabX'",
        "Bedingungsparameter ohne Parameterdefinition gefunden",
        "Es kann nur ein Seitenframe-Objekt definiert werden",
        "Ein Seitenframe-Objekt kann nicht innerhalb eines Frames definiert werden",
        "Diese Eigenschaft kann nicht als Vorgabe gesetzt werden", "Fehlende 'end'-Anweisung"};
    for (int n = 1; n <= kLetzterFehler; ++n)
        EXPECT_EQ(fehlerText(static_cast<ReportFehler>(n)), cp(texts[n - 1])) << n;
    EXPECT_EQ(fehlerText(ReportFehler::Keiner), "");
    EXPECT_EQ(fehlerText(static_cast<ReportFehler>(18)), "");
    EXPECT_EQ(fehlerMeldung(ReportFehler::AusrichtungFalsch, 12),
              cp("Fehler in den Reportdaten!\nFehlernummer:4  Ausrichtungsangabe oder "
                 "Parameterposition an ungültiger Stelle\nIn Zeile 12"));
}

struct ErrorCase {
    const char* text;  // UTF-8
    int number;
    int line;
};

// Every numbered error, reached where it stands and where a pending word
// meets it. Lines count LF only.
const ErrorCase kCases[] = {
    {"label", 1, 1}, {"object label end\nbitmap", 1, 2}, {"object dbtext wenn label", 1, 1},
    {"fontart fett", 1, 1}, {"tabelle tab1", 1, 1},
    {"data tab1\nfontart fett", 1, 2},  // an open data block has no object
    {"object\n", 2, 1}, {"object label text\r\nend", 2, 1}, {"\n\nobject label wenn\nend", 2, 3},
    {"data\n", 2, 1}, {"object label tabelle\n", 2, 1}, {"object variable typ\n", 2, 1},
    {"object label anzeige\n", 2, 1}, {"object end", 2, 1}, {"data set", 2, 1},
    {"object text a", 2, 1},  // a keyword where the object word belongs
    {"object label wenn text a", 2, 1},
    {"object\rlabel end\nend", 2, 1},  // a lone CR ends a line without counting one
    {"object label links abc", 3, 1}, {"object label links -", 3, 1},
    {"object label\nhöhe -x", 3, 2}, {"object label links 2147483648", 3, 1},
    {"object label links -2147483649", 3, 1},
    {"object label links 99999999999999999999999999", 3, 1},
    {"object label gruppe \"3\"", 3, 1}, {"object label farbe 12G4", 3, 1},
    {"object label farbe \"\"", 3, 1},
    {"object label ausrichtung hmitte vmitte", 4, 1}, {"hmitte", 4, 1}, {"querformat", 4, 1},
    {"object links 5", 4, 1}, {"object label wenn oben", 4, 1},
    {"object label fontart gruppe 2", 4, 1}, {"object label tabelle seiten 2", 4, 1},
    {"object label fett", 5, 1}, {"object label fontart fett kursiv", 5, 1}, {"normal", 5, 1},
    {"spalten 2", 6, 1}, {"object label ausrichtung spalten 2", 6, 1},
    {"data tab1\nspalten 2", 6, 2},
    {"wenn label", 7, 1},  // wenn at depth 0 comes first
    {"text Hallo", 7, 1}, {"object label end\nschrittweite 5", 7, 2}, {"wenn leer", 7, 1},
    {"typ zahl", 7, 1}, {"anzeige format", 7, 1}, {"set else x", 7, 1}, {"getdbtext x", 7, 1},
    {"set text x", 7, 1}, {"data tab1\nausrichtung hmitte", 7, 2},
    {"end", 8, 1}, {"frame\r\n\r\n# x\r\nobject label\r\nend\r\nend\r\nend\r\n", 8, 7},
    {"object label typ zahl", 9, 1}, {"object label getdbtext Spalte", 9, 1},
    {"set spalten 2", 10, 1}, {"set seiten 2", 10, 1},
    {"tab1", 11, 1}, {"object label tab3", 11, 1},
    {"row a,b", 12, 1}, {"data tab1 end\nrow a", 12, 2},
    {"object label wenn änderung datensatz", 13, 1}, {"object label zahl", 13, 1},
    {"format", 13, 1}, {"leer", 13, 1}, {"object variable typ format", 13, 1},
    {"seitenframe end\nseitenframe", 14, 2},
    {"frame seitenframe", 15, 1}, {"frame end\nframe\nobject label end\nseitenframe", 15, 4},
    {"set anzeige format", 16, 1},
    {"object label object", 17, 1}, {"seitenframe object", 17, 1},
    {"frame object label object", 17, 1}, {"data tab1 object", 17, 1},
};

TEST(ReportErrors, EveryNumberedErrorWithItsLine) {
    bool reached[kLetzterFehler + 1] = {};
    for (const ErrorCase& c : kCases) {
        platform::ScriptedMessages boxes;
        Report r;
        EXPECT_FALSE(r.SetReportdaten(cp(c.text))) << c.text;
        ASSERT_EQ(boxes.count(), 1u) << c.text;
        EXPECT_EQ(boxes.last().text, fehlerMeldung(static_cast<ReportFehler>(c.number), c.line))
            << c.text;
        EXPECT_EQ(boxes.last().caption, "Fehler");
        EXPECT_EQ(boxes.last().buttons, platform::Buttons::Ok);
        reached[c.number] = true;
    }
    for (int n = 1; n <= kLetzterFehler; ++n) EXPECT_TRUE(reached[n]) << n;
}

TEST(ReportErrors, ObjectsBeforeTheErrorStay) {
    platform::ScriptedMessages boxes;
    Report r;
    EXPECT_FALSE(
        r.SetReportdaten("object label text a end\nobject rechteck end\nend\n"
                         "object label end"));
    ASSERT_EQ(r.Objekte().size(), 2u);
    EXPECT_EQ(r.Objekte()[1].type, kRechteck);
}

TEST(ReportErrors, ExhaustedMemoryIsReported) {
    // A box handler that throws stands in for an allocation failing mid-parse.
    std::vector<platform::MessageRequest> shown;
    platform::setMessageHandler([&shown](const platform::MessageRequest& m) {
        shown.push_back(m);
        if (m.caption == "Unbekannter Befehl") throw std::bad_alloc();
        return platform::Answer::Ok;
    });
    Report r;
    const bool ok = r.SetReportdaten("object label end\nunbekannt");
    platform::setMessageHandler(nullptr);
    EXPECT_FALSE(ok);
    ASSERT_EQ(shown.size(), 2u);
    EXPECT_EQ(shown[1].text, "Nicht genug Speicher");
    EXPECT_EQ(shown[1].caption, "Achtung");
}

}  // namespace
}  // namespace report
