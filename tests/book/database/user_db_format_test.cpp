#include "book/database/user_db_format.h"

#include <gtest/gtest.h>

#include <tuple>

#include "book/database/db_reader.h"
#include "tests/book/database/db_fixture.h"

namespace book {
namespace {

// Texts are cut to their field (20 and 150 characters); unknown line kinds read as ordinary.
TEST(RecordLayout, CutsTextsAndReadsUnknownKinds) {
    const std::string t20 = "abcdefghijklmnopqrst";
    EXPECT_EQ(
        encodeUserRecord(7, {t20 + "uv", "\xE4\xF6\xFC", "M\xFCller", "", "0815", "Nord", 0x11}),
        dbtest::record(7, {t20, "\xE4\xF6\xFC", "M\xFCller", "", "0815", "Nord"}, 0x11));
    EXPECT_EQ(encodeLineRecord({1, 0, 0, 1, 0, 1, 'M', std::string(200, 'x')}),
              dbtest::line(1, 0, 0, 1, 0, 0xF1, std::string(150, 'x')));
    for (uint8_t nibble : {0x30, 0x50, 0x60, 0x70, 0x90, 0xA0, 0xE0})
        EXPECT_EQ(markerOfKindBits(nibble), ' ');
}

TEST(MonthKey, HandModeCountsInTheHighHalf) {
    const std::tuple<bool, HandZahlen, uint32_t, HandZahlen> cases[] = {
        {false, {3, 3, 3, 3}, 2008, {}},
        {true, {}, 2008 | 0xFFFFu << 16, {}},
        {true, {1, 2, 3, 4}, 2008 | 0x3412u << 16, {1, 2, 3, 4}},
        {true, {15, 15, 15, 15}, 2008 | 0xFFFFu << 16, {}},  // cannot be told from "all zero"
        // Counts outside 0..15 are clamped instead of spilling into the neighbour.
        {true, {16, 0, 0, 0}, 2008 | 0x00F0u << 16, {15, 0, 0, 0}},
        {true, {-1, 0, 0, 1}, 2008 | 0x0100u << 16, {0, 0, 0, 1}},
    };
    for (const auto& [hand, counts, want, readBack] : cases) {
        const uint32_t key = monthKey(2008, hand, counts);
        EXPECT_EQ(key, want);
        EXPECT_EQ(keyHandMode(key), hand);
        EXPECT_EQ(keyCounts(key), readBack);
        EXPECT_EQ(keyYear(key), 2008);
    }
}

// Text_lesen through its three doors: the buffered reader's text, the
// buffered reader into a char buffer, and the plain file one byte at a time.
TEST(TextLesen, StopsAtTheTerminatorOrFailsAtTheLimit) {
    using dbtest::scrambled;
    using dbtest::text;
    const std::string x20(20, 'x'), x21(21, 'x');
    const std::tuple<std::string, int, bool, std::string, int64_t> cases[] = {
        {text("abc") + "rest", 21, true, "abc", 4},
        {text(x20), 21, true, x20, 21},
        {scrambled(x21) + text(""), 21, false, x21, 21},
        {text(std::string(150, 'y')), 151, true, std::string(150, 'y'), 151},
        {scrambled("abc"), 21, false, "abc", 3},  // the file ends first
        {"", 21, false, "", 0},
    };
    testing_support::TempDir dir;
    for (const auto& [bytes, max, ok, want, position] : cases) {
        SCOPED_TRACE(want);
        dbtest::writeFile(dir.file("t"), bytes);
        platform::File f;
        ASSERT_TRUE(f.open(dir.file("t"), platform::OpenMode::ReadOnly));
        for (int door = 0; door < 3; ++door) {
            std::vector<char> buffer(static_cast<size_t>(max) + 1, '\0');
            std::string text;
            ASSERT_TRUE(f.seek(0));
            DbReader in(f);
            const auto n = static_cast<int16_t>(max);
            const bool read = door == 0   ? in.text(&text, max, kDatabaseKey)
                              : door == 1 ? Text_lesen(in, buffer.data(), n, kDatabaseKey)
                                          : Text_lesen(f, buffer.data(), n, kDatabaseKey);
            EXPECT_EQ(read, ok);
            EXPECT_EQ(door == 0 ? text : std::string(buffer.data()), want);
            if (ok) {
                EXPECT_EQ(door == 2 ? f.position() : in.position(), position);
            }
        }
    }
}

}  // namespace
}  // namespace book
