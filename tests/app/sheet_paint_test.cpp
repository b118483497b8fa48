// The month sheet: its geometry, and its pixels: the open line's red frame, line
// colours and glyphs by kind, rows by work-text length, the cut open line, the
// blinking caret, the summary panel's greyed lines and scrolling.
#include <QScrollBar>

#include "app/sheet_geometry.h"
#include "app/window_parts.h"
#include "controls/calendar/kalender.h"
#include "platform/ui/color.h"
#include "tests/app/window_fixture.h"

namespace app_test {
namespace {

using std::tuple;

TEST(SheetGeometry, RowsScrollExtentAndWalkBack) {
    const auto texts = [](std::initializer_list<int> lengths) {
        std::vector<std::string> t;
        for (int n : lengths) t.emplace_back(n, 'a');
        return t;
    };
    EXPECT_EQ(tuple(app::openLineRows(60), app::storedLineRows(60), app::storedLineRows(61)), tuple(3, 2, 3));
    app::SheetGeometry g;  // more rows per text in the pixel tests
    g.compute(318, 740);
    EXPECT_EQ(tuple(g.top, g.visibleRows, g.height, g.rowTop(2)), tuple(45, 15, 270, 45 + 1 + 36));
    // The extent keeps its value while everything fits, else visible rows + the earliest line needed.
    EXPECT_EQ(app::scrollExtent(texts({0, 0, 0}), 5, 1), 1);
    EXPECT_EQ(app::scrollExtent(texts({0, 0, 0, 0, 0, 61}), 4, 1), 4 + 3 + 1);  // a three-row text overshoots
    // Five visible rows: the first line that shows the wanted one at the bottom.
    EXPECT_EQ(app::firstLineShowing(texts({0, 0, 0, 0, 0, 0, 60}), 6, 5), 4);  // 60 characters: 2 + 1 rows
    EXPECT_EQ(app::firstLineShowing(texts({0, 0, 0, 0, 0, 90, 0}), 6, 5), 5);  // exactly filled
    EXPECT_EQ(app::firstLineShowing(texts({0, 0, 0, 0, 0, 120, 0}), 6, 5), 6);  // overshooting by one row
}

class SheetPaintTest : public WindowTest {
protected:
    void SetUp() override {
        WindowTest::SetUp();
        createWindow();
    }
    int rowTop(int row) { return form->geometry().rowTop(row); }
    bool is(ui::TColor c, int x, int y) { return form->canvasControl().backingImage().pixel(x, y) == ui::toQColor(c).rgb(); }
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
    for (const auto& [length, rows] : {std::pair{0, 1}, {29, 1}, {30, 2}, {31, 2}, {149, 5}, {150, 5}}) {
        openEntryLine(length);
        EXPECT_EQ(form->offeneZeilenReihe, 0);
        for (const auto& [x, yy] : {std::pair{1, y + 8}, {300, y - 1}, {right - 1, y + 8}, {300, y + rows * 18 - 2}})
            EXPECT_TRUE(is(ui::clRed, x, yy)) << length << " at " << x << "," << yy;
        EXPECT_FALSE(is(ui::clRed, 300, y + rows * 18 - 20)) << length;
        EXPECT_TRUE(is(ui::clGray, 1, y + rows * 18 + 4)) << length;  // the empty row below
    }
    // The day and the times of the entry line are red, the weekday navy.
    EXPECT_TRUE(count(ui::clRed, 43, 59, y, y + 16) > 5 && count(ui::clNavy, 59, 83, y, y + 16) > 2);
}

TEST_F(SheetPaintTest, StoredLinesTakeTheColourOfTheirKind) {
    const tuple<char, ui::TColor, bool> cases[] = {  // kind, colour, glyph
        {' ', ui::clBlack, false}, {'!', ui::clGreen, true}, {'-', ui::clPurple, true}, {'+', ui::clMaroon, true},
        {'V', ui::clNavy, true},   {'M', ui::clBlue, true},  {'=', ui::clBlue, false},  {'>', ui::clRed, false}};
    for (const auto& [kind, colour, glyph] : cases) addLine(kind, "Text");
    openEntryLine(0);
    int y = rowTop(0);
    for (const auto& [kind, colour, glyph] : cases) {
        // Times and text in the kind's colour; its mark, or white for ordinary and balance lines;
        // stored lines framed grey.
        EXPECT_EQ(tuple(count(colour, 180, 220, y, y + 16) > 5, count(colour, app::kTextX, app::kTextX + 32, y, y + 16) > 5,
                        count(glyph ? colour : ui::clWhite, 3, 11, y + 1, y + 15) > (glyph ? 3 : 8 * 14 - 1),
                        is(ui::clGray, 1, y + 8)),
                  tuple(true, true, true, true)) << kind;
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
        EXPECT_TRUE(rows == 1 || !is(ui::clGray, 300, y + 17)) << length;  // no line between its rows
        EXPECT_TRUE(length == 0 || count(ui::clBlack, 480, 720, bottom - 17, bottom) > 3) << length;  // last row used
        row += rows;
    }
    EXPECT_EQ(form->offeneZeilenReihe, row + 1);
}

TEST_F(SheetPaintTest, AnOpenLineThatDoesNotFitIsCut) {
    const int visible = form->geometry().visibleRows;
    for (int i = 0; i < visible - 1; ++i) addLine(' ', "", 1 + i % 28);
    openEntryLine(70);  // three rows, one fits
    const int y = rowTop(visible - 1);  // drawn without its bottom edge
    EXPECT_EQ(tuple(form->offeneZeilenReihe, is(ui::clRed, 1, y + 8), is(ui::clRed, 300, y + 16)), tuple(-1, true, false));
}

TEST_F(SheetPaintTest, TheCaretBlinksAtItsColumn) {
    openEntryLine(40);
    const int y = rowTop(0), x = 5 * 8 + 3;
    ASSERT_TRUE(is(ui::clWhite, x, y));
    form->blinkZaehler = 0;
    // Drawn for five 100 ms ticks, removed for five, back.
    for (const bool shown : {true, true, true, true, true, false, false, false, false, false, true}) {
        form->Timer1Timer();
        EXPECT_EQ(is(ui::clBlack, x, y) && is(ui::clBlack, x + 1, y + 15), shown);
        EXPECT_EQ(is(ui::clWhite, x, y), !shown);
    }
    // Moved to the next column: the old place is repaired.
    form->zeitCaretSpalte = 6;
    form->blinkZaehler = 0;
    form->Timer1Timer();
    EXPECT_EQ(tuple(is(ui::clWhite, x, y), is(ui::clBlack, 6 * 8 + 3, y)), tuple(true, true));
    // In text mode it stands in the work text: character 40 is row 2, column 10.
    form->textModus = true;
    form->textCursor = 40;
    form->FormPaint(true);
    form->blinkZaehler = 0;
    form->Timer1Timer();
    EXPECT_EQ(tuple(is(ui::clBlack, 480 + 10 * 8, rowTop(1)), is(ui::clWhite, 6 * 8 + 3, y)), tuple(true, true));
    // None during the year balance.
    form->buch().jahresbilanz = true;
    form->FormPaint(true);
    EXPECT_EQ(form->offeneZeilenReihe, -1);
    for (int i = 0; i < 12; ++i) form->Timer1Timer();
    EXPECT_EQ(count(ui::clBlack, 0, 740, rowTop(0), rowTop(1)), 0);
}

TEST_F(SheetPaintTest, TheTotalsPanelGreysSwitchedOffAllowances) {
    const int T = form->MonthCalendar1->y();
    const auto in = [&](ui::TColor c, int line) { return count(c, 4, 410, T + 16 * line + 1, T + 16 * line + 15) > 10; };
    for (int line = 0; line < 11; ++line)  // all eleven totals lines are on the panel
        EXPECT_LT(count(ui::clWhite, 4, 410, T + 16 * line + 1, T + 16 * line + 15), 406 * 14 - 20) << line;
    // At start the private car is off: lines 8 and 10 grey; with standby off too, 6 to 10.
    for (bool standby : {true, false}) {
        if (!standby) form->WZUschlagExecute();
        for (int line = standby ? 7 : 5; line <= 10; ++line) {
            const bool grey = standby ? line == 8 || line == 10 : line >= 6;
            EXPECT_EQ(tuple(in(ui::clGray, line), in(ui::clBlue, line)), tuple(grey, !grey)) << standby << line;
        }
    }
}

TEST_F(SheetPaintTest, ScrollingShowsLaterLines) {
    for (int i = 0; i < 20; ++i) addLine(' ', "", 1 + i);
    form->adjustScrollRange();
    EXPECT_EQ(tuple(form->ScrollBar1->isEnabled(), form->ScrollBar1->maximum()), tuple(true, 21 - form->geometry().visibleRows));
    form->ScrollBar1->setValue(3);
    EXPECT_EQ(form->ersteZeile, 3);
    EXPECT_GT(count(ui::clBlack, 11, 35, rowTop(0), rowTop(0) + 16), 3);  // line 3's number
}

}  // namespace
}  // namespace app_test
