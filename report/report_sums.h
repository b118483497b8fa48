// The report's number helpers: `Str_in_Zahl` reads a whole number from a
// text, `AddStr` sums two decimal texts digit by digit (or joins texts).
#pragma once

#include <cstdint>
#include <string>
#include <string_view>

namespace report {

// Reads at most 16 characters: digits accumulate, the first "," or "." is
// passed over, a second one ends the reading, anything else is skipped.
// A value above 2147483647 gives 0.
int32_t Str_in_Zahl(std::string_view text);

// Digits with at most one decimal separator ("," or ".").
bool istZahl(std::string_view text);

// Two numbers: their sum with "," as separator and the longer fraction.
// Otherwise: a followed by b, or with numbersOnly the input that is a
// number ("0" when neither is).
std::string AddStr(std::string_view a, std::string_view b, bool numbersOnly);

}  // namespace report
