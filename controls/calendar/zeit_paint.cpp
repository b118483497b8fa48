#include "controls/calendar/zeit_paint.h"

namespace calendar {
namespace {

constexpr ui::TColor kBorderDark = 0x8D8D8D;
constexpr ui::TColor kBorderLight = 0xFDFDFD;

void line(ui::Canvas& c, ui::TColor colour, int x1, int y1, int x2, int y2) {
    c.pen.color = colour;
    c.MoveTo(x1, y1);
    c.LineTo(x2, y2);
}

// A raised (or pressed) button face with a small arrow pointing down.
void paintButton(ui::Canvas& c, const Rect& r, bool down) {
    c.brush = ui::Brush{ui::clBtnFace, ui::BrushStyle::Solid};
    c.FillRect(r);
    const ui::TColor topLeft = down ? ui::clGray : ui::clWhite;
    const ui::TColor bottomRight = down ? ui::clWhite : ui::clGray;
    line(c, topLeft, r.left, r.bottom - 1, r.left, r.top);
    line(c, topLeft, r.left, r.top, r.right, r.top);
    line(c, bottomRight, r.right - 1, r.top + 1, r.right - 1, r.bottom);
    line(c, bottomRight, r.left + 1, r.bottom - 1, r.right, r.bottom - 1);
    const int shift = down ? 1 : 0;
    const int cx = (r.left + r.right) / 2 + shift, cy = (r.top + r.bottom) / 2 - 1 + shift;
    c.pen.color = ui::clBlack;
    c.brush.color = ui::clBlack;
    c.Polygon({{cx - 3, cy - 1}, {cx + 3, cy - 1}, {cx, cy + 2}});
}

}  // namespace

ui::Font zeitFont(int size) {
    ui::Font f;
    f.name = "Courier New";
    f.color = ui::clBlack;
    f.setSize(size);
    return f;
}

void paintZeitFrame(ui::Canvas& c, const ZeitLayout& l, int fontSize, const std::string& caption,
                    ui::TColor titelColor, bool buttonDown) {
    c.pen = ui::Pen{};
    c.brush = ui::Brush{ui::clBtnFace, ui::BrushStyle::Solid};
    c.FillRect({0, 0, l.width, l.height});
    line(c, kBorderDark, 0, l.height - 1, 0, 0);
    line(c, kBorderDark, 0, 0, l.width, 0);
    line(c, kBorderLight, l.width - 1, 0, l.width - 1, l.height);
    line(c, kBorderLight, 0, l.height - 1, l.width, l.height - 1);

    if (l.captionWidth > 0) {
        c.brush.color = titelColor;
        c.FillRect(l.caption());
        line(c, ui::clGray, l.captionLineX(), 1, l.captionLineX(), l.height - 1);
        c.font = zeitFont(fontSize);
        c.brush.style = ui::BrushStyle::Clear;
        c.TextOut(3, 2, caption);
    }
    for (int i = 0; i < l.blockCount; ++i) {
        const Rect& box = l.blocks[i].box;
        c.brush = ui::Brush{ui::clWhite, ui::BrushStyle::Solid};
        c.FillRect(box);
        line(c, ui::clGray, box.right, box.top, box.right, box.bottom);
    }
    paintButton(c, l.button(), buttonDown);
}

void paintZeitValue(ui::Canvas& c, const ZeitLayout& l, int fontSize, const ZeitModel& m,
                    bool showCursor) {
    c.font = zeitFont(fontSize);
    c.brush.style = ui::BrushStyle::Clear;
    for (int i = 0; i < l.blockCount; ++i) {
        const ZeitBlock& b = l.blocks[i];
        c.TextOut(b.textX, 2, b.date ? m.dateText() : m.timeText());
    }
    if (showCursor && m.cursor() >= 0) c.Invert(l.cursorCell(m.cursor()));
}

}  // namespace calendar
