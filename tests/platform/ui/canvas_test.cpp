// Canvas pixel rules, copy modes, bitmaps and text; colour values and font mapping.
#include "platform/ui/canvas.h"

#include <gtest/gtest.h>

#include <QFontInfo>
#include <QFontMetrics>
#include <QGuiApplication>
#include <QPalette>
#include <functional>
#include <string>
#include <vector>

#include "platform/ui/bitmap.h"
#include "platform/ui/color.h"
#include "platform/ui/font_mapping.h"

namespace ui {
namespace {

// A white image with a canvas on it.
struct Surface {
    explicit Surface(int w = 40, int h = 30) : image(w, h, QImage::Format_RGB32) {
        image.fill(Qt::white);
        canvas.attach(&image);
    }
    // A w x h area as rows of '#' black, '.' white, 'r' red, 'b' blue, 'y' yellow, '?' else.
    std::string picture(int x0, int y0, int w, int h) const {
        std::string s;
        for (int y = y0; y < y0 + h; ++y, s += '|')
            for (int x = x0; x < x0 + w; ++x) {
                const TColor c = canvas.Pixel(x, y);
                s += c == clBlack ? '#' : c == clWhite ? '.' : c == clRed ? 'r' : c == clBlue ? 'b' : c == clYellow ? 'y' : '?';
            }
        return s;
    }
    int count(TColor c, int x0, int y0, int x1, int y1) const {
        int n = 0;
        for (int y = y0; y < y1; ++y)
            for (int x = x0; x < x1; ++x) n += canvas.Pixel(x, y) == c;
        return n;
    }
    QImage image;
    Canvas canvas;
};

TEST(Canvas, GdiEdgeRules) {
    Surface s;
    Canvas& c = s.canvas;
    c.brush.color = clRed;
    c.Rectangle(1, 1, 7, 6);  // right and bottom edges excluded
    c.MoveTo(8, 1), c.LineTo(8, 5);  // LineTo leaves out its last pixel...
    c.MoveTo(15, 7), c.LineTo(10, 7);  // ...in every direction
    c.MoveTo(19, 5), c.LineTo(22, 8);
    EXPECT_EQ(c.penPos, QPoint(22, 8));
    c.Polyline({QPoint(1, 7), QPoint(6, 7), QPoint(6, 9)});
    c.brush.color = clBlue;
    c.FillRect(Rect{10, 1, 13, 3});
    c.FrameRect(Rect{14, 1, 18, 5});
    c.pen.style = PenStyle::Clear;
    c.brush.color = clRed;
    c.Rectangle(19, 1, 23, 5);  // one pixel smaller without an outline
    EXPECT_EQ(s.picture(0, 0, 24, 9),
              "........................|"
              ".######.#.bbb.bbbb.rrr..|"
              ".#rrrr#.#.bbb.b..b.rrr..|"
              ".#rrrr#.#.....b..b.rrr..|"
              ".#rrrr#.#.....bbbb......|"
              ".######............#....|"
              "....................#...|"
              ".######....#####.....#..|"
              "......#.................|");
}

TEST(Canvas, CopyModesCombineSourceAndDestination) {
    struct Case {
        CopyMode mode;
        TColor dest, src, want;
    } cases[] = {
        {CopyMode::SrcCopy, 0x0F0F0F, 0x30A0C0, 0x30A0C0},  {CopyMode::SrcPaint, 0x0F0F0F, 0x30A0C0, 0x3FAFCF},
        {CopyMode::SrcAnd, 0x0F0F0F, 0x30A0C3, 0x000003},   {CopyMode::SrcInvert, 0x0F0F0F, 0xFF00F0, 0xF00FFF},
        {CopyMode::DstInvert, 0x0F0F0F, 0x30A0C0, 0xF0F0F0},
    };
    for (const Case& c : cases) {
        Bitmap src(8, 8);
        src.canvas().brush.color = c.src;
        src.canvas().FillRect(Rect{0, 0, 8, 8});
        Surface copied(8, 8), drawn(8, 8);
        for (Surface* s : {&copied, &drawn}) {
            s->canvas.brush.color = c.dest;
            s->canvas.FillRect(Rect{0, 0, 8, 8});
            s->canvas.copyMode = c.mode;
        }
        copied.canvas.CopyRect(Rect{2, 2, 6, 6}, src.canvas(), Rect{0, 0, 4, 4});
        drawn.canvas.Draw(4, 4, src);
        const int m = static_cast<int>(c.mode);
        EXPECT_EQ(copied.count(c.want, 0, 0, 8, 8), 16) << m;  // exactly the 4 x 4 target
        EXPECT_EQ(copied.canvas.Pixel(2, 2), c.want) << m;
        EXPECT_EQ(qAlpha(copied.image.pixel(3, 3)), 0xFF) << m;
        EXPECT_EQ(drawn.canvas.Pixel(5, 5), c.want) << m;
        EXPECT_EQ(drawn.canvas.Pixel(3, 3), c.dest) << m;
    }
    // Onto itself: an inversion twice restores; an overlapping copy reads the old pixels.
    Surface s;
    s.canvas.brush.color = clBlue;
    s.canvas.FillRect(Rect{0, 0, 40, 30});
    s.canvas.Invert(Rect{4, 4, 10, 10});
    EXPECT_EQ(s.count(clYellow, 0, 0, 40, 30), 36);
    s.canvas.copyMode = CopyMode::DstInvert;
    s.canvas.CopyRect(Rect{4, 4, 10, 10}, s.canvas, Rect{4, 4, 10, 10});
    EXPECT_EQ(s.count(clBlue, 0, 0, 40, 30), 40 * 30);
    s.canvas.copyMode = CopyMode::SrcCopy;
    s.canvas.SetPixel(0, 0, clRed);
    s.canvas.CopyRect(Rect{1, 0, 3, 1}, s.canvas, Rect{0, 0, 2, 1});
    EXPECT_EQ(s.picture(0, 0, 3, 1), "rrb|");
}

TEST(Canvas, StretchTransparentAndResizedBitmaps) {
    Bitmap b(2, 2);
    b.canvas().SetPixel(0, 0, clRed);
    b.canvas().SetPixel(1, 0, clBlue);
    b.canvas().SetPixel(0, 1, clGreen);
    b.canvas().SetPixel(1, 1, clLime);
    Surface s(20, 20);
    s.canvas.StretchDraw(Rect{0, 0, 8, 8}, b);
    EXPECT_EQ(s.count(clRed, 0, 0, 4, 4), 16);
    EXPECT_EQ(s.count(clLime, 4, 4, 8, 8), 16);
    EXPECT_EQ(s.canvas.Pixel(8, 8), clWhite);
    // The bottom-left pixel is the key colour of a transparent bitmap unless one is set.
    b.transparent = true;
    s.canvas.brush.color = clYellow;
    s.canvas.FillRect(Rect{10, 10, 12, 12});
    s.canvas.Draw(10, 10, b);
    EXPECT_EQ(s.picture(10, 10, 2, 2), "rb|y?|");  // yellow shows through the key colour
    b.transparentColor = clRed;
    s.canvas.Draw(10, 10, b);
    EXPECT_EQ(s.canvas.Pixel(10, 11), clGreen);

    b.setSize(6, 2);
    b.setSize(8, 8);
    EXPECT_EQ(b.canvas().Pixel(1, 0), clBlue);  // kept
    EXPECT_EQ(b.canvas().Pixel(7, 7), clWhite);
    for (QPoint p : {QPoint(8, 0), QPoint(-1, 0), QPoint(0, 8)}) EXPECT_EQ(b.canvas().Pixel(p.x(), p.y()), kInvalidColor);
    EXPECT_FALSE(b.loadFromFile("/nonexistent/Logo.bmp"));
    EXPECT_EQ(b.width(), 8);
    Canvas unattached;  // no device: nothing happens, the pen still moves
    EXPECT_EQ(unattached.Pixel(0, 0), kInvalidColor);
    unattached.TextOut(0, 0, "x");
    unattached.LineTo(5, 5);
    EXPECT_EQ(unattached.penPos, QPoint(5, 5));
}

TEST(Canvas, TextOutFillsItsCellFromTheTopOnTheBrushColour) {
    Surface s(120, 60);
    s.canvas.font.name = "Courier New";
    s.canvas.font.setSize(10);
    s.canvas.font.color = clRed;
    s.canvas.brush.color = clYellow;
    std::vector<std::string> seen;
    s.canvas.onText = [&](int x, int y, const std::string& t) {
        seen.push_back(std::to_string(x) + "," + std::to_string(y) + " " + t);
    };
    const int w = s.canvas.TextWidth("MO 12"), h = s.canvas.TextHeight("MO 12");
    EXPECT_EQ(h, QFontMetrics(toQFont(s.canvas.font, 96)).height());
    s.canvas.TextOut(10, 8, "MO 12");
    const int inCell = s.count(clYellow, 10, 8, 10 + w, 8 + h) + s.count(clRed, 10, 8, 10 + w, 8 + h);
    EXPECT_GT(s.count(clRed, 10, 8, 10 + w, 8 + h), 10);
    EXPECT_GT(inCell, w * h * 9 / 10);  // the cell is the brush colour under the red glyphs
    EXPECT_EQ(s.count(clWhite, 0, 0, 120, 60), 120 * 60 - w * h);  // nothing outside it
    EXPECT_EQ(s.canvas.penPos, QPoint(10 + w, 8));
    s.canvas.brush.style = BrushStyle::Clear;  // a clear brush leaves the background alone
    s.canvas.TextOut(10, 30, "\xE4");
    EXPECT_EQ(s.canvas.Pixel(10, 30), clWhite);
    EXPECT_EQ(seen, (std::vector<std::string>{"10,8 MO 12", "10,30 \xE4"}));

    Surface r(100, 30);  // TextRect fills and clips to its rectangle
    r.canvas.brush.color = clAqua;
    r.canvas.TextRect(Rect{5, 5, 15, 20}, 5, 5, "WWWWWWWW");
    EXPECT_GT(r.count(clAqua, 5, 5, 15, 20), 0);
    EXPECT_EQ(r.count(clWhite, 0, 0, 100, 30), 100 * 30 - 10 * 15);
}

TEST(Color, PlainSystemAndOddValues) {
    for (const auto& [value, want] : std::vector<std::pair<TColor, QColor>>{
             {clRed, QColor(255, 0, 0)}, {0xFF8000, QColor(0, 128, 255)}, {0x123456, QColor(0x56, 0x34, 0x12)}}) {
        EXPECT_EQ(toQColor(value), want) << std::hex << value;
        EXPECT_EQ(fromQColor(want), value) << std::hex << value;
        EXPECT_EQ(toPlainColor(value), value);
    }
    const QPalette pal = QGuiApplication::palette();
    for (const auto& [value, role] : std::vector<std::pair<TColor, QPalette::ColorRole>>{
             {0x80000018u, QPalette::ToolTipBase}, {clInfoText, QPalette::ToolTipText}, {0x8000000Fu, QPalette::Button},
             {clWindow, QPalette::Base}, {clWindowText, QPalette::Text}, {clHighlight, QPalette::Highlight}}) {
        EXPECT_EQ(toQColor(value), pal.color(QPalette::Active, role)) << std::hex << value;
        EXPECT_EQ(toPlainColor(value), fromQColor(pal.color(QPalette::Active, role)));
    }
    EXPECT_EQ(toQColor(clNone).alpha(), 0);
    EXPECT_EQ(toQColor(clDefault).alpha(), 0);
    EXPECT_EQ(toQColor(0x80000063), QColor(Qt::black));  // index past the table
    EXPECT_EQ(toQColor(0x80FF0005), QColor(Qt::black));  // stray bits
    EXPECT_EQ(toQColor(0x01FF0000), QColor(0, 0, 255));  // high byte of a plain value ignored
}

TEST(FontMapping, FacesAndSizes) {
    for (const auto& [face, family] : std::vector<std::pair<const char*, const char*>>{
             {"MS Sans Serif", "Liberation Sans"}, {"arial", "Liberation Sans"}, {"", "Liberation Sans"},
             {"Courier New", "Liberation Mono"}, {"Times New Roman", "Liberation Serif"},
             {"DejaVu Sans", "DejaVu Sans"}})
        EXPECT_EQ(mapFontFamily(face), family) << face;
    Font f;
    EXPECT_EQ(f.height(96), -11);  // 8 points on the screen
    f.setSize(10);
    EXPECT_EQ(f.height(96), -13);
    EXPECT_EQ(f.height(600), -83);  // the same font on a 600 dpi printer
    EXPECT_EQ(toQFont(f, 96).pixelSize(), 13);
    f.setHeight(-16);
    EXPECT_EQ(f.size(96), 12);
    EXPECT_EQ(toQFont(f, 300).pixelSize(), 16);
    f.name = "Courier New";
    f.bold = true;
    EXPECT_EQ(QFontInfo(toQFont(f, 96)).family(), "Liberation Mono");  // installed and chosen
    EXPECT_TRUE(toQFont(f, 96).bold());
    f.setHeight(20);  // positive: the whole cell
    EXPECT_NEAR(QFontMetrics(toQFont(f, 96)).height(), 20, 1);
}

}  // namespace
}  // namespace ui
