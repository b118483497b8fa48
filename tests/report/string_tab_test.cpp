#include "report/string_tab.h"

#include <gtest/gtest.h>

#include "platform/core/codepage.h"

namespace report {
namespace {

using Cells = TStringTab::CellList;

// A table whose column 1 of 2 holds the given texts in rows 1.. (row 0: names).
TStringTab columnOf(const Cells& texts) {
    TStringTab t;
    t.Set_Tab(static_cast<uint32_t>(texts.size()) + 1, 2);
    for (uint32_t i = 0; i < texts.size(); ++i) t.SetCell(i + 1, 1, texts[i]);
    return t;
}

TEST(StringTab, SetTabBoundsAndCellAccess) {
    // {minimum, maximum, rows asked, rows got}
    for (const auto& [min, max, rows, got] : {std::tuple{5, -1, 2u, 5},
                                              {0, 0, 1000u, 1000},
                                              {0, 10, 20u, 10},
                                              {3, 10, 4u, 4},
                                              {0, -1, 0xFFFFFFFFu, 0}}) {
        TStringTab t;
        t.SetMinimumRows(min);
        t.SetMaximumRows(max);
        t.Set_Tab(rows, 3);
        EXPECT_EQ(t.RowCount(), got) << min << " " << max << " " << rows;
    }
    TStringTab t;
    EXPECT_EQ(t.GetRowCount(false), -1);
    t.Set_Tab(2, 18);
    for (uint32_t i = 0; i < 3 * 19; ++i) EXPECT_EQ(t.GetCell(i / 19, i % 19), "") << i;
    t.Set_Tab(2, 3);
    EXPECT_EQ(t.GetRowCount(false), 1);
    t.SetCell(0, 0, "Name");
    EXPECT_EQ(t.RecordRow(), -1);  // a header cell makes no record current
    t.SetCell(1, 2, "x");          // pads the cells before it
    EXPECT_EQ(t.GetStrings(), (Cells{"Name", "", "", "", "", "x"}));
    EXPECT_EQ(std::tuple(t.RecordRow(), t.GetRecordCell(2)), std::tuple(0, "x"));
    t.SetCell(2, 0, "out");  // row == RowCount, then col == ColCount
    t.SetCell(1, 3, "out");
    EXPECT_EQ(t.GetStrings().size(), 6u);
    // 0x55555556 * 3 wraps to 2 in 32 bits: never another cell.
    for (const auto& [r, c] : {std::pair{0x55555556u, 0u}, {0u, 3u}, {0xFFFFFFFFu, 0xFFFFFFFFu}})
        EXPECT_EQ(t.GetCell(r, c), "") << r << " " << c;
}

TEST(StringTab, InsertRow) {
    TStringTab t;
    t.Set_Tab(2, 2);
    const Cells three = {"a", "b", "c"}, one = {"m"};
    EXPECT_EQ(t.InsertRow(-1, &three, 1), 2);  // appended; surplus source cell dropped
    EXPECT_EQ(t.InsertRow(1, &one, 2), 1);     // the rows after it move down
    EXPECT_EQ(std::tuple(t.RowCount(), t.RecordRow()), std::tuple(5, -1));
    EXPECT_EQ(t.GetStrings(), (Cells{"", "", "m", "", "", "", "", "", "a", "b"}));
    for (const auto& [row, count] :
         {std::pair{6, 1}, {-2, 1}, {-100, 1}, {1, 0}, {-1, -3}, {-1, 0x7FFFFFFF}})
        EXPECT_EQ(t.InsertRow(row, &one, count), -1) << row << " " << count;
    EXPECT_EQ(t.GetStrings().size(), 10u);
}

TEST(StringTab, DeleteRowSetZeileAndClear) {
    struct Case {
        int32_t row, record, rows;  // row deleted; current record and rows after
    };
    // Row 3 current (record 2); out-of-range rows change nothing.
    for (const Case& c : {Case{1, 1, 4}, Case{3, 1, 4}, Case{4, 2, 4}, Case{2, 1, 4}, Case{0, 2, 5},
                          Case{5, 2, 5}, Case{-1, 2, 5}}) {
        TStringTab t = columnOf({"r1", "r2", "r3", "r4"});
        t.SetZeile(2);
        t.DeleteRow(c.row);
        EXPECT_EQ(std::tuple(t.RowCount(), t.RecordRow(), t.GetStrings().size(), t.GetCell(2, 1)),
                  std::tuple(c.rows, c.record, size_t(2 * c.rows),
                             c.row == 1 || c.row == 2 ? "r3" : "r2"))
            << c.row;
    }
    TStringTab first = columnOf({"a", "b"});  // deleting the current first row
    first.DeleteRow(1);
    EXPECT_EQ(first.RecordRow(), -1);
    TStringTab t = columnOf({"a", "b", "c"});  // records 0..2
    for (const auto& [record, expected] : {std::pair{2, 2}, {3, -1}, {-5, -1}, {1, 1}}) {
        t.SetZeile(record);
        EXPECT_EQ(t.RecordRow(), expected) << record;
    }
}

TEST(StringTab, FindRow) {
    const std::string mue = platform::cp1252("mü");
    TStringTab t = columnOf({"Meier", platform::cp1252("MÜLLER"), "Maier", platform::cp1252("Mü")});
    SuchResult r{7, 7, 7};
    EXPECT_EQ(t.FindRow(mue, 1, 1, false, &r), 4);  // the equal row beats the first prefix
    EXPECT_EQ(r, (SuchResult{4, 2, 0}));
    t.DeleteRow(4);
    EXPECT_EQ(t.FindRow(mue, 1, 1, false, &r), 2);
    EXPECT_EQ(r, (SuchResult{2, 2, 4}));
    EXPECT_EQ(t.FindRow(mue, 1, 1, true, &r), -1);
    EXPECT_EQ(r, (SuchResult{2, 2, 4}));                  // untouched when nothing is found
    EXPECT_EQ(t.FindRow("m", 7, 1, false, nullptr), -1);  // no such column

    // Prefix candidates in rows 2 and 4; the first in search order wins.
    TStringTab w = columnOf({"x", "ab2", "x", "ab4", "x"});
    for (const auto& [start, found] :
         {std::pair{3, 4}, {5, 2}, {1, 2}, {0, 2}, {-7, 2}, {6, 2}, {99, 2}, {4, 4}})
        EXPECT_EQ(w.FindRow("ab", 1, start, false, nullptr), found) << start;
    w.SetZeile(3);  // -1 starts at the row numbered like the current record
    EXPECT_EQ(w.FindRow("ab", 1, -1, false, nullptr), 4);
    // An equal row met in the second pass still replaces a prefix of the first.
    EXPECT_EQ(columnOf({"x", "ab", "x", "abc", "x"}).FindRow("ab", 1, 3, false, nullptr), 2);
    // Row 0, the field names, is never searched; "" finds only an empty cell.
    TStringTab names = columnOf({"x", "", "b"});
    names.SetCell(0, 1, "ab");
    EXPECT_EQ(names.FindRow("ab", 1, 0, false, nullptr), -1);
    EXPECT_EQ(names.FindRow("", 1, 1, false, nullptr), 2);
}

}  // namespace
}  // namespace report
