// The totals block: the six minute totals rounded and shown as hours, and the
// four standby counts priced with the allowance amounts.
#include <algorithm>
#include <climits>

#include "book/calculation/number_text.h"
#include "book/calculation/standby_lines.h"
#include "book/sheet/zeitbuch.h"
#include "platform/core/codepage.h"

namespace book {
namespace {

// Lines 0-5 hold their figure in the last 7 characters.
constexpr int kFigureWidth = 7;
// Lines 7-10, counted back from the last character (the euro sign):
// count in 4 characters ending 10 before it, amount in the 7 before it.
constexpr int kCountEnd = 10;
constexpr int kCountWidth = 4;
constexpr int kAmountWidth = 7;
// Blanks between count and amount into which a long amount may grow.
constexpr int kAmountGrowth = 2;
// Settings shown in the lines: percentage in 31-33, allowance in 28-33.
constexpr int kPercentAt = 31;
constexpr int kAllowanceAt = 28;

constexpr char kEuro = '\x80';

int unitOf(const Berechnungsgrundlagen& g) {
    return g.rundung == 0 ? 60 : g.rundung;
}

// Rounds to a multiple of the unit. Always up: the smallest multiple >= v.
// Half-up: the nearest, ties upward; "2r < unit" keeps an odd unit's exact
// half from rounding down (7 of 15 rounds up only from 8). The remainder is
// taken toward -infinity so negative totals follow the same two rules.
int64_t roundToUnit(int64_t v, int unit, bool halfUp) {
    int64_t r = v % unit;
    if (r < 0) r += unit;
    if (r == 0) return v;
    if (halfUp && 2 * r < unit) return v - r;
    return v + unit - r;
}

// The eleven lines as created; "%" and the euro sign close the label.
const std::array<std::string, 11>& vorlage() {
    static const std::array<std::string, 11> lines = [] {
        using platform::cp1252;
        const std::string tail(8, ' ');
        const std::string euro = std::string(7, ' ') + kEuro + std::string(16, ' ');
        return std::array<std::string, 11>{
            std::string(18, ' ') + cp1252("Gesamtüberstunden") + tail,
            std::string(15, ' ') + cp1252("Überstunden mit    %") + tail,
            std::string(15, ' ') + cp1252("Überstunden mit    %") + tail,
            std::string(13, ' ') + "Nachtzuschlag mit    %" + tail,
            "  " + cp1252("Überst. mit Feiertagszuschl.    %") + tail,
            "  " + cp1252("Überst. mit Feiertagszuschl.    %") + tail,
            std::string(37, ' ') + "Anzahl Summe",
            "   Wochenbereitschaft Mo-Mo" + euro,
            std::string(13, ' ') + "mit privat PKW" + euro,
            "Wochenendbereitschaft Fr-Mo" + euro,
            std::string(13, ' ') + "mit privat PKW" + euro,
        };
    }();
    return lines;
}

}  // namespace

int32_t Zeitbuch::runden(int32_t minutes) const {
    const int64_t v = roundToUnit(minutes, unitOf(grundlagen), mathRunden);
    return static_cast<int32_t>(std::clamp<int64_t>(v, INT32_MIN, INT32_MAX));
}

std::array<std::string, 11> Zeitbuch::summenVorlage() {
    return vorlage();
}

void Zeitbuch::einstellungenEintragen() {
    for (size_t i = 0; i < summenZeilen.size(); ++i) {
        if (summenZeilen[i].size() != vorlage()[i].size()) summenZeilen[i] = vorlage()[i];
    }
    const uint16_t percent[5] = {grundlagen.prozentNormal, grundlagen.prozentExtra,
                                 grundlagen.prozentNacht, grundlagen.prozentFeiertag,
                                 grundlagen.prozentFeiertagWE};
    for (int i = 0; i < 5; ++i) {
        // showZero only for 0: with digits it would add a leading zero.
        zahlInFeld(percent[i], &summenZeilen[1 + i][kPercentAt], 2, -1, percent[i] == 0);
    }
    const uint32_t amount[4] = {grundlagen.bereitschaftWoche, grundlagen.pkwWoche,
                                grundlagen.bereitschaftWochenende, grundlagen.pkwWochenende};
    for (int i = 0; i < 4; ++i) {
        zahlInFeld(amount[i], &summenZeilen[kSummeWochen + i][kAllowanceAt], 5, 2, true);
    }
}

void Zeitbuch::Summen_anzeigen(int month) {
    // Lines that lost their layout are made again before any figure goes in.
    for (size_t i = 0; i < summenZeilen.size(); ++i) {
        if (summenZeilen[i].size() != vorlage()[i].size()) {
            einstellungenEintragen();
            break;
        }
    }

    // Hours from minutes: whole hours, tenths or hundredths, truncated.
    int decimals = 1, divisor = 60;
    if (grundlagen.kommastellen == 0) {
        decimals = -1;
        divisor = 600;
    } else if (grundlagen.kommastellen == 2) {
        decimals = 2;
        divisor = 6;
    }
    const int unit = unitOf(grundlagen);
    for (int i = 0; i < 6; ++i) {
        int64_t v = summen[i];
        if (i == 1) v -= korrekturNormal;
        if (i == 2) v -= korrekturExtra;
        v = roundToUnit(v, unit, mathRunden);
        std::string& line = summenZeilen[i];
        zahlInFeld(v * 10 / divisor, &line[line.size() - kFigureWidth], kFigureWidth - 1, decimals,
                   false);
    }

    struct Priced {
        int line;
        int32_t count;
        uint32_t amount;
        bool euro;
    };
    const bool pkwShown = pkw && bereitschaft;
    const Priced priced[4] = {
        {kSummeWochen, bereitschaft ? wochen : 0, grundlagen.bereitschaftWoche,
         bereitschaft && wochen != 0},
        {kSummeWochenPkw, pkwShown ? wochenPkw : 0, grundlagen.pkwWoche, pkwShown && wochenPkw > 0},
        {kSummeWochenenden, bereitschaft ? wochenenden : 0, grundlagen.bereitschaftWochenende,
         bereitschaft && wochenenden != 0},
        {kSummeWochenendenPkw, pkwShown ? wochenendenPkw : 0, grundlagen.pkwWochenende,
         pkwShown && wochenendenPkw > 0},
    };
    for (const Priced& p : priced) {
        std::string& line = summenZeilen[p.line];
        const int last = static_cast<int>(line.size()) - 1;
        zahlInFeld(p.count, &line[last - kCountEnd - kCountWidth + 1], kCountWidth - 1, -1, false);
        // A long amount grows left into the blanks before its field rather
        // than losing digits; what does not fit even there shows as "*".
        const int64_t cents = int64_t{p.count} * p.amount;
        const int room = kAmountWidth + kAmountGrowth;
        if (zahlBreite(cents, 2, false) <= room) {
            zahlInFeld(cents, &line[last - room], room - 1, 2, false);
        } else {
            std::fill_n(&line[last - room], kAmountGrowth, ' ');
            zahlInFeld(cents, &line[last - kAmountWidth], kAmountWidth - 1, 2, false);
        }
        line[last] = p.euro ? kEuro : ' ';
    }

    Bereitschaftszeile(bereitschaftsZeilen, bereitschaftsListe, jahresbilanz);

    if (blattAngezeigt) {
        host().repaintTotals();
        host().setCalendar(jahr, month != 0 ? month : monat, month != 0 ? 0 : tag,
                           bereitschaftsListe);
    }
}

}  // namespace book
