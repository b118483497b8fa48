#include "book/number_text.h"

#include <gtest/gtest.h>

#include <string>

#include "book/zeitbuch.h"

namespace book {
namespace {

TEST(ZahlInText, FixedFieldsAndPredictedWidth) {
    // The last row loses digits on the left: zahlInFeld guards against that.
    const std::tuple<int32_t, int, int, bool, const char*> cases[] = {
        {5, 6, 2, false, "  0,05"},       {-125, 6, 2, false, " -1,25"},
        {0, 6, 2, false, "      "},       {0, 6, 2, true, "  0,00"},
        {0, 4, -1, true, "   0"},         {-120, 5, -1, false, " -120"},
        {-5, 7, 2, false, "  -0,05"},     {7, 4, -1, true, "  07"},
        {0, 2, -1, true, " 0"},           {INT32_MIN, 12, -1, false, " -2147483648"},
        {1040000, 7, 2, false, "0400,00"}};
    for (auto [value, width, decimals, showZero, expected] : cases) {
        std::string field(width + 2, '#');  // guard characters on both sides
        Zeitbuch::Zahl_in_Text(value, &field[1], width - 1, decimals, showZero);
        EXPECT_EQ(field, "#" + std::string(expected) + "#") << value;
        const int shown = width + 1 - int(field.find_first_not_of(' ', 1));
        EXPECT_EQ(zahlBreite(value, decimals, showZero), value == 1040000 ? 8 : shown) << value;
    }
}

TEST(ZahlInFeld, NeverDropsDigitsAndZweistelligLesenReadsWithoutChecks) {
    const std::tuple<int64_t, int, const char*> cases[] = {{1040000, 2, "*******"},
                                                           {-100000, 2, "*******"},
                                                           {int64_t{1} << 40, -1, "*******"},
                                                           {999999, 2, "9999,99"},
                                                           {15400, 2, " 154,00"}};
    for (auto [value, decimals, expected] : cases) {
        std::string field(7, '?');
        zahlInFeld(value, field.data(), 6, decimals, false);
        EXPECT_EQ(field, expected) << value;
    }
    // A blank tens character reads as -16; "ü0" as a signed char.
    for (auto [two, value] : {std::pair{"07", 7}, {"99", 99}, {" 5", -155}, {"\3740", -520}})
        EXPECT_EQ(Zeitbuch::Zweistellig_lesen(two), value) << two;
}

}  // namespace
}  // namespace book
