// How the table measures its texts: an interface the control fills from its
// font, and a fixed metric for headless use.
#pragma once

#include <string_view>

namespace table {

class TextMetrik {
public:
    virtual ~TextMetrik() = default;
    // Width in pixels of a single-line Windows-1252 text in the cell font.
    virtual int breite(std::string_view text, bool fett) = 0;
    // Height of a text line in the cell font.
    virtual int hoehe() = 0;
    // Height of "A" in the control font at 16 points bold (title rows).
    virtual int titelHoehe() = 0;
};

// Every character the same width: layouts that tests can compute by hand.
class FesteMetrik : public TextMetrik {
public:
    FesteMetrik(int zeichen = 6, int fettZeichen = 7, int zeile = 13, int titel = 19)
        : zeichen_(zeichen), fett_(fettZeichen), zeile_(zeile), titel_(titel) {}
    int breite(std::string_view text, bool fett) override {
        return static_cast<int>(text.size()) * (fett ? fett_ : zeichen_);
    }
    int hoehe() override { return zeile_; }
    int titelHoehe() override { return titel_; }

private:
    int zeichen_, fett_, zeile_, titel_;
};

}  // namespace table
