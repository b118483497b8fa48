#include "book/number_text.h"

#include <gtest/gtest.h>

#include <string>

#include "book/zeitbuch.h"

namespace book {
namespace {

TEST(ZahlInText, FixedFieldsAndPredictedWidth) {
    struct Case {
        int32_t value;
        int width, decimals;
        bool showZero;
        const char* expected;
    };
    const Case cases[] = {
        {5, 6, 2, false, "  0,05"},      {-125, 6, 2, false, " -1,25"}, {0, 6, 2, false, "      "},
        {0, 6, 2, true, "  0,00"},       {0, 4, -1, false, "    "},     {0, 4, -1, true, "   0"},
        {-120, 5, -1, false, " -120"},   {11, 7, 1, false, "    1,1"},  {101, 7, 2, false, "   1,01"},
        {-5, 7, 2, false, "  -0,05"},    {7, 4, -1, true, "  07"},      {0, 2, -1, true, " 0"},
        {INT32_MIN, 12, -1, false, " -2147483648"},
        {1040000, 7, 2, false, "0400,00"},  // lost from the left: zahlInFeld guards
    };
    for (const Case& c : cases) {
        std::string field(c.width + 2, '#');  // guard characters on both sides
        Zeitbuch::Zahl_in_Text(c.value, &field[1], c.width - 1, c.decimals, c.showZero);
        EXPECT_EQ(field, "#" + std::string(c.expected) + "#") << c.value;
        const size_t first = field.find_first_not_of(' ', 1);
        if (c.value != 1040000) {
            EXPECT_EQ(zahlBreite(c.value, c.decimals, c.showZero), c.width + 1 - int(first)) << c.value;
        }
    }
}

TEST(ZahlInFeld, NeverDropsDigits) {
    struct Case {
        int64_t value;
        int decimals;
        const char* expected;
    };
    for (const Case& c : {Case{1040000, 2, "*******"}, Case{-100000, 2, "*******"},
                          Case{int64_t{1} << 40, -1, "*******"}, Case{999999, 2, "9999,99"},
                          Case{15400, 2, " 154,00"}}) {
        std::string field(7, '?');
        zahlInFeld(c.value, field.data(), 6, c.decimals, false);
        EXPECT_EQ(field, c.expected) << c.value;
    }
}

TEST(ZweistelligLesen, ReadsTwoCharactersWithoutChecks) {
    EXPECT_EQ(Zeitbuch::Zweistellig_lesen("07"), 7);
    EXPECT_EQ(Zeitbuch::Zweistellig_lesen("99"), 99);
    EXPECT_EQ(Zeitbuch::Zweistellig_lesen(" 5"), 10 * (' ' - '0') + 5);  // blank tens: -16
    EXPECT_EQ(Zeitbuch::Zweistellig_lesen("\3740"), 10 * (-4 - '0'));    // "ü0": signed char
}

}  // namespace
}  // namespace book
