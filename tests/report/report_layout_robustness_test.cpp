// Random and mutated report texts, laid out on the recording canvas and
// written as PDF, must never crash, hang or read out of bounds (the endless
// and deeply nested reports are in report_layout_test.cpp).
#include <gtest/gtest.h>
#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>

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
    if (d.empty()) {  // a report that would draw too much says so and writes nothing
        ASSERT_GE(boxes.count(), 1u);
        ASSERT_NE(boxes.last().text.find("Fehlernummer:1"), std::string::npos);
        return;
    }
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

#if defined(__SANITIZE_ADDRESS__)
#define KLB_ASAN 1
#elif defined(__has_feature)
#if __has_feature(address_sanitizer)
#define KLB_ASAN 1
#endif
#endif

// Frames of height 0 over 41 records, nested around one label: 41^4 and
// 41^5 labels on one page or counted over many. Each stops with its error,
// drawing and writing nothing, in a child process held to 1 GB of address
// space (not under AddressSanitizer, which reserves far more).
TEST(ReportLayoutRobustness, NestedFramesOverABigTableStopWithinOneGigabyte) {
    std::vector<std::vector<std::string>> zeilen{{"N"}};
    for (int k = 0; k < 41; ++k) zeilen.push_back({std::to_string(k)});
    for (const int ebenen : {4, 5}) {
        for (const int seiten : {1, 0}) {
            std::string text = "seiten " + std::to_string(seiten) + "\n";
            for (int e = 0; e < ebenen; ++e) text += "frame höhe 0 tabelle tab1\n";
            text += "object label text Formular end\n";
            for (int e = 0; e < ebenen; ++e) text += "end\n";
            const pid_t kind = ::fork();
            ASSERT_GE(kind, 0);
            if (kind == 0) {
                ::alarm(600);  // a hang ends the child with a signal
#ifndef KLB_ASAN
                const rlimit grenze{rlim_t{1} << 30, rlim_t{1} << 30};
                if (::setrlimit(RLIMIT_AS, &grenze) != 0) ::_exit(10);
#endif
                auto tab = testing::tabelle(zeilen);
                Report r;
                r.Tabelle1 = tab.get();
                platform::ScriptedMessages boxes;
                r.SetReportdaten(platform::cp1252(text));
                testing::RecordingCanvas c;
                testing::zeichne(r, c);
                const bool leer = c.calls.empty() && pdfDokument(r).empty();
                const std::string meldung = "Fehler in den Reportdaten!\nFehlernummer:" +
                                            std::string(seiten ? "18" : "19") +
                                            "  Zu viele Objekte oder zu viel Text " +
                                            (seiten ? "auf einer Seite" : "im Report") +
                                            "\nIn Zeile " + std::to_string(ebenen + 2);
                bool gemeldet = boxes.count() == 2;  // drawing, then the PDF
                for (const auto& m : boxes.shown()) gemeldet = gemeldet && m.text == meldung;
                ::_exit(leer && gemeldet ? 0 : 1);
            }
            int status = 0;
            ASSERT_EQ(::waitpid(kind, &status, 0), kind);
            EXPECT_TRUE(WIFEXITED(status) && WEXITSTATUS(status) == 0)
                << text << (WIFSIGNALED(status) ? "signal " : "exit ")
                << (WIFSIGNALED(status) ? WTERMSIG(status) : WEXITSTATUS(status));
        }
    }
}

}  // namespace
}  // namespace report
