#include "platform/ui/canvas.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "platform/ui/bitmap.h"

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

}  // namespace
}  // namespace ui
