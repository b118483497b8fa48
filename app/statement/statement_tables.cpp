#include "app/statement/statement_tables.h"

#include <algorithm>

#include "book/calculation/number_text.h"
#include "platform/core/codepage.h"

namespace app {
namespace {

constexpr char kEuro = '\x80';
constexpr int kFeld = 7;

// value in a right-aligned field of at least 7 characters; wider when the
// value needs it, so no digit is lost.
std::string feld(int64_t value, int decimals, bool showZero) {
    const int breite = std::max(kFeld, book::zahlBreite(value, decimals, showZero));
    std::string s(static_cast<size_t>(breite), ' ');
    book::zahlInFeld(value, s.data(), breite - 1, decimals, showZero);
    return s;
}

std::string teil(const std::string& s, size_t pos, size_t n) {
    return pos < s.size() ? s.substr(pos, n) : std::string();
}

// clang-format off
// Tab2's names and the sheet line's columns (0-based start, length) of the
// cells taken straight from the line.
const char* const kZeilenNamen[14] = {
    "lfd", "Datum", "Tag", "von", "bis", "Gesamt", "Normal", "Extra", "Nacht", "Feiertag",
    "Überstunden", "Mehrarbeit", "Sonntags", "Text"};
struct Spalte { size_t pos, len; };
const Spalte kZeilenSpalten[10] = {
    {0, 4},   // lfd: kind marker and line number
    {5, 5},   // Datum: dd.mm
    {11, 10}, // Tag: weekday name
    {22, 5},  // von
    {28, 5},  // bis
    {34, 5},  // Gesamt
    {39, 4},  // Normal
    {44, 4},  // Extra
    {49, 4},  // Nacht
    {54, 4},  // Feiertag
};
const char* const kSummenNamen[18] = {
    "Name", "PersNr", "Bereich", "Dat", "Gesamt", "UeMoSa", "UeSo", "Nacht", "UeFeiertag1",
    "UeFeiertag2", "WBAnzahl", "WBPKW", "WEAnzahl", "WEPKW", "WBSumme", "WBPKWS", "WESumme",
    "WEPKWS"};
// clang-format on

}  // namespace

std::string stundenFeld(int32_t minuten, int kommastellen) {
    int decimals = 1, divisor = 60;
    if (kommastellen == 0) {
        decimals = -1;
        divisor = 600;
    } else if (kommastellen == 2) {
        decimals = 2;
        divisor = 6;
    }
    return feld(int64_t{minuten} * 10 / divisor, decimals, false);
}

std::array<std::string, 14> zeilenZellen(const std::string& zeile, const std::string& text) {
    std::array<std::string, 14> z;
    for (size_t i = 0; i < 10; ++i)
        z[i] = teil(zeile, kZeilenSpalten[i].pos, kZeilenSpalten[i].len);
    // A Sunday is told by the weekday column; the work text may say anything.
    const bool sonntag = teil(zeile, 11, 7) == "Sonntag";
    const bool mehrarbeit = !zeile.empty() && zeile[0] == 'M';
    const std::string& gesamt = z[5];
    z[10] = mehrarbeit || sonntag ? std::string() : gesamt;
    z[11] = mehrarbeit ? gesamt : std::string();
    z[12] = sonntag ? gesamt : std::string();
    z[13] = text;
    return z;
}

void tabellenFuellen(const Abrechnung& a, report::TStringTab& tab1, report::TStringTab& tab2,
                     report::TStringTab& tab3) {
    tab1.Clear(true);
    tab2.Clear(true);
    tab3.Clear(true);

    tab1.Set_Tab(2, 18);
    for (uint32_t c = 0; c < 18; ++c) tab1.SetCell(0, c, platform::cp1252(kSummenNamen[c]));
    std::array<std::string, 18> w;
    w[0] = a.nachname + " " + a.vorname;
    w[1] = a.personalNr;
    w[2] = a.bereich;
    w[3] = a.monatText + " " + a.jahrText;
    for (size_t i = 0; i < 6; ++i) w[4 + i] = stundenFeld(a.gerundet[i], a.grundlagen.kommastellen);
    const int32_t anzahl[4] = {a.wochen, a.wochenPkw, a.wochenenden, a.wochenendenPkw};
    const uint32_t betrag[4] = {a.grundlagen.bereitschaftWoche, a.grundlagen.pkwWoche,
                                a.grundlagen.bereitschaftWochenende, a.grundlagen.pkwWochenende};
    for (size_t i = 0; i < 4; ++i) {
        // showZero only for 0: with digits it would add a leading zero.
        w[10 + i] = feld(anzahl[i], -1, anzahl[i] == 0);
        w[14 + i] = feld(int64_t{anzahl[i]} * betrag[i], 2, false);
        if (anzahl[i] != 0) w[14 + i] += kEuro;
    }
    for (uint32_t c = 0; c < 18; ++c) tab1.SetCell(1, c, w[c]);

    tab2.Set_Tab(1, 14);
    for (uint32_t c = 0; c < 14; ++c) tab2.SetCell(0, c, platform::cp1252(kZeilenNamen[c]));
    for (size_t i = 0; i < a.zeilen.size(); ++i) {
        const auto z = zeilenZellen(a.zeilen[i], i < a.texte.size() ? a.texte[i] : std::string());
        const report::TStringTab::CellList cells(z.begin(), z.end());
        tab2.InsertRow(-1, &cells, 1);
    }

    tab3.Set_Tab(10, 2);
    tab3.SetCell(0, 0, "KW");
    tab3.SetCell(0, 1, "VB");
    for (size_t j = 2; j < a.bereitschaftsZeilen.size() && j - 1 < 10; ++j) {
        const std::string& l = a.bereitschaftsZeilen[j];
        tab3.SetCell(static_cast<uint32_t>(j - 1), 0, teil(l, 0, 3));
        tab3.SetCell(static_cast<uint32_t>(j - 1), 1, teil(l, 2, 99));
    }
}

}  // namespace app
