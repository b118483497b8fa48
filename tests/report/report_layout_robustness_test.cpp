// Random and mutated report texts, laid out on the recording canvas and
// written as PDF, must never crash, hang or read out of bounds (the endless
// and deeply nested reports are in report_layout_test.cpp).
#include <gtest/gtest.h>

#include <chrono>
#include <random>

#include "report/pdf_writer.h"
#include "report/report_lexer.h"
#include "tests/report/formular_fixture.h"
#include "tests/report/report_test_support.h"

namespace report {
namespace {

void layoutAndPdf(const std::string& text, TStringTab* t1, TStringTab* t2) {
    platform::ScriptedMessages boxes;
    Report r;
    r.Tabelle1 = t1;
    r.Tabelle2 = t2;
    r.Konstrukt = 15;
    r.OnFormat = [](Report&, const std::string&, std::string& s) { s += "!"; };
    r.SetReportdaten(text);
    testing::RecordingCanvas c;
    testing::zeichne(r, c);
    for (const testing::Gezeichnet& g : c.calls) ASSERT_TRUE(g.seite >= 1 && g.seite <= kMaxSeiten);
    DrawCanvas(r, c, vorschauZiel(r, 5, 7, 300, 424));
    const std::string d = pdfDokument(r);
    ASSERT_EQ(d.rfind("%%EOF"), d.size() - 5);
    ASSERT_LE(boxes.count(), 40u);
}

TEST(ReportLayoutRobustness, RandomAndMutatedTexts) {
    std::vector<std::vector<std::string>> zeilen{{"Name", "Datum", "Gesamt", "Text", "KW"}};
    for (int k = 0; k < 30; ++k)
        zeilen.push_back({"N" + std::to_string(k), k % 3 ? "01.01.2024" : "", std::to_string(k),
                          std::string(static_cast<size_t>(k * 7), 'x') + " y", ""});
    auto t1 = testing::tabelle({zeilen[0], zeilen[1]});
    auto t2 = testing::tabelle(zeilen);

    std::mt19937 rng(0xC0FFEE);
    const char* values[] = {"1",    "-7",      "0",    "40",         "300",
                            "2",    "\"a b\"", "FF",   "\"\"",       "Gesamt",
                            "Text", "-1",      "3000", "2000000000", "-2000000000"};
    const char* gaps[] = {" ", " ", " ", "\n", "\r\n", " # c\n"};
    const auto start = std::chrono::steady_clock::now();
    for (int i = 0; i < 300; ++i) {
        std::string text = "seiten " + std::to_string(int(rng() % 4)) + "\n";
        for (int w = static_cast<int>(rng() % 300); w > 0; --w) {
            text += rng() % 3 == 0 ? values[rng() % std::size(values)]
                                   : befehlWort(static_cast<int>(rng() % kAnzahlBefehle));
            text += gaps[rng() % std::size(gaps)];
        }
        layoutAndPdf(text, t1.get(), t2.get());
    }
    const std::string form = testing::formularText();
    for (int i = 0; i < 200; ++i) {
        std::string text = form;
        for (int e = 1 + static_cast<int>(rng() % 4); e > 0 && !text.empty(); --e) {
            const size_t at = rng() % text.size();
            const unsigned kind = rng() % 4;
            if (kind == 0) text.erase(at, rng() % 40);
            if (kind == 1)
                text.insert(at, std::string(befehlWort(int(rng() % kAnzahlBefehle))) + " ");
            if (kind == 2) text.insert(at, std::string(values[rng() % std::size(values)]) + " ");
            if (kind == 3) text.insert(at, text.substr(rng() % text.size(), rng() % 200));
        }
        layoutAndPdf(text, t1.get(), t2.get());
    }
    const auto dauer = std::chrono::steady_clock::now() - start;
    EXPECT_LT(dauer, std::chrono::seconds(60));  // a hang shows up as this, not as a timeout
}

}  // namespace
}  // namespace report
