// Every rectangle of the month calendar in one place: the children of the
// frame and the pieces of the grid image. Painting and the hit test read it.
#pragma once

#include <array>

#include "controls/calendar/model/month_grid.h"
#include "platform/core/rect.h"

namespace calendar {

using platform::Point;
using platform::Rect;
using platform::rectAt;

struct Line {
    Point from;
    Point to;
};

// Children of the frame, in frame coordinates.
struct FrameLayout {
    static constexpr int kWidth = 184;
    static constexpr int kHeight = 185;
    static constexpr int kControlSize = 100;  // the code-built control variant
    Rect grid = rectAt(3, 25, 178, 141);
    Rect title = rectAt(3, 3, 178, 22);
    Rect back = rectAt(3, 4, 23, 21);
    Rect forward = rectAt(159, 4, 23, 21);
    Rect heute = rectAt(21, 168, 141, 16);
    Rect monthList = rectAt(32, 6, 65, 161);
    // Room for the two month buttons: the title narrows and moves right.
    void makeRoomForButtons() {
        title.left += 23;
        title.right -= 23;
    }
    // A press on the title within these x (title coordinates) opens the month list.
    static bool opensMonthList(int x) { return x >= 11 && x <= 69; }
};

// The grid image; rows r and columns c count from 0 here.
struct GridLayout {
    static constexpr int kWidth = 178;
    static constexpr int kHeight = 141;
    static constexpr int kCellWidth = 22;
    static constexpr int kCellHeight = 20;

    static Rect outline() { return {0, 0, kWidth, kHeight}; }
    static Rect headBand() { return {1, 1, 177, 20}; }
    static Rect weekColumn() { return {1, 20, 21, 140}; }
    static Rect dayArea() { return {22, 20, 177, 140}; }
    static Point kwText() { return {2, 2}; }
    static Point headText(int column) { return {22 * column + 25, 2}; }
    static Line headRule() { return {{1, 19}, {177, 19}}; }
    static Line weekColumnRule() { return {{21, 1}, {21, 140}}; }
    // Separator above week row r (1..5).
    static Line weekRowRule(int r) { return {{1, 20 * (r + 1)}, {21, 20 * (r + 1)}}; }
    static Point weekText(int r, int week) { return {week < 10 ? 7 : 2, 20 * (r + 1) + 2}; }

    static Rect cellFill(int cell) {
        const int x = 22 * (cell % kColumns + 1), y = 20 * (cell / kColumns + 1);
        return {x + 2, y + 2, x + 21, y + 18};
    }
    static Rect cellFrame(int cell) {
        const int x = 22 * (cell % kColumns + 1), y = 20 * (cell / kColumns + 1);
        return {x + 1, y + 1, x + 22, y + 19};
    }
    static Point cellText(int cell, int day) {
        const int x = 22 * (cell % kColumns + 1), y = 20 * (cell / kColumns + 1);
        return {x + (day < 10 ? 7 : 3), y + 2};
    }
    static Point markGlyph(int cell) {
        return {22 * (cell % kColumns + 1), 20 * (cell / kColumns + 1)};
    }
};

struct GridHit {
    enum Kind { None, WeekRow, Cell };
    Kind kind = None;
    int row = 0;   // 0..5
    int cell = 0;  // 0..41 for Cell
    bool operator==(const GridHit&) const = default;
};

// What a press at (x, y) of the grid image hits. The week column counts only
// in marker mode. Points outside the 7 x 6 cells (the head band, the outline's
// right and bottom edge) hit nothing.
GridHit hitTest(int x, int y, bool markerMode);

}  // namespace calendar
