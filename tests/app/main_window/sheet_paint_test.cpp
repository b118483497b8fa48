// The month sheet's pixels: the open line's red frame, line
// colours and glyphs by kind, rows by work-text length, the blinking caret, the
// summary panel's greyed lines and scrolling.
#include <QApplication>
#include <QScrollBar>
#include <QWheelEvent>

#include "app/main_window/sheet_geometry.h"
#include "app/main_window/window_parts.h"
#include "book/calculation/year_balance.h"
#include "controls/calendar/kalender.h"
#include "platform/ui/drawing/color.h"
#include "tests/app/main_window/window_fixture.h"

namespace app_test {
namespace {

using std::tuple;

class SheetPaintTest : public WindowTest {
protected:
    void SetUp() override {
        WindowTest::SetUp();
        createWindow();
    }
    int rowTop(int row) { return form->geometry().rowTop(row); }
    bool is(ui::TColor c, int x, int y) {
        // Read in the window's units: at any device pixel ratio the same.
        return form->canvasControl().canvas().Pixel(x, y) == c;
    }
    // Pixels of exactly `colour` in a band of the sheet.
    int count(ui::TColor colour, int x0, int x1, int y0, int y1) {
        int n = 0;
        for (int y = y0; y < y1; ++y)
            for (int x = x0; x < x1; ++x) n += is(colour, x, y);
        return n;
    }
    // A stored line of `kind` before the entry line, built by hand.
    void addLine(char kind, const std::string& text, int day = 7) {
        char line[128];
        std::snprintf(line, sizeof line, "%c%3zu %02d.12 Montag     08:00 12:00   240%20s", kind,
                      form->buch().zeilen.size(), day, "");
        auto& b = form->buch();
        b.zeilen.insert(b.zeilen.end() - 1, std::string(line, 59));
        b.texte.insert(b.texte.end() - 1, text);
    }
    // Opens the entry line (the last one) with a work text of `length`.
    void openEntryLine(int length) {
        auto& b = form->buch();
        b.aktuelleZeile = static_cast<int>(b.zeilen.size()) - 1;
        b.textPuffer = std::string(length, 'x') + std::string(151 - length, ' ');
        b.textLaenge = length;
        form->FormPaint(true);
    }
};

TEST_F(SheetPaintTest, TheOpenLineHasARedFrameAndGrowsWithItsText) {
    const int y = rowTop(0), right = form->geometry().rightEdge;
    for (const auto& [length, rows] :
         {std::pair{0, 1}, {29, 1}, {30, 2}, {31, 2}, {149, 5}, {150, 5}}) {
        openEntryLine(length);
        EXPECT_EQ(form->offeneZeilenReihe, 0);
        for (const auto& [x, yy] :
             {std::pair{1, y + 8}, {300, y - 1}, {right - 1, y + 8}, {300, y + rows * 18 - 2}})
            EXPECT_TRUE(is(ui::clRed, x, yy)) << length << " at " << x << "," << yy;
        EXPECT_FALSE(is(ui::clRed, 300, y + rows * 18 - 20)) << length;
        EXPECT_TRUE(is(ui::clGray, 1, y + rows * 18 + 4)) << length;  // the empty row below
    }
    // The day and the times of the entry line are red, the weekday navy.
    EXPECT_TRUE(count(ui::clRed, 43, 59, y, y + 16) > 5 &&
                count(ui::clNavy, 59, 83, y, y + 16) > 2);
}

TEST_F(SheetPaintTest, StoredLinesTakeTheColourOfTheirKind) {
    // Kind, colour, glyph.
    const tuple<char, ui::TColor, bool> cases[] = {
        {' ', ui::clBlack, false}, {'!', ui::clGreen, true}, {'-', ui::clPurple, true},
        {'+', ui::clMaroon, true}, {'V', ui::clNavy, true},  {'M', ui::clBlue, true},
        {'=', ui::clBlue, false},  {'>', ui::clRed, false}};
    for (const auto& [kind, colour, glyph] : cases) addLine(kind, "Text");
    openEntryLine(0);
    int y = rowTop(0);
    for (const auto& [kind, colour, glyph] : cases) {
        // Times and text in the kind's colour; its mark, or white for ordinary and balance lines;
        // stored lines framed grey.
        EXPECT_EQ(tuple(count(colour, 180, 220, y, y + 16) > 5,
                        count(colour, app::kTextX, app::kTextX + 32, y, y + 16) > 5,
                        count(glyph ? colour : ui::clWhite, 3, 11, y + 1, y + 15) >
                            (glyph ? 3 : 8 * 14 - 1),
                        is(ui::clGray, 1, y + 8)),
                  tuple(true, true, true, true))
            << kind;
        y += 18;
    }
}

TEST_F(SheetPaintTest, WorkTextsTakeTheirRows) {
    const std::pair<int, int> cases[] = {{0, 1}, {30, 1}, {31, 2}, {150, 5}};  // length, rows
    for (const auto& [length, rows] : cases) addLine(' ', std::string(length, 'a'));
    addLine(' ', "");  // so that the last box ends on a grey line, not the open line's top
    openEntryLine(0);
    int row = 0;
    for (const auto& [length, rows] : cases) {
        const int y = rowTop(row), bottom = y + rows * 18 - 1;
        EXPECT_TRUE(is(ui::clGray, 300, bottom)) << length;
        // No line between its rows; the last row used.
        EXPECT_TRUE(rows == 1 || !is(ui::clGray, 300, y + 17)) << length;
        EXPECT_TRUE(length == 0 || count(ui::clBlack, 480, 720, bottom - 17, bottom) > 3);
        row += rows;
    }
    EXPECT_EQ(form->offeneZeilenReihe, row + 1);
}

// The year balance's month line runs to column 64, under the start of the
// work text: its marker covers none of the figures, the weekend-holiday
// hours in columns 59-62 included.
TEST_F(SheetPaintTest, TheMonthLinesMarkerLeavesEveryFigureReadable) {
    auto& b = form->buch();
    const std::string monat = book::bilanzMonatsZeile({600, 240, 120, 60, 120, 180}, false);
    ASSERT_EQ(monat.substr(59, 4), "   3");
    // Rows 0 and 2: two rows apart, the same pixels at a scale of 1.25 too.
    for (const char* text : {book::kBilanzMonatsText, "", ""}) {
        b.zeilen.insert(b.zeilen.end() - 1, monat);
        b.texte.insert(b.texte.end() - 1, text);
    }
    openEntryLine(0);
    const int mit = rowTop(0), ohne = rowTop(2);
    const int von = app::kLineX + app::kCharWidth * 35, bis = app::kLineX + app::kCharWidth * 65;
    int anders = 0;
    for (int y = 0; y < 16; ++y)
        for (int x = von; x < bis; ++x)
            anders += form->canvasControl().canvas().Pixel(x, mit + y) !=
                      form->canvasControl().canvas().Pixel(x, ohne + y);
    EXPECT_EQ(anders, 0) << "the marker covers part of the figures";
    EXPECT_GT(count(ui::clRed, app::kLineX + app::kCharWidth * 62, bis, ohne, ohne + 16), 5)
        << "the 3 hours";
    EXPECT_GT(count(ui::clRed, bis, app::kTextX + app::kCharWidth * 10, mit, mit + 16), 5)
        << "the marker";
}

TEST_F(SheetPaintTest, TheCaretBlinksAtItsColumn) {
    openEntryLine(40);
    const int y = rowTop(0), x = 5 * 8 + 3;
    ASSERT_TRUE(is(ui::clWhite, x, y));
    form->blinkZaehler = 0;
    // Drawn for five 100 ms ticks, removed for five, back.
    for (const bool shown :
         {true, true, true, true, true, false, false, false, false, false, true}) {
        form->Timer1Timer();
        EXPECT_EQ(is(ui::clBlack, x, y) && is(ui::clBlack, x + 1, y + 15), shown);
        EXPECT_EQ(is(ui::clWhite, x, y), !shown);
    }
}

TEST_F(SheetPaintTest, SelectedTextIsRedOnBlack) {
    form->selStart = 3, form->selLaenge = 4;
    openEntryLine(10);
    const int y = rowTop(0);
    const int x0 = app::kTextX + 3 * 8, x1 = app::kTextX + 7 * 8;
    // Inside the selection: red characters on black; before it: red on white.
    EXPECT_EQ(tuple(count(ui::clRed, x0, x1, y, y + 16) > 20, count(ui::clWhite, x0, x1, y, y + 16)),
              tuple(true, 0));
    EXPECT_GT(count(ui::clBlack, x0, x1, y, y + 16), 4 * 8 * 16 / 2);
    EXPECT_EQ(tuple(count(ui::clRed, app::kTextX, x0, y, y + 16) > 20,
                    count(ui::clBlack, app::kTextX, x0, y, y + 16)),
              tuple(true, 0));
}

TEST_F(SheetPaintTest, TheTotalsPanelGreysSwitchedOffAllowances) {
    const int T = form->MonthCalendar1->y();
    const auto in = [&](ui::TColor c, int line) {
        return count(c, 4, 410, T + 16 * line + 1, T + 16 * line + 15) > 10;
    };
    // At start the private car is off (lines 8 and 10); with standby off too, lines 6 to 10 grey.
    form->WZUschlagExecute();
    for (int line = 5; line <= 10; ++line)
        EXPECT_EQ(tuple(in(ui::clGray, line), in(ui::clBlue, line)), tuple(line >= 6, line < 6))
            << line;
}

TEST_F(SheetPaintTest, ScrollingShowsLaterLines) {
    for (int i = 0; i < 20; ++i) addLine(' ', "", 1 + i);
    form->adjustScrollRange();
    form->ScrollBar1->setValue(3);
    // Line 3's number in the top row.
    EXPECT_EQ(tuple(form->ScrollBar1->maximum(), form->ersteZeile), tuple(21 - 15, 3));
    EXPECT_GT(count(ui::clBlack, 11, 35, rowTop(0), rowTop(0) + 16), 3);
    // Scrolled by moving pixels, the sheet is what a paint from scratch draws
    // (by an odd number of rows too, which at ratio 1.25 is no whole pixel).
    const QImage& backing = form->canvasControl().backingImage();
    for (const int value : {4, 5, 3, 6, 1, 0, 2}) {
        form->ScrollBar1->setValue(value);
        const QImage moved = backing.copy();
        form->blattVergessen();
        form->FormPaint(false);
        EXPECT_TRUE(moved == backing) << "scrolled to " << value;
    }
    // The wheel: a line a notch, also when a fine wheel sends it in parts.
    for (const auto& [deltas, value] : {std::pair<std::vector<int>, int>{{-120, -120}, 4},
                                        {{-60, -60, -60}, 3}, {{60, -60}, 2}, {{120}, 1}}) {
        form->ScrollBar1->setValue(2);
        for (const int d : deltas) {
            QWheelEvent rad({5, 5}, {5, 5}, {}, {0, d}, Qt::NoButton, Qt::NoModifier,
                            Qt::NoScrollPhase, false);
            QApplication::sendEvent(&form->canvasControl(), &rad);
        }
        EXPECT_EQ(form->ScrollBar1->value(), value) << deltas.size();
    }
}

}  // namespace
}  // namespace app_test
