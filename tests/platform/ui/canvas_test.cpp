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
    const std::tuple<CopyMode, TColor, TColor> cases[] = {  // dest 0x0F0F0F: mode, source, result
        {CopyMode::SrcCopy, 0x30A0C0, 0x30A0C0},  {CopyMode::SrcPaint, 0x30A0C0, 0x3FAFCF},
        {CopyMode::SrcAnd, 0x30A0C3, 0x000003},   {CopyMode::SrcInvert, 0xFF00F0, 0xF00FFF},
        {CopyMode::DstInvert, 0x30A0C0, 0xF0F0F0}};
    for (const auto& [mode, source, want] : cases) {
        Bitmap src(8, 8);
        src.canvas().brush.color = source;
        src.canvas().FillRect(Rect{0, 0, 8, 8});
        Surface copied(8, 8), drawn(8, 8);
        for (Surface* s : {&copied, &drawn}) {
            s->canvas.brush.color = 0x0F0F0F;
            s->canvas.FillRect(Rect{0, 0, 8, 8});
            s->canvas.copyMode = mode;
        }
        copied.canvas.CopyRect(Rect{2, 2, 6, 6}, src.canvas(), Rect{0, 0, 4, 4});
        drawn.canvas.Draw(4, 4, src);
        // Exactly the 4 x 4 target changes, and the image stays opaque.
        EXPECT_EQ(std::tuple(copied.count(want, 2, 2, 6, 6), copied.count(0x0F0F0F, 0, 0, 8, 8), drawn.count(want, 4, 4, 8, 8),
                             drawn.count(0x0F0F0F, 0, 0, 8, 8), qAlpha(copied.image.pixel(3, 3))),
                  std::tuple(16, 48, 16, 48, 0xFF)) << static_cast<int>(mode);
    }
    // Onto itself: inverting twice restores; an overlapping copy reads the pixels as they were.
    Surface s;
    s.canvas.brush.color = clBlue;
    s.canvas.FillRect(Rect{0, 0, 40, 30});
    s.canvas.Invert(Rect{4, 4, 10, 10});
    EXPECT_EQ(s.count(clYellow, 0, 0, 40, 30), 36);
    s.canvas.copyMode = CopyMode::DstInvert;
    s.canvas.CopyRect(Rect{4, 4, 10, 10}, s.canvas, Rect{4, 4, 10, 10});
    s.canvas.copyMode = CopyMode::SrcCopy;
    s.canvas.SetPixel(0, 0, clRed);
    s.canvas.CopyRect(Rect{1, 0, 3, 1}, s.canvas, Rect{0, 0, 2, 1});
    EXPECT_EQ(std::tuple(s.picture(0, 0, 3, 1), s.count(clBlue, 0, 0, 40, 30)), std::tuple("rrb|", 40 * 30 - 2));
}

TEST(Canvas, StretchTransparentAndResizedBitmaps) {
    Bitmap b(2, 2);
    for (const auto& [x, y, c] : {std::tuple(0, 0, clRed), {1, 0, clBlue}, {0, 1, clGreen}, {1, 1, clLime}})
        b.canvas().SetPixel(x, y, c);
    Surface s(20, 20);
    s.canvas.StretchDraw(Rect{0, 0, 8, 8}, b);
    EXPECT_EQ(std::tuple(s.count(clRed, 0, 0, 4, 4), s.count(clLime, 4, 4, 8, 8), s.count(clWhite, 0, 0, 20, 20)),
              std::tuple(16, 16, 400 - 64));
    // The bottom-left pixel is the key colour of a transparent bitmap unless one is set.
    b.transparent = true;
    s.canvas.brush.color = clYellow;
    s.canvas.FillRect(Rect{10, 10, 12, 12});
    s.canvas.Draw(10, 10, b);
    EXPECT_EQ(s.picture(10, 10, 2, 2), "rb|y?|");  // yellow shows through the key colour
    b.transparentColor = clRed;
    s.canvas.Draw(10, 10, b);
    EXPECT_EQ(s.canvas.Pixel(10, 11), clGreen);
    b.setSize(8, 8);  // resized: the content is kept, reads outside are refused
    EXPECT_EQ(std::tuple(b.canvas().Pixel(1, 0), b.canvas().Pixel(7, 7), b.canvas().Pixel(8, 0), b.canvas().Pixel(-1, 0),
                         b.canvas().Pixel(0, 8)),
              std::tuple(clBlue, clWhite, kInvalidColor, kInvalidColor, kInvalidColor));
    Canvas unattached;  // no device: nothing happens, the pen still moves
    unattached.TextOut(0, 0, "x");
    unattached.LineTo(5, 5);
    EXPECT_EQ(std::tuple(unattached.Pixel(0, 0), unattached.penPos), std::tuple(kInvalidColor, QPoint(5, 5)));
}

TEST(Canvas, TextOutFillsItsCellFromTheTopOnTheBrushColour) {
    Surface s(120, 60);
    s.canvas.font.name = "Courier New";
    s.canvas.font.setSize(10);
    s.canvas.font.color = clRed;
    s.canvas.brush.color = clYellow;
    std::vector<std::string> seen;
    s.canvas.onText = [&](int x, int y, const std::string& t) { seen.push_back(std::to_string(x * 1000 + y) + " " + t); };
    const int w = s.canvas.TextWidth("MO 12"), h = s.canvas.TextHeight("MO 12");
    EXPECT_EQ(h, QFontMetrics(toQFont(s.canvas.font, 96)).height());
    s.canvas.TextOut(10, 8, "MO 12");
    // The cell is the brush colour under red glyphs, nothing outside it; the pen moves on.
    const int red = s.count(clRed, 10, 8, 10 + w, 8 + h);
    EXPECT_GT(red, 10);
    EXPECT_GT(red + s.count(clYellow, 10, 8, 10 + w, 8 + h), w * h * 9 / 10);
    EXPECT_EQ(std::tuple(s.count(clWhite, 0, 0, 120, 60), s.canvas.penPos), std::tuple(120 * 60 - w * h, QPoint(10 + w, 8)));
    s.canvas.brush.style = BrushStyle::Clear;  // a clear brush leaves the background alone
    s.canvas.TextOut(10, 30, "\xE4");
    EXPECT_EQ(s.canvas.Pixel(10, 30), clWhite);
    EXPECT_EQ(seen, (std::vector<std::string>{"10008 MO 12", "10030 \xE4"}));
    Surface r(100, 30);  // TextRect fills and clips to its rectangle
    r.canvas.brush.color = clAqua;
    r.canvas.TextRect(Rect{5, 5, 15, 20}, 5, 5, "WWWWWWWW");
    EXPECT_GT(r.count(clAqua, 5, 5, 15, 20), 0);
    EXPECT_EQ(r.count(clWhite, 0, 0, 100, 30), 100 * 30 - 10 * 15);
}

TEST(Color, PlainSystemAndOddValues) {
    for (const auto& [value, want] : {std::pair<TColor, QColor>{clRed, QColor(255, 0, 0)},
                                      {0xFF8000, QColor(0, 128, 255)}, {0x123456, QColor(0x56, 0x34, 0x12)}})
        EXPECT_EQ(std::tuple(toQColor(value), fromQColor(want), toPlainColor(value)), std::tuple(want, value, value));
    const QPalette pal = QGuiApplication::palette();
    for (const auto& [value, role] : {std::pair<TColor, QPalette::ColorRole>{0x80000018u, QPalette::ToolTipBase},
                                      {clInfoText, QPalette::ToolTipText}, {0x8000000Fu, QPalette::Button},
                                      {clWindow, QPalette::Base}, {clWindowText, QPalette::Text},
                                      {clHighlight, QPalette::Highlight}})
        EXPECT_EQ(std::tuple(toQColor(value), toPlainColor(value)),
                  std::tuple(pal.color(QPalette::Active, role), fromQColor(pal.color(QPalette::Active, role))));
    EXPECT_EQ(toQColor(clNone).alpha() + toQColor(clDefault).alpha(), 0);
    EXPECT_EQ(toQColor(0x80000063), QColor(Qt::black));  // index past the table
    EXPECT_EQ(toQColor(0x80FF0005), QColor(Qt::black));  // stray bits
    EXPECT_EQ(toQColor(0x01FF0000), QColor(0, 0, 255));  // high byte of a plain value ignored
}

TEST(FontMapping, FacesAndSizes) {
    for (const auto& [face, family] : {std::pair{"MS Sans Serif", "Liberation Sans"}, {"arial", "Liberation Sans"},
                                       {"", "Liberation Sans"}, {"Courier New", "Liberation Mono"},
                                       {"Times New Roman", "Liberation Serif"}, {"DejaVu Sans", "DejaVu Sans"}})
        EXPECT_EQ(mapFontFamily(face), family) << face;
    Font f;
    const int screen = f.height(96);  // 8 points
    f.setSize(10);  // on the screen and on a 600 dpi printer
    EXPECT_EQ(std::tuple(screen, f.height(96), f.height(600), toQFont(f, 96).pixelSize()), std::tuple(-11, -13, -83, 13));
    f.setHeight(-16);
    f.name = "Courier New";
    f.bold = true;
    const QFont q = toQFont(f, 96);
    EXPECT_EQ(std::tuple(f.size(96), toQFont(f, 300).pixelSize(), QFontInfo(q).family(), q.bold()),
              std::tuple(12, 16, QString("Liberation Mono"), true));  // installed and chosen
    f.setHeight(20);  // positive: the whole cell
    EXPECT_NEAR(QFontMetrics(toQFont(f, 96)).height(), 20, 1);
}

}  // namespace
}  // namespace ui
