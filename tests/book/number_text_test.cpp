#include "book/number_text.h"

#include <gtest/gtest.h>

#include <string>

#include "book/zeitbuch.h"

namespace book {
namespace {

std::string write(int32_t value, int width, int decimals, bool showZero) {
    std::string field(width + 2, '#');  // guard characters on both sides
    Zeitbuch::Zahl_in_Text(value, &field[1], width - 1, decimals, showZero);
    EXPECT_EQ(field.front(), '#');
    EXPECT_EQ(field.back(), '#');
    return field.substr(1, width);
}

TEST(ZahlInText, FixedFieldCases) {
    struct Case {
        int32_t value;
        int width, decimals;
        bool showZero;
        const char* expected;
    };
    const Case cases[] = {
        {5, 6, 2, false, "  0,05"},
        {-125, 6, 2, false, " -1,25"},
        {0, 6, 2, false, "      "},
        {0, 6, 2, true, "  0,00"},
        {0, 4, -1, false, "    "},
        {0, 4, -1, true, "   0"},
        {240, 5, -1, false, "  240"},
        {-120, 5, -1, false, " -120"},
        {11, 7, 1, false, "    1,1"},
        {101, 7, 2, false, "   1,01"},
        {15400, 7, 2, false, " 154,00"},
        {7700, 6, 2, true, " 77,00"},
        {-5, 7, 2, false, "  -0,05"},
        {7, 3, -1, false, "  7"},
        // Digits that do not fit are lost from the left (zahlInFeld guards).
        {1040000, 7, 2, false, "0400,00"},
        {INT32_MIN, 12, -1, false, " -2147483648"},
        // showZero without decimals writes one leading zero: two-digit fields.
        {7, 4, -1, true, "  07"},
        {0, 2, -1, true, " 0"},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(write(c.value, c.width, c.decimals, c.showZero), c.expected)
            << c.value << " in " << c.width << " with " << c.decimals;
    }
}

TEST(ZahlInText, WidthMatchesWhatIsWritten) {
    // zahlBreite must predict exactly the non-blank part Zahl_in_Text writes.
    for (int decimals : {-1, 1, 2}) {
        for (bool showZero : {false, true}) {
            for (int32_t v : {0, 1, -1, 9, 10, -10, 99, 100, 101, -999, 12345, -12345, 999999}) {
                const std::string text = write(v, 12, decimals, showZero);
                const size_t first = text.find_first_not_of(' ');
                const int shown = first == std::string::npos ? 0 : 12 - static_cast<int>(first);
                EXPECT_EQ(zahlBreite(v, decimals, showZero), shown)
                    << v << " decimals " << decimals << " showZero " << showZero;
            }
        }
    }
}

TEST(ZahlInFeld, NeverDropsDigits) {
    std::string field(7, '?');
    zahlInFeld(1040000, field.data(), 6, 2, false);
    EXPECT_EQ(field, "*******");
    zahlInFeld(-100000, field.data(), 6, 2, false);  // "-1000,00" needs eight
    EXPECT_EQ(field, "*******");
    zahlInFeld(int64_t{1} << 40, field.data(), 6, -1, false);
    EXPECT_EQ(field, "*******");
    zahlInFeld(999999, field.data(), 6, 2, false);
    EXPECT_EQ(field, "9999,99");
    zahlInFeld(15400, field.data(), 6, 2, false);
    EXPECT_EQ(field, " 154,00");
}

TEST(ZweistelligLesen, ReadsTwoCharactersWithoutChecks) {
    EXPECT_EQ(Zeitbuch::Zweistellig_lesen("07"), 7);
    EXPECT_EQ(Zeitbuch::Zweistellig_lesen("31"), 31);
    EXPECT_EQ(Zeitbuch::Zweistellig_lesen("99"), 99);
    // Not checked: a blank tens digit counts as -16, an underscore as 47.
    EXPECT_EQ(Zeitbuch::Zweistellig_lesen(" 5"), 10 * (' ' - '0') + 5);
    EXPECT_EQ(Zeitbuch::Zweistellig_lesen("_0"), 10 * ('_' - '0'));
    // Characters above 0x7F count as negative (signed).
    EXPECT_EQ(Zeitbuch::Zweistellig_lesen("\3740"), 10 * (-4 - '0'));  // "ü0"
}

}  // namespace
}  // namespace book
