#include "controls/calendar/kalender.h"

#include <gtest/gtest.h>

#include <QLabel>
#include <QListWidget>
#include <QTest>
#include <QToolButton>
#include <cstdlib>
#include <functional>

#include "platform/core/message_box.h"
#include "platform/ui/drawing/qt_text.h"
#include "platform/ui/windows/window_messages.h"
#include "tests/controls/calendar/calendar_test_support.h"

namespace calendar {
namespace {

using Sent = std::tuple<unsigned, uintptr_t, intptr_t>;  // message, wParam, lParam

// The window that hosts the calendar and records the messages it receives.
class HostWindow : public QWidget, public ui::MessageTarget {
public:
    std::vector<Sent> got;
    bool dispatchMessage(ui::Message& m) override {
        got.emplace_back(m.msg, m.wParam, m.lParam);
        return true;
    }
};

using test_support::listOf;

class KalenderTest : public ::testing::Test {
protected:
    KalenderTest() : clock_(platform::encodeDate(2024, 3, 5) + 0.4) {
        host_.resize(240, 240);
        kalender_ = new TKalender(&host_);
        host_.show();
    }

    int cellOf(int month, int day) const {
        return test_support::cellOf(kalender_->model().grid(), month, day);
    }
    QPoint centreOf(int cell) const {
        const Rect b = GridLayout::cellFill(cell);
        return {(b.left + b.right) / 2, (b.top + b.bottom) / 2};
    }
    void click(int month, int day, Qt::MouseButton b = Qt::LeftButton) {
        QTest::mouseClick(kalender_->ZF, b, Qt::NoModifier, centreOf(cellOf(month, day)));
    }
    // A background pixel of a cell: its fill's bottom-right corner.
    ui::TColor cellBackground(int cell) const {
        const Rect b = GridLayout::cellFill(cell);
        return kalender_->ZF->canvas().Pixel(b.right - 1, b.bottom - 1);
    }

    platform::ScopedClock clock_;
    platform::ScriptedMessages boxes_;
    HostWindow host_;
    TKalender* kalender_;
};

TEST_F(KalenderTest, ChildrenSitAtTheirPlaces) {
    EXPECT_EQ(kalender_->size(), QSize(184, 185));
    EXPECT_EQ(kalender_->ZF->geometry(), QRect(3, 25, 178, 141));
    EXPECT_EQ(kalender_->Monats_Name->geometry(), QRect(3, 3, 178, 22));
    EXPECT_EQ(kalender_->SpeedButton1->geometry(), QRect(3, 4, 23, 21));
    EXPECT_EQ(kalender_->SpeedButton2->geometry(), QRect(159, 4, 23, 21));
    EXPECT_EQ(kalender_->Heute->geometry(), QRect(21, 168, 141, 16));
    EXPECT_EQ(kalender_->ListBox1->geometry(), QRect(32, 6, 65, 161));
    EXPECT_EQ(kalender_->ListBox1->item(2)->text(), QString::fromUtf8("März"));
    kalender_->Steuerung();  // the buttons take room from the title
    EXPECT_EQ(kalender_->Monats_Name->geometry(), QRect(26, 3, 132, 22));
    kalender_->Setze_Modus(false);
    EXPECT_TRUE(kalender_->Heute->isVisible());
    EXPECT_EQ(kalender_->Heute->text(), "   Heute: 05.03.2024");
}

TEST_F(KalenderTest, NormalClickSendsOneDateMessage) {
    kalender_->Setze_Modus(false);
    kalender_->Setze_JahresBlock(true);
    kalender_->Init(2024, 12, 1, nullptr);
    EXPECT_FALSE(kalender_->SpeedButton2->isEnabled());
    const std::pair<QPoint, Qt::MouseButton> clicks[] = {
        {centreOf(cellOf(12, 5)), Qt::RightButton}, {centreOf(cellOf(12, 31)), Qt::LeftButton},
        {QPoint(177, 60), Qt::LeftButton},  // outside the cells: nothing
        {QPoint(60, 140), Qt::LeftButton},          {QPoint(10, 60), Qt::LeftButton},
        {centreOf(cellOf(1, 2)), Qt::LeftButton}};  // refused by the year block
    for (const auto& [at, button] : clicks)
        QTest::mouseClick(kalender_->ZF, button, Qt::NoModifier, at);
    // Without the block a neighbour-month cell steps the view, across the year too.
    kalender_->Setze_JahresBlock(false);
    click(1, 2);
    EXPECT_EQ(kalender_->Get_Jahr() * 100 + kalender_->Get_Monat(), 202501);
    click(12, 30);
    EXPECT_EQ(kalender_->Get_Jahr() * 100 + kalender_->Get_Monat(), 202412);
    const auto day = [](int y, int m, int d) { return uintptr_t(platform::dayNumber(y, m, d)); };
    EXPECT_EQ(host_.got, (std::vector<Sent>{{WM_KALENDERDATUM, day(2024, 12, 5), 1},
                                            {WM_KALENDERDATUM, day(2024, 12, 31), 0},
                                            {WM_KALENDERDATUM, 0, 0},
                                            {WM_KALENDERDATUM, day(2025, 1, 2), 0},
                                            {WM_KALENDERDATUM, day(2024, 12, 30), 0}}));
}

TEST_F(KalenderTest, MarkerClicksChangeRecordsAndShowInverted) {
    kalender_->Setze_Daten(listOf({6, 5, 2, 11, 2}));  // a February record is kept throughout
    kalender_->Init(2024, 3, 0, nullptr);
    for (int d : {4, 5, 6, 5}) click(3, d);  // the second click on the 5th splits the run
    click(4, 2);                             // neighbour-month cells can be marked too
    EXPECT_EQ(host_.got, (std::vector<Sent>(5, Sent{WM_KALENDERMARKER, 0, 0})));
    EXPECT_EQ(kalender_->Get_Daten(),
              listOf({6, 5, 2, 11, 2, 10, 4, 3, 4, 3, 10, 6, 3, 6, 3, 14, 2, 4, 2, 4}));
    for (const auto& [m, d, colour] :
         {std::tuple{3, 4, ui::clBlack}, {4, 2, ui::clBlack}, {3, 5, ui::clWhite}})
        EXPECT_EQ(cellBackground(cellOf(m, d)), colour) << d << "." << m;
    kalender_->Del_Marker(true);
    EXPECT_EQ(cellBackground(cellOf(3, 4)), ui::clWhite);
    EXPECT_EQ(kalender_->Get_Daten(), listOf({6, 5, 2, 11, 2}));
    EXPECT_EQ(boxes_.count(), 0u);
}

TEST_F(KalenderTest, NormalModeShowsGlyphAndChosenDay) {
    const StandbyList host = listOf({10, 4, 3, 10, 3});
    kalender_->Setze_Modus(false);
    kalender_->Init(2024, 3, 20, &host);
    const ui::Canvas& img = kalender_->ZF->canvas();  // read in units
    for (int d = 3; d <= 11; ++d) {  // the glyph: red pixels in the cells of the record
        const Rect b = GridLayout::cellFrame(cellOf(3, d));
        int red = 0;
        for (int y = b.top; y < b.bottom; ++y)
            for (int x = b.left; x < b.right; ++x) red += img.Pixel(x, y) == ui::clRed;
        EXPECT_EQ(red > 0, d >= 4 && d <= 10) << d;
    }
    EXPECT_EQ(cellBackground(cellOf(3, 20)), ui::clBlue);
}

// Init draws the grid and the title only when what they show changed; what
// was drawn then equals what a new calendar in the same state draws.
TEST_F(KalenderTest, InitDrawsOnlyWhatChanged) {
    struct PaintCount : QObject {
        int paints = 0;
        bool eventFilter(QObject*, QEvent* e) override {
            return paints += e->type() == QEvent::Paint, false;
        }
    } grid, title;
    kalender_->ZF->installEventFilter(&grid);
    kalender_->Monats_Name->installEventFilter(&title);
    StandbyList list = listOf({10, 4, 3, 10, 3});
    kalender_->Setze_Modus(false);
    kalender_->Init(2024, 3, 5, &list);
    struct Step {
        const char* name;
        std::function<void()> act;
        int gridPaints, titlePaints;
    };
    const Step steps[] = {
        {"the same", [&] { kalender_->Init(2024, 3, 5, &list); }, 0, 0},
        {"another day", [&] { kalender_->Init(2024, 3, 6, &list); }, 1, 0},
        {"another record",
         [&] { list = listOf({10, 4, 3, 10, 3, 11, 15, 3, 17, 3}), kalender_->Init(2024, 3, 6, &list); },
         1, 0},
        {"another month", [&] { kalender_->Init(2024, 4, 6, &list); }, 1, 1},
        // Switching the mode draws nothing itself; the next Init shows it.
        {"marker mode", [&] { kalender_->Setze_Modus(true), kalender_->Init(2024, 4, 6, &list); }, 1, 0},
        {"colours", [&] { kalender_->Setze_Farbmodus(2); }, 1, 1},
        {"the same in new colours", [&] { kalender_->Init(2024, 4, 6, &list); }, 0, 0},
    };
    for (const Step& s : steps) {
        QCoreApplication::processEvents();
        grid.paints = title.paints = 0;
        s.act();
        QCoreApplication::processEvents();
        EXPECT_EQ(std::tuple(grid.paints, title.paints), std::tuple(s.gridPaints, s.titlePaints))
            << s.name;
    }
    TKalender fresh;
    fresh.show();  // its images take their sizes
    fresh.Setze_Modus(true);
    fresh.Setze_Farbmodus(2);
    fresh.Init(2024, 4, 6, &list);
    for (const auto& [mine, theirs] : {std::pair(kalender_->ZF, fresh.ZF),
                                       std::pair(kalender_->Monats_Name, fresh.Monats_Name)})
        for (int y = 0; y < mine->height(); ++y)
            for (int x = 0; x < mine->width(); ++x)
                ASSERT_EQ(mine->canvas().Pixel(x, y), theirs->canvas().Pixel(x, y)) << x << "," << y;
}

TEST_F(KalenderTest, TitleWeekNumbersAndColourModes) {
    std::vector<std::pair<QPoint, std::string>> titleTexts, gridTexts;
    kalender_->Monats_Name->canvas().onText = [&](int x, int y, const std::string& t) {
        titleTexts.push_back({{x, y}, t});
    };
    kalender_->ZF->canvas().onText = [&](int x, int y, const std::string& t) {
        gridTexts.push_back({{x, y}, t});
    };
    kalender_->Init(2020, 12, 0, nullptr);
    ASSERT_FALSE(titleTexts.empty());
    EXPECT_EQ(titleTexts.back().second, "Dezember 2020");
    // White text on the blue band.
    const ui::Canvas& band = kalender_->Monats_Name->canvas();
    int white = 0;
    for (int y = 1; y < kalender_->Monats_Name->height() - 1; ++y)
        for (int x = 1; x < kalender_->Monats_Name->width() - 1; ++x)
            white += band.Pixel(x, y) == ui::clWhite;
    EXPECT_GT(white, 30);
    EXPECT_EQ(band.Pixel(3, 3), colour::kTitleBlue);
    const std::vector<std::pair<QPoint, std::string>> expected = {
        {{2, 2}, "KW"},  {{25, 2}, "MO"},  {{157, 2}, "SO"}, {{2, 22}, "49"}, {{2, 102}, "53"},
        {{7, 122}, "1"}, {{25, 22}, "30"}, {{51, 22}, "1"}};  // 30 November in the first cell
    for (const auto& e : expected)
        EXPECT_NE(std::find(gridTexts.begin(), gridTexts.end(), e), gridTexts.end()) << e.second;

    EXPECT_EQ(kalender_->ZF->canvas().Pixel(175, 10), ui::clYellow);
    kalender_->Setze_Farbmodus(2);  // the second colour mode repaints the band
    EXPECT_EQ(band.Pixel(3, 3), ui::toPlainColor(ui::clInfoBk));
}

// The title band shows month and year from the start: before the first
// Init, and after an Init or Setze_Datum of the current month it looks as
// after a move from another month.
TEST_F(KalenderTest, TheTitleShowsBeforeTheFirstInitOfTheCurrentMonth) {
    TKalender moved;
    moved.show();
    moved.Init(2024, 2, 0, nullptr);
    moved.Init(2024, 3, 0, nullptr);
    TKalenderControl control(&host_);
    control.show();
    const std::pair<TKalender*, std::function<void()>> cases[] = {
        {kalender_, [] {}},
        {kalender_, [&] { kalender_->Init(2024, 3, 5, nullptr); }},
        {&control, [&] { control.Setze_Datum(platform::encodeDate(2024, 3, 12)); }}};
    for (const auto& [calendar, act] : cases) {
        act();
        for (int y = 0; y < moved.Monats_Name->height(); ++y)
            for (int x = 0; x < moved.Monats_Name->width(); ++x)
                ASSERT_EQ(calendar->Monats_Name->canvas().Pixel(x, y),
                          moved.Monats_Name->canvas().Pixel(x, y));
    }
}

TEST_F(KalenderTest, MonthButtonsAndList) {
    kalender_->Steuerung();
    kalender_->Setze_Modus(false);
    kalender_->Init(2024, 11, 0, nullptr);
    QListWidget* list = kalender_->ListBox1;
    QTest::mousePress(kalender_->Monats_Name, Qt::LeftButton, Qt::NoModifier, QPoint(40, 10));
    ASSERT_TRUE(list->isVisible());
    // The release of the opening press only ends the opening.
    QTest::mouseRelease(list->viewport(), Qt::LeftButton, Qt::NoModifier, QPoint(5, 5));
    QTest::mouseClick(list->viewport(), Qt::LeftButton, Qt::NoModifier,
                      list->visualItemRect(list->item(5)).center());
    EXPECT_FALSE(list->isVisible());
    EXPECT_EQ(kalender_->Get_Jahr() * 100 + kalender_->Get_Monat(), 202406);
    if (QWidget::mouseGrabber()) QWidget::mouseGrabber()->releaseMouse();
}

// Writes both modes as PNG files into $KLB_SCREENSHOT_DIR for a look by eye.
TEST_F(KalenderTest, Screenshots) {
    const char* dir = std::getenv("KLB_SCREENSHOT_DIR");
    if (dir == nullptr) GTEST_SKIP() << "KLB_SCREENSHOT_DIR not set";
    const StandbyList host = listOf({10, 4, 3, 10, 3});
    kalender_->Steuerung();
    kalender_->Setze_Modus(false);
    kalender_->Init(2024, 3, 5, &host);
    const QImage normal = kalender_->grab().toImage().scaled(552, 555);
    kalender_->Setze_Modus(true);
    kalender_->Init(2024, 3, 0, nullptr);
    for (int d : {4, 5, 6, 7, 8, 9, 10, 21}) click(3, d);
    EXPECT_TRUE(normal.save(QString(dir) + "/kalender_normal.png"));
    EXPECT_TRUE(
        kalender_->grab().toImage().scaled(552, 555).save(QString(dir) + "/kalender_marker.png"));
}

}  // namespace
}  // namespace calendar
