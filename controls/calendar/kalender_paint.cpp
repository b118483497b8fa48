#include "controls/calendar/kalender_paint.h"

#include <string>

namespace calendar {
namespace {

using L = GridLayout;

void line(ui::Canvas& c, const Line& l) {
    c.MoveTo(l.from.x, l.from.y);
    c.LineTo(l.to.x, l.to.y);
}

void text(ui::Canvas& c, Point p, const std::string& s, ui::TColor colour, ui::TColor background) {
    c.font.color = colour;
    c.brush.color = background;
    c.brush.style = ui::BrushStyle::Solid;
    c.TextOut(p.x, p.y, s);
}

void paintHeader(ui::Canvas& c, const KalenderModel& m) {
    static const char* const kHeads[kColumns] = {"MO", "DI", "MI", "DO", "FR", "SA", "SO"};
    c.pen = ui::Pen{};
    c.brush = ui::Brush{};
    c.Rectangle(toRect(L::outline()));
    c.brush.color = m.fillColour();
    c.FillRect(toRect(L::headBand()));
    for (int i = 0; i < kColumns; ++i)
        text(c, L::headText(i), kHeads[i], i < 5 ? colour::kBlue : colour::kRed, m.fillColour());
    c.brush.color = m.fillColour();
    c.FillRect(toRect(L::weekColumn()));
    c.pen.color = colour::kBlack;
    for (int r = 1; r < kRows; ++r) line(c, L::weekRowRule(r));
    line(c, L::weekColumnRule());
    line(c, L::headRule());
    text(c, L::kwText(), "KW", colour::kBlack, m.fillColour());
    c.brush.color = colour::kWhite;
    c.FillRect(toRect(L::dayArea()));
}

}  // namespace

void paintGrid(ui::Canvas& c, const KalenderModel& m, bool header, const ui::Bitmap& glyph) {
    c.font.name = "Courier New";
    c.font.setSize(10);
    c.font.bold = false;
    if (header) paintHeader(c, m);

    const MonthGrid& g = m.grid();
    if (header)
        for (int r = 0; r < kRows; ++r)
            text(c, L::weekText(r, g.rowWeek[r]), std::to_string(g.rowWeek[r]), colour::kBlue,
                 m.fillColour());

    for (int cell = 0; cell < kCells; ++cell) {
        const bool shown = g.inShownMonth(cell);
        const int day = g.day[cell];
        ui::TColor fore = colour::kBlack, back = colour::kWhite;
        if (!shown) {
            fore = colour::kGrey;
        } else if (!m.markerMode() && day == m.chosenDay()) {
            fore = colour::kWhite;
            back = colour::kBlue;
        }
        c.brush.color = back;
        c.brush.style = ui::BrushStyle::Solid;
        c.FillRect(toRect(L::cellFill(cell)));
        text(c, L::cellText(cell, day), std::to_string(day), fore, back);
        c.brush.color = shown ? colour::kBlack : colour::kGrey;
        c.FrameRect(toRect(L::cellFrame(cell)));
    }

    for (int cell = 0; cell < kCells; ++cell) {
        if (!m.marks()[cell]) continue;
        if (m.markerMode()) {
            c.Invert(toRect(L::cellFill(cell)));
        } else {
            const Point p = L::markGlyph(cell);
            c.copyMode = ui::CopyMode::SrcCopy;
            c.Draw(p.x, p.y, glyph);
        }
    }
}

void paintTitle(ui::Canvas& c, int width, int height, const KalenderModel& m) {
    c.brush = ui::Brush{m.titleColour(), ui::BrushStyle::Solid};
    c.FillRect({0, 0, width, height});
    c.brush.color = colour::kBlack;
    c.FrameRect({0, 0, width, height});
    c.font.name = "MS Sans Serif";
    c.font.setHeight(16);
    c.font.color = m.titleFontColour();
    c.brush.style = ui::BrushStyle::Clear;
    const std::string title = m.title();
    const int x = (width - c.TextWidth(title)) / 2;
    const int y = (height - c.TextHeight(title)) / 2;
    c.TextOut(x, y, title);
}

void drawMarkGlyph(ui::Bitmap& glyph) {
    glyph.setSize(16, 16);
    ui::Canvas& c = glyph.canvas();
    c.brush = ui::Brush{colour::kWhite, ui::BrushStyle::Solid};
    c.FillRect({0, 0, 16, 16});
    c.brush.color = colour::kRed;
    c.FillRect({3, 14, 16, 16});
    glyph.transparent = true;
    glyph.transparentColor = colour::kWhite;
}

}  // namespace calendar
