#include "book/user_db_format.h"

#include <gtest/gtest.h>

#include "book/db_reader.h"
#include "tests/book/db_fixture.h"

namespace book {
namespace {

using dbtest::u32;

TEST(RecordLayout, EncodesAsTheHandBuiltBytes) {
    const std::string t20 = "abcdefghijklmnopqrst";
    const struct { Benutzerdaten user; std::string expected; } users[] = {
        {{}, dbtest::record(7, {"", "", "", "", "", ""}, 0)},
        {{t20, t20, t20, t20, t20, t20, 0xFF}, dbtest::record(7, {t20, t20, t20, t20, t20, t20}, 0xFF)},
        // Longer texts are cut to 20 characters; bytes above 0x7F stay as they are.
        {{t20 + "uv", "\xE4\xF6\xFC", "M\xFCller", "", "0815", "Nord", 0x11},
         dbtest::record(7, {t20, "\xE4\xF6\xFC", "M\xFCller", "", "0815", "Nord"}, 0x11)},
    };
    for (const auto& c : users) {
        EXPECT_EQ(encodeUserRecord(7, c.user), c.expected);
        EXPECT_EQ(c.expected.substr(8), encodeUserRecordBody(c.user));
    }
    const struct {
        char marker;
        uint8_t bits;
    } kinds[] = {{' ', 0x00}, {'!', 0x10}, {'-', 0x20}, {'+', 0x40}, {'V', 0x80}, {'M', 0xF0}};
    for (const auto& k : kinds) {
        Zeilensatz z{12, 7, 5, 16, 45, 11, k.marker, "Text \xDF"};
        EXPECT_EQ(encodeLineRecord(z), dbtest::line(12, 7, 5, 16, 45, 11 | k.bits, "Text \xDF"));
        const uint8_t plain[6] = {12, 7, 5, 16, 45, static_cast<uint8_t>(11 | k.bits)};
        Zeilensatz back = decodeLineHead(plain);
        back.text = z.text;
        EXPECT_EQ(back, z);
    }
    for (uint8_t nibble : {0x30, 0x50, 0x60, 0x70, 0x90, 0xA0, 0xE0})
        EXPECT_EQ(markerOfKindBits(nibble), ' ');  // unknown kinds read as ordinary
    // A text is stored with at most 150 characters.
    EXPECT_EQ(encodeLineRecord({1, 0, 0, 1, 0, 1, ' ', std::string(200, 'x')}).size(), 6u + 151u);
    StandbyList list{0x81, 29, 12, 4, 1, 2, 9, 1, 11, 1};
    EXPECT_EQ(encodeStandbyRecord(list, 2),
              dbtest::standby({{{0x81, 29, 12, 4, 1}}, {{2, 9, 1, 11, 1}}}));
    EXPECT_EQ(encodeEntryHead(2008, 3, 4, 0), u32(2008) + "\x03" + u32(4) + u32(0));
}

TEST(MonthKey, HandModeCountsInTheHighHalf) {
    const struct { bool hand; HandZahlen counts; uint32_t key; HandZahlen readBack; } cases[] = {
        {false, {3, 3, 3, 3}, 2008, {}},
        {true, {}, 2008 | 0xFFFFu << 16, {}},
        {true, {1, 2, 3, 4}, 2008 | 0x3412u << 16, {1, 2, 3, 4}},
        {true, {15, 15, 15, 15}, 2008 | 0xFFFFu << 16, {}},  // cannot be told from "all zero"
        // Counts outside 0..15 are clamped instead of spilling into the neighbour.
        {true, {16, 0, 0, 0}, 2008 | 0x00F0u << 16, {15, 0, 0, 0}},
        {true, {-1, 0, 0, 1}, 2008 | 0x0100u << 16, {0, 0, 0, 1}},
    };
    for (const auto& c : cases) {
        const uint32_t key = monthKey(2008, c.hand, c.counts);
        EXPECT_EQ(key, c.key);
        EXPECT_EQ(keyHandMode(key), c.hand);
        EXPECT_EQ(keyCounts(key), c.readBack);
        EXPECT_EQ(keyYear(key), 2008);
    }
}

// Text_lesen through its three doors: the buffered reader's text, the
// buffered reader into a char buffer, and the plain file one byte at a time.
TEST(TextLesen, StopsAtTheTerminatorOrFailsAtTheLimit) {
    const struct { std::string bytes; int max; bool ok; std::string text; int64_t position; } cases[] = {
        {dbtest::text("abc") + "rest", 21, true, "abc", 4},
        {dbtest::text(""), 21, true, "", 1},
        {dbtest::text(std::string(20, 'x')), 21, true, std::string(20, 'x'), 21},
        {dbtest::scrambled(std::string(21, 'x')) + dbtest::text(""), 21, false, std::string(21, 'x'), 21},
        {dbtest::scrambled(std::string(151, 'y')), 151, false, std::string(151, 'y'), 151},
        {dbtest::text(std::string(150, 'y')), 151, true, std::string(150, 'y'), 151},
        {dbtest::scrambled("abc"), 21, false, "abc", 3},  // the file ends first
        {"", 21, false, "", 0},
    };
    testing_support::TempDir dir;
    for (const auto& c : cases) {
        SCOPED_TRACE(c.max);
        dbtest::writeFile(dir.file("t"), c.bytes);
        platform::File f;
        ASSERT_TRUE(f.open(dir.file("t"), platform::OpenMode::ReadOnly));
        for (int door = 0; door < 3; ++door) {
            std::vector<char> buffer(static_cast<size_t>(c.max) + 1, '\0');
            std::string text;
            ASSERT_TRUE(f.seek(0));
            DbReader in(f);
            const bool ok =
                door == 0   ? in.text(&text, c.max, kDatabaseKey)
                : door == 1 ? Text_lesen(in, buffer.data(), static_cast<int16_t>(c.max), kDatabaseKey)
                            : Text_lesen(f, buffer.data(), static_cast<int16_t>(c.max), kDatabaseKey);
            EXPECT_EQ(ok, c.ok);
            EXPECT_EQ(door == 0 ? text : std::string(buffer.data()), c.text);
            if (c.ok) { EXPECT_EQ(door == 2 ? f.position() : in.position(), c.position); }
        }
    }
}

}  // namespace
}  // namespace book
