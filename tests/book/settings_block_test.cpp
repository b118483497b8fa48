#include "book/settings_block.h"

#include <gtest/gtest.h>

namespace book {
namespace {

TEST(SettingsBlock, DefaultsEncodeToTheExactImageAndBack) {
    const std::array<uint8_t, 56> expected = {
        25,   0,    50, 0, 25,   0,    140, 0, 100, 0, 0, 0,  // percentages, reserved
        0xB0, 0x04, 0,  0, 0xA0, 0x05, 0,   0,                // night 1200 to 1440
        0x68, 0x01, 0,  0, 120,  0,    0,   0,                // morning end 360, budget
        0x77, 0,    0,  0, 0x14, 0x1E, 0,   0,                // Sunday only; 7700 cents
        0xD8, 0x0E, 0,  0, 0x28, 0x0A, 0,   0,                // 3800, 2600
        0xDC, 0x05, 0,  0, 1,    6,    0xAE, 0, 1, 0, 0, 0};  // 1500; flags
    const Berechnungsgrundlagen defaults;
    EXPECT_EQ(defaults.encode(), expected);
    EXPECT_EQ(Berechnungsgrundlagen::decode(expected), defaults);
    // Reserved bytes survive; a rounding unit of 0 reads as 60.
    auto image = expected;
    image[10] = 0xAB;
    image[31] = 0xCD;
    image[55] = 0xEF;
    image[49] = 0;
    const auto decoded = Berechnungsgrundlagen::decode(image);
    EXPECT_EQ(decoded.rundung, 60);
    image[49] = 60;
    EXPECT_EQ(decoded.encode(), image);
}

}  // namespace
}  // namespace book
