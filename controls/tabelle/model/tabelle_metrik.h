// How the grid table measures texts: at a size in points, normal or bold,
// since its chart and its printing change sizes; a fixed metric for tests.
#pragma once

#include <string_view>

namespace table {

class GitterMetrik {
public:
    virtual ~GitterMetrik() = default;
    // Width in pixels of a single-line Windows-1252 text.
    virtual int breite(std::string_view text, int punkte, bool fett) = 0;
    // Height of "A" (the text cell) at that size.
    virtual int hoehe(int punkte, bool fett) = 0;
};

// Characters of 3/4 of the point size (7/8 bold), lines of 13/8 of it:
// 6, 7 and 13 pixels at 8 points.
class FesteGitterMetrik : public GitterMetrik {
public:
    int breite(std::string_view text, int punkte, bool fett) override {
        return static_cast<int>(text.size()) * ((punkte * (fett ? 7 : 6) + 4) / 8);
    }
    int hoehe(int punkte, bool) override { return (punkte * 13 + 4) / 8; }
};

}  // namespace table
