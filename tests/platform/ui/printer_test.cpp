#include "platform/ui/printer.h"

#include <gtest/gtest.h>

#include <QFile>
#include <fstream>
#include <sstream>

#include "platform/ui/qt_printer.h"
#include "platform/ui/recording_printer.h"
#include "tests/support/temp_dir.h"

namespace ui {
namespace {

// Installs a recording printer as the process-wide one for a test.
class RecordingPrinterTest : public ::testing::Test {
protected:
    void SetUp() override {
        auto p = std::make_unique<RecordingPrinter>();
        rec = p.get();
        replacePrinter(std::move(p));
    }
    void TearDown() override { replacePrinter(nullptr); }
    RecordingPrinter* rec = nullptr;
};

TEST_F(RecordingPrinterTest, KeepsEveryPageAndItsTexts) {
    Printer& p = printer();
    EXPECT_EQ(&p, rec);
    EXPECT_FALSE(p.printing());
    ASSERT_TRUE(p.BeginDoc("Kronlaufbuch"));
    EXPECT_TRUE(p.printing());
    EXPECT_EQ(p.pageNumber(), 1);
    Canvas& c = p.canvas();
    c.font.name = "Times New Roman";
    c.font.setSize(12);
    c.TextOut(100, 50, "\xDC" "berstunden");
    c.brush.color = clBlack;
    c.FillRect(Rect{10, 10, 20, 12});
    p.NewPage();
    EXPECT_EQ(p.pageNumber(), 2);
    p.canvas().TextOut(0, 0, "Seite 2");
    p.canvas().TextOut(30, 40, "Ende");
    EXPECT_TRUE(p.EndDoc());
    EXPECT_FALSE(p.printing());
    EXPECT_FALSE(p.canvas().isAttached());

    ASSERT_EQ(rec->pages().size(), 2u);
    EXPECT_EQ(rec->pages()[0].texts, (std::vector<RecordedText>{{100, 50, "\xDC" "berstunden"}}));
    EXPECT_EQ(rec->pages()[1].texts,
              (std::vector<RecordedText>{{0, 0, "Seite 2"}, {30, 40, "Ende"}}));
    const QImage& first = rec->pages()[0].image;
    EXPECT_EQ(first.size(), QSize(rec->metrics().pageWidth, rec->metrics().pageHeight));
    EXPECT_EQ(fromQRgb(first.pixel(10, 10)), clBlack);
    EXPECT_EQ(fromQRgb(first.pixel(20, 10)), clWhite);
    EXPECT_EQ(fromQRgb(rec->pages()[1].image.pixel(300, 300)), clWhite);
    EXPECT_EQ(rec->documents(), 1);
}

TEST_F(RecordingPrinterTest, FontPointsFollowThePrinterResolution) {
    PrinterMetrics m = RecordingPrinter::a4At96Dpi();
    m.pixelsPerInchX = m.pixelsPerInchY = 300;
    auto p = std::make_unique<RecordingPrinter>(m);
    RecordingPrinter& r = *p;
    replacePrinter(std::move(p));
    ASSERT_TRUE(printer().BeginDoc("x"));
    printer().canvas().font.setSize(12);
    EXPECT_EQ(printer().canvas().font.height(printer().canvas().pixelsPerInch()), -50);
    const int h300 = printer().canvas().TextHeight("Hg");
    EXPECT_GT(h300, 50);
    printer().EndDoc();
    EXPECT_EQ(r.pages().size(), 1u);
}

TEST_F(RecordingPrinterTest, DocumentCallsOutOfOrderAreHarmless) {
    Printer& p = printer();
    p.NewPage();  // not printing: nothing
    EXPECT_FALSE(p.EndDoc());
    rec->failNextBegin();
    EXPECT_FALSE(p.BeginDoc("x"));
    EXPECT_FALSE(p.printing());
    p.canvas().TextOut(0, 0, "lost");  // no page: drawn nowhere
    ASSERT_TRUE(p.BeginDoc("x"));
    EXPECT_FALSE(p.BeginDoc("nested"));
    p.Abort();
    EXPECT_TRUE(rec->aborted());
    EXPECT_FALSE(p.printing());
    ASSERT_EQ(rec->pages().size(), 1u);
    EXPECT_TRUE(rec->pages()[0].texts.empty());
}

TEST(QtPrinter, A4GeometryInDevicePixels) {
    QtPrinter p;
    const PrinterMetrics m = p.metrics();
    ASSERT_GT(m.pixelsPerInchX, 0);
    EXPECT_EQ(m.pixelsPerInchX, m.pixelsPerInchY);
    // Qt keeps A4 in whole points: within a point of the millimetre size.
    const double point = m.pixelsPerInchX / 72.0;
    EXPECT_NEAR(m.physicalWidth, 210.0 / 25.4 * m.pixelsPerInchX, point);
    EXPECT_NEAR(m.physicalHeight, 297.0 / 25.4 * m.pixelsPerInchY, point);
    EXPECT_GE(m.offsetX, 0);
    EXPECT_GE(m.offsetY, 0);
    EXPECT_EQ(m.pageWidth, m.physicalWidth - 2 * m.offsetX);
    EXPECT_LE(m.pageHeight, m.physicalHeight - m.offsetY);
}

TEST(QtPrinter, PrintsPagesIntoAPdfFile) {
    testing_support::TempDir dir;
    QtPrinter p;
    p.setPdfOutput(dir.file("Auszug.pdf"));
    ASSERT_TRUE(p.BeginDoc("Auszug"));
    p.canvas().font.name = "Arial";
    p.canvas().font.setSize(10);
    p.canvas().TextOut(100, 100, "Seite 1");
    p.canvas().MoveTo(0, 0);
    p.canvas().LineTo(1000, 0);
    p.NewPage();
    p.canvas().TextOut(100, 100, "Seite 2");
    ASSERT_TRUE(p.EndDoc());
    std::ifstream in(dir.file("Auszug.pdf"), std::ios::binary);
    std::stringstream ss;
    ss << in.rdbuf();
    const std::string pdf = ss.str();
    EXPECT_EQ(pdf.substr(0, 5), "%PDF-");
    EXPECT_NE(pdf.find("/Count 2"), std::string::npos);
}

TEST(QtPrinter, UnwritablePdfTargetFailsToBegin) {
    QtPrinter p;
    p.setPdfOutput("/nonexistent/folder/x.pdf");
    EXPECT_FALSE(p.BeginDoc("x"));
    EXPECT_FALSE(p.printing());
}

}  // namespace
}  // namespace ui
