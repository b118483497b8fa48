#include "controls/calendar/model/kalender_layout.h"

#include <gtest/gtest.h>

namespace calendar {

namespace {

TEST(KalenderLayout, HitTest) {
    const GridHit none{};
    auto cell = [](int c) { return GridHit{GridHit::Cell, c / kColumns, c}; };
    auto week = [](int r) { return GridHit{GridHit::WeekRow, r, 0}; };
    struct Case {
        int x, y;
        bool marker;
        GridHit expected;
    };
    // (22, 30) lies in the head band; the right and bottom edge of the 178 x 141 image
    // lie outside the 7 x 6 cells.
    const Case cases[] = {
        {50, 20, true, none},     {23, 21, false, cell(0)},   {22, 30, false, none},
        {22, 30, true, cell(0)},  {21, 30, true, week(0)},    {0, 139, true, week(5)},
        {44, 40, false, cell(8)}, {175, 139, true, cell(41)}, {-1, 50, true, none},
        {176, 50, false, none},   {100, 140, false, none},    {10, 140, true, none}};
    for (const Case& c : cases)
        EXPECT_EQ(hitTest(c.x, c.y, c.marker), c.expected) << c.x << "," << c.y << " " << c.marker;
    // Every pixel of a cell's frame hits that cell.
    for (int c = 0; c < kCells; ++c) {
        const Rect f = GridLayout::cellFrame(c);
        for (int y = f.top; y < f.bottom; ++y)
            for (int x = f.left; x < f.right; ++x)
                ASSERT_EQ(hitTest(x, y, false).cell, c) << x << "," << y;
    }
}

}  // namespace
}  // namespace calendar
