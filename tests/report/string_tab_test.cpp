#include "report/string_tab.h"

#include <gtest/gtest.h>

#include "platform/core/codepage.h"

namespace report {
namespace {

using Cells = TStringTab::CellList;

// A table whose column `col` holds the given texts in rows 1.. (row 0: names).
TStringTab columnOf(const Cells& texts, uint32_t cols = 2, uint32_t col = 1) {
    TStringTab t;
    t.Set_Tab(static_cast<uint32_t>(texts.size()) + 1, cols);
    for (uint32_t i = 0; i < texts.size(); ++i) t.SetCell(i + 1, col, texts[i]);
    return t;
}

TEST(StringTab, FreshTableReadsEmptyEverywhere) {
    TStringTab t;
    t.Set_Tab(2, 18);
    EXPECT_EQ(t.RowCount(), 2);
    EXPECT_EQ(t.ColCount(), 18);
    EXPECT_EQ(t.GetRowCount(false), 1);
    EXPECT_EQ(t.GetRowCount(true), 2);
    for (uint32_t r = 0; r < 3; ++r)
        for (uint32_t c = 0; c < 19; ++c) EXPECT_EQ(t.GetCell(r, c), "");
    EXPECT_TRUE(t.GetStrings().empty());
    EXPECT_EQ(t.RecordRow(), -1);
    EXPECT_EQ(t.GetRecordCell(0), "");
}

TEST(StringTab, SetTabBoundsTheRows) {
    struct Case {
        int32_t min, max;
        uint32_t rows;
        int32_t expected;
    };
    for (const Case& c : {Case{5, -1, 2, 5}, Case{0, 0, 1000, 1000}, Case{0, 10, 20, 10},
                          Case{0, 10, 10, 10}, Case{3, 10, 4, 4}, Case{0, -1, 0xFFFFFFFFu, 0}}) {
        TStringTab t;
        t.SetMinimumRows(c.min);
        t.SetMaximumRows(c.max);
        t.Set_Tab(c.rows, 3);
        EXPECT_EQ(t.RowCount(), c.expected) << c.min << " " << c.max << " " << c.rows;
    }
    TStringTab empty;
    EXPECT_EQ(empty.GetRowCount(false), -1);
}

TEST(StringTab, SetCellPadsAndMakesTheFirstRecordCurrent) {
    TStringTab t;
    t.Set_Tab(2, 5);
    t.SetCell(0, 0, "Name");
    EXPECT_EQ(t.RecordRow(), -1);  // a header cell makes no record current
    t.SetCell(1, 3, "x");
    ASSERT_EQ(t.GetStrings().size(), 9u);
    EXPECT_EQ(t.GetStrings()[8], "x");
    for (int i = 1; i < 8; ++i) EXPECT_EQ(t.GetStrings()[i], "");
    EXPECT_EQ(t.RecordRow(), 0);
    EXPECT_EQ(t.GetRecordCell(3), "x");
    t.SetCell(1, 3, "y");  // replaces
    EXPECT_EQ(t.GetCell(1, 3), "y");
    EXPECT_EQ(t.GetStrings().size(), 9u);

    const Cells before = t.GetStrings();
    t.SetCell(2, 0, "out");  // row == RowCount
    t.SetCell(1, 5, "out");  // col == ColCount
    EXPECT_EQ(t.GetStrings(), before);
    TStringTab none;
    none.Set_Tab(0, 3);
    none.SetCell(0, 0, "x");
    EXPECT_TRUE(none.GetStrings().empty());
}

TEST(StringTab, HugeRowNeverWrapsOntoAnotherCell) {
    TStringTab t;
    t.Set_Tab(2, 3);
    t.SetCell(0, 2, "wrong");
    // 0x55555556 * 3 wraps to 2 in 32 bits.
    EXPECT_EQ(t.GetCell(0x55555556u, 0), "");
    EXPECT_EQ(t.GetCell(0, 2), "wrong");
    EXPECT_EQ(t.GetCell(0, 3), "");
    EXPECT_EQ(t.GetCell(0xFFFFFFFFu, 0xFFFFFFFFu), "");
}

TEST(StringTab, InsertRow) {
    TStringTab t;
    t.Set_Tab(2, 2);
    const Cells three = {"a", "b", "c"};
    EXPECT_EQ(t.InsertRow(-1, &three, 1), 2);
    EXPECT_EQ(t.RowCount(), 3);
    EXPECT_EQ(t.GetCell(2, 0), "a");
    EXPECT_EQ(t.GetCell(2, 1), "b");
    EXPECT_EQ(t.GetCell(1, 0), "");  // padded
    ASSERT_EQ(t.GetStrings().size(), 6u);

    // Insert in the middle: the rows after it move down; missing source cells are "".
    const Cells one = {"m"};
    EXPECT_EQ(t.InsertRow(1, &one, 2), 1);
    EXPECT_EQ(t.RowCount(), 5);
    EXPECT_EQ(t.GetCell(1, 0), "m");
    EXPECT_EQ(t.GetCell(1, 1), "");
    EXPECT_EQ(t.GetCell(2, 0), "");
    EXPECT_EQ(t.GetCell(4, 0), "a");
    EXPECT_EQ(t.RecordRow(), -1);  // not changed by inserting

    const Cells before = t.GetStrings();
    for (const auto& [row, count] : {std::pair{6, 1}, {-2, 1}, {-100, 1}, {1, 0}, {-1, -3}}) {
        EXPECT_EQ(t.InsertRow(row, &one, count), -1) << row << " " << count;
    }
    EXPECT_EQ(t.RowCount(), 5);
    EXPECT_EQ(t.GetStrings(), before);
    EXPECT_EQ(t.InsertRow(-1, &one, 0x7FFFFFFF), -1);  // RowCount would wrap
}

TEST(StringTab, InsertRowWithoutSourceBeyondTheCellsStoresNothing) {
    TStringTab t;
    t.Set_Tab(4, 3);
    EXPECT_EQ(t.InsertRow(-1, nullptr, 2), 4);
    const Cells empty;
    EXPECT_EQ(t.InsertRow(2, &empty, 1), 2);
    EXPECT_EQ(t.RowCount(), 7);
    EXPECT_TRUE(t.GetStrings().empty());
    // Inside the stored cells an absent source still inserts empty cells.
    t.SetCell(6, 2, "z");
    EXPECT_EQ(t.InsertRow(1, nullptr, 1), 1);
    EXPECT_EQ(t.GetCell(7, 2), "z");
}

TEST(StringTab, DeleteRowMovesTheCurrentRecord) {
    auto make = [] {
        TStringTab t = columnOf({"r1", "r2", "r3", "r4"});
        t.SetZeile(2);  // row 3
        return t;
    };
    TStringTab t = make();
    const Cells before = t.GetStrings();
    t.DeleteRow(0);
    t.DeleteRow(5);
    t.DeleteRow(-1);
    EXPECT_EQ(t.GetStrings(), before);
    EXPECT_EQ(t.RowCount(), 5);

    struct Case {
        int32_t row;
        int32_t record;
    };
    for (const Case& c : {Case{1, 1}, Case{3, 1}, Case{4, 2}, Case{2, 1}}) {
        TStringTab u = make();
        u.DeleteRow(c.row);
        EXPECT_EQ(u.RowCount(), 4);
        EXPECT_EQ(u.RecordRow(), c.record) << c.row;
    }
    TStringTab u = make();
    u.DeleteRow(2);
    EXPECT_EQ(u.GetCell(2, 1), "r3");
    EXPECT_EQ(u.GetStrings().size(), 8u);

    TStringTab first = columnOf({"a", "b"});
    EXPECT_EQ(first.RecordRow(), 0);
    first.DeleteRow(1);
    EXPECT_EQ(first.RecordRow(), -1);

    TStringTab sparse;  // cells stop before the deleted row
    sparse.Set_Tab(5, 2);
    sparse.SetCell(1, 0, "x");
    sparse.DeleteRow(3);
    EXPECT_EQ(sparse.RowCount(), 4);
    EXPECT_EQ(sparse.GetStrings().size(), 3u);
}

TEST(StringTab, SetZeileAndClear) {
    TStringTab t = columnOf({"a", "b", "c"});  // RowCount 4: records 0..2
    for (const auto& [record, expected] :
         {std::pair{0, 0}, {2, 2}, {3, -1}, {-1, -1}, {-5, -1}, {1, 1}}) {
        t.SetZeile(record);
        EXPECT_EQ(t.RecordRow(), expected) << record;
    }
    EXPECT_EQ(t.GetRecordCell(1), "b");
    t.Clear(false);
    EXPECT_EQ(t.RowCount(), 1);
    EXPECT_EQ(t.ColCount(), 2);
    EXPECT_EQ(t.RecordRow(), -1);
    EXPECT_TRUE(t.GetStrings().empty());
    t.Clear(true);
    EXPECT_EQ(t.RowCount(), 0);
    EXPECT_EQ(t.ColCount(), 0);
    t.Clear(false);
    EXPECT_EQ(t.RowCount(), 0);
}

TEST(StringTab, FindRowPrefersTheEqualRowOverTheFirstPrefix) {
    const std::string mue = platform::cp1252("mü");
    TStringTab t =
        columnOf({"Meier", platform::cp1252("MÜLLER"), "Maier", platform::cp1252("Mü"), "Schulz"});
    SuchResult r{7, 7, 7};
    EXPECT_EQ(t.FindRow(mue, 1, 1, false, &r), 4);
    EXPECT_EQ(r, (SuchResult{4, 2, 0}));

    TStringTab prefixOnly = columnOf({"Meier", platform::cp1252("MÜLLER"), "Maier"});
    EXPECT_EQ(prefixOnly.FindRow(mue, 1, 1, false, &r), 2);
    EXPECT_EQ(r, (SuchResult{2, 2, 4}));
    EXPECT_EQ(prefixOnly.FindRow(mue, 1, 1, true, &r), -1);
    EXPECT_EQ(r, (SuchResult{2, 2, 4}));  // untouched when nothing is found
    EXPECT_EQ(prefixOnly.FindRow("x", 1, 1, false, nullptr), -1);
    EXPECT_EQ(prefixOnly.FindRow("m", 0, 1, false, nullptr), -1);    // other column
    EXPECT_EQ(prefixOnly.FindRow("m", 7, 1, false, nullptr), -1);    // no such column
    EXPECT_EQ(prefixOnly.FindRow("MEIER", 1, 1, true, nullptr), 1);  // case does not count
}

TEST(StringTab, FindRowSearchOrderWrapsRound) {
    // Prefix candidates in rows 2 and 4 of six rows; the first in search order wins.
    TStringTab t = columnOf({"x", "ab2", "x", "ab4", "x"});
    struct Case {
        int32_t start;
        int32_t found;
    };
    for (const Case& c : {Case{3, 4}, Case{5, 2}, Case{1, 2}, Case{0, 2}, Case{-7, 2}, Case{6, 2},
                          Case{99, 2}, Case{4, 4}}) {
        EXPECT_EQ(t.FindRow("ab", 1, c.start, false, nullptr), c.found) << c.start;
    }
    // An equal row met in the second pass still replaces a prefix of the first.
    TStringTab u = columnOf({"x", "ab", "x", "abc", "x"});
    EXPECT_EQ(u.FindRow("ab", 1, 3, false, nullptr), 2);
    // Row 0, the field names, is never searched.
    TStringTab names = columnOf({"x"});
    names.SetCell(0, 1, "ab");
    EXPECT_EQ(names.FindRow("ab", 1, 0, false, nullptr), -1);
}

TEST(StringTab, FindRowFromTheCurrentRecord) {
    TStringTab t = columnOf({"ab1", "x", "ab3", "x"});
    t.SetZeile(2);  // start row 2 (the row numbered like the record)
    EXPECT_EQ(t.FindRow("ab", 1, -1, false, nullptr), 3);
    t.SetZeile(0);  // RecordRow 0: from row 1
    EXPECT_EQ(t.FindRow("ab", 1, -1, false, nullptr), 1);
}

TEST(StringTab, EmptySearchTextFindsOnlyAnEmptyCell) {
    TStringTab t = columnOf({"a", "", "b"});
    SuchResult r;
    EXPECT_EQ(t.FindRow("", 1, 1, false, &r), 2);
    EXPECT_EQ(r, (SuchResult{2, 0, 0}));
    TStringTab full = columnOf({"a", "b"});
    EXPECT_EQ(full.FindRow("", 1, 1, false, nullptr), -1);
}

}  // namespace
}  // namespace report
