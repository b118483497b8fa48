// Sheet geometry: header sections, rows per work text, scroll range, the walk
// back that brings a line into view, and the status texts.
#include <gtest/gtest.h>

#include "app/sheet_geometry.h"

namespace app {
namespace {

TEST(SheetGeometry, SectionsRowsAndVisibleBand) {
    EXPECT_EQ(sectionRight(0), 41);
    EXPECT_EQ(sectionRight(5), 317);
    EXPECT_EQ(sheetRightEdge(), 723);
    EXPECT_EQ(clientWidth(), 740);
    const int cases[][3] = {{0, 1, 1},  {1, 1, 1},  {29, 1, 1},  {30, 2, 1},  {31, 2, 2},
                            {60, 3, 2}, {61, 3, 3}, {149, 5, 5}, {150, 5, 5}};  // length, open rows, stored rows
    for (const auto& c : cases) {
        EXPECT_EQ(openLineRows(c[0]), c[1]) << c[0];
        EXPECT_EQ(storedLineRows(c[0]), c[2]) << c[0];
    }
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

TEST(SheetGeometry, ScrollExtentAndWalkBack) {
    EXPECT_EQ(scrollExtent(texts({0, 0, 0}), 5, 1), 1);  // everything fits: the extent keeps its value
    EXPECT_EQ(scrollExtent(texts({0, 0, 0, 0, 0, 0}), 5, 1), 5 + 1);  // visible rows + earliest line needed
    EXPECT_EQ(scrollExtent(texts({0, 0, 0, 0, 0, 61}), 4, 1), 4 + 3 + 1);  // a three-row text overshoots
    EXPECT_EQ(scrollExtent({}, 4, 7), 7);
    // Five visible rows: the first line that shows the wanted one at the bottom.
    EXPECT_EQ(firstLineShowing(texts({0, 0, 0, 0, 0, 0, 0, 0, 0, 0}), 9, 5), 5);
    EXPECT_EQ(firstLineShowing(texts({0, 0, 0, 0, 0, 0, 60}), 6, 5), 4);  // 60 characters: 2 + 1 rows
    EXPECT_EQ(firstLineShowing(texts({0, 0, 0, 0, 0, 90, 0}), 6, 5), 5);  // exactly filled
    EXPECT_EQ(firstLineShowing(texts({0, 0, 0, 0, 0, 120, 0}), 6, 5), 6);  // overshooting by one row
    EXPECT_EQ(firstLineShowing(texts({0, 0}), 1, 5), 0);
    EXPECT_TRUE(statusText(0).empty() && statusText(8).empty());
    EXPECT_EQ(statusHelpContext(4), 54);
}

}  // namespace
}  // namespace app
