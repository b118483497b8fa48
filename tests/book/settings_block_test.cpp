#include "book/settings_block.h"

#include <gtest/gtest.h>

namespace book {
namespace {

TEST(SettingsBlock, DefaultsEncodeToTheExactImage) {
    const std::array<uint8_t, 56> expected = {
        25, 0, 50, 0, 25, 0, 140, 0, 100, 0,  // percentages
        0, 0,                                  // reserved
        0xB0, 0x04, 0, 0,                      // night start 1200
        0xA0, 0x05, 0, 0,                      // night end 1440
        0x68, 0x01, 0, 0,                      // morning end 360
        120, 0, 0, 0,                          // daily budget
        0x77, 0, 0, 0,                         // Sunday only, reserved
        0x14, 0x1E, 0, 0,                      // 7700 cents
        0xD8, 0x0E, 0, 0,                      // 3800
        0x28, 0x0A, 0, 0,                      // 2600
        0xDC, 0x05, 0, 0,                      // 1500
        1, 6, 0xAE, 0x00, 1, 0, 0, 0};
    const Berechnungsgrundlagen defaults;
    EXPECT_EQ(defaults.encode(), expected);
    EXPECT_EQ(Berechnungsgrundlagen::decode(expected), defaults);
}

TEST(SettingsBlock, ReservedBytesSurviveAndUnitZeroReadsAsSixty) {
    Berechnungsgrundlagen b;
    auto image = b.encode();
    image[10] = 0xAB;
    image[31] = 0xCD;
    image[55] = 0xEF;
    image[49] = 0;
    const auto decoded = Berechnungsgrundlagen::decode(image);
    EXPECT_EQ(decoded.rundung, 60);
    auto again = decoded.encode();
    EXPECT_EQ(again[10], 0xAB);
    EXPECT_EQ(again[31], 0xCD);
    EXPECT_EQ(again[55], 0xEF);
}

TEST(SettingsBlock, NightWindowEntry) {
    struct Case {
        uint32_t start, end, storedEnd, morningEnd;
    };
    for (const Case& c : {Case{60, 300, 300, 0}, Case{1320, 360, 1440, 360},
                          Case{1200, 1200, 1440, 1200}}) {
        Berechnungsgrundlagen b;
        b.setNachtfenster(c.start, c.end);
        EXPECT_EQ(b.nachtStart, c.start);
        EXPECT_EQ(b.nachtEnde, c.storedEnd);
        EXPECT_EQ(b.morgenEnde, c.morningEnd);
    }
}

}  // namespace
}  // namespace book
