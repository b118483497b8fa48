#include "controls/suchfeld/model/such_text.h"

#include <algorithm>

namespace table {
namespace {

unsigned char fold(unsigned char c) {
    constexpr unsigned char kAe = 0xE4, kOe = 0xF6, kUe = 0xFC;  // ä ö ü
    if ((c >= 65 && c <= 122) || c == kAe || c == kOe || c == kUe) return c & 0xDF;
    return c;
}

}  // namespace

int Vergleich(std::string_view suchText, std::string_view zelle, bool caseSensitive) {
    // The count cannot reach the flag bits: the walk ends with the shorter text.
    const size_t n = std::min({suchText.size(), zelle.size(), size_t{kVergleichAnzahl}});
    size_t i = 0;
    for (; i < n; ++i) {
        const auto a = static_cast<unsigned char>(suchText[i]);
        const auto b = static_cast<unsigned char>(zelle[i]);
        if (a == b) continue;
        if (caseSensitive || fold(a) != fold(b)) return static_cast<int>(i);
    }
    int result = static_cast<int>(i);
    if (i == suchText.size()) result |= i == zelle.size() ? kVergleichGleich : kVergleichPraefix;
    return result;
}

Auswahl notFundAuswahl(int textLaenge, int pos) {
    if (textLaenge <= 0) return {};
    if (pos == -1) return {textLaenge - 1, 1};
    const int start = std::clamp(pos, 0, textLaenge);
    return {start, textLaenge - start};
}

std::string Text_Ausgabe(std::string name, const std::function<int(const std::string&)>& breite,
                         int grenze) {
    while (name.size() >= 5 && breite(name) >= grenze)
        name = name.substr(0, name.size() - 4) + "...";
    return name;
}

}  // namespace table
