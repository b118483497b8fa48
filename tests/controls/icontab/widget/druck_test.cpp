// Printing the table control on the recording printer: the page total in
// every footer, the head row repeated on each page, the question before
// long jobs and the refusal of a table wider than the paper.
#include <gtest/gtest.h>

#include <map>

#include "controls/icontab/icontab.h"
#include "controls/icontab/icontab_metrik.h"
#include "platform/core/codepage.h"
#include "platform/core/message_box.h"
#include "platform/ui/printing/recording_printer.h"

namespace table {
namespace {

class Druck : public ::testing::Test {
protected:

    // One fixed row "Name"/"Wert", then `n` rows.
    void fuellen(int n, int spalten = 2, const std::string& text = "x") {
        t.SetTabelle(static_cast<unsigned>(n + 1), static_cast<unsigned>(spalten), -1, 0);
        t.SetCell(0, 0, "Name");
        t.SetCell(0, 1, "Wert");
        for (int r = 1; r <= n; ++r) {
            t.SetCell(static_cast<unsigned>(r), 0, "Zeile " + std::to_string(r));
            for (int c = 1; c < spalten; ++c)
                t.SetCell(static_cast<unsigned>(r), static_cast<unsigned>(c), text);
        }
        t.FEndUpdate(false);
    }

    // Pages the plan gives for n rows, as Print plans them.
    int seitenFuer(int n) {
        fuellen(n);
        QtDruckMetrik m(t.Font().name, drucker->metrics().pixelsPerInchY);
        const ui::PrinterMetrics pm = drucker->metrics();
        const DruckPlan p = planeDruck(
            {t.aktuelleTabelle()}, m,
            [&pm](bool) {
                return SeitenFormat{pm.pageWidth, pm.pageHeight};
            },
            "");
        return static_cast<int>(p.seiten.size());
    }

    bool gedruckt(const ui::RecordedPage& p, const std::string& text) {
        for (const ui::RecordedText& r : p.texts)
            if (r.text == text) return true;
        return false;
    }

    TIconTab t;
    ui::ScopedRecordingPrinter drucker;
    platform::ScriptedMessages boxen;
};

TEST_F(Druck, FootersCountThePagesPrintedAndHeadsRepeat) {
    fuellen(150);
    t.Print("Benutzer vom 01.03.2026");
    const auto& seiten = drucker->pages();
    ASSERT_GE(seiten.size(), 2u);
    EXPECT_EQ(drucker->documents(), 1);
    EXPECT_EQ(boxen.count(), 0u);
    const int n = static_cast<int>(seiten.size());
    for (int s = 0; s < n; ++s) {
        const auto& p = seiten[static_cast<size_t>(s)];
        EXPECT_TRUE(gedruckt(
            p, "Seite " + std::to_string(s + 1) + " von " + std::to_string(n) + " Seiten"));
        EXPECT_TRUE(gedruckt(p, "Name")) << "page " << s + 1;
        EXPECT_EQ(gedruckt(p, "Benutzer vom 01.03.2026"), s == 0);
    }
    // Every row once.
    int zeilen = 0;
    for (const auto& p : seiten)
        for (const ui::RecordedText& r : p.texts) zeilen += r.text.rfind("Zeile ", 0) == 0;
    EXPECT_EQ(zeilen, 150);
    EXPECT_TRUE(gedruckt(seiten.back(), "Zeile 150"));
}

TEST_F(Druck, ATwoLineCellKeepsItsRowHighOnScreenAndPaper) {
    fuellen(3);
    t.SetCell(1, 0, "oben\r\nunten");
    t.SetCell(1, 1, "kurz");  // a later column with one line
    const int hoch = t.aktuelleTabelle()->Rows[1].Hoehe;
    Rect zwei;
    ASSERT_TRUE(t.GetZellRect(zwei, 0, 2, -1));
    EXPECT_GT(hoch, 18);
    EXPECT_EQ(zwei.top, 18 + hoch);
    t.Print("");
    std::map<std::string, int> y;
    for (const ui::RecordedText& r : drucker->pages().at(0).texts) y[r.text] = r.y;
    EXPECT_EQ(y["Zeile 2"] - y["oben"], 2 * (y["unten"] - y["oben"]));  // below both lines
}

TEST_F(Druck, OnePageHasNoFooter) {
    fuellen(3);
    t.Print("");
    ASSERT_EQ(drucker->pages().size(), 1u);
    for (const ui::RecordedText& r : drucker->pages()[0].texts)
        EXPECT_EQ(r.text.find("Seite"), std::string::npos);
    EXPECT_EQ(drucker->pages()[0].texts.front().text, "Name");  // no title line
}

TEST_F(Druck, TenPagesStartElevenAsk) {
    int n = 100;
    while (seitenFuer(n) <= 10) n += 20;
    while (seitenFuer(n) > 10) --n;  // n: the most rows on ten pages
    fuellen(n);
    t.Print("");
    EXPECT_EQ(boxen.count(), 0u);
    EXPECT_EQ(drucker->pages().size(), 10u);

    fuellen(n + 1);
    boxen.answer(platform::Answer::Cancel);
    t.Print("");
    ASSERT_EQ(boxen.count(), 1u);
    EXPECT_EQ(boxen.last().text, "Es sollen 11Seiten gedruckt werden.\n Drucken beginnen?");
    EXPECT_EQ(boxen.last().caption, "Wirklich");
    EXPECT_EQ(drucker->documents(), 1);  // cancelled: nothing printed

    boxen.answer(platform::Answer::Ok);
    t.Print("");
    EXPECT_EQ(drucker->documents(), 2);
    EXPECT_EQ(drucker->pages().size(), 21u);
    EXPECT_TRUE(gedruckt(drucker->pages().back(), "Seite 11 von 11 Seiten"));
}

TEST_F(Druck, TooWideForBothOrientations) {
    fuellen(2, 6, std::string(60, 'W'));
    t.Print("x");
    ASSERT_EQ(boxen.count(), 1u);
    EXPECT_EQ(boxen.last().text,
              "Tabelle kann nicht gedruckt werden,\nda die Breite zu gro\xDF ist!");
    EXPECT_EQ(boxen.last().caption, "nicht m\xF6glich");
    EXPECT_EQ(drucker->documents(), 0);
}

TEST_F(Druck, NothingWithoutTablesOrPrinter) {
    t.Print("x");
    EXPECT_EQ(drucker->documents(), 0);
    fuellen(2);
}

TEST_F(Druck, AFailedPrintSaysSo) {
    fuellen(2);
    drucker->failNextBegin();
    t.Print("x");
    EXPECT_EQ(drucker->documents(), 0);
    drucker->failNextEnd();
    t.Print("x");
    ASSERT_EQ(boxen.count(), 2u);
    EXPECT_EQ(boxen.shown()[0].text, platform::cp1252("Der Drucker konnte nicht geöffnet werden!"));
    EXPECT_EQ(boxen.shown()[1].text, platform::cp1252("Das Dokument konnte nicht fertig gedruckt werden!"));
}

}  // namespace
}  // namespace table
