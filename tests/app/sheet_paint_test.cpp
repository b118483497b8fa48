// Pixels of the month sheet: the open line's red frame, line colours and
// glyphs by kind, rows by work-text length, the cut open line, the blinking
// caret and the summary panel's greyed lines.
#include <QScrollBar>

#include "app/sheet_geometry.h"
#include "app/window_parts.h"
#include "controls/calendar/kalender.h"
#include "platform/ui/color.h"
#include "tests/app/window_fixture.h"

namespace app_test {
namespace {

QRgb rgbOf(ui::TColor c) { return ui::toQColor(c).rgb(); }

class SheetPaintTest : public WindowTest {
protected:
    void SetUp() override {
        WindowTest::SetUp();
        createWindow();
    }

    const QImage& image() { return form->canvasControl().backingImage(); }
    QRgb pixel(int x, int y) { return image().pixel(x, y); }
    int rowTop(int row) { return form->geometry().rowTop(row); }
    int right() { return form->geometry().rightEdge; }

    // A stored line of `kind` before the entry line.
    void addLine(char kind, const std::string& text, int day = 7) {
        std::string line(59, ' ');
        line[0] = kind;
        const std::string no = std::to_string(form->buch().zeilen.size());
        line.replace(4 - no.size(), no.size(), no);
        char date[6];
        std::snprintf(date, sizeof date, "%02d.12", day);
        line.replace(5, 5, date);
        line.replace(11, 10, "Montag    ");
        line.replace(22, 11, "08:00 12:00");
        line.replace(34, 5, "  240");
        auto& b = form->buch();
        b.zeilen.insert(b.zeilen.end() - 1, line);
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
    // Pixels of exactly `colour` in a band of the sheet.
    int count(ui::TColor colour, int x0, int x1, int y0, int y1) {
        int n = 0;
        const QRgb want = rgbOf(colour);
        for (int y = y0; y < y1; ++y)
            for (int x = x0; x < x1; ++x)
                if (pixel(x, y) == want) ++n;
        return n;
    }
};

TEST_F(SheetPaintTest, TheOpenLineHasARedFrame) {
    openEntryLine(0);
    const int y = rowTop(0);
    EXPECT_EQ(form->offeneZeilenReihe, 0);
    EXPECT_EQ(pixel(1, y + 8), rgbOf(ui::clRed));
    EXPECT_EQ(pixel(300, y - 1), rgbOf(ui::clRed));
    EXPECT_EQ(pixel(right() - 1, y + 8), rgbOf(ui::clRed));
    EXPECT_EQ(pixel(300, y + 18 - 2), rgbOf(ui::clRed));
    // The day and the times of the entry line are red, the rest of its box white.
    EXPECT_GT(count(ui::clRed, 43, 59, y, y + 16), 5);
    EXPECT_GT(count(ui::clNavy, 59, 83, y, y + 16), 2);
}

TEST_F(SheetPaintTest, StoredLinesTakeTheColourOfTheirKind) {
    struct Case {
        char kind;
        ui::TColor colour;
        bool glyph;
    } cases[] = {{' ', ui::clBlack, false}, {'!', ui::clGreen, true},  {'-', ui::clPurple, true},
                 {'+', ui::clMaroon, true}, {'V', ui::clNavy, true},   {'M', ui::clBlue, true},
                 {'=', ui::clBlue, false},  {'>', ui::clRed, false}};
    for (const Case& c : cases) addLine(c.kind, "Text");
    openEntryLine(0);
    for (size_t i = 0; i < std::size(cases); ++i) {
        const int y = rowTop(static_cast<int>(i));
        EXPECT_GT(count(cases[i].colour, 180, 220, y, y + 16), 5) << "kind '" << cases[i].kind << "'";
        EXPECT_GT(count(cases[i].colour, app::kTextX, app::kTextX + 32, y, y + 16), 5)
            << "text of kind '" << cases[i].kind << "'";
        // The glyph area: a kind's mark, or white for ordinary and balance lines.
        const int marks = count(cases[i].colour, 3, 11, y + 1, y + 15);
        if (cases[i].glyph) {
            EXPECT_GT(marks, 3) << cases[i].kind;
        } else {
            EXPECT_EQ(count(ui::clWhite, 3, 11, y + 1, y + 15), 8 * 14) << cases[i].kind;
        }
        // Stored lines are framed grey.
        EXPECT_EQ(pixel(1, y + 8), rgbOf(ui::clGray));
    }
}

TEST_F(SheetPaintTest, WorkTextsTakeTheirRows) {
    const int lengths[] = {0, 30, 31, 150};
    const int rows[] = {1, 1, 2, 5};
    for (int len : lengths) addLine(' ', std::string(len, 'a'));
    addLine(' ', "");  // so that the last box ends on a grey line, not the open line's top
    openEntryLine(0);
    int row = 0;
    for (size_t i = 0; i < std::size(lengths); ++i) {
        const int y = rowTop(row);
        const int bottom = y + rows[i] * 18 - 1;
        EXPECT_EQ(pixel(300, bottom), rgbOf(ui::clGray)) << lengths[i];
        // Inside the box, no horizontal line between its rows.
        if (rows[i] > 1) {
            EXPECT_NE(pixel(300, y + 17), rgbOf(ui::clGray)) << lengths[i];
        }
        // The last row of the text holds its last characters.
        if (lengths[i] > 0) {
            EXPECT_GT(count(ui::clBlack, 480, 720, bottom - 17, bottom), 3) << lengths[i];
        }
        row += rows[i];
    }
    EXPECT_EQ(form->offeneZeilenReihe, row + 1);
}

TEST_F(SheetPaintTest, TheOpenLineGrowsWithItsText) {
    struct Case {
        int length;
        int rows;
    } cases[] = {{0, 1}, {29, 1}, {30, 2}, {31, 2}, {149, 5}, {150, 5}};
    for (const Case& c : cases) {
        openEntryLine(c.length);
        const int y = rowTop(0);
        EXPECT_EQ(pixel(300, y + c.rows * 18 - 2), rgbOf(ui::clRed)) << c.length;
        EXPECT_NE(pixel(300, y + c.rows * 18 - 20), rgbOf(ui::clRed)) << c.length;
        EXPECT_EQ(pixel(1, y + c.rows * 18 + 4), rgbOf(ui::clGray)) << c.length;  // empty row below
    }
}

TEST_F(SheetPaintTest, AnOpenLineThatDoesNotFitIsCut) {
    const int visible = form->geometry().visibleRows;
    for (int i = 0; i < visible - 1; ++i) addLine(' ', "", 1 + i % 28);
    openEntryLine(70);  // three rows, one fits
    EXPECT_EQ(form->offeneZeilenReihe, -1);
    const int y = rowTop(visible - 1);
    EXPECT_EQ(pixel(1, y + 8), rgbOf(ui::clRed));
    // No bottom edge: the last sheet pixel row of the box is not red across.
    EXPECT_NE(pixel(300, y + 16), rgbOf(ui::clRed));
}

TEST_F(SheetPaintTest, TheCaretBlinksAtItsColumn) {
    openEntryLine(0);
    const int y = rowTop(0);
    const int x = 5 * 8 + 3;
    ASSERT_EQ(pixel(x, y), rgbOf(ui::clWhite));
    form->blinkZaehler = 0;
    form->Timer1Timer();  // drawn
    EXPECT_EQ(pixel(x, y), rgbOf(ui::clBlack));
    EXPECT_EQ(pixel(x + 1, y + 15), rgbOf(ui::clBlack));
    for (int i = 0; i < 4; ++i) form->Timer1Timer();
    EXPECT_EQ(pixel(x, y), rgbOf(ui::clBlack));  // still shown for 500 ms
    form->Timer1Timer();                          // removed
    EXPECT_EQ(pixel(x, y), rgbOf(ui::clWhite));
    for (int i = 0; i < 5; ++i) form->Timer1Timer();
    EXPECT_EQ(pixel(x, y), rgbOf(ui::clBlack));  // back

    // Moved to the next column: the old place is repaired.
    form->zeitCaretSpalte = 6;
    form->blinkZaehler = 0;
    form->Timer1Timer();
    EXPECT_EQ(pixel(x, y), rgbOf(ui::clWhite));
    EXPECT_EQ(pixel(6 * 8 + 3, y), rgbOf(ui::clBlack));
}

TEST_F(SheetPaintTest, TheTextCaretStandsInTheWorkText) {
    openEntryLine(40);
    form->textModus = true;
    form->textCursor = 40;  // second row, column 10
    form->blinkZaehler = 0;
    form->Timer1Timer();
    EXPECT_EQ(pixel(480 + 10 * 8, rowTop(1)), rgbOf(ui::clBlack));
    EXPECT_EQ(pixel(5 * 8 + 3, rowTop(0)), rgbOf(ui::clWhite));  // not in the time part
}

TEST_F(SheetPaintTest, NoCaretDuringTheYearBalance) {
    openEntryLine(0);
    form->buch().jahresbilanz = true;
    form->FormPaint(true);
    EXPECT_EQ(form->offeneZeilenReihe, -1);
    for (int i = 0; i < 12; ++i) form->Timer1Timer();
    EXPECT_EQ(count(ui::clBlack, 0, 740, rowTop(0), rowTop(1)), 0);
}

TEST_F(SheetPaintTest, SwitchedOffAllowancesGreyTheirTotalsLines) {
    const int T = form->MonthCalendar1->y();
    auto greyIn = [&](int line) { return count(ui::clGray, 4, 410, T + 16 * line + 1, T + 16 * line + 15); };
    auto blueIn = [&](int line) { return count(ui::clBlue, 4, 410, T + 16 * line + 1, T + 16 * line + 15); };
    // At start the private car is off: lines 8 and 10 grey, 7 and 9 blue.
    EXPECT_GT(greyIn(8), 10);
    EXPECT_GT(greyIn(10), 10);
    EXPECT_GT(blueIn(7), 10);
    EXPECT_EQ(greyIn(7), 0);
    form->WZUschlagExecute();  // standby off: 6 to 10 grey
    for (int line = 6; line <= 10; ++line) {
        EXPECT_GT(greyIn(line), 10) << line;
        EXPECT_EQ(blueIn(line), 0) << line;
    }
    EXPECT_FALSE(form->commandEnabled("PKW_Berechnung"));
    EXPECT_GT(blueIn(5), 10);
}

TEST_F(SheetPaintTest, ScrollingShowsLaterLines) {
    for (int i = 0; i < 20; ++i) addLine(' ', "", 1 + i);
    form->adjustScrollRange();
    EXPECT_TRUE(form->ScrollBar1->isEnabled());
    EXPECT_EQ(form->ScrollBar1->maximum(), 21 - form->geometry().visibleRows);
    form->ScrollBar1->setValue(3);
    EXPECT_EQ(form->ersteZeile, 3);
    // The top row now shows line 3 (number "  4").
    EXPECT_GT(count(ui::clBlack, 11, 35, rowTop(0), rowTop(0) + 16), 3);
}

}  // namespace
}  // namespace app_test
