#include "platform/core/codepage.h"

#include <gtest/gtest.h>

namespace platform {
namespace {

TEST(Codepage, EveryByteRoundTrips) {
    for (int b = 0; b < 256; ++b) {
        const std::string one(1, static_cast<char>(b));
        EXPECT_EQ(utf8ToCp1252(cp1252ToUtf8(one)), one) << b;
        EXPECT_EQ(utf8ToCp850(cp850ToUtf8(one)), one) << b;
    }
}

TEST(Codepage, GermanTexts) {
    EXPECT_EQ(cp1252("Überstunden mit €"), "\xDC" "berstunden mit \x80");
    EXPECT_EQ(cp1252ToUtf8("M\xE4rz"), "März");
    // OEM code page 850: ä = 0x84, ö = 0x94, ü = 0x81, ß = 0xE1, Ü = 0x9A.
    EXPECT_EQ(cp1252ToCp850(cp1252("äöüßÜ")), "\x84\x94\x81\xE1\x9A");
    EXPECT_EQ(cp850ToCp1252("\x84\x94\x81\xE1\x9A"), cp1252("äöüßÜ"));
    EXPECT_EQ(cp1252ToCp850("\x80"), "?");  // no euro sign in 850
}

TEST(Codepage, InvalidOrUnmappableUtf8BecomesReplacement) {
    EXPECT_EQ(utf8ToCp1252("a\xC3"), "a?");
    EXPECT_EQ(utf8ToCp1252("a\xFF" "b"), "a?b");
    EXPECT_EQ(utf8ToCp1252("日"), "?");
}

}  // namespace
}  // namespace platform
