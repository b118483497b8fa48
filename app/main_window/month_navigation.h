// Stepping the shown month one back or forward, across the year's end, within
// the years the year field holds.
#pragma once

namespace app {

struct MonatJahr {
    int jahr = 1900;
    int monat = 1;  // 1..12
    bool operator==(const MonatJahr&) const = default;
};

inline constexpr int kErstesJahr = 1900;
inline constexpr int kLetztesJahr = 9999;

// The month `schritt` (-1 or +1) away; unchanged at the ends of the range.
MonatJahr monatSchritt(MonatJahr von, int schritt);

}  // namespace app
