// `Zeile_auswaehlen`: opens a sheet line in the entry line, drops a pending
// insert that was left (and then runs the recomputation it held back), and
// proposes the to-time for today's new line.
#include <algorithm>

#include "book/sheet/zeitbuch.h"

namespace book {
namespace {

void writeTwoDigits(std::string& line, int column, int value) {
    line[column] = static_cast<char>('0' + value / 10 % 10);
    line[column + 1] = static_cast<char>('0' + value % 10);
}

int fieldOr(const std::string& line, int column, int fallback) {
    const char a = line[column];
    const char b = line[column + 1];
    if (a < '0' || a > '9' || b < '0' || b > '9') return fallback;
    return Zeitbuch::Zweistellig_lesen(&line[column]);
}

}  // namespace

void Zeitbuch::Zeile_auswaehlen(int index, bool force, bool displayOnly) {
    if (zeilen.empty()) return;  // the template line is always there
    index = std::clamp(index, 0, static_cast<int>(zeilen.size()) - 1);

    if (index != aktuelleZeile || force) {
        const bool changed = index != aktuelleZeile;
        if (changed) host().setTimeCaret(col::kDay);

        // An inserted line that was left without storing it goes again.
        if (einfuegeIndex != -1 && einfuegeIndex != index &&
            einfuegeIndex < static_cast<int>(zeilen.size())) {
            zeilen.erase(zeilen.begin() + einfuegeIndex);
            if (einfuegeIndex < static_cast<int>(texte.size()))
                texte.erase(texte.begin() + einfuegeIndex);
            if (index > einfuegeIndex) --index;
            host().adjustScrollRange();
            einfuegeIndex = -1;
        }
        const int lastLine = static_cast<int>(zeilen.size()) - 1;

        if (!displayOnly) {
            eingabe = zeilen[index];
            eingabe.resize(kLineLength, ' ');
        }

        if (index == lastLine || einfuegeIndex != -1 || displayOnly) {
            if (!displayOnly) {
                host().enableAction(Action::Loeschen, false);
                host().enableAction(Action::EintragEinfuegen, false);
            }
            writeTwoDigits(eingabe, col::kDay, tag);
            writeTwoDigits(eingabe, col::kMonth, monat);

            const bool heute = tag == heuteTag && jahr == heuteJahr && monat == heuteMonat;
            if (zeitvorschlag && heute && eingabe[col::kToHour] == '_' && !vorschlagGemacht) {
                // Now, rounded up to the next full ten minutes.
                int stunde = heuteStunde;
                int minute = (heuteMinute + 9) / 10 * 10;
                if (minute >= 60) {
                    minute -= 60;
                    ++stunde;
                }
                if (stunde >= 24) stunde = 0;
                writeTwoDigits(eingabe, col::kToHour, stunde);
                eingabe[col::kToMinute] = static_cast<char>('0' + minute / 10);
                eingabe[col::kToMinute + 1] = '0';
                vorschlagGemacht = true;
            } else if (!heute) {
                vorschlagGemacht = false;
            }
        } else if (!jahresbilanz) {
            host().enableAction(Action::Loeschen, true);
            host().enableAction(Action::EintragEinfuegen, true);
        }

        const std::string text =
            index < static_cast<int>(texte.size()) ? texte[index].substr(0, kWorkTextMax) : "";
        textPuffer.assign(151, ' ');
        textPuffer.replace(0, text.size(), text);
        textLaenge = static_cast<int>(text.size());
        if (changed)
            host().setTextCursor(textLaenge, 0);
        else
            host().setTextPosition(textLaenge);
        aktuelleZeile = index;
        if (!jahresbilanz) {
            host().setCalendar(jahr, fieldOr(eingabe, col::kMonth, monat),
                               fieldOr(eingabe, col::kDay, tag), bereitschaftsListe);
            blattNeuZeichnen(false);
        }
        // The figures of a switch changed while the inserted line was open.
        if (neuBerechnungFaellig && !zeileInBearbeitung()) Zuschlaege_neu_berechnen();
    }

    host().ensureLineVisible(index);
}

}  // namespace book
