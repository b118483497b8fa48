// Layout on the recording canvas: pages, record positions, wrapped lines,
// columns, conditions and groups, variables and sums, endless reports.
#include <gtest/gtest.h>

#include <algorithm>

#include "platform/core/date.h"
#include "report/report_sums.h"
#include "tests/report/report_test_support.h"

namespace report {
namespace {

using testing::Gezeichnet;
using testing::RecordingCanvas;

// Two lines of 40 per record (the text wraps at its blank): 32 records a page.
constexpr const char* kListe = R"(seiten 0
set tabelle tab2
frame oben 200 links 0 breite 1900 höhe 0
  object dbtext text Nr links 0 breite 300 höhe 40 end
  object dbtext text Text links 400 breite 200 höhe 300 ausrichtung box end
  object label text Kopf oben -60 links 1000 wenn neueseite end
end
seitenframe
  object seite text "Seite " oben 2700 links 0 breite 400 höhe 40 end
  object seitevon text "von " oben 2700 links 400 breite 400 höhe 40 end
end
)";

TEST(ReportLayout, FramesBoundToTablesOf0To1000Records) {
    for (const int n : {0, 1, 40, 1000}) {
        SCOPED_TRACE(n);
        std::vector<std::vector<std::string>> rows{{"Nr", "Text"}};
        for (int k = 0; k < n; ++k) rows.push_back({std::to_string(k), "abcdef ghijkl"});
        auto tab = testing::tabelle(rows);
        Report r;
        r.Tabelle2 = tab.get();
        testing::parse(r, kListe);
        RecordingCanvas c;
        testing::zeichne(r, c);
        const int seiten = n == 0 ? 1 : (n + 31) / 32;
        ASSERT_EQ(r.SeitenGesamt(), seiten);
        ASSERT_EQ(c.seite, seiten);
        size_t k = 0;  // record of the next Nr text
        int seitenTexte = 0;
        int koepfe = 0;
        for (size_t i = 0; i < c.calls.size(); ++i) {
            const Gezeichnet& g = c.calls[i];
            if (g.text == "Kopf") {  // once per page, above its first record
                EXPECT_EQ(++koepfe, g.seite);
                EXPECT_EQ(g.r.top, 240);
                continue;
            }
            if (g.text.rfind("Seite ", 0) == 0 || g.text.rfind("von ", 0) == 0) {
                EXPECT_TRUE(g.text == "Seite " + std::to_string(g.seite) ||
                            g.text == "von " + std::to_string(seiten));
                EXPECT_EQ(g.r.top, 2800);
                ++seitenTexte;
                continue;
            }
            ASSERT_EQ(g.text, std::to_string(k));
            const int y = 300 + static_cast<int>(k % 32) * 80;
            EXPECT_EQ(g.seite, static_cast<int>(k / 32) + 1);
            EXPECT_EQ(std::make_pair(g.r.left, g.r.top), std::make_pair(100, y));
            ASSERT_LT(i + 2, c.calls.size());
            EXPECT_EQ(c.calls[i + 1].text, "abcdef");
            EXPECT_EQ(c.calls[i + 2].text, "ghijkl");
            EXPECT_EQ(std::make_pair(c.calls[i + 2].r.left, c.calls[i + 2].r.top),
                      std::make_pair(500, y + 40));
            i += 2;
            ++k;
        }
        EXPECT_EQ(k, static_cast<size_t>(n));
        EXPECT_EQ(seitenTexte, 2 * seiten);
        EXPECT_EQ(koepfe, n == 0 ? 0 : seiten);
    }
}

TEST(ReportLayout, ObjectsWithoutFramesAndADbTextOfTheFirstRecord) {
    auto tab = testing::tabelle({{"Name", "Ort"}, {"Meier", "Bonn"}, {"Huber", "Köln"}});
    Report r;
    r.Tabelle1 = tab.get();
    testing::parse(r,
                   "object label text Kopf oben 10 links 20 end\n"
                   "object dbtext text Ort oben 50 links 20 end\n"
                   "object rechteck oben 100 links 0 breite 300 höhe 50 farbe FF end\n");
    RecordingCanvas c;
    testing::zeichne(r, c);
    ASSERT_EQ(c.calls.size(), 3u);
    EXPECT_EQ(c.texte(), (std::vector<std::string>{"Kopf", "Bonn"}));
    EXPECT_EQ(c.calls[1].r.top, 150);
    EXPECT_EQ(c.calls[2].r, (platform::Rect{100, 200, 400, 250}));
    EXPECT_EQ(c.calls[2].farbe, 0xFFu);
    EXPECT_EQ(c.seite, 1);
}

TEST(ReportLayout, FrameStepsRecordChangesAndColumns) {
    auto tab = testing::tabelle({{"N"}, {"a"}, {"b"}, {"c"}});
    Report r;
    r.Tabelle1 = tab.get();
    std::vector<int> positionen;
    r.OnRecordChange = [&](Report& sender, int t, int pos) {
        EXPECT_EQ(&sender, &r);
        if (t == 1) positionen.push_back(pos);
    };
    testing::parse(r, "frame oben 300 schrittweite 50\nobject dbtext text N end\nend\n");
    RecordingCanvas c;
    testing::zeichne(r, c);
    ASSERT_EQ(c.calls.size(), 3u);
    for (int k = 0; k < 3; ++k) EXPECT_EQ(c.calls[k].r.top, 400 + 50 * k);
    EXPECT_EQ(positionen, (std::vector<int>{1, 2, 3}));

    // Five records fill the first column of a frame 200 high; the rest go 50 mm right.
    auto zehn = testing::tabelle({{"N"}, {"0"}, {"1"}, {"2"}, {"3"}, {"4"}, {"5"}, {"6"}});
    r.Tabelle1 = zehn.get();
    testing::parse(r,
                   "frame oben 0 breite 1000 höhe 200 spalten 2\n"
                   "object dbtext text N höhe 40 end\nend\n");
    RecordingCanvas s;
    testing::zeichne(r, s);
    ASSERT_EQ(s.calls.size(), 7u);
    for (int k = 0; k < 7; ++k) {
        EXPECT_EQ(s.calls[k].r.left, k < 5 ? 100 : 600) << k;
        EXPECT_EQ(s.calls[k].r.top, 100 + 40 * (k % 5)) << k;
    }
}

// A frame without a column count lays out exactly as one given the count it
// needs: the fewest columns in which its records fit on the page, at most 11.
// The trials before leave table positions, sums, events and pages untouched.
TEST(ReportLayout, FrameWithoutColumnCountTakesTheColumnsItNeeds) {
    struct Lauf {
        std::vector<Gezeichnet> calls;
        std::vector<int> positionen;
        int gesamt = 0;
        int zeile = 0;
    };
    // Nested in a frame the table is not rewound at the frame's start.
    const auto lauf = [](int n, int spalten, bool innen) {
        std::vector<std::vector<std::string>> rows{{"N"}};
        for (int k = 1; k <= n; ++k) rows.push_back({std::to_string(k)});
        auto tab = testing::tabelle(rows);
        Report r;
        r.Tabelle1 = tab.get();
        Lauf l;
        r.OnRecordChange = [&](Report&, int t, int pos) { l.positionen.push_back(t * 1000 + pos); };
        const std::string aussen = innen ? "frame anzahl 1\n" : "";
        testing::parse(r, "seiten 0\n" + aussen + "frame oben 0 breite 1800 höhe 200 spalten " +
                              std::to_string(spalten) +
                              "\nobject dbtext text N höhe 40 add Summe end\nend\n" +
                              (innen ? "end\n" : "") +
                              "object variable text Summe oben 2500 end\n"
                              "object seitevon text von oben 2600 end\n");
        RecordingCanvas c;
        testing::zeichne(r, c);
        l.calls = c.calls;
        l.gesamt = r.SeitenGesamt();
        l.zeile = tab->RecordRow();
        return l;
    };
    // Five records a column; 60 would need 12 columns and continue on page 2.
    const struct {
        int n, spalten, seiten;
        bool innen;
    } faelle[] = {{3, 1, 1, false},
                  {13, 3, 1, false},
                  {13, 3, 1, true},
                  {50, 10, 1, true},
                  {60, 11, 2, false}};
    for (const auto& f : faelle) {
        SCOPED_TRACE(::testing::Message() << f.n << (f.innen ? " nested" : ""));
        const Lauf probe = lauf(f.n, 0, f.innen);
        const Lauf fest = lauf(f.n, f.spalten, f.innen);
        ASSERT_EQ(probe.calls.size(), fest.calls.size());
        for (size_t i = 0; i < fest.calls.size(); ++i) {
            EXPECT_EQ(probe.calls[i].text, fest.calls[i].text) << i;
            EXPECT_EQ(probe.calls[i].r, fest.calls[i].r) << i;
            EXPECT_EQ(probe.calls[i].seite, fest.calls[i].seite) << i;
        }
        EXPECT_EQ(probe.positionen, fest.positionen);
        EXPECT_EQ(probe.gesamt, f.seiten);
        EXPECT_EQ(probe.zeile, fest.zeile);
        // Record k in column k / 5 of width 1800 / count, each record once.
        const int breite = 1800 / f.spalten;
        for (int k = 0; k < std::min(f.n, 5 * f.spalten); ++k) {
            EXPECT_EQ(probe.calls[size_t(k)].text, std::to_string(k + 1));
            EXPECT_EQ(probe.calls[size_t(k)].r.left, 100 + breite * (k / 5)) << k;
            EXPECT_EQ(probe.calls[size_t(k)].r.top, 100 + 40 * (k % 5)) << k;
        }
        const auto summe = std::find_if(probe.calls.begin(), probe.calls.end(),
                                        [](const Gezeichnet& g) { return g.r.top == 2600; });
        ASSERT_LT(summe + 1, probe.calls.end());
        EXPECT_EQ(summe->text, std::to_string(f.n * (f.n + 1) / 2));
        EXPECT_EQ((summe + 1)->text, "von" + std::to_string(f.seiten));
    }
}

// A frame's record takes in its inner frames' fields: whichever table the
// inner frame is bound to, the outer one moves on when a field took a cell.
TEST(ReportLayout, FieldsInInnerFramesAdvanceTheOuterFramesTable) {
    const struct {
        const char* innen;
        std::vector<int> wechsel;  // 10 x table + position
    } faelle[] = {
        {"frame anzahl 1\n", {11, 11, 12, 12, 13, 13}},  // the inner frame reports its end too
        {"frame anzahl 1 tabelle tab2\n", {11, 12, 13}},
    };
    for (const auto& f : faelle) {
        auto tab = testing::tabelle({{"N"}, {"eins"}, {"zwei"}, {"drei"}});
        Report r;
        r.Tabelle1 = tab.get();
        std::vector<int> wechsel;
        r.OnRecordChange = [&](Report&, int t, int pos) {
            if (t > 0) wechsel.push_back(10 * t + pos);
        };
        testing::parse(r, std::string("frame schrittweite 50\n") + f.innen +
                              "object dbtext text N end\nend\nend\n");
        RecordingCanvas c;
        testing::zeichne(r, c);
        EXPECT_EQ(c.texte(), (std::vector<std::string>{"eins", "zwei", "drei"})) << f.innen;
        EXPECT_EQ(wechsel, f.wechsel) << f.innen;
    }
}

// Every object but a frame moves the next one down by its step, also one
// that is hidden or draws nothing by its nature.
TEST(ReportLayout, ObjectsThatDrawNothingStillStep) {
    const char* const stumm[] = {"label text A wenn leer", "label text A gruppe 5",
                                 "dbtext text Fehlt",      "bedingung text N",
                                 "setgruppe text N",       "variable text V wert 1"};
    for (const char* rahmen : {"", "frame anzahl 2 höhe 0\n"}) {
        std::string text = rahmen;
        for (const char* o : stumm)
            text += std::string("object ") + o + " schrittweite 50 end\nobject label text B end\n";
        if (*rahmen) text += "end\n";
        SCOPED_TRACE(text);
        auto tab = testing::tabelle({{"N"}, {"7"}});
        Report r;
        r.Tabelle1 = tab.get();
        testing::parse(r, text);
        RecordingCanvas c;
        testing::zeichne(r, c);
        // The second record starts below the first one's steps and its last
        // text, a line of 40.
        const size_t n = std::size(stumm);
        ASSERT_EQ(c.calls.size(), *rahmen ? 2 * n : n);
        for (size_t k = 0; k < c.calls.size(); ++k)
            EXPECT_EQ(c.calls[k].r.top, 150 + 50 * int(k % n) + (k < n ? 0 : 340)) << k;
    }
}

TEST(ReportLayout, ConditionsGroupsAndPageOnlyObjects) {
    auto tab = testing::tabelle({{"Art", "Wert"}, {"x", "1"}, {"", "2"}, {"y", "3"}, {"y", "4"}});
    Report r;
    r.Tabelle1 = tab.get();
    testing::parse(r, R"(frame oben 0 höhe 0
object label text Kopf wenn neueseite end
object bedingung text Art wenn nleer gruppe 3 end
object dbtext text Wert links 100 gruppe 3 end
object dbtext text Art links 200 wenn änderung end
object label text Erst links 300 wenn erster end
object label text Letzt links 400 wenn letzter end
end
)");
    RecordingCanvas c;
    testing::zeichne(r, c);
    // Record 2 has no Art: its group-3 value is hidden; record 4 repeats Art.
    EXPECT_EQ(c.texte(),
              (std::vector<std::string>{"Kopf", "1", "x", "Erst", "3", "y", "4", "Letzt"}));
}

TEST(ReportLayout, VariablesSumNumbersOrCollectTexts) {
    auto tab = testing::tabelle({{"Betrag", "Name"}, {"1,5", "a"}, {"2.25", "b"}, {"x", "c"}});
    Report r;
    r.Tabelle1 = tab.get();
    testing::parse(r, R"(frame oben 0
object variable text Summe typ zahl wert 0 wenn erster end
object dbtext text Betrag add Summe add Alles end
object variable text Namen getdbtext Name add Liste end
end
object variable text Summe oben 2000 end
object variable text Alles oben 2100 end
object variable text Liste oben 2200 end
object variable text "" wert 1 add "" oben 2300 end
)");
    RecordingCanvas c;
    testing::zeichne(r, c);
    const auto t = c.texte();
    ASSERT_GE(t.size(), 3u);
    EXPECT_EQ(std::vector<std::string>(t.end() - 3, t.end()),
              (std::vector<std::string>{"3,75", "3,75x", "abc"}));
}

// A variable collects texts up to 16 KiB; a sum beyond that stops the report
// with its error before anything is drawn, even while the variable doubles
// with each record and only one short line of it is shown.
TEST(ReportLayout, VariablesCollectNoMoreThanTheirBound) {
    const std::string w200(200, 'w');
    const struct {
        std::string text;
        size_t laenge;  // of x after the pass; 0: the report stopped
    } faelle[] = {
        {"object variable text x wert ab end\nframe anzahl 16 höhe 0\n"
         "object variable text x add x ausrichtung box höhe 40 end\nend\n",
         0},
        {"frame anzahl 327 höhe 0\nobject variable text y wert " + w200 + " add x end\nend\n",
         65400},
        {"frame anzahl 328 höhe 0\nobject variable text y wert " + w200 + " add x end\nend\n", 0},
    };
    for (const auto& f : faelle) {
        SCOPED_TRACE(f.text.substr(0, 40));
        testing::Durchlauf d(f.text +
                             "object variable text x oben 2500 breite 40 höhe 40 "
                             "ausrichtung box end\n");
        const Variable* x = d.r.GetVariable("x");
        if (f.laenge > 0) {
            ASSERT_NE(x, nullptr);
            EXPECT_EQ(x->value, std::string(f.laenge, 'w'));
        }
        ASSERT_EQ(d.boxes.count(), f.laenge > 0 ? 0u : 1u);
        if (f.laenge == 0) {
            EXPECT_TRUE(d.c.calls.empty());
            EXPECT_NE(d.boxes.last().text.find("Fehlernummer:19"), std::string::npos);
        }
    }
}

TEST(ReportLayout, TextAlignmentAndAutoWidth) {
    // A box 200 x 200 at (100, 100); characters are 20 wide, lines 40 high.
    const struct {
        const char* text;
        const char* ausrichtung;
        std::vector<std::pair<int, int>> zeilen;  // x, y of each line
    } faelle[] = {
        {"abc", "", {{100, 100}}},
        {"abc", "ausrichtung rechts", {{240, 100}}},
        {"abc", "ausrichtung hmitte", {{170, 100}}},
        {"abcdefghijklmno", "ausrichtung rechts", {{0, 100}}},  // grows to the left
        {"abcdefghijklmno", "ausrichtung hmitte", {{50, 100}}},
        {"abcdefghijklmno", "", {{100, 100}}},
        {"abc", "ausrichtung vmitte", {{100, 180}}},
        {"abc", "ausrichtung unten", {{100, 260}}},
        {"abc def", "ausrichtung box breite 100 ausrichtung unten", {{100, 220}, {100, 260}}},
    };
    for (const auto& f : faelle) {
        SCOPED_TRACE(std::string(f.text) + " " + f.ausrichtung);
        Report r;
        testing::parse(r, std::string("object label text \"") + f.text + "\" breite 200 höhe 200 " +
                              f.ausrichtung + " end\n");
        RecordingCanvas c;
        testing::zeichne(r, c);
        std::vector<std::pair<int, int>> zeilen;
        for (const Gezeichnet& g : c.calls) zeilen.emplace_back(g.r.left, g.r.top);
        EXPECT_EQ(zeilen, f.zeilen);
    }
}

TEST(ReportLayout, PicturesDatesAndFormats) {
    struct Bild : report::Bild {
        bool isEmpty() const override { return false; }
    };
    Report r;
    std::vector<std::string> gefragt;
    r.OnGetBitmap = [&](Report&, const std::string& name, std::shared_ptr<const report::Bild>& b) {
        gefragt.push_back(name);
        if (name == "Ersatz") b = std::make_shared<Bild>();
    };
    r.OnFormat = [](Report&, const std::string& name, std::string& s) { s = name + ":" + s; };
    testing::parse(r, R"(object bitmap text Logo oben 0 breite 300 höhe 100 gruppe 1 else Ersatz end
object bitmap text Logo oben 200 end
object datum text "am " oben 400 end
object uhrzeit text "um " oben 500 anzeige format end
)");
    platform::ScopedClock uhr(platform::encodeDate(2024, 3, 5) + platform::encodeTime(7, 30));
    for (int pass = 0; pass < 2; ++pass) {
        RecordingCanvas c;
        testing::zeichne(r, c);
        ASSERT_EQ(c.calls.size(), 3u);  // "Logo" is missing, its stand-in is drawn
        EXPECT_EQ(c.calls[0].art, Gezeichnet::Bild);
        EXPECT_EQ(c.calls[0].r, (platform::Rect{100, 100, 400, 200}));
        EXPECT_EQ(c.texte(), (std::vector<std::string>{"am 05.03.2024", "um :um 07:30"}));
    }
    EXPECT_EQ(gefragt, (std::vector<std::string>{"Ersatz", "Logo"}));  // once per name
}

TEST(ReportLayout, WrappingTakesAtLeastOneCharacterPerLine) {
    Report r;
    testing::parse(r,
                   "object label text \"ab  cd\\nef\" breite 10 höhe 2000 ausrichtung box end\n"
                   "object label text \"eins zwei drei vier\" oben 500 breite 180 höhe 80 "
                   "ausrichtung box end\n");
    RecordingCanvas c;
    testing::zeichne(r, c);
    // One character each (wider than the box); a line ends at its last blank
    // that fits, and the box of two lines cuts the third.
    EXPECT_EQ(c.texte(), (std::vector<std::string>{"a", "b", "c", "d", "e", "f", "eins", "zwei"}));
}

TEST(ReportLayout, LongTextContinuesOnTheNextPage) {
    std::string lang;
    for (int i = 0; i < 100; ++i) lang += "w" + std::to_string(i % 10) + " ";
    auto tab = testing::tabelle({{"T"}, {lang}});
    Report r;
    r.Tabelle1 = tab.get();
    testing::parse(r,
                   "seiten 0\nobject dbtext text T oben 2500 breite 60 höhe 9000 "
                   "ausrichtung box end\n");
    RecordingCanvas c;
    testing::zeichne(r, c);
    // 2870 - 2600 leaves room for 6 lines on page 1; page 2 from 2600 again.
    ASSERT_EQ(c.texte().size(), 100u);
    EXPECT_EQ(c.texte(1).size(), 6u);
    EXPECT_EQ(r.SeitenGesamt(), 17);
    EXPECT_EQ(c.calls[6].r.top, 2600);
    EXPECT_EQ(c.calls[6].text, "w6");
}

TEST(ReportLayout, EndlessReportsStopWithOneMessage) {
    std::string tief;
    for (int i = 0; i <= static_cast<int>(kMaxTiefe); ++i) tief += "frame anzahl 2\n";
    std::string probe = "seiten 0\n";
    for (int i = 0; i < 30; ++i) probe += "frame spalten 0 anzahl 2\n";
    const struct {
        std::string text;
        const char* meldung;
        int seiten;  // pages drawn before the stop
    } faelle[] = {
        {"seiten 0\nobject label text Tief oben 2900 end\n", kZweiSeitenwechsel, 1},
        {"seiten 0\nframe höhe 100 anzahl 5\nobject label oben 200 text x end\nend\n",
         kZweiSeitenwechsel, 1},
        // Records that each fill a page; records that draw nothing.
        {"seiten 0\nframe anzahl 2000000000 schrittweite 3000\nobject label end\nend\n",
         kReportEndetNicht, kMaxSeiten},
        {"seiten 0\nframe anzahl 2000000000\nobject label wenn erster end\nend\n",
         kReportEndetNicht, 1},
        {tief + "object label text innen end\n", kZuTief, 1},
        // Column trials within column trials that never fit.
        {probe + "object label text x oben 2900 end\n", kReportEndetNicht, 1},
    };
    for (const auto& f : faelle) {
        SCOPED_TRACE(f.text.substr(0, 80));
        testing::Durchlauf d(f.text);
        testing::zeichne(d.r, d.c);  // shown once per parse
        ASSERT_EQ(d.boxes.count(), 1u);
        EXPECT_EQ(d.boxes.last().text, f.meldung);
        EXPECT_EQ(d.boxes.last().caption, "Fehler");
        EXPECT_EQ(d.c.seite, 2 * f.seiten - 1);  // the second run adds its pages after a new page
    }
}

// What a report may draw is bounded on each page and in all; a report that
// would draw more draws nothing at all and says so with a numbered error.
TEST(ReportLayout, AReportThatWouldDrawTooMuchDrawsNothing) {
    const auto rahmen = [](int64_t anzahl, const std::string& inhalt) {
        return "frame höhe 0 anzahl " + std::to_string(anzahl) + "\n" + inhalt + "end\n";
    };
    const std::string x = "object label text x end\n";
    const std::string lang =
        rahmen(81, "object variable text y wert " + std::string(200, 'w') + " add x end\n");
    const struct {
        std::string text;
        size_t gezeichnet;  // 0: too much for a page
        int seiten;
    } faelle[] = {
        {rahmen(kMaxObjekteJeSeite, x), size_t(kMaxObjekteJeSeite), 1},
        {rahmen(kMaxObjekteJeSeite + 1, x), 0, 1},
        // 5243 texts of 200 bytes are more than a page's MiB.
        {rahmen(5243, "object label text " + std::string(200, 'w') + " end\n"), 0, 1},
        // 2731 records of three texts on page 1, the rest on page 2.
        {"seiten 0\n" + rahmen(4000, "schrittweite 1\n" + x + x + x), 12000, 2},
        // A text counts whole, however few of its lines show: 64 lines of a
        // text of 16200 bytes fit a page, 65 do not.
        {lang + rahmen(64, "object variable text x ausrichtung box höhe 40 end\n"), 64, 1},
        {lang + rahmen(65, "object variable text x ausrichtung box höhe 40 end\n"), 0, 1},
    };
    for (const auto& f : faelle) {
        SCOPED_TRACE(f.text.substr(0, 40));
        const testing::Durchlauf d(f.text);
        EXPECT_EQ(std::tuple(d.c.calls.size(), d.c.seite), std::tuple(f.gezeichnet, f.seiten));
        ASSERT_EQ(d.boxes.count(), f.gezeichnet > 0 ? 0u : 1u);  // the text: in the robustness test
        if (f.gezeichnet == 0) {
            EXPECT_NE(d.boxes.last().text.find("Fehlernummer:18"), std::string::npos);
        }
    }
}

TEST(ReportSums, AddStrAndStrInZahl) {
    const struct {
        const char *a, *b;
        bool zahlen;
        const char* summe;
    } add[] = {
        {"1,5", "2.25", false, "3,75"}, {"99", "1", true, "100"},
        {"abc", "1", false, "abc1"},    {"abc", "1", true, "1"},
        {"a", "b", true, "0"},          {"", "7", true, "7"},
        {",5", ",5", false, "1,0"},     {"1.2.3", "1", false, "1.2.31"},
    };
    for (const auto& t : add) EXPECT_EQ(AddStr(t.a, t.b, t.zahlen), t.summe) << t.a << "+" << t.b;
    const struct {
        const char* text;
        int32_t zahl;
    } zahlen[] = {{"1.234,5", 1234},
                  {"-7", 7},
                  {"2147483647", 2147483647},
                  {"2147483648", 0},
                  {"99999999999999999999", 0},
                  {"12345678901234567", 0},
                  {"a1b2", 12}};
    for (const auto& t : zahlen) EXPECT_EQ(Str_in_Zahl(t.text), t.zahl) << t.text;
}

}  // namespace
}  // namespace report
