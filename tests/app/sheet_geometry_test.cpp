// Sheet geometry: header sections, rows per work text, scroll range and the
// walk back that brings a line into view.
#include <gtest/gtest.h>

#include "app/sheet_geometry.h"

namespace app {
namespace {

TEST(SheetGeometry, SectionsEndWhereTheSheetEnds) {
    EXPECT_EQ(sectionRight(0), 41);
    EXPECT_EQ(sectionRight(5), 317);
    EXPECT_EQ(sheetRightEdge(), 723);
    EXPECT_EQ(clientWidth(), 740);
}

TEST(SheetGeometry, RowsPerWorkText) {
    struct Case {
        int length, open, stored;
    } cases[] = {{0, 1, 1},  {1, 1, 1},  {29, 1, 1},  {30, 2, 1},  {31, 2, 2},
                 {60, 3, 2}, {61, 3, 3}, {149, 5, 5}, {150, 5, 5}};
    for (const Case& c : cases) {
        EXPECT_EQ(openLineRows(c.length), c.open) << c.length;
        EXPECT_EQ(storedLineRows(c.length), c.stored) << c.length;
    }
}

TEST(SheetGeometry, VisibleRowsFollowTheCalendarTop) {
    SheetGeometry g;
    g.compute(318, 740);
    EXPECT_EQ(g.top, 45);
    EXPECT_EQ(g.visibleRows, 15);
    EXPECT_EQ(g.height, 270);
    EXPECT_EQ(g.rightEdge, 723);
    EXPECT_EQ(g.rowTop(2), 45 + 1 + 36);
    g.compute(318 + 17, 740);  // not a multiple of 18: the band below stays
    EXPECT_EQ(g.visibleRows, 16);
    EXPECT_EQ(g.height, 288);
    g.compute(40, 740);
    EXPECT_EQ(g.visibleRows, 0);
}

std::vector<std::string> texts(std::initializer_list<int> lengths) {
    std::vector<std::string> t;
    for (int n : lengths) t.emplace_back(n, 'a');
    return t;
}

TEST(SheetGeometry, ScrollExtent) {
    // Everything fits: the extent keeps its value.
    EXPECT_EQ(scrollExtent(texts({0, 0, 0}), 5, 1), 1);
    // Exactly fills: visible rows + index of the earliest line needed.
    EXPECT_EQ(scrollExtent(texts({0, 0, 0, 0, 0, 0}), 5, 1), 5 + 1);
    // The last text takes three rows and overshoots: one more.
    EXPECT_EQ(scrollExtent(texts({0, 0, 0, 0, 0, 61}), 4, 1), 4 + 3 + 1);
    EXPECT_EQ(scrollExtent({}, 4, 7), 7);
}

TEST(SheetGeometry, WalkBackShowsTheLineAtTheBottom) {
    // Ten one-row lines, five visible rows: line 9 shows from line 5 on.
    EXPECT_EQ(firstLineShowing(texts({0, 0, 0, 0, 0, 0, 0, 0, 0, 0}), 9, 5), 5);
    // A three-row line at the end (60 characters count 2 + 1).
    EXPECT_EQ(firstLineShowing(texts({0, 0, 0, 0, 0, 0, 60}), 6, 5), 4);
    // Exactly filled, and overshooting by one row: one line further down.
    EXPECT_EQ(firstLineShowing(texts({0, 0, 0, 0, 0, 90, 0}), 6, 5), 5);
    EXPECT_EQ(firstLineShowing(texts({0, 0, 0, 0, 0, 120, 0}), 6, 5), 6);
    EXPECT_EQ(firstLineShowing(texts({0, 0}), 1, 5), 0);
}

TEST(SheetGeometry, StatusTextsExistForCodesOneToSeven) {
    EXPECT_TRUE(statusText(0).empty());
    EXPECT_TRUE(statusText(8).empty());
    for (int code = 1; code <= 7; ++code) EXPECT_FALSE(statusText(code).empty()) << code;
    EXPECT_EQ(statusHelpContext(4), 54);
}

}  // namespace
}  // namespace app
