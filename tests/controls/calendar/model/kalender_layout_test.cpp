#include "controls/calendar/model/kalender_layout.h"

#include <gtest/gtest.h>

namespace calendar {

void PrintTo(const GridHit& h, std::ostream* os) {
    static const char* const kinds[] = {"None", "WeekRow", "Cell"};
    *os << kinds[h.kind] << "(row " << h.row << ", cell " << h.cell << ")";
}

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
    const Case cases[] = {
        {50, 20, false, none},      {50, 20, true, none},  // head band
        {50, 5, true, none},        {23, 21, false, cell(0)},
        {22, 30, false, none},      {22, 30, true, cell(0)},
        {21, 30, false, none},      {21, 30, true, week(0)},
        {0, 139, true, week(5)},    {43, 39, false, cell(0)},
        {44, 40, false, cell(8)},   {175, 139, false, cell(41)},
        {175, 139, true, cell(41)},
        // The right and bottom edge of the image lie outside the 7 x 6 cells.
        {176, 50, false, none},     {177, 50, true, none},
        {100, 140, false, none},    {10, 140, true, none},
        {177, 140, true, none},     {-1, 50, true, none},
    };
    for (const Case& c : cases)
        EXPECT_EQ(hitTest(c.x, c.y, c.marker), c.expected)
            << "x " << c.x << " y " << c.y << " marker " << c.marker;
}

TEST(KalenderLayout, CellsTileTheDayArea) {
    const Box area = GridLayout::dayArea();
    for (int c = 0; c < kCells; ++c) {
        const Box f = GridLayout::cellFrame(c);
        const Box fill = GridLayout::cellFill(c);
        EXPECT_GE(f.left, area.left);
        EXPECT_LE(f.right, area.right);
        EXPECT_LE(f.bottom, area.bottom);
        EXPECT_TRUE(fill.left > f.left && fill.right < f.right && fill.top > f.top &&
                    fill.bottom < f.bottom);
        // Every pixel of a cell's frame hits that cell.
        for (int y = f.top; y < f.bottom; ++y)
            for (int x = f.left; x < f.right; ++x)
                ASSERT_EQ(hitTest(x, y, false).cell, c) << x << "," << y;
    }
}

TEST(KalenderLayout, ButtonsMakeRoomInTheTitle) {
    FrameLayout l;
    l.makeRoomForButtons();
    EXPECT_EQ(l.title, boxAt(26, 3, 132, 22));
    EXPECT_GE(l.title.left, l.back.right);
    EXPECT_LE(l.title.right, l.forward.left);
}

}  // namespace
}  // namespace calendar
