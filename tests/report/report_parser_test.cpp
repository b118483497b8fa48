#include "report/report_parser.h"

#include <gtest/gtest.h>

#include "platform/core/codepage.h"
#include "platform/core/message_box.h"
#include "report/report.h"
#include "tests/report/formular_fixture.h"

namespace report {
namespace {

using Obj = DruckReport_Struct;
using platform::ScriptedMessages;

// Parses a UTF-8 test text; every box must be expected by the caller.
struct Parse {
    explicit Parse(std::string_view utf8, platform::Answer a = platform::Answer::Ok) {
        boxes.answer(a);  // to the first unknown word
        ok = report.SetReportdaten(platform::cp1252(utf8));
    }
    const Obj& at(size_t i) const { return report.Objekte().at(i); }
    size_t size() const { return report.Objekte().size(); }
    ScriptedMessages boxes;  // declared first: installed before the parse runs
    Report report;
    bool ok = false;
};

// One object text, and how its record differs from a label with the built-in
// defaults (width 500, height 300, pen 10, table 1, Times New Roman...).
struct ObjectCase {
    std::string text;
    void (*expect)(Obj&);
};

Obj defaultLabel() {
    Obj o;
    o.width = 500, o.height = 300, o.penWidth = 10, o.table = 1;
    return o;
}

const std::string kX200(200, 'x'), kX300(300, 'x');

TEST(ReportParser, ObjectRecords) {
    // Each text follows "object ".
    const ObjectCase cases[] = {
        {"label text \"a # b\" end", [](Obj& o) { o.text = "a # b"; }},
        {"label text \"ab\"cd end", [](Obj& o) { o.text = "ab"; }},  // rest dropped
        {"label text end end", [](Obj& o) { o.text = "end"; }},      // a keyword as value
        // Values are cut at 200 bytes; an open quote ends at the line end.
        {"label text " + kX300 + " breite 7 end", [](Obj& o) { o.text = kX200, o.width = 7; }},
        {"label text \"" + kX300 + "\"\r\nbreite 7 end",
         [](Obj& o) { o.text = kX200, o.width = 7; }},
        {"label text \"Guten Tag\r\nbreite 9 end",
         [](Obj& o) { o.text = "Guten Tag", o.width = 9; }},
        {"label links 12abc oben -0 end", [](Obj& o) { o.left = 12; }},
        {"label links 007 oben 2147483647 breite -2147483648 end",
         [](Obj& o) { o.left = 7, o.top = INT32_MAX, o.width = INT32_MIN; }},
        {"variable oben 1 links 2 breite 3 höhe 4 stift 5 schrifthöhe 6 anzahl 7\n"
         "textwinkel 8 spalten 9 farbe 00ff80 text T else E add A1 add A2 typ zahl\n"
         "anzeige format getdbtext Spalte tabelle tab3 fontart kursiv end",
         [](Obj& o) {
             o.type = kVariable, o.top = 1, o.left = 2, o.width = 3, o.height = 4;
             o.penWidth = 5, o.font.size = 6, o.count = 7, o.textAngle = 8, o.columns = 9;
             o.colour = 0x00FF80, o.text = "T", o.secondText = "Spalte";  // getdbtext wins
             o.actions = {{0, "A1"}, {0, "A2"}}, o.numberType = 1, o.displayFormat = 1;
             o.recordText = 0, o.table = 3, o.font.style = kKursiv;
         }},
        {"label ausrichtung hmitte ausrichtung vmitte ausrichtung box end",
         [](Obj& o) { o.hAlign = o.vAlign = kAlignCentre, o.autoSize = 0; }},
        {"label ausrichtung rechts ausrichtung unten ausrichtung box ausrichtung links "
         "ausrichtung oben ausrichtung auto fontart fett fontart normal end",
         [](Obj&) {}},
        {"label wenn ersteseite wenn nerster wenn leer end",
         [](Obj& o) { o.conditions = kErsteSeite | kNErster | kLeer; }},
        // Partners clear each other: erster/nerster/letzter, leer/nleer.
        {"label wenn erster wenn nerster wenn nleer end",
         [](Obj& o) { o.conditions = kNErster | kNLeer; }},
        {"label wert X wenn änderung wenn datensatz end",  // änderung resets the value
         [](Obj& o) { o.conditions = kAenderung | kDatensatz, o.value = "", o.recordText = 0; }},
        // Groups 1..32 set bits; 0 clears; 33 and more or negative are ignored.
        {"label gruppe 1 gruppe 3 gruppe 32 gruppe 33 gruppe -1 gruppe -31 end",
         [](Obj& o) { o.groupMask = 0x80000005u; }},
        {"label gruppe 5 gruppe 0 gruppe 1 end", [](Obj& o) { o.groupMask = 1; }},
        {"label # text a\nend", [](Obj&) {}},  // # ends the line and its pending word
        {"label ausrichtung\nfontart\nend\nausrichtung", [](Obj&) {}},
    };
    for (const ObjectCase& c : cases) {
        Parse p("object " + c.text);
        Obj expected = defaultLabel();
        c.expect(expected);
        EXPECT_TRUE(p.ok && p.boxes.count() == 0) << c.text;
        ASSERT_EQ(p.size(), 1u) << c.text;
        EXPECT_EQ(p.at(0), expected) << c.text;
    }
}

TEST(ReportParser, SetLinesFramesAndReparsing) {
    // set lines write the defaults until the line ends; words without a default
    // act on the current object; the outermost frame's end resets the group.
    const char* text =
        "ausrichtung querformat\nset gruppe 1 gruppe 4\n"
        "set schrifthöhe 12 links 5 oben 6 breite 7 höhe 8 stift 9 anzahl 3 farbe FF\n"
        "set ausrichtung rechts fontart fett tabelle tab2 typ zahl ausrichtung box\n"
        "object label end\nobject variable text V typ zahl links 1 end\n"
        "set text Nachher schrittweite 4 wenn leer\n"
        "frame oben 10 tabelle tab3\n"
        "  object label end breite 77\n"  // the closed object stays the target
        "  frame\n    object dbtext end\n  end\n"
        "  object linie end\n"
        "end\n"
        "object label seiten -2 end\n"
        "seitenframe object label end end\n"
        "frame\nobject label text a";  // a missing final end is no error
    Parse p(text);
    ASSERT_TRUE(p.ok && p.boxes.count() == 0);
    Vorgaben d;
    d.fontSize = 12, d.left = 5, d.top = 6, d.width = 7, d.height = 8, d.penWidth = 9;
    d.count = 3, d.colour = 0xFF, d.hAlign = kAlignEnd, d.autoSize = 0, d.fontStyle = kFett;
    d.table = 2, d.numberType = 1;
    EXPECT_EQ(p.report.Defaultwerte(), d);
    d.groupMask = 0x8;  // exactly one bit on a set line
    EXPECT_EQ(p.at(0), Neues_Objekt(d));
    EXPECT_EQ(std::tie(p.at(1).left, p.at(1).text, p.at(1).step, p.at(1).conditions),
              std::tuple(1, std::string("Nachher"), 4, uint32_t(kLeer)));
    ASSERT_EQ(p.size(), 12u);
    const std::tuple<uint8_t, int32_t, uint32_t> shape[] = {
        {kLabel, -1, 8},       {kVariable, -1, 8}, {kFrame, -1, 8}, {kLabel, 2, 8},
        {kFrame, 2, 8},        {kDbText, 4, 8},    {kLinie, 2, 8},  {kLabel, -1, 0},
        {kSeitenFrame, -1, 0}, {kLabel, 8, 0},     {kFrame, -1, 0}, {kLabel, 10, 0}};
    for (size_t i = 0; i < std::size(shape); ++i)
        EXPECT_EQ(std::tuple(p.at(i).type, p.at(i).parent, p.at(i).groupMask), shape[i]) << i;
    EXPECT_EQ(std::tie(p.at(2).top, p.at(2).width, p.at(2).table), std::tuple(10, 0, 3));
    EXPECT_EQ(p.at(3).width, 77);  // frames take no size defaults (width 0 above)
    EXPECT_EQ(p.at(8).table, 0);   // seiten is report-wide
    EXPECT_EQ(std::tuple(p.report.Seiten(), p.report.SeitenFrame(), p.report.Ausrichtung()),
              std::tuple(-2, 8, kQuerformat));
    // The same text again gives the same objects; another starts from scratch.
    const std::vector<Obj> first = p.report.Objekte();
    EXPECT_TRUE(p.report.SetReportdaten(platform::cp1252(text)));
    EXPECT_EQ(p.report.Objekte(), first);
    // An empty text (or blanks, or a comment) gives no objects, no box, the defaults.
    for (const char* empty : {"", "   \r\n\t\n", "# nur ein Kommentar\n"}) {
        EXPECT_TRUE(p.report.SetReportdaten(empty) && p.report.Objekte().empty());
        EXPECT_EQ(p.report.Defaultwerte(), Vorgaben());
        EXPECT_EQ(std::tuple(p.report.Seiten(), p.report.SeitenFrame(), p.report.Ausrichtung()),
                  std::tuple(1, -1, kHochformat));
    }
    EXPECT_EQ(p.boxes.count(), 0u);
}

TEST(ReportParser, DataBlocksAndRowPieces) {
    struct Case {
        std::string row, cell0, cell1;  // cells as stored under a two-column header
    };
    const Case cases[] = {
        {"a b , c ", "a b ", " c "},  // unquoted pieces keep their blanks
        {"\"x,y\",z", "x,y", "z"},    // a comma inside quotes
        {"\"ab\"cd,e", "ab", "e"},    // after the closing quote: dropped
        {"pre\"q\",r", "q", "r"},     // the quote starts the piece afresh
        {"\"abc", "abc", ""},         // unterminated quote: to the line end
        {"1,2,3", "1", "2"},          // surplus piece dropped
        {",", "", ""},
        {std::string(300, 'r'), std::string(200, 'r'), ""},
    };
    for (const Case& c : cases) {
        Parse p("object label spalten 3 end\ndata tab2\nrow \"K1\",K2\nrow " + c.row + "\nend");
        ASSERT_TRUE(p.ok && p.report.EigeneTabelle(2)) << c.row;
        EXPECT_EQ(p.at(0).columns, 3);
        EXPECT_EQ(p.report.EigeneTabelle(2)->GetStrings(),
                  (TStringTab::CellList{"K1", "K2", c.cell0, c.cell1}))
            << c.row;
    }
}

TEST(ReportParser, UnknownWordsAskOkOrCancel) {
    struct Case {
        const char *text, *shown;  // shown: up to 20 bytes from the word on, line ends included
        size_t objects;
    };
    const Case cases[] = {
        {"object label text Guten Tag end", "Tag end", 1},
        {"object label xyz\r\nabcdefghijklmnopqrstuvwxyz end", "xyz\r\nabcdefghijklmno", 1},
        {"object label Text a end", "Text a end", 1},    // case counts
        {"object label hoehe 6 end", "hoehe 6 end", 1},  // umlauts are bytes
        {"object label end\nfoo\nobject label end", "foo\nobject label end", 2},
    };
    for (const Case& c : cases) {
        Parse p(c.text);
        EXPECT_TRUE(p.ok) << c.text;  // OK skips the word
        ASSERT_GE(p.boxes.count(), 1u) << c.text;
        const platform::MessageRequest& box = p.boxes.shown()[0];
        EXPECT_EQ(std::tie(box.text, box.caption), std::tuple(c.shown, "Unbekannter Befehl"));
        EXPECT_EQ(box.buttons, platform::Buttons::OkCancel);
        EXPECT_EQ(p.size(), c.objects) << c.text;
    }
    // Cancel keeps the objects so far, silently, and reports failure.
    Parse cancel("object label text a end\nfoo\nobject label end", platform::Answer::Cancel);
    EXPECT_FALSE(cancel.ok);
    EXPECT_EQ(std::tuple(cancel.size(), cancel.boxes.count()), std::tuple(1u, 1u));
}

TEST(ReportParser, StatementForm) {
    Parse p(testing::formularUtf8());
    ASSERT_TRUE(p.ok && p.boxes.count() == 0);
    EXPECT_EQ(std::tuple(p.report.Seiten(), p.report.SeitenFrame()), std::tuple(2, 3));
    ASSERT_EQ(p.size(), 17u);
    EXPECT_EQ(p.at(8).table, 2);  // the sheet frame and its five children
    for (size_t i = 9; i < 15; ++i) EXPECT_EQ(p.at(i).parent, i < 14 ? 8 : -1) << i;
    ASSERT_NE(p.report.EigeneTabelle(3), nullptr);
    EXPECT_EQ(p.report.EigeneTabelle(3)->GetCell(1, 1), "keine Bereitschaft");
    const Obj& last = p.report.Objekte().back();  // top level after the last frame
    EXPECT_EQ(std::tuple(last.parent, last.textAngle, last.font.size), std::tuple(-1, 450, 8));
}

}  // namespace
}  // namespace report
