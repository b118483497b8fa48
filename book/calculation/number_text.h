// Fixed-field number writing beyond `Zahl_in_Text`: the width a number needs
// and a writer that marks a field with "*" instead of dropping digits.
#pragma once

#include <cstdint>

namespace book {

// Characters `Zahl_in_Text` needs to show `value` completely (sign, digits,
// comma and the zero in front of it); 0 when it shows the value as blanks.
int zahlBreite(int64_t value, int decimals, bool showZero);

// As `Zahl_in_Text` into dest[0..last], but a value that needs more than
// last + 1 characters fills the whole field with "*".
void zahlInFeld(int64_t value, char* dest, int last, int decimals, bool showZero);

}  // namespace book
