#include <gtest/gtest.h>

#include <cmath>
#include <limits>
#include <random>

#include "controls/calendar/model/tdatetime_format.h"
#include "controls/calendar/model/zeit_layout.h"
#include "controls/calendar/model/zeit_text.h"
#include "tests/controls/calendar/zeit_test_support.h"

namespace calendar {
namespace {

using S = TZeitStyle;
using test_support::setUp;

const ZeitFields kMarch5{5, 3, 2024, 14, 7};
const ZeitFields kEmpty{};

TEST(ZeitText, GetAnsiForms) {
    struct Case {
        S style;
        ZeitFields f;
        bool textFormat, nullZeit;
        const char* expected;
    };
    const Case cases[] = {
        {S::zaBeides, kMarch5, false, false, "20240305140700"},
        {S::zaBeides, kMarch5, true, false, "05.03.202414:07"},
        {S::zaDatum, kMarch5, false, false, "20240305"},
        {S::zaUhr, {0, 0, 0, 9, 5}, true, false, "09:05"},
        {S::zaUhr, {0, 0, 0, 9, 5}, false, false, "090500"},
        {S::zaDatum, kEmpty, false, false, "NULL"},
        {S::zaDatum, kEmpty, true, false, ""},
        {S::zaDatum, kEmpty, true, true, "00000000"},
        {S::zaBeides, {5, 3, 2024, 14, -1}, false, false, "NULL"},  // the time is incomplete
        {S::zaDatum, {30, 2, 2024}, false, false, "NULL"},
    };
    for (const Case& c : cases) {
        ZeitModel m;
        setUp(m, c.style, c.f);
        m.TextFormat = c.textFormat;
        m.NullZeit = c.nullZeit;
        EXPECT_EQ(m.GetAnsi(), c.expected) << c.f;
    }
    ZeitModel m;
    setUp(m, S::zaBeides, {31, 12, 2024, 8, 0});
    EXPECT_EQ(m.GetDateAnsi(1), "20250101");
    EXPECT_EQ(m.GetTimeAnsi(), "080000");
}

TEST(ZeitText, SetAnsiTakesOnlySoundTexts) {
    struct Case {
        S style;
        bool textFormat;
        const char* text;
        ZeitFields expected;  // all empty: refused
    };
    const Case cases[] = {
        {S::zaBeides, false, "202403051407", kMarch5},
        {S::zaBeides, false, "20240305140700", kMarch5},
        {S::zaBeides, true, "05.03.202414:07", kMarch5},
        {S::zaDatum, true, "05.03.2024", {5, 3, 2024}},
        {S::zaUhr, true, "14:07", {0, 0, 0, 14, 7}},
        {S::zaUhr, false, "1407", {0, 0, 0, 14, 7}},
        {S::zaUhr, false, "::::", kEmpty},  // ":" is no digit
        {S::zaUhr, false, "2400", kEmpty},
        {S::zaUhr, false, "1260", kEmpty},
        {S::zaUhr, true, "14:0", kEmpty},  // short: nothing read past the end
        {S::zaBeides, false, "2024030514", kEmpty},
        {S::zaDatum, false, "2024033", kEmpty},
        {S::zaDatum, true, "05-03-2024", kEmpty},
        {S::zaDatum, false, "20241305", kEmpty},  // month 13
        {S::zaDatum, false, "20230229", kEmpty},
        {S::zaDatum, false, "18991231", kEmpty},
        {S::zaDatum, false, "NULL", kEmpty},
        {S::zaDatum, false, "00000000", kEmpty},
    };
    for (const Case& c : cases) {
        ZeitModel m;
        // A value before, in the parts the style shows.
        ZeitFields before{1, 1, 2000, 1, 1};
        if (!hasDate(c.style)) before.day = before.month = before.year = 0;
        if (!hasTime(c.style)) before.hour = before.minute = -1;
        setUp(m, c.style, before);
        m.TextFormat = c.textFormat;
        m.Change = true;
        m.SetAnsi(c.text);
        EXPECT_EQ(m.fields(), c.expected) << c.text;
        EXPECT_FALSE(m.Change);
    }
}

// Random valid values survive SetValue -> GetAnsi -> SetAnsi -> GetValue in
// every style and form, to the minute.
TEST(ZeitText, ValuesRoundTripThroughTheirTexts) {
    std::mt19937 rng(17);
    std::uniform_int_distribution<int> day(platform::dayNumber(1900, 1, 1),
                                           platform::dayNumber(9999, 12, 31));
    std::uniform_int_distribution<int> ms(0, 86399999);
    for (int i = 0; i < 3000; ++i) {
        const double v = day(rng) + ms(rng) / 86400000.0;
        const S style = static_cast<S>(i % 3);
        const bool textFormat = (i / 3) % 2 == 1, nullZeit = (i / 6) % 2 == 1;
        ZeitModel from, to;
        for (ZeitModel* m : {&from, &to}) {
            m->SetStyle(style);
            m->TextFormat = textFormat;
            m->NullZeit = nullZeit;
        }
        from.SetValue(v);
        to.SetAnsi(from.GetAnsi());
        const platform::TimeOfDay t = platform::decodeTime(v);
        const double minute = platform::encodeTime(t.hour, t.minute);
        const double expected = style == S::zaDatum ? std::floor(v)
                                : style == S::zaUhr ? minute
                                                    : std::floor(v) + minute;
        ASSERT_EQ(to.GetValue(), expected) << from.GetAnsi() << " style " << i % 3;
    }
}

TEST(ZeitClipboard, EightLittleEndianBytesOfASoundValue) {
    EXPECT_EQ(encodeTDateTime(1.0), std::string("\0\0\0\0\0\0\xF0\x3F", 8));
    const double inf = std::numeric_limits<double>::infinity();
    const double last = platform::encodeDate(9999, 12, 31) + 0.999;
    for (double v : {-1.0, -0.5, 0.25, 2.0, 45356.5, last})
        EXPECT_EQ(decodeTDateTime(encodeTDateTime(v)), v) << v;
    for (double v : {std::nan(""), inf, -inf, 1e300, -2.0, 1.5, last + 1})
        EXPECT_FALSE(decodeTDateTime(encodeTDateTime(v))) << v;
    const std::string ok = encodeTDateTime(45356.5);
    EXPECT_FALSE(decodeTDateTime(ok.substr(0, 7)));
    EXPECT_FALSE(decodeTDateTime(ok + '\0'));
}

TEST(ZeitLayout, SizesAndCellsFitTheCharacterCell) {
    // Character cell 8 x 15; caption 30 pixels wide.
    const ZeitLayout d = layoutZeit(S::zaDatum, true, 0, 8, 15);
    EXPECT_EQ(std::tuple(d.width, d.height, d.x0, d.buttonX, d.blockCount, d.zeitDatum),
              std::tuple(105, 19, 5, 90, 1, false));
    const ZeitLayout b = layoutZeit(S::zaBeides, false, 30, 8, 15);
    EXPECT_EQ(std::tuple(b.width, b.blocks[0].box, b.blocks[1].box, b.blocks[1].textX),
              std::tuple(188, Rect{32, 2, 118, 17}, Rect{125, 2, 171, 17}, 128));
    EXPECT_EQ(b.cursorCell(10), (Rect{152, 4, 160, 17}));  // "HH:M" before it
    // Every digit's cell leads back to the digit; separators and the box's
    // padding go to the digit before them or the block's last.
    for (S style : {S::zaDatum, S::zaUhr, S::zaBeides})
        for (bool zd : {false, true}) {
            const ZeitLayout l = layoutZeit(style, zd, 12, 8, 15);
            for (int digit = 0; digit <= lastDigit(style); ++digit) {
                const Rect c = l.cursorCell(digit);
                ASSERT_EQ(l.digitAt(c.left + 4, 8), digit) << int(style) << zd;
            }
            ASSERT_EQ(l.digitAt(l.blocks[0].box.left, 8),
                      l.blocks[0].date || style == S::zaUhr ? 0 : 8);
            ASSERT_EQ(l.digitAt(l.x0 + 2 * 8 + 4, 8),
                      l.blocks[0].date || style == S::zaUhr ? 1 : 9);
            ASSERT_EQ(l.digitAt(l.blocks[0].box.right, 8), l.blocks[0].date    ? 7
                                                           : style == S::zaUhr ? 3
                                                                               : 11);
            ASSERT_EQ(l.digitAt(l.buttonX + 2, 8), -1);
        }
}

}  // namespace
}  // namespace calendar
