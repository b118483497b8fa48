// Rectangles and points as the drawing code writes them: left/top inside,
// right/bottom just outside (a 10 x 5 rectangle at the origin is {0, 0, 10, 5}).
#pragma once

namespace platform {

struct Rect {
    int left = 0;
    int top = 0;
    int right = 0;
    int bottom = 0;

    int width() const { return right - left; }
    int height() const { return bottom - top; }
    bool isEmpty() const { return right <= left || bottom <= top; }
    bool contains(int x, int y) const { return x >= left && x < right && y >= top && y < bottom; }
    bool operator==(const Rect&) const = default;
};

inline Rect rectAt(int left, int top, int width, int height) {
    return {left, top, left + width, top + height};
}

struct Point {
    int x = 0;
    int y = 0;
    bool operator==(const Point&) const = default;
};

}  // namespace platform
