#include "book/calculation/number_text.h"

#include "book/sheet/zeitbuch.h"

namespace book {

int Zeitbuch::Zweistellig_lesen(const char* text) {
    // Signed characters on purpose: the callers check the digits first.
    const int tens = static_cast<signed char>(text[0]) - '0';
    const int ones = static_cast<signed char>(text[1]) - '0';
    return 10 * tens + ones;
}

// Writes from the right: digits, the comma once reached, zeros up to the one
// in front of the comma, then one "-" for a negative value and blanks.
// Digits that do not fit are lost; zahlInFeld guards against that.
void Zeitbuch::Zahl_in_Text(int32_t value, char* dest, int last, int decimals, bool showZero) {
    const int comma = decimals != -1 ? last - decimals : -1;
    int64_t v = value;  // -INT32_MIN does not fit in 32 bits
    const bool negative = v < 0;
    if (negative) v = -v;
    if (v != 0 && comma >= 0) showZero = true;
    bool minusPending = negative;
    for (int i = last; i >= 0; --i) {
        if (i == comma && (v != 0 || showZero)) {
            dest[i] = ',';
        } else if (v != 0) {
            dest[i] = static_cast<char>('0' + v % 10);
            v /= 10;
        } else if (showZero && i >= comma - 1) {
            dest[i] = '0';
            if (comma == -1 || i == comma - 1) showZero = false;
        } else if (minusPending) {
            dest[i] = '-';
            minusPending = false;
        } else {
            dest[i] = ' ';
        }
    }
}

int zahlBreite(int64_t value, int decimals, bool showZero) {
    const bool negative = value < 0;
    uint64_t v = negative ? 0 - static_cast<uint64_t>(value) : static_cast<uint64_t>(value);
    int digits = 0;
    for (uint64_t rest = v; rest != 0; rest /= 10) ++digits;
    int width;
    if (decimals >= 0) {
        if (v == 0 && !showZero) return 0;
        // Digits after the comma, the comma and at least one digit before it.
        width = (digits > decimals ? digits : decimals + 1) + 1;
    } else {
        // showZero without a comma writes one leading zero ("07").
        width = digits + (showZero ? 1 : 0);
        if (width == 0) return 0;
    }
    return width + (negative ? 1 : 0);
}

void zahlInFeld(int64_t value, char* dest, int last, int decimals, bool showZero) {
    if (value < INT32_MIN || value > INT32_MAX ||
        zahlBreite(value, decimals, showZero) > last + 1) {
        for (int i = 0; i <= last; ++i) dest[i] = '*';
        return;
    }
    Zeitbuch::Zahl_in_Text(static_cast<int32_t>(value), dest, last, decimals, showZero);
}

}  // namespace book
