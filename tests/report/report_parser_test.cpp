#include "report/report_parser.h"

#include <gtest/gtest.h>

#include "platform/core/codepage.h"
#include "platform/core/message_box.h"
#include "report/report.h"
#include "tests/report/formular_fixture.h"

namespace report {
namespace {

using platform::Answer;
using platform::ScriptedMessages;

std::string cp(std::string_view utf8) {
    return platform::cp1252(utf8);
}

// Parses a UTF-8 test text; every box must be expected by the caller.
struct Parse {
    explicit Parse(std::string_view utf8) { ok = report.SetReportdaten(cp(utf8)); }
    const DruckReport_Struct& at(size_t i) const { return report.Objekte().at(i); }
    size_t size() const { return report.Objekte().size(); }
    ScriptedMessages boxes;  // declared first: installed before the parse runs
    Report report;
    bool ok = false;
};

TEST(ReportParser, EmptyTextGivesAnEmptyPortraitReportWithoutABox) {
    for (const char* text : {"", "   \r\n\t\n", "# nur ein Kommentar\n"}) {
        Parse p(text);
        EXPECT_TRUE(p.ok);
        EXPECT_EQ(p.size(), 0u);
        EXPECT_EQ(p.boxes.count(), 0u);
        EXPECT_EQ(p.report.Ausrichtung(), kHochformat);
        EXPECT_EQ(p.report.Seiten(), 1);
        EXPECT_EQ(p.report.SeitenFrame(), -1);
    }
}

TEST(ReportParser, OneLabelTakesTheDefaults) {
    Parse p("object label text Hallo end");
    ASSERT_TRUE(p.ok);
    ASSERT_EQ(p.size(), 1u);
    DruckReport_Struct expected = Neues_Objekt(Vorgaben());
    expected.text = "Hallo";
    EXPECT_EQ(p.at(0), expected);
    EXPECT_EQ(expected.width, 500);
    EXPECT_EQ(expected.height, 300);
    EXPECT_EQ(expected.penWidth, 10);
    EXPECT_EQ(expected.table, 1);
    EXPECT_EQ(expected.autoSize, 1);
    EXPECT_EQ(expected.columns, 1);
    EXPECT_EQ(expected.recordText, 1);
    EXPECT_EQ(expected.background, kKeineFarbe);
    EXPECT_EQ(expected.font.name, "Times New Roman");
    EXPECT_EQ(expected.parent, -1);
    EXPECT_FALSE(expected.value.has_value());
}

TEST(ReportParser, ObjectWordsSetTheType) {
    const std::pair<const char*, uint8_t> words[] = {
        {"label", kLabel},        {"bitmap", kBitmap},       {"rechteck", kRechteck},
        {"linie", kLinie},        {"datum", kDatum},         {"uhrzeit", kUhrzeit},
        {"seite", kSeite},        {"seitevon", kSeiteVon},   {"dbtext", kDbText},
        {"elipse", kElipse},      {"bedingung", kBedingung}, {"variable", kVariable},
        {"setgruppe", kSetGruppe}};
    for (const auto& [word, type] : words) {
        Parse p(std::string("object ") + word + " end");
        ASSERT_EQ(p.size(), 1u) << word;
        EXPECT_EQ(p.at(0).type, type) << word;
    }
}

TEST(ReportParser, QuotedValuesKeepBlanks) {
    Parse quoted("object label text \"Guten Tag\" end");
    EXPECT_EQ(quoted.at(0).text, "Guten Tag");
    EXPECT_EQ(quoted.boxes.count(), 0u);

    Parse bare("object label text Guten Tag end");
    EXPECT_EQ(bare.at(0).text, "Guten");
    ASSERT_EQ(bare.boxes.count(), 1u);
    EXPECT_EQ(bare.boxes.last().text, "Tag end");  // fewer than 20 left: up to the end
    EXPECT_EQ(bare.boxes.last().caption, "Unbekannter Befehl");
    EXPECT_EQ(bare.boxes.last().buttons, platform::Buttons::OkCancel);
    EXPECT_TRUE(bare.ok);  // OK skips the word
}

TEST(ReportParser, StringValueForms) {
    struct Case {
        const char* value;
        std::string expected;
    };
    const std::string long300(300, 'x');
    const Case cases[] = {
        {"\"ab\"cd", "ab"},  // rest of the word after the quote is dropped
        {"\"\"", ""},
        {"end", "end"},  // a keyword is a value where one is expected
        {"\"a # b\"", "a # b"},
        {"a\"b", "a\"b"},            // a quote inside a bare word is a character
        {"tab\there", "tab\there"},  // a TAB does not end a value
    };
    for (const Case& c : cases) {
        Parse p(std::string("object label text ") + c.value + " end");
        ASSERT_EQ(p.size(), 1u) << c.value;
        EXPECT_EQ(p.at(0).text, c.expected) << c.value;
        EXPECT_EQ(p.boxes.count(), 0u) << c.value;
        EXPECT_TRUE(p.ok) << c.value;
    }
    // Cut at 200 bytes; parsing resumes after the closing quote or the word.
    for (const std::string& v : {"\"" + long300 + "\"", long300}) {
        Parse p("object label text " + v + " breite 7 end");
        EXPECT_EQ(p.at(0).text, std::string(200, 'x'));
        EXPECT_EQ(p.at(0).width, 7);
        EXPECT_EQ(p.boxes.count(), 0u);
    }
    // An unterminated quote ends at the line end.
    Parse open("object label text \"Guten Tag\r\nbreite 9 end");
    EXPECT_EQ(open.at(0).text, "Guten Tag");
    EXPECT_EQ(open.at(0).width, 9);
    EXPECT_TRUE(open.ok);
}

TEST(ReportParser, NumberValues) {
    struct Case {
        const char* value;
        int32_t expected;
    };
    for (const Case& c :
         {Case{"-50", -50}, Case{"0", 0}, Case{"-0", 0}, Case{"12abc", 12},
          Case{"2147483647", 2147483647}, Case{"-2147483648", INT32_MIN}, Case{"007", 7}}) {
        Parse p(std::string("object label links ") + c.value + " end");
        ASSERT_TRUE(p.ok) << c.value;
        EXPECT_EQ(p.at(0).left, c.expected) << c.value;
    }
}

TEST(ReportParser, EveryValueWordReachesItsField) {
    Parse p(
        "object variable oben 1 links 2 breite 3 höhe 4 stift 5 schrifthöhe 6 anzahl 7\n"
        "textwinkel 8 spalten 9 farbe 00ff80 text T else E add A1 add A2 typ zahl\n"
        "anzeige format getdbtext Spalte tabelle tab3 fontart kursiv end\n"
        "object label schrittweite 11 einzelschritt 12 wert W end");
    ASSERT_TRUE(p.ok);
    ASSERT_EQ(p.size(), 2u);
    const DruckReport_Struct& v = p.at(0);
    EXPECT_EQ(v.top, 1);
    EXPECT_EQ(v.left, 2);
    EXPECT_EQ(v.width, 3);
    EXPECT_EQ(v.height, 4);
    EXPECT_EQ(v.penWidth, 5);
    EXPECT_EQ(v.font.size, 6);
    EXPECT_EQ(v.count, 7);
    EXPECT_EQ(v.textAngle, 8);
    EXPECT_EQ(v.columns, 9);
    EXPECT_EQ(v.colour, 0x00FF80u);
    EXPECT_EQ(v.text, "T");
    EXPECT_EQ(v.secondText, "Spalte");  // getdbtext after else wins
    ASSERT_EQ(v.actions.size(), 2u);
    EXPECT_EQ(v.actions[0], (FAktion{0, "A1"}));
    EXPECT_EQ(v.actions[1], (FAktion{0, "A2"}));
    EXPECT_EQ(v.numberType, 1);
    EXPECT_EQ(v.displayFormat, 1);
    EXPECT_EQ(v.recordText, 0);
    EXPECT_EQ(v.table, 3);
    EXPECT_EQ(v.font.style, kKursiv);
    const DruckReport_Struct& l = p.at(1);
    EXPECT_EQ(l.step, 12);  // einzelschritt writes the same field as schrittweite
    EXPECT_EQ(l.value, std::optional<std::string>("W"));
    EXPECT_EQ(l.recordText, 0);
}

TEST(ReportParser, AlignmentWords) {
    struct Case {
        const char* words;
        uint8_t h, v, autoSize;
    };
    for (const Case& c :
         {Case{"hmitte", 1, 0, 1}, Case{"rechts", 2, 0, 1}, Case{"vmitte", 0, 1, 1},
          Case{"unten", 0, 2, 1}, Case{"box", 0, 0, 0}, Case{"rechts ausrichtung links", 0, 0, 1},
          Case{"unten ausrichtung oben", 0, 0, 1}, Case{"box ausrichtung auto", 0, 0, 1},
          Case{"rechts ausrichtung unten ausrichtung box ausrichtung normal", 0, 0, 1},
          Case{"hmitte ausrichtung unten ausrichtung box", 1, 2, 0}}) {
        Parse p(std::string("object label ausrichtung ") + c.words + " end");
        ASSERT_TRUE(p.ok) << c.words;
        EXPECT_EQ(p.at(0).hAlign, c.h) << c.words;
        EXPECT_EQ(p.at(0).vAlign, c.v) << c.words;
        EXPECT_EQ(p.at(0).autoSize, c.autoSize) << c.words;
    }
    Parse land("ausrichtung querformat\nobject label end");
    EXPECT_EQ(land.report.Ausrichtung(), kQuerformat);
    EXPECT_TRUE(land.ok);
}

TEST(ReportParser, FontWords) {
    for (const auto& [words, style] : {std::pair{"kursiv", kKursiv},
                                       {"fett fontart unterstrichen", kFett | kUnterstrichen},
                                       {"fett fontart normal", 0},
                                       {"fett fontart kursiv fontart fett", kFett | kKursiv}}) {
        Parse p(std::string("object label fontart ") + words + " end");
        ASSERT_TRUE(p.ok) << words;
        EXPECT_EQ(p.at(0).font.style, style) << words;
        EXPECT_EQ(p.boxes.count(), 0u);
    }
}

TEST(ReportParser, ConditionsClearTheirPartners) {
    struct Case {
        const char* words;
        uint16_t flags;
    };
    for (const Case& c :
         {Case{"ersteseite wenn nerster", kErsteSeite | kNErster},
          Case{"änderung wenn datensatz", kAenderung | kDatensatz},
          Case{"erster wenn nerster", kNErster}, Case{"nerster wenn letzter wenn erster", kErster},
          Case{"erster wenn letzter", kLetzter}, Case{"nerster wenn letzter", kLetzter},
          Case{"leer wenn nleer", kNLeer}, Case{"nleer wenn leer", kLeer},
          Case{"neueseite wenn leer wenn erster", kNeueSeite | kLeer | kErster}}) {
        Parse p(std::string("object dbtext wenn ") + c.words + " end");
        ASSERT_TRUE(p.ok) << c.words;
        EXPECT_EQ(p.at(0).conditions, c.flags) << c.words;
    }
    Parse change("object dbtext wert X wenn änderung end");
    EXPECT_EQ(change.at(0).value, std::optional<std::string>(""));  // änderung resets the value
}

TEST(ReportParser, GroupNumbers) {
    struct Case {
        const char* words;
        uint32_t mask;
    };
    for (const Case& c :
         {Case{"gruppe 1 gruppe 3", 0x5}, Case{"gruppe 32", 0x80000000u},
          Case{"gruppe 2 gruppe 33", 0x2}, Case{"gruppe 2 gruppe -1", 0x2},
          Case{"gruppe 2 gruppe -31", 0x2}, Case{"gruppe 5 gruppe 0 gruppe 1", 0x1}}) {
        Parse p(std::string("object label ") + c.words + " end");
        ASSERT_TRUE(p.ok) << c.words;
        EXPECT_EQ(p.at(0).groupMask, c.mask) << c.words;
    }
    // On a set line the default becomes exactly one bit; the outermost
    // frame's end resets it.
    Parse set(
        "set gruppe 1 gruppe 4\nobject label end\nframe object label end end\n"
        "object label end\nset gruppe 2 gruppe 0\nobject label end");
    ASSERT_EQ(set.size(), 5u);
    EXPECT_EQ(set.at(0).groupMask, 0x8u);
    EXPECT_EQ(set.at(1).groupMask, 0x8u);
    EXPECT_EQ(set.at(2).groupMask, 0x8u);
    EXPECT_EQ(set.at(3).groupMask, 0u);
    EXPECT_EQ(set.at(4).groupMask, 0u);
}

TEST(ReportParser, SetLinesWriteTheDefaultsUntilTheLineEnds) {
    const char* text =
        "set schrifthöhe 12 links 5 oben 6 breite 7 höhe 8 stift 9 anzahl 3 farbe FF\n"
        "set ausrichtung rechts fontart fett tabelle tab2 typ zahl ausrichtung box\n"
        "object label end\n"
        "object variable text V typ zahl links 1 end";
    Parse p(text);
    ASSERT_TRUE(p.ok);
    const Vorgaben& d = p.report.Defaultwerte();
    EXPECT_EQ(d.fontSize, 12);
    EXPECT_EQ(d.left, 5);
    EXPECT_EQ(d.top, 6);
    EXPECT_EQ(d.width, 7);
    EXPECT_EQ(d.height, 8);
    EXPECT_EQ(d.penWidth, 9);
    EXPECT_EQ(d.count, 3);
    EXPECT_EQ(d.colour, 0xFFu);
    EXPECT_EQ(d.hAlign, kAlignEnd);
    EXPECT_EQ(d.autoSize, 0);
    EXPECT_EQ(d.fontStyle, kFett);
    EXPECT_EQ(d.table, 2);
    EXPECT_EQ(d.numberType, 1);
    EXPECT_EQ(p.at(0), Neues_Objekt(d));
    EXPECT_EQ(p.at(1).left, 1);  // the next line writes the object again

    // The same text again gives the same objects; another text starts from
    // the built-in defaults.
    std::vector<DruckReport_Struct> first = p.report.Objekte();
    EXPECT_TRUE(p.report.SetReportdaten(cp(text)));
    EXPECT_EQ(p.report.Objekte(), first);
    EXPECT_TRUE(p.report.SetReportdaten("object label end"));
    EXPECT_EQ(p.report.Objekte().at(0), Neues_Objekt(Vorgaben()));
    EXPECT_EQ(p.report.Defaultwerte(), Vorgaben());
}

TEST(ReportParser, SetLineWordsWithoutDefaultActOnTheCurrentObject) {
    Parse p("object label end\nset text Nachher schrittweite 4 wenn leer");
    ASSERT_TRUE(p.ok);
    EXPECT_EQ(p.at(0).text, "Nachher");
    EXPECT_EQ(p.at(0).step, 4);
    EXPECT_EQ(p.at(0).conditions, kLeer);
}

TEST(ReportParser, FramesNestAndTheClosedObjectStaysTheTarget) {
    Parse p(
        "frame oben 10 tabelle tab2\n"
        "  object label end breite 77\n"
        "  frame links 5\n"
        "    object dbtext end\n"
        "  end\n"
        "  object linie end\n"
        "end\n"
        "object label end\n"
        "seitenframe object label end end\n"
        "frame end");
    ASSERT_TRUE(p.ok);
    ASSERT_EQ(p.size(), 9u);
    const std::pair<uint8_t, int32_t> shape[] = {{kFrame, -1},       {kLabel, 0}, {kFrame, 0},
                                                 {kDbText, 2},       {kLinie, 0}, {kLabel, -1},
                                                 {kSeitenFrame, -1}, {kLabel, 6}, {kFrame, -1}};
    for (size_t i = 0; i < p.size(); ++i) {
        EXPECT_EQ(p.at(i).type, shape[i].first) << i;
        EXPECT_EQ(p.at(i).parent, shape[i].second) << i;
    }
    EXPECT_EQ(p.at(0).top, 10);
    EXPECT_EQ(p.at(0).left, 0);
    EXPECT_EQ(p.at(0).width, 0);
    EXPECT_EQ(p.at(0).height, 0);
    EXPECT_EQ(p.at(0).table, 2);
    EXPECT_EQ(p.at(1).width, 77);  // after its end, not the frame's
    EXPECT_EQ(p.at(0).width, 0);
    EXPECT_EQ(p.at(2).left, 5);
    EXPECT_EQ(p.at(6).table, 0);
    EXPECT_EQ(p.report.SeitenFrame(), 6);
}

TEST(ReportParser, MissingFinalEndIsNoError) {
    Parse p("frame\nobject label text a");
    EXPECT_TRUE(p.ok);
    EXPECT_EQ(p.size(), 2u);
    EXPECT_EQ(p.boxes.count(), 0u);
}

TEST(ReportParser, CommentsEndTheLineAndForgetPendingWords) {
    Parse p("object label # text a\nend\nset links 5 # vorgabe\nobject label text # x\nend");
    ASSERT_TRUE(p.ok);
    EXPECT_EQ(p.boxes.count(), 0u);
    ASSERT_EQ(p.size(), 2u);
    EXPECT_EQ(p.at(0).text, "");
    EXPECT_EQ(p.at(1).left, 5);  // # ends the value but not the set line's earlier words
    EXPECT_EQ(p.at(1).text, "");
}

TEST(ReportParser, SeitenOutsideAnyObjectIsReportWide) {
    Parse p("seiten 3\nobject label seiten -2 end");
    EXPECT_TRUE(p.ok);
    EXPECT_EQ(p.report.Seiten(), -2);
    EXPECT_TRUE(p.report.SetReportdaten("object label end"));
    EXPECT_EQ(p.report.Seiten(), 1);
}

TEST(ReportParser, DataBlocksFillTheOwnTables) {
    Parse p(
        "object label spalten 3 end\n"
        "data tab2\n"
        "row \"Name\",\"Wert\"\n"
        "row A,1\n"
        "end\n");
    ASSERT_TRUE(p.ok);
    EXPECT_EQ(p.at(0).columns, 3);
    TStringTab* t = p.report.EigeneTabelle(2);
    ASSERT_NE(t, nullptr);
    EXPECT_EQ(t->ColCount(), 2);
    EXPECT_EQ(t->GetRowCount(false), 1);
    EXPECT_EQ(t->GetCell(0, 0), "Name");
    EXPECT_EQ(t->GetCell(0, 1), "Wert");
    EXPECT_EQ(t->GetCell(1, 0), "A");
    EXPECT_EQ(t->GetCell(1, 1), "1");
    EXPECT_EQ(p.report.EigeneTabelle(1), nullptr);
    EXPECT_EQ(p.report.GetDatenTab(2), t);

    // A second parse starts the tables afresh.
    EXPECT_TRUE(p.report.SetReportdaten("data tab2\nrow x\nend"));
    EXPECT_EQ(p.report.EigeneTabelle(2)->ColCount(), 1);
    EXPECT_EQ(p.report.EigeneTabelle(2)->RowCount(), 1);
    EXPECT_TRUE(p.report.SetReportdaten(""));
    EXPECT_EQ(p.report.EigeneTabelle(2), nullptr);
}

TEST(ReportParser, RowPieces) {
    using Cells = std::vector<std::string>;
    struct Case {
        const char* row;
        Cells cells;  // as stored under a two-column header
    };
    const Case cases[] = {
        {"a b , c ", {"a b ", " c "}},  // unquoted pieces keep their blanks
        {"\"x,y\",z", {"x,y", "z"}},    // a comma inside quotes
        {"\"ab\"cd,e", {"ab", "e"}},    // after the closing quote: dropped
        {"pre\"q\",r", {"q", "r"}},     // the quote starts the piece afresh
        {"\"abc", {"abc", ""}},         // unterminated quote: to the line end
        {"1,2,3", {"1", "2"}},          // surplus piece dropped
        {"only", {"only", ""}},         // missing piece empty
        {",", {"", ""}},
    };
    for (const Case& c : cases) {
        Parse p(std::string("data tab1\nrow K1,K2\nrow ") + c.row + "\nend");
        ASSERT_TRUE(p.ok) << c.row;
        TStringTab* t = p.report.EigeneTabelle(1);
        ASSERT_NE(t, nullptr);
        EXPECT_EQ(t->RowCount(), 2) << c.row;
        EXPECT_EQ(t->GetCell(1, 0), c.cells[0]) << c.row;
        EXPECT_EQ(t->GetCell(1, 1), c.cells[1]) << c.row;
    }
    Parse longRow("data tab1\nrow " + std::string(300, 'r') + "\nend");
    EXPECT_EQ(longRow.report.EigeneTabelle(1)->GetCell(0, 0), std::string(200, 'r'));
    EXPECT_TRUE(longRow.ok);
}

TEST(ReportParser, HostTablesWinWhenTheyHoldARecord) {
    Report r;
    ScriptedMessages boxes;
    ASSERT_TRUE(r.SetReportdaten("data tab1\nrow a\nrow b\nend\ndata tab3\nrow c\nend"));
    TStringTab host1, host2;
    host1.Set_Tab(2, 1);
    host2.Set_Tab(1, 1);  // header only: no record
    r.Tabelle1 = &host1;
    r.Tabelle2 = &host2;
    EXPECT_EQ(r.GetDatenTab(1), &host1);
    EXPECT_EQ(r.GetDatenTab(2), nullptr);  // no own table 2 either
    EXPECT_EQ(r.GetDatenTab(3), r.EigeneTabelle(3));
    EXPECT_EQ(r.GetDatenTab(0), nullptr);
    EXPECT_EQ(r.GetDatenTab(4), nullptr);
    host1.Clear(false);
    EXPECT_EQ(r.GetDatenTab(1), r.EigeneTabelle(1));
    EXPECT_TRUE(r.SetReportdaten(""));
    EXPECT_EQ(r.Tabelle1, &host1);  // the host's tables survive a parse
}

TEST(ReportParser, UnknownWords) {
    // The box shows 20 bytes from the word on, line ends included, or up to the end.
    Parse many("object label xyz\r\nabcdefghijklmnopqrstuvwxyz end");
    ASSERT_GE(many.boxes.count(), 1u);
    EXPECT_EQ(many.boxes.shown()[0].text, "xyz\r\nabcdefghijklmno");
    Parse tail("object label ende");
    ASSERT_EQ(tail.boxes.count(), 1u);
    EXPECT_EQ(tail.boxes.last().text, "ende");
    // A keyword followed by a TAB or another character is no keyword.
    Parse tab("object\tlabel end");
    ASSERT_EQ(tab.boxes.count(), 2u);  // "object\tlabel", then "end" at depth 0
    EXPECT_EQ(tab.boxes.shown()[0].text, "object\tlabel end");
    EXPECT_EQ(tab.boxes.shown()[1].caption, "Fehler");
    // Keywords compare case-sensitively and with their umlaut bytes.
    Parse upper("object label Text a end");
    EXPECT_EQ(upper.boxes.shown()[0].text, "Text a end");
    Parse umlaut("object label höhe 5 hoehe 6 end");
    EXPECT_EQ(umlaut.at(0).height, 5);
    EXPECT_EQ(umlaut.boxes.shown()[0].text, "hoehe 6 end");
}

TEST(ReportParser, CancelOnAnUnknownWordKeepsTheObjectsSilently) {
    ScriptedMessages boxes;
    boxes.answer(Answer::Cancel);
    Report r;
    EXPECT_FALSE(r.SetReportdaten("object label text a end\nfoo\nobject label end"));
    EXPECT_EQ(r.Objekte().size(), 1u);
    ASSERT_EQ(boxes.count(), 1u);
    EXPECT_EQ(boxes.last().caption, "Unbekannter Befehl");
}

TEST(ReportParser, TextEndsAtItsFirstNul) {
    Parse p(std::string_view("object label end\0object label end", 33));
    EXPECT_TRUE(p.ok);
    EXPECT_EQ(p.size(), 1u);
}

TEST(ReportParser, Variables) {
    ScriptedMessages boxes;
    Report r;
    EXPECT_EQ(r.NeuVariable(""), nullptr);
    EXPECT_EQ(boxes.count(), 0u);
    Variable* v = r.NeuVariable("Summe");
    ASSERT_NE(v, nullptr);
    EXPECT_EQ(*v, (Variable{"Summe", "", 0, 0}));
    EXPECT_EQ(r.GetVariable("Summe"), v);
    EXPECT_EQ(r.GetVariable("summe"), nullptr);
    EXPECT_EQ(r.NeuVariable("Summe"), nullptr);
    ASSERT_EQ(boxes.count(), 1u);
    EXPECT_EQ(boxes.last().text,
              cp("Variable: Summe\nist schon definiert. Bitte benutzen Sie einen anderen "
                 "Namen für die se Variable!"));
    EXPECT_EQ(boxes.last().caption, "Fehler");
    EXPECT_TRUE(r.SetReportdaten(""));
    EXPECT_TRUE(r.Variablen().empty());
}

TEST(ReportParser, StatementForm) {
    Parse p(testing::formularUtf8());
    ASSERT_TRUE(p.ok);
    EXPECT_EQ(p.boxes.count(), 0u);
    EXPECT_EQ(p.report.Seiten(), 2);
    EXPECT_EQ(p.at(static_cast<size_t>(p.report.SeitenFrame())).type, kSeitenFrame);
    // The sheet frame is bound to table 2 and holds one child per column shown.
    int32_t sheet = -1;
    for (size_t i = 0; i < p.size(); ++i) {
        if (p.at(i).type == kFrame && p.at(i).table == 2) sheet = static_cast<int32_t>(i);
    }
    ASSERT_GE(sheet, 0);
    int children = 0;
    for (const auto& o : p.report.Objekte()) children += o.parent == sheet;
    EXPECT_EQ(children, 18);
    const TStringTab* own3 = p.report.EigeneTabelle(3);
    ASSERT_NE(own3, nullptr);
    EXPECT_EQ(own3->GetCell(1, 1), "keine Bereitschaft");
    // Every top-level object after the last frame has no parent.
    EXPECT_EQ(p.report.Objekte().back().parent, -1);
    EXPECT_EQ(p.report.Objekte().back().textAngle, 450);
    EXPECT_EQ(p.report.Objekte().back().font.size, 8);
}

}  // namespace
}  // namespace report
