// A page drawn as preview image and the same page written as PDF and
// rendered by pdftoppm must look alike: every ink pixel of one has ink near
// it in the other.
#include <gtest/gtest.h>

#include <QImage>
#include <QString>

#include "platform/ui/drawing/canvas.h"
#include "report/pdf_writer.h"
#include "report/ui/qt_report_canvas.h"
#include "tests/report/pdf_tools.h"
#include "tests/report/report_test_support.h"
#include "tests/support/temp_dir.h"

namespace report {
namespace {

bool tinte(const QImage& img, int x, int y) {
    return qGray(img.pixel(x, y)) < 200;
}

// Share of ink pixels of a without ink of b within radius r, and a's ink count.
std::pair<double, int> fehlend(const QImage& a, const QImage& b, int r) {
    int tintenPixel = 0;
    int ohne = 0;
    for (int y = 0; y < a.height(); ++y) {
        for (int x = 0; x < a.width(); ++x) {
            if (!tinte(a, x, y)) continue;
            ++tintenPixel;
            bool nah = false;
            for (int dy = -r; dy <= r && !nah; ++dy)
                for (int dx = -r; dx <= r && !nah; ++dx)
                    nah = b.valid(x + dx, y + dy) && tinte(b, x + dx, y + dy);
            ohne += !nah;
        }
    }
    return {tintenPixel ? double(ohne) / tintenPixel : 1.0, tintenPixel};
}

TEST(PreviewAndPdf, APageLooksTheSameInBoth) {
    ASSERT_TRUE(testing::werkzeugDa("pdftoppm")) << "pdftoppm fehlt (scripts/deps.sh)";
    auto tab = testing::tabelle({{"Datum", "Stunden", "Text"},
                                 {"01.03.2024", "2,50", "Wartung der Anlage im Keller"},
                                 {"02.03.2024", "1,25", "Störung behoben"},
                                 {"05.03.2024", "3,00", "Bereitschaft am Wochenende, Einsatz"}});
    Report r;
    r.Tabelle1 = tab.get();
    testing::parse(r, R"(object label text Überstundenabrechnung oben 0 links 0 breite 1900
  höhe 100 schrifthöhe 20 fontart fett ausrichtung hmitte end
object rechteck oben 150 links 0 breite 1900 höhe 700 stift 5 end
frame oben 200 links 0 breite 1900 höhe 600
  object dbtext text Datum links 50 breite 300 höhe 60 schrifthöhe 12 end
  object dbtext text Stunden links 400 breite 200 höhe 60 schrifthöhe 12 ausrichtung rechts end
  object dbtext text Text links 700 breite 500 höhe 120 schrifthöhe 12 ausrichtung box end
  object linie oben 120 links 0 breite 1900 höhe 0 stift 5 farbe 808080 end
  schrittweite 150
end
object elipse oben 1000 links 200 breite 800 höhe 400 stift 5 farbe FF0000 end
object label text "Summe 6,75 Stunden" oben 1100 links 1100 breite 700 schrifthöhe 14 farbe FF end
object linie oben 1500 links 0 breite 1900 höhe 600 stift 5 end
)");
    // The preview at the PDF's own scale (600 x 848 for A4).
    QImage vorschau(600, 848, QImage::Format_RGB32);
    vorschau.fill(Qt::white);
    {
        ui::Canvas canvas(&vorschau);
        QtReportCanvas qc(canvas);
        DrawCanvas(r, qc, vorschauZiel(r, 0, 0, 600, 848));
    }
    testing_support::TempDir dir;
    const std::string datei = dir.file("seite.pdf");
    ASSERT_TRUE(SaveasPDF(r, datei));
    const testing::Werkzeug ppm =
        testing::werkzeug("pdftoppm -r 72 -aa no -aaVector no -png -singlefile '" + datei + "' '" +
                              dir.file("seite") + "'",
                          dir.path());
    ASSERT_EQ(ppm.code, 0) << ppm.fehler;
    EXPECT_EQ(ppm.fehler, "");
    QImage pdfBild(QString::fromStdString(dir.file("seite.png")));
    ASSERT_FALSE(pdfBild.isNull());
    // PDF units are a little larger than points: the page is 600 x 848 points.
    ASSERT_EQ(pdfBild.size(), vorschau.size());
    if (const char* aus = std::getenv("KLB_REPORT_BILDER")) {
        vorschau.save(QString::fromUtf8(aus) + "/vorschau.png");
        pdfBild.save(QString::fromUtf8(aus) + "/pdf.png");
    }
    const auto [vonVorschau, tinteVorschau] = fehlend(vorschau, pdfBild, 2);
    const auto [vonPdf, tintePdf] = fehlend(pdfBild, vorschau, 2);
    EXPECT_LT(vonVorschau, 0.08);
    EXPECT_LT(vonPdf, 0.08);
    EXPECT_GT(tinteVorschau, 3000);
    EXPECT_NEAR(double(tinteVorschau) / tintePdf, 1.0, 0.3);
}

}  // namespace
}  // namespace report
