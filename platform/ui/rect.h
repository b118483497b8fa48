// A rectangle as the drawing code writes it: left/top inside, right/bottom
// just outside (a 10 x 5 rectangle at the origin is {0, 0, 10, 5}).
#pragma once

#include <QRect>

namespace ui {

struct Rect {
    int left = 0;
    int top = 0;
    int right = 0;
    int bottom = 0;

    int width() const { return right - left; }
    int height() const { return bottom - top; }
    bool isEmpty() const { return right <= left || bottom <= top; }
    bool contains(int x, int y) const { return x >= left && x < right && y >= top && y < bottom; }
    QRect toQRect() const { return QRect(left, top, width(), height()); }
    static Rect fromQRect(const QRect& r) { return {r.left(), r.top(), r.left() + r.width(), r.top() + r.height()}; }
    bool operator==(const Rect&) const = default;
};

}  // namespace ui
