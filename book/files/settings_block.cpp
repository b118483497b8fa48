#include "book/files/settings_block.h"

namespace book {
namespace {

// offset | size | field
//   0    |  2   | normal percentage
//   2    |  2   | extra percentage
//   4    |  2   | night percentage
//   6    |  2   | holiday class 1 percentage
//   8    |  2   | holiday class 2 percentage
//  10    |  2   | reserved, written back unchanged
//  12    |  4   | night window start (minutes)
//  16    |  4   | night window end on the same day
//  20    |  4   | morning end
//  24    |  4   | daily budget at the normal percentage
//  28    |  1   | extra-percentage weekday range
//  29    |  3   | reserved
//  32    |  4   | standby week amount (cents)
//  36    |  4   | standby weekend amount
//  40    |  4   | private-car week amount
//  44    |  4   | private-car weekend amount
//  48    |  1   | decimals
//  49    |  1   | rounding unit (0 reads as 60)
//  50    |  2   | option bits
//  52    |  1   | backup generations
//  53    |  3   | reserved

using Image = std::array<uint8_t, Berechnungsgrundlagen::kSize>;

void put16(Image& b, int at, uint16_t v) {
    b[at] = static_cast<uint8_t>(v);
    b[at + 1] = static_cast<uint8_t>(v >> 8);
}

void put32(Image& b, int at, uint32_t v) {
    for (int i = 0; i < 4; ++i) b[at + i] = static_cast<uint8_t>(v >> (8 * i));
}

uint16_t get16(const Image& b, int at) { return static_cast<uint16_t>(b[at] | (b[at + 1] << 8)); }

uint32_t get32(const Image& b, int at) {
    uint32_t v = 0;
    for (int i = 3; i >= 0; --i) v = (v << 8) | b[at + i];
    return v;
}

template <size_t N>
void putBytes(Image& b, int at, const std::array<uint8_t, N>& src) {
    for (size_t i = 0; i < N; ++i) b[at + i] = src[i];
}

template <size_t N>
void getBytes(const Image& b, int at, std::array<uint8_t, N>& dst) {
    for (size_t i = 0; i < N; ++i) dst[i] = b[at + i];
}

}  // namespace

void Berechnungsgrundlagen::setNachtfenster(uint32_t start, uint32_t end) {
    nachtStart = start;
    if (end <= start) {  // crosses midnight
        nachtEnde = 1440;
        morgenEnde = end;
    } else {
        nachtEnde = end;
        morgenEnde = 0;
    }
}

std::array<uint8_t, Berechnungsgrundlagen::kSize> Berechnungsgrundlagen::encode() const {
    Image b{};
    put16(b, 0, prozentNormal);
    put16(b, 2, prozentExtra);
    put16(b, 4, prozentNacht);
    put16(b, 6, prozentFeiertag);
    put16(b, 8, prozentFeiertagWE);
    putBytes(b, 10, reserved10);
    put32(b, 12, nachtStart);
    put32(b, 16, nachtEnde);
    put32(b, 20, morgenEnde);
    put32(b, 24, tagesBudget);
    b[28] = extraTage;
    putBytes(b, 29, reserved29);
    put32(b, 32, bereitschaftWoche);
    put32(b, 36, bereitschaftWochenende);
    put32(b, 40, pkwWoche);
    put32(b, 44, pkwWochenende);
    b[48] = kommastellen;
    b[49] = rundung;
    put16(b, 50, optionen);
    b[52] = folgesicherungen;
    putBytes(b, 53, reserved53);
    return b;
}

Berechnungsgrundlagen Berechnungsgrundlagen::decode(const std::array<uint8_t, kSize>& b) {
    Berechnungsgrundlagen s;
    s.prozentNormal = get16(b, 0);
    s.prozentExtra = get16(b, 2);
    s.prozentNacht = get16(b, 4);
    s.prozentFeiertag = get16(b, 6);
    s.prozentFeiertagWE = get16(b, 8);
    getBytes(b, 10, s.reserved10);
    s.nachtStart = get32(b, 12);
    s.nachtEnde = get32(b, 16);
    s.morgenEnde = get32(b, 20);
    s.tagesBudget = get32(b, 24);
    s.extraTage = b[28];
    getBytes(b, 29, s.reserved29);
    s.bereitschaftWoche = get32(b, 32);
    s.bereitschaftWochenende = get32(b, 36);
    s.pkwWoche = get32(b, 40);
    s.pkwWochenende = get32(b, 44);
    s.kommastellen = b[48];
    s.rundung = b[49] == 0 ? 60 : b[49];
    s.optionen = get16(b, 50);
    s.folgesicherungen = b[52];
    getBytes(b, 53, s.reserved53);
    return s;
}

std::ostream& operator<<(std::ostream& os, const Berechnungsgrundlagen& b) {
    return os << "{%" << b.prozentNormal << '/' << b.prozentExtra << '/' << b.prozentNacht << '/'
              << b.prozentFeiertag << '/' << b.prozentFeiertagWE << " night " << b.nachtStart
              << '-' << b.nachtEnde << '+' << b.morgenEnde << " budget " << b.tagesBudget
              << " range 0x" << std::hex << int(b.extraTage) << std::dec << " amounts "
              << b.bereitschaftWoche << '/' << b.bereitschaftWochenende << '/' << b.pkwWoche << '/'
              << b.pkwWochenende << " dec " << int(b.kommastellen) << " unit " << int(b.rundung)
              << " opt 0x" << std::hex << b.optionen << std::dec << " gen "
              << int(b.folgesicherungen) << '}';
}

}  // namespace book
