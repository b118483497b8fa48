#include "platform/ui/canvas.h"

#include <gtest/gtest.h>

#include <QFontMetrics>

#include <string>
#include <vector>

#include "platform/ui/bitmap.h"
#include "platform/ui/font_mapping.h"

namespace ui {
namespace {

// A white image with a canvas on it.
struct Surface {
    explicit Surface(int w = 40, int h = 30) : image(w, h, QImage::Format_RGB32) {
        image.fill(Qt::white);
        canvas.attach(&image);
    }
    // The pixels of one row as a string: '#' for `ink`, '.' for white, '?' else.
    std::string row(int y, int from, int to, TColor ink = clBlack) const {
        std::string s;
        for (int x = from; x < to; ++x) {
            const TColor c = canvas.Pixel(x, y);
            s += c == ink ? '#' : c == clWhite ? '.' : '?';
        }
        return s;
    }
    std::string column(int x, int from, int to, TColor ink = clBlack) const {
        std::string s;
        for (int y = from; y < to; ++y) {
            const TColor c = canvas.Pixel(x, y);
            s += c == ink ? '#' : c == clWhite ? '.' : '?';
        }
        return s;
    }
    QImage image;
    Canvas canvas;
};

TEST(Canvas, LineToLeavesOutItsLastPixel) {
    Surface s;
    s.canvas.MoveTo(2, 5);
    s.canvas.LineTo(8, 5);
    EXPECT_EQ(s.row(5, 0, 10), "..######..");
    s.canvas.MoveTo(3, 10);
    s.canvas.LineTo(3, 14);
    EXPECT_EQ(s.column(3, 8, 16), "..####..");
    // Right to left: the start pixel is drawn, the end pixel is not.
    s.canvas.MoveTo(9, 20);
    s.canvas.LineTo(4, 20);
    EXPECT_EQ(s.row(20, 2, 12), "...#####..");
    // Diagonal.
    s.canvas.MoveTo(20, 0);
    s.canvas.LineTo(24, 4);
    EXPECT_EQ(s.canvas.Pixel(23, 3), clBlack);
    EXPECT_EQ(s.canvas.Pixel(24, 4), clWhite);
    EXPECT_EQ(s.canvas.penPos, QPoint(24, 4));
}

TEST(Canvas, RectangleAndFillRectExcludeRightAndBottomEdge) {
    Surface s;
    s.canvas.brush.color = clRed;
    s.canvas.Rectangle(2, 2, 8, 6);
    EXPECT_EQ(s.row(2, 0, 10), "..######..");
    EXPECT_EQ(s.row(3, 0, 10, clRed).substr(3, 4), "####");
    EXPECT_EQ(s.row(5, 0, 10), "..######..");
    EXPECT_EQ(s.row(6, 0, 10), "..........");
    EXPECT_EQ(s.column(7, 0, 8), "..####..");
    EXPECT_EQ(s.canvas.Pixel(8, 3), clWhite);

    s.canvas.brush.color = clBlue;
    s.canvas.FillRect(Rect{10, 10, 14, 12});
    EXPECT_EQ(s.row(10, 8, 16, clBlue), "..####..");
    EXPECT_EQ(s.row(11, 8, 16, clBlue), "..####..");
    EXPECT_EQ(s.row(12, 8, 16, clBlue), "........");
}

TEST(Canvas, RasterOpsKeepImageOpaque) {
    Surface s;
    s.canvas.brush.color = rgb(0x12, 0x34, 0x56);
    s.canvas.FillRect(Rect{0, 0, 10, 10});
    s.canvas.Invert(Rect{0, 0, 5, 5});
    EXPECT_EQ(s.canvas.Pixel(1, 1), rgb(0xED, 0xCB, 0xA9));
    EXPECT_EQ(s.canvas.Pixel(6, 6), rgb(0x12, 0x34, 0x56));
    EXPECT_EQ(qAlpha(s.image.pixel(1, 1)), 0xFF);
}

TEST(Canvas, CopyModesCombineSourceAndDestination) {
    struct Case {
        CopyMode mode;
        TColor dest, src, want;
    };
    const Case cases[] = {
        {CopyMode::SrcCopy, 0x0F0F0F, 0x30A0C0, 0x30A0C0},
        {CopyMode::SrcPaint, 0x0F0F0F, 0x30A0C0, 0x3FAFCF},
        {CopyMode::SrcAnd, 0x0F0F0F, 0x30A0C3, 0x000003},
        {CopyMode::SrcInvert, 0x0F0F0F, 0xFF00F0, 0xF00FFF},
        {CopyMode::DstInvert, 0x0F0F0F, 0x30A0C0, 0xF0F0F0},
    };
    for (const Case& c : cases) {
        Surface dst(8, 8);
        Bitmap src(8, 8);
        src.canvas().brush.color = c.src;
        src.canvas().FillRect(Rect{0, 0, 8, 8});
        dst.canvas.brush.color = c.dest;
        dst.canvas.FillRect(Rect{0, 0, 8, 8});
        dst.canvas.copyMode = c.mode;
        dst.canvas.CopyRect(Rect{2, 2, 6, 6}, src.canvas(), Rect{0, 0, 4, 4});
        EXPECT_EQ(dst.canvas.Pixel(3, 3), c.want) << static_cast<int>(c.mode);
        EXPECT_EQ(dst.canvas.Pixel(6, 6), c.dest) << static_cast<int>(c.mode);
        EXPECT_EQ(dst.canvas.Pixel(1, 1), c.dest) << static_cast<int>(c.mode);
        // Draw takes the same copy mode.
        Surface drawn(8, 8);
        drawn.canvas.brush.color = c.dest;
        drawn.canvas.FillRect(Rect{0, 0, 8, 8});
        drawn.canvas.copyMode = c.mode;
        drawn.canvas.Draw(4, 4, src);
        EXPECT_EQ(drawn.canvas.Pixel(5, 5), c.want) << static_cast<int>(c.mode);
        EXPECT_EQ(drawn.canvas.Pixel(3, 3), c.dest) << static_cast<int>(c.mode);
    }
}

TEST(Canvas, CopyRectOntoItselfInvertsTheCellOnceAndBack) {
    Surface s;
    s.canvas.brush.color = clBlue;
    s.canvas.FillRect(Rect{0, 0, 40, 30});
    s.canvas.copyMode = CopyMode::DstInvert;
    s.canvas.CopyRect(Rect{4, 4, 10, 10}, s.canvas, Rect{4, 4, 10, 10});
    EXPECT_EQ(s.canvas.Pixel(4, 4), clYellow);
    EXPECT_EQ(s.canvas.Pixel(9, 9), clYellow);
    EXPECT_EQ(s.canvas.Pixel(10, 10), clBlue);
    s.canvas.CopyRect(Rect{4, 4, 10, 10}, s.canvas, Rect{4, 4, 10, 10});
    EXPECT_EQ(s.canvas.Pixel(4, 4), clBlue);
    // An overlapping source copy reads the pixels as they were before.
    s.canvas.copyMode = CopyMode::SrcCopy;
    s.canvas.SetPixel(0, 0, clRed);
    s.canvas.CopyRect(Rect{1, 0, 3, 1}, s.canvas, Rect{0, 0, 2, 1});
    EXPECT_EQ(s.canvas.Pixel(1, 0), clRed);
    EXPECT_EQ(s.canvas.Pixel(2, 0), clBlue);
}

TEST(Canvas, StretchAndTransparentBitmaps) {
    Bitmap b(2, 2);
    b.canvas().SetPixel(0, 0, clRed);
    b.canvas().SetPixel(1, 0, clBlue);
    b.canvas().SetPixel(0, 1, clWhite);
    b.canvas().SetPixel(1, 1, clLime);
    Surface s(20, 20);
    s.canvas.StretchDraw(Rect{0, 0, 8, 8}, b);
    EXPECT_EQ(s.canvas.Pixel(3, 3), clRed);
    EXPECT_EQ(s.canvas.Pixel(4, 0), clBlue);
    EXPECT_EQ(s.canvas.Pixel(7, 7), clLime);
    EXPECT_EQ(s.canvas.Pixel(8, 8), clWhite);

    // The bottom-left pixel is the key colour of a transparent bitmap.
    b.canvas().SetPixel(0, 1, clGreen);
    b.transparent = true;
    s.canvas.brush.color = clYellow;
    s.canvas.FillRect(Rect{10, 10, 12, 12});
    s.canvas.Draw(10, 10, b);
    EXPECT_EQ(s.canvas.Pixel(10, 10), clRed);
    EXPECT_EQ(s.canvas.Pixel(10, 11), clYellow);
    EXPECT_EQ(s.canvas.Pixel(11, 11), clLime);
    b.transparentColor = clRed;
    s.canvas.Draw(10, 10, b);
    EXPECT_EQ(s.canvas.Pixel(10, 10), clRed);  // kept from before
    EXPECT_EQ(s.canvas.Pixel(10, 11), clGreen);
}

TEST(Canvas, BitmapResizeKeepsContentAndPixelReadsAreBounded) {
    Bitmap b(4, 4);
    b.canvas().SetPixel(3, 3, clRed);
    b.setSize(6, 2);
    EXPECT_EQ(b.canvas().Pixel(3, 1), clWhite);
    b.setSize(8, 8);
    EXPECT_EQ(b.canvas().Pixel(7, 7), clWhite);
    EXPECT_EQ(b.canvas().Pixel(8, 0), kInvalidColor);
    EXPECT_EQ(b.canvas().Pixel(-1, 0), kInvalidColor);
    EXPECT_EQ(b.canvas().Pixel(0, 8), kInvalidColor);
    EXPECT_FALSE(b.loadFromFile("/nonexistent/Logo.bmp"));
    EXPECT_EQ(b.width(), 8);
    Canvas unattached;
    EXPECT_EQ(unattached.Pixel(0, 0), kInvalidColor);
    unattached.TextOut(0, 0, "x");  // no device: nothing happens
    unattached.LineTo(5, 5);
    EXPECT_EQ(unattached.penPos, QPoint(5, 5));
}

TEST(Canvas, TextOutPutsTheTopOfTheCellAtYOnTheBrushColour) {
    Surface s(120, 40);
    s.canvas.font.name = "Courier New";
    s.canvas.font.setSize(10);
    s.canvas.font.color = clRed;
    s.canvas.brush.color = clYellow;
    std::vector<std::string> seen;
    s.canvas.onText = [&](int x, int y, const std::string& t) {
        seen.push_back(std::to_string(x) + "," + std::to_string(y) + " " + t);
    };
    const int w = s.canvas.TextWidth("MO 12");
    const int h = s.canvas.TextHeight("MO 12");
    EXPECT_EQ(h, QFontMetrics(toQFont(s.canvas.font, 96)).height());
    s.canvas.TextOut(10, 8, "MO 12");
    // The cell is filled from y on, nothing above it.
    EXPECT_EQ(s.canvas.Pixel(10, 8), clYellow);
    EXPECT_EQ(s.canvas.Pixel(10 + w - 1, 8 + h - 1), clYellow);
    EXPECT_EQ(s.canvas.Pixel(10, 7), clWhite);
    EXPECT_EQ(s.canvas.Pixel(10 + w, 8), clWhite);
    EXPECT_EQ(s.canvas.Pixel(10, 8 + h), clWhite);
    // Some glyph pixels are red and lie inside the cell.
    int red = 0;
    for (int y = 0; y < 40; ++y) {
        for (int x = 0; x < 120; ++x) {
            if (s.canvas.Pixel(x, y) == clRed) {
                ++red;
                EXPECT_TRUE(x >= 10 && x < 10 + w && y >= 8 && y < 8 + h) << x << "," << y;
            }
        }
    }
    EXPECT_GT(red, 10);
    EXPECT_EQ(s.canvas.penPos, QPoint(10 + w, 8));
    // A clear brush leaves the background alone.
    s.canvas.brush.style = BrushStyle::Clear;
    s.canvas.TextOut(10, 25, "\xE4");
    EXPECT_EQ(s.canvas.Pixel(10, 25), clWhite);
    EXPECT_EQ(seen, (std::vector<std::string>{"10,8 MO 12", "10,25 \xE4"}));
}

TEST(Canvas, TextRectClipsAndFillsItsRectangle) {
    Surface s(100, 30);
    s.canvas.brush.color = clAqua;
    s.canvas.font.color = clBlack;
    s.canvas.TextRect(Rect{5, 5, 15, 20}, 5, 5, "WWWWWWWW");
    EXPECT_EQ(s.canvas.Pixel(5, 5), clAqua);
    EXPECT_EQ(s.canvas.Pixel(14, 19) == clWhite, false);
    for (int y = 0; y < 30; ++y) {
        for (int x = 15; x < 100; ++x) ASSERT_EQ(s.canvas.Pixel(x, y), clWhite) << x << "," << y;
    }
}

TEST(Canvas, ClearPenFrameRectAndPolyline) {
    Surface s;
    s.canvas.pen.style = PenStyle::Clear;
    s.canvas.brush.color = clRed;
    s.canvas.Rectangle(2, 2, 6, 6);  // one pixel smaller without an outline
    EXPECT_EQ(s.row(2, 0, 8, clRed), "..###...");
    EXPECT_EQ(s.row(5, 0, 8, clRed), "........");
    s.canvas.brush.color = clBlue;
    s.canvas.FrameRect(Rect{10, 10, 14, 13});
    EXPECT_EQ(s.row(10, 9, 15, clBlue), ".####.");
    EXPECT_EQ(s.row(11, 9, 15, clBlue), ".#..#.");
    EXPECT_EQ(s.row(12, 9, 15, clBlue), ".####.");
    s.canvas.pen.style = PenStyle::Solid;
    s.canvas.Polyline({QPoint(20, 20), QPoint(24, 20), QPoint(24, 24)});
    EXPECT_EQ(s.row(20, 19, 26), ".#####.");
    EXPECT_EQ(s.column(24, 19, 26), ".####..");
}

TEST(Canvas, PenStylesHatchesAndTurnedText) {
    Surface s(60, 60);
    s.canvas.pen.style = PenStyle::Dot;
    s.canvas.MoveTo(0, 1);
    s.canvas.LineTo(40, 1);
    const std::string dotted = s.row(1, 0, 40);
    EXPECT_NE(dotted.find('#'), std::string::npos);
    EXPECT_NE(dotted.find('.'), std::string::npos);
    EXPECT_EQ(s.canvas.Pixel(40, 1), clWhite);

    s.canvas.pen.style = PenStyle::Solid;
    s.canvas.brush.style = BrushStyle::DiagCross;
    s.canvas.brush.color = clBlue;
    s.canvas.FillRect(Rect{0, 10, 20, 30});
    int blue = 0, white = 0;
    for (int y = 10; y < 30; ++y) {
        for (int x = 0; x < 20; ++x) (s.canvas.Pixel(x, y) == clBlue ? blue : white) += 1;
    }
    EXPECT_GT(blue, 0);
    EXPECT_GT(white, 0);  // a hatch leaves the background between its lines
    EXPECT_EQ(s.canvas.Pixel(20, 15), clWhite);

    // Text turned by 90 degrees runs upwards from its start point.
    s.canvas.brush.style = BrushStyle::Clear;
    s.canvas.font.orientation = 900;
    s.canvas.font.setHeight(-12);
    s.canvas.TextOut(40, 55, "Text");
    int above = 0, right = 0;
    for (int y = 0; y < 60; ++y) {
        for (int x = 0; x < 60; ++x) {
            if (s.canvas.Pixel(x, y) != clBlack) continue;
            if (x >= 40 && y < 55 && y > 30) ++above;
            if (x > 55) ++right;
        }
    }
    EXPECT_GT(above, 10);
    EXPECT_EQ(right, 0);
}

}  // namespace
}  // namespace ui
