// Canvas pixel rules, copy modes, bitmaps and text; colour values and font mapping.
#include "platform/ui/drawing/canvas.h"

#include <gtest/gtest.h>

#include <QFontInfo>
#include <QGuiApplication>
#include <QPalette>
#include <cmath>
#include <string>

#include "platform/ui/drawing/bitmap.h"
#include "platform/ui/drawing/color.h"
#include "platform/ui/drawing/font_mapping.h"

namespace ui {
namespace {

// A white image with a canvas on it.
struct Surface {
    explicit Surface(int w = 40, int h = 30, qreal ratio = 1.0)
        : image(static_cast<int>(std::ceil(w * ratio)), static_cast<int>(std::ceil(h * ratio)),
                QImage::Format_RGB32) {
        image.setDevicePixelRatio(ratio);
        image.fill(Qt::white);
        canvas.attach(&image);
    }
    // A w x h area as rows of '#' black, '.' white, 'r' red, 'b' blue, 'y' yellow, '?' else.
    static constexpr TColor kNamed[] = {clBlack, clWhite, clRed, clBlue, clYellow};
    std::string picture(int x0, int y0, int w, int h) const {
        std::string s;
        for (int y = y0; y < y0 + h; ++y, s += '|')
            for (int x = x0; x < x0 + w; ++x) {
                const auto* hit =
                    std::find(std::begin(kNamed), std::end(kNamed), canvas.Pixel(x, y));
                s += "#.rby?"[hit - std::begin(kNamed)];
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

void drawEdgeScene(Canvas& c, bool diagonal = true) {
    c.brush.color = clRed;
    c.Rectangle(1, 1, 7, 6);           // right and bottom edges excluded
    c.MoveTo(8, 1), c.LineTo(8, 5);    // LineTo leaves out its last pixel...
    c.MoveTo(15, 7), c.LineTo(10, 7);  // ...in every direction
    if (diagonal) c.MoveTo(19, 5), c.LineTo(22, 8);
    c.Polyline({QPoint(1, 7), QPoint(6, 7), QPoint(6, 9)});
    c.brush.color = clBlue;
    c.FillRect(Rect{10, 1, 13, 3});
    c.FrameRect(Rect{14, 1, 18, 5});
    c.pen.style = PenStyle::Clear;
    c.brush.color = clRed;
    c.Rectangle(19, 1, 23, 5);  // one pixel smaller without an outline
}

TEST(Canvas, GdiEdgeRules) {
    Surface s;
    drawEdgeScene(s.canvas);
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

// On an image of a screen's device pixel ratio the drawing keeps its units:
// read back in units it is the picture of ratio 1, and at ratio 2 every unit
// pixel is a 2 x 2 block of the same colour, lines included. (A slanted line
// one unit wide covers parts of more units.)
TEST(Canvas, ScaledImagesKeepTheGeometryOfTheUnits) {
    for (const qreal ratio : {1.25, 1.5, 2.0}) {
        Surface plain, s(40, 30, ratio);
        drawEdgeScene(plain.canvas, false);
        drawEdgeScene(s.canvas, false);
        EXPECT_EQ(s.picture(0, 0, 24, 9), plain.picture(0, 0, 24, 9)) << ratio;
        // Copies and inverted cells in units too (a copy at a fractional
        // ratio between places where the units fall alike on the pixels).
        for (Surface* t : {&s, &plain}) {
            t->canvas.CopyRect(Rect{32, 20, 40, 28}, t->canvas, Rect{0, 0, 8, 8});
            t->canvas.Invert(Rect{30, 20, 33, 22});
        }
        EXPECT_EQ(s.picture(28, 18, 12, 12), plain.picture(28, 18, 12, 12)) << ratio;
        if (ratio == 2.0) {
            EXPECT_EQ(s.image.size(), QSize(80, 60));
            EXPECT_EQ(s.image.convertToFormat(QImage::Format_RGB32),
                      plain.image.scaled(80, 60).convertToFormat(QImage::Format_RGB32));
        }
    }
}

// Text is drawn with the screen's pixels, not enlarged: at ratio 2 its edges
// fall between the device pixels of one unit.
TEST(Canvas, TextOnAScaledImageUsesEveryPixel) {
    Surface plain(120, 40), sharp(120, 40, 2.0);
    for (Surface* s : {&plain, &sharp}) {
        s->canvas.font.name = "Arial";
        s->canvas.font.setSize(10);
        s->canvas.font.color = clBlack;
        s->canvas.brush.style = BrushStyle::Clear;
        s->canvas.TextOut(4, 4, "Wochenfeiertag 08:15");
    }
    EXPECT_EQ(sharp.canvas.TextWidth("Wochenfeiertag"), plain.canvas.TextWidth("Wochenfeiertag"));
    int split = 0;  // units whose four device pixels are not all alike
    for (int y = 0; y < 40; ++y)
        for (int x = 0; x < 120; ++x) {
            const QRgb a = sharp.image.pixel(2 * x, 2 * y);
            split += a != sharp.image.pixel(2 * x + 1, 2 * y) ||
                     a != sharp.image.pixel(2 * x, 2 * y + 1) ||
                     a != sharp.image.pixel(2 * x + 1, 2 * y + 1);
        }
    EXPECT_GT(split, 40);
}

TEST(Canvas, CopyModesCombineSourceAndDestination) {
    // Onto 0x0F0F0F: mode, source, result.
    const std::tuple<CopyMode, TColor, TColor> cases[] = {
        {CopyMode::SrcCopy, 0x30A0C0, 0x30A0C0},
        {CopyMode::SrcPaint, 0x30A0C0, 0x3FAFCF},
        {CopyMode::SrcAnd, 0x30A0C3, 0x000003},
        {CopyMode::SrcInvert, 0xFF00F0, 0xF00FFF},
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
        EXPECT_EQ(std::tuple(copied.count(want, 2, 2, 6, 6), copied.count(0x0F0F0F, 0, 0, 8, 8),
                             drawn.count(want, 4, 4, 8, 8), drawn.count(0x0F0F0F, 0, 0, 8, 8),
                             qAlpha(copied.image.pixel(3, 3))),
                  std::tuple(16, 48, 16, 48, 0xFF))
            << static_cast<int>(mode);
    }
    // Onto itself: inverting twice restores.
    Surface s;
    s.canvas.brush.color = clBlue;
    s.canvas.FillRect(Rect{0, 0, 40, 30});
    s.canvas.Invert(Rect{4, 4, 10, 10});
    EXPECT_EQ(s.count(clYellow, 0, 0, 40, 30), 36);
    s.canvas.copyMode = CopyMode::DstInvert;
    s.canvas.CopyRect(Rect{4, 4, 10, 10}, s.canvas, Rect{4, 4, 10, 10});
    EXPECT_EQ(s.count(clBlue, 0, 0, 40, 30), 40 * 30);
}

TEST(Canvas, StretchedAndTransparentBitmaps) {
    Bitmap b(2, 2);
    for (const auto& [x, y, c] :
         {std::tuple(0, 0, clRed), {1, 0, clBlue}, {0, 1, clGreen}, {1, 1, clLime}})
        b.canvas().SetPixel(x, y, c);
    Surface s(20, 20);
    s.canvas.StretchDraw(Rect{0, 0, 8, 8}, b);
    EXPECT_EQ(std::tuple(s.count(clRed, 0, 0, 4, 4), s.count(clLime, 4, 4, 8, 8),
                         s.count(clWhite, 0, 0, 20, 20)),
              std::tuple(16, 16, 400 - 64));
    // The bottom-left pixel is the key colour of a transparent bitmap.
    b.transparent = true;
    s.canvas.brush.color = clYellow;
    s.canvas.FillRect(Rect{10, 10, 12, 12});
    s.canvas.Draw(10, 10, b);
    EXPECT_EQ(s.picture(10, 10, 2, 2), "rb|y?|");  // yellow shows through the key colour
}

TEST(Canvas, TextOutFillsItsCellFromTheTopOnTheBrushColour) {
    Surface s(120, 60);
    s.canvas.font.name = "Courier New";
    s.canvas.font.setSize(10);
    s.canvas.font.color = clRed;
    s.canvas.brush.color = clYellow;
    const int w = s.canvas.TextWidth("MO 12"), h = s.canvas.TextHeight("MO 12");
    s.canvas.TextOut(10, 8, "MO 12");
    // The cell is the brush colour under red glyphs, nothing outside it; the pen moves on.
    const int red = s.count(clRed, 10, 8, 10 + w, 8 + h);
    EXPECT_GT(red, 10);
    EXPECT_GT(red + s.count(clYellow, 10, 8, 10 + w, 8 + h), w * h * 9 / 10);
    EXPECT_EQ(std::tuple(s.count(clWhite, 0, 0, 120, 60), s.canvas.penPos),
              std::tuple(120 * 60 - w * h, QPoint(10 + w, 8)));
}

TEST(Color, PlainAndSystemValues) {
    for (const auto& [value, want] : {std::pair<TColor, QColor>{clRed, QColor(255, 0, 0)},
                                      {0x123456, QColor(0x56, 0x34, 0x12)}})
        EXPECT_EQ(std::tuple(toQColor(value), fromQColor(want), toPlainColor(value)),
                  std::tuple(want, value, value));
    const QPalette pal = QGuiApplication::palette();
    for (const auto& [value, role] :
         {std::pair<TColor, QPalette::ColorRole>{0x80000018u, QPalette::ToolTipBase},
          {0x8000000Fu, QPalette::Button},
          {clWindowText, QPalette::Text}})
        EXPECT_EQ(std::tuple(toQColor(value), toPlainColor(value)),
                  std::tuple(pal.color(QPalette::Active, role),
                             fromQColor(pal.color(QPalette::Active, role))));
}

TEST(FontMapping, FacesAndSizes) {
    for (const auto& [face, family] : {std::pair{"MS Sans Serif", "Liberation Sans"},
                                       {"Courier New", "Liberation Mono"},
                                       {"Times New Roman", "Liberation Serif"}})
        EXPECT_EQ(mapFontFamily(face), family) << face;
    Font f;
    const int screen = f.height(96);  // 8 points
    f.setSize(10);                    // on the screen and on a 600 dpi printer
    EXPECT_EQ(std::tuple(screen, f.height(96), f.height(600), toQFont(f, 96).pixelSize()),
              std::tuple(-11, -13, -83, 13));
    f.setHeight(-16);
    f.name = "Courier New";
    f.bold = true;
    const QFont q = toQFont(f, 96);
    EXPECT_EQ(std::tuple(f.size(96), toQFont(f, 300).pixelSize(), QFontInfo(q).family(), q.bold()),
              std::tuple(12, 16, QString("Liberation Mono"), true));  // installed and chosen
}

}  // namespace
}  // namespace ui
