// The report control on an offscreen window: page buttons, scrolling and
// printing on the recording printer.
#include <gtest/gtest.h>

#include <QApplication>
#include <QScrollBar>
#include <QTest>
#include <QWheelEvent>
#include <memory>

#include "platform/core/codepage.h"
#include "platform/core/message_box.h"
#include "platform/ui/printing/recording_printer.h"
#include "report/ui/druck_report.h"

namespace report {
namespace {

// One record per page: the step is taller than the printable height. With
// the page count setting 0 the pages are counted and not limited.
std::string seitenText(int seiten, int zaehlen = 0) {
    return platform::cp1252("seiten " + std::to_string(zaehlen) + "\nframe oben 0 links 0 breite 1900 anzahl " +
                            std::to_string(seiten) +
                            " schrittweite 2800\n  object label text Seite oben 0 links 0 breite 500 "
                            "höhe 50 end\nend\n");
}

class DruckReportTest : public ::testing::Test {
protected:
    platform::ScriptedMessages boxes;
    TDruckReport control;
    ui::ScopedRecordingPrinter printer;

    void zeigen(int w, int h, int seiten) {
        control.resize(w, h);
        control.show();
        ASSERT_TRUE(control.SetReportdaten(seitenText(seiten)));
        control.Paint();
    }
    QPoint knopf(int i) {
        const platform::Rect r = knopfRechteck(control.width(), control.height(), i);
        return {r.left + 5, r.top + 5};
    }
    void rad(int delta) {
        QWheelEvent e(QPointF(50, 50), QPointF(50, 50), QPoint(), QPoint(0, delta), Qt::NoButton,
                      Qt::NoModifier, Qt::NoScrollPhase, false);
        QApplication::sendEvent(&control, &e);
    }
};

TEST_F(DruckReportTest, ButtonsShowOnlyForSeveralPagesAndStopAtTheLast) {
    zeigen(300, 500, 1);
    EXPECT_FALSE(control.knopfLeiste());
    zeigen(300, 500, 3);
    ASSERT_TRUE(control.knopfLeiste());
    EXPECT_EQ(control.seitenAnzahl(), 3);
    EXPECT_FALSE(control.seitenBild().isNull());  // only the page shown is kept
    QTest::mouseClick(&control, Qt::LeftButton, Qt::NoModifier, knopf(3));
    EXPECT_EQ(control.seite(), 2);
    QTest::mouseClick(&control, Qt::LeftButton, Qt::NoModifier, knopf(2));
    EXPECT_EQ(control.seite(), 2);
    QTest::mouseClick(&control, Qt::LeftButton, Qt::NoModifier, knopf(1));
    EXPECT_EQ(control.seite(), 1);
    // A new text starts again at its first page.
    ASSERT_TRUE(control.SetReportdaten(seitenText(2)));
    EXPECT_EQ(control.seite(), 0);
}

TEST_F(DruckReportTest, AReleaseOutsideTheButtonChangesNothing) {
    zeigen(300, 500, 3);
    const platform::Rect r = knopfRechteck(300, 500, 0);
    const QRect q(r.left, r.top, r.width(), r.height());
    QTest::mouseClick(&control, Qt::LeftButton, Qt::NoModifier, knopf(3));
    const QImage los = control.backingImage().copy(q);
    QTest::mousePress(&control, Qt::LeftButton, Qt::NoModifier, knopf(0));
    EXPECT_NE(control.backingImage().copy(q), los);  // drawn pressed
    QTest::mouseRelease(&control, Qt::LeftButton, Qt::NoModifier, {5, 5});
    EXPECT_EQ(control.seite(), 2);
    EXPECT_EQ(control.backingImage().copy(q), los);  // released again
}

TEST_F(DruckReportTest, TheWheelScrollsATallPageInStepsOfTen) {
    zeigen(200, 150, 1);
    ASSERT_TRUE(control.scrollBar()->isVisible());
    const VorschauGeometrie& g = control.geometrie();
    EXPECT_EQ(control.scrollBar()->x(), g.seiteRechts);
    rad(-120);
    rad(-120);
    EXPECT_EQ(control.scrollPosition(), 20);
    rad(120);
    EXPECT_EQ(control.scrollPosition(), 10);
    // The strip shown moved with it: the control's top row is the page's row 10.
    const QImage& seite = control.seitenBild();
    EXPECT_EQ(control.backingImage().copy(0, 0, g.seiteRechts, 1), seite.copy(0, 10, g.seiteRechts, 1));
    control.scrollBar()->setValue(g.scrollBereich);
    EXPECT_EQ(control.scrollPosition(), g.scrollBereich);
    rad(-120);
    EXPECT_EQ(control.scrollPosition(), g.scrollBereich);
    // A fine wheel's parts add up to one step a notch.
    control.scrollBar()->setValue(0);
    for (int i = 0; i < 7; ++i) rad(-15);
    EXPECT_EQ(control.scrollPosition(), 0);
    rad(-15);
    EXPECT_EQ(control.scrollPosition(), 10);
}

// Only the page shown is drawn, each time it is shown.
TEST_F(DruckReportTest, EachPageIsDrawnWhenItIsShown) {
    zeigen(300, 500, 3);
    control.SetReportdaten(
        platform::cp1252("seiten 0\nframe anzahl 3 schrittweite 2800\n"
                         "object seite höhe 50 schrifthöhe 30 end\nend\n"));
    const QImage erste = control.seitenBild();
    QTest::mouseClick(&control, Qt::LeftButton, Qt::NoModifier, knopf(3));
    EXPECT_NE(control.seitenBild(), erste);
    QTest::mouseClick(&control, Qt::LeftButton, Qt::NoModifier, knopf(0));
    EXPECT_EQ(control.seitenBild(), erste);
}

// A report that would draw too much shows a blank page, once with its error,
// and prints none, saying so for every job.
TEST_F(DruckReportTest, AReportThatWouldDrawTooMuchShowsAndPrintsNoPage) {
    zeigen(300, 500, 1);
    control.SetReportdaten("");
    const QImage leer = control.seitenBild();
    control.SetReportdaten(
        platform::cp1252("frame höhe 0 anzahl 10001\nobject label text x end\nend\n"));
    control.SetKonstrukt(4);
    EXPECT_EQ(control.seitenBild(), leer);
    int gedruckt = 0;
    control.OnDruck = [&](TDruckReport&) { ++gedruckt; };
    control.Drucken("Titel", 1);
    EXPECT_TRUE(printer->aborted());
    EXPECT_EQ(gedruckt, 0);
    ASSERT_EQ(boxes.count(), 2u);
    EXPECT_NE(boxes.last().text.find("Fehlernummer:18"), std::string::npos);
}

TEST_F(DruckReportTest, PrintingSetsTheCopiesAndDrawsOnce) {
    ASSERT_TRUE(control.SetReportdaten(seitenText(1)));
    int gedruckt = 0;
    control.OnDruck = [&](TDruckReport&) { ++gedruckt; };
    control.Drucken("Titel", 2);
    EXPECT_EQ(printer->copies(), 2);
    EXPECT_EQ(printer->documents(), 1);
    EXPECT_EQ(gedruckt, 1);
    ASSERT_EQ(printer->pages().size(), 1u);
    ASSERT_EQ(printer->pages()[0].texts.size(), 1u);
    // 10 mm from the paper's edge is 38 pixels at 96 dpi, the printable area
    // begins 24 pixels in.
    const ui::RecordedText& t = printer->pages()[0].texts[0];
    EXPECT_EQ(std::tuple(t.x, t.text), std::tuple(38 - 24, std::string("Seite")));
    EXPECT_NEAR(t.y, 38 - 24, 2);
}

TEST_F(DruckReportTest, TheFirstPrintCountsTheSecondDoesNot) {
    ASSERT_TRUE(control.SetReportdaten(seitenText(2, 2)));
    EXPECT_EQ(control.report().SeitenGesamt(), 1);
    control.Drucken("Titel", 1);
    EXPECT_EQ(control.report().SeitenGesamt(), 2);
    EXPECT_EQ(printer->pages().size(), 2u);
    control.report().SetSeitenGesamt(5);  // a recount would set it back to 2
    control.Drucken("Titel", 1);
    EXPECT_EQ(control.report().SeitenGesamt(), 5);
    EXPECT_EQ(printer->pages().size(), 4u);
}

TEST_F(DruckReportTest, APrinterThatCannotStartSaysSo) {
    ASSERT_TRUE(control.SetReportdaten(seitenText(1)));
    printer->failNextBegin();
    int gedruckt = 0;
    control.OnDruck = [&](TDruckReport&) { ++gedruckt; };
    control.Drucken("Titel", 1);
    ASSERT_EQ(boxes.count(), 1u);
    EXPECT_EQ(boxes.last().caption, "Fehler");
    EXPECT_EQ(gedruckt, 0);
}

}  // namespace
}  // namespace report
