// The PDF file: object numbers, cross references and stream lengths, the
// content operators, failed writes, and what poppler and qpdf make of it.
#include "report/pdf_writer.h"

#include <gtest/gtest.h>

#include <set>
#include <sstream>

#include "platform/core/file.h"
#include "platform/core/replace_file.h"
#include "report/pdf_canvas.h"
#include "tests/report/pdf_tools.h"
#include "tests/report/report_test_support.h"
#include "tests/support/temp_dir.h"

namespace report {
namespace {

std::string pdf(const std::string& utf8, TStringTab* tab1 = nullptr) {
    Report r;
    r.Tabelle1 = tab1;
    testing::parse(r, utf8);
    return pdfDokument(r);
}

// Every xref entry is 20 bytes and points at its "n 0 obj"; startxref at
// the table; each stream's length object holds its byte count.
void expectSoundStructure(const std::string& d, size_t objekte) {
    ASSERT_NE(d.rfind("\rxref\r"), std::string::npos);
    const size_t xref = d.rfind("\rxref\r") + 1;
    EXPECT_EQ(d.substr(d.rfind("startxref\r") + 10), std::to_string(xref) + "\r%%EOF");
    const std::string kopf = "xref\r0 " + std::to_string(objekte + 1) + "\r";
    ASSERT_EQ(d.compare(xref, kopf.size(), kopf), 0);
    size_t at = xref + kopf.size();
    EXPECT_EQ(d.substr(at, 20), "0000000000 65535 f \r");
    for (size_t n = 1; n <= objekte; ++n) {
        const std::string e = d.substr(at + 20 * n, 20);
        ASSERT_EQ(e.substr(10), " 00000 n \r");
        const std::string obj = std::to_string(n) + " 0 obj\r";
        EXPECT_EQ(d.compare(std::stoul(e.substr(0, 10)), obj.size(), obj), 0) << n;
    }
    EXPECT_EQ(d.compare(at + 20 * (objekte + 1), 8, "trailer\r"), 0);
    const std::string kennung = "<< /Length ";
    for (size_t p = d.find(kennung); p != std::string::npos; p = d.find(kennung, p + 1)) {
        const size_t nummer = p + kennung.size();
        const size_t start = d.find(" 0 R >>\rstream\r\n", nummer) + 16;
        const size_t ende = d.find("endstream\r", start);
        const std::string laenge = d.substr(nummer, d.find(' ', nummer) - nummer) + " 0 obj\r" +
                                   std::to_string(ende - start) + "\r";
        EXPECT_NE(d.find(laenge), std::string::npos) << laenge;
    }
}

TEST(PdfWriter, ObjectNumbersMediaBoxAndCrossReferences) {
    const struct {
        const char* text;
        size_t objekte;
        std::vector<const char*> teile;
    } faelle[] = {
        {"object label text Eins end\n",
         9,
         {"%PDF-1.4\r1 0 obj\r<< /Type /Catalog\r/Outlines 2 0 R\r/Pages 3 0 R\r>>\rendobj\r"
          "2 0 obj\r<< /Type /Outlines\r/Count 0\r>>\rendobj\r3 0 obj\r<< /Type /Pages\r"
          "/Kids [4 0 R\r]\r/Count 1\r>>\rendobj\r4 0 obj\r<< /Type /Page\r/Parent 3 0 R\r"
          "/MediaBox [0 0 600 848]\r/Contents 5 0 R\r/Resources << /ProcSet 7 0 R \r"
          "/Font << /F1 8 0 R\r/F2 9 0 R >>\r>>\r>>\rendobj\r5 0 obj\r<< /Length 6 0 R >>\r"
          "stream\r\n",
          "7 0 obj\r[/PDF]\rendobj\r8 0 obj\r<< /Type /Font\r/Subtype /Type1\r"
          "/BaseFont /Times-Roman\r/Encoding /WinAnsiEncoding\r>>\rendobj\r9 0 obj\r"
          "<< /Type /Font\r/Subtype /Type1\r/BaseFont /Times-Bold\r"}},
        {"seiten 2\nobject label text Eins end\nobject label text Zwei oben 2900 end\n",
         12,
         {"/Kids [4 0 R\r5 0 R\r]\r/Count 2", "/Contents 6 0 R", "/Contents 8 0 R",
          "6 0 obj\r<< /Length 7 0 R >>", "8 0 obj\r<< /Length 9 0 R >>",
          "/F1 11 0 R\r/F2 12 0 R"}},
        {"ausrichtung querformat\nobject rechteck end\n", 9, {"/MediaBox [0 0 848 600]"}},
    };
    for (const auto& f : faelle) {
        SCOPED_TRACE(f.text);
        const std::string d = pdf(f.text);
        for (const char* teil : f.teile) EXPECT_NE(d.find(teil), std::string::npos) << teil;
        expectSoundStructure(d, f.objekte);
    }
}

TEST(PdfWriter, ContentOperators) {
    const std::string d =
        pdf("object label text \"a(b)c\\d\" oben 0 links 0 farbe FF end\n"
            "object label text Fett oben 100 links 0 schrifthöhe 12 fontart fett end\n"
            "object linie oben 200 links 0 breite 700 höhe 0 farbe FF0000 end\n"
            "object rechteck oben 300 links 0 breite 700 höhe 350 end\n"
            "object elipse oben 700 links 0 breite 700 höhe 350 end\n"
            "object bitmap text Logo oben 1000 end\n");
    // (100, 100) in 0.1 mm is (29, 848 - 29) in PDF units; the default size is 10.
    EXPECT_NE(d.find("stream\r\n1.0 0.00 0.00 rg\rBT\r/F1 10 Tf\r29 819 TD\r-10 Ts\r"
                     "(a\\(b\\)c\\\\d) Tj\rET\r"
                     "0.00 0.00 0.00 rg\rBT\r/F2 12 Tf\r29 791 TD\r-12 Ts\r(Fett) Tj\rET\r"
                     "0.00 0.00 1.0 RG\r29 762 m\r229 762 l\rs\r"
                     "0.00 0.00 0.00 RG\r1 w \r29 634 200 100 re\rs\r"
                     "0.00 0.00 0.00 RG\r1 w \r129 520 m\r 29 520 29 570 v\r 29 620 129 620 v\r"
                     " 229 620 229 570 v\r 229 520 129 520 v\rs\rendstream"),
              std::string::npos)
        << d;
    EXPECT_EQ(SetPDFColor(0x804020, false), "0.12 0.25 0.50 RG\r");
}

TEST(PdfWriter, FailedWritesLeaveNoFileAndKeepTheOldOne) {
    testing_support::TempDir dir;
    Report r;
    testing::parse(r, "object label text Eins end\n");
    const std::string ziel = dir.file("a.pdf");
    ASSERT_TRUE(platform::replaceFile(ziel, "alt"));
    for (int k = 1; k <= 2; ++k) {  // the write, then the rename
        platform::injectWriteFailure(k);
        EXPECT_FALSE(SaveasPDF(r, ziel));
        platform::injectWriteFailure(0);
        std::string inhalt;
        ASSERT_TRUE(platform::readWholeFile(ziel, inhalt));
        EXPECT_EQ(inhalt, "alt");
        EXPECT_FALSE(platform::fileExists(ziel + ".tmp"));
    }
    EXPECT_FALSE(SaveasPDF(r, dir.file("fehlt/b.pdf")));
    ASSERT_TRUE(SaveasPDF(r, ziel));
    std::string inhalt;
    ASSERT_TRUE(platform::readWholeFile(ziel, inhalt));
    EXPECT_EQ(inhalt, pdfDokument(r));
}

std::multiset<std::string> woerter(const std::string& text) {
    std::istringstream in(text);
    std::multiset<std::string> out;
    for (std::string w; in >> w;) out.insert(w);
    return out;
}

// Two pages with German texts, a table, shapes and a picture, checked by
// qpdf and read back by poppler.
TEST(PdfWriter, PopplerAndQpdfReadItsTexts) {
    for (const char* name : {"qpdf", "pdfinfo", "pdftotext"})
        ASSERT_TRUE(testing::werkzeugDa(name)) << name << " fehlt (scripts/deps.sh)";
    std::vector<std::vector<std::string>> rows{{"Ort", "Betrag"}};
    std::multiset<std::string> erwartet{"Überstunden", "Überstunden", "(Größe\\€)", "(Größe\\€)",
                                        "Seite",       "1",           "Seite",      "2",
                                        "Summe:",      "2000,00"};
    for (int k = 0; k < 80; ++k) {
        rows.push_back({k % 2 ? "Köln" : "Bonn", "25,00"});
        erwartet.insert({rows.back()[0], "25,00"});
    }
    auto tab = testing::tabelle(rows);
    Report r;
    r.Tabelle1 = tab.get();
    testing::parse(r, R"X(seiten 0
frame oben 200 höhe 2000
  object dbtext text Ort breite 400 höhe 50 end
  object dbtext text Betrag links 500 breite 300 höhe 50 ausrichtung rechts add Summe end
  object linie oben 45 breite 800 höhe 0 stift 2 end
end
seitenframe
  object label text Überstunden oben 0 schrifthöhe 16 fontart fett end
  object label text "(Größe\€)" oben 80 links 600 farbe FF end
  object seite text "Seite " oben 2700 end
  object bitmap text Logo oben 2600 end
  object elipse oben 2600 links 1000 breite 300 höhe 200 end
end
object label text "Summe:" oben 2400 links 0 end
object variable text Summe oben 2400 links 300 end
)X");
    testing_support::TempDir dir;
    const std::string datei = dir.file("bericht.pdf");
    ASSERT_TRUE(SaveasPDF(r, datei));
    const std::string q = "'" + datei + "'";
    const testing::Werkzeug check = testing::werkzeug("qpdf --check " + q, dir.path());
    EXPECT_EQ(check.code, 0) << check.aus << check.fehler;
    EXPECT_NE(check.aus.find("No syntax or stream encoding errors"), std::string::npos);
    const testing::Werkzeug info = testing::werkzeug("pdfinfo " + q, dir.path());
    EXPECT_EQ(info.code, 0);
    EXPECT_EQ(info.fehler, "");
    EXPECT_NE(info.aus.find("Pages:           2\n"), std::string::npos) << info.aus;
    EXPECT_NE(info.aus.find("PDF version:     1.4\n"), std::string::npos) << info.aus;
    const testing::Werkzeug text = testing::werkzeug("pdftotext " + q + " -", dir.path());
    EXPECT_EQ(text.code, 0);
    EXPECT_EQ(text.fehler, "");
    EXPECT_EQ(woerter(text.aus), erwartet);
}

}  // namespace
}  // namespace report
