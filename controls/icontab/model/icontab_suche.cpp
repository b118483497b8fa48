// The row searches of IconTabBedienung: the search field's "search now"
// (and the typed search without a field), and FindRow's prefix search.
#include <algorithm>

#include "controls/icontab/model/icontab_bedienung.h"
#include "controls/suchfeld/model/such_text.h"

namespace table {
namespace {

// Case folding of the searches: 'A'..'z' and ä ö ü with bit 5 cleared.
unsigned char falte(unsigned char c) {
    constexpr unsigned char kAe = 0xE4, kOe = 0xF6, kUe = 0xFC;
    return (c >= 'A' && c <= 'z') || c == kAe || c == kOe || c == kUe ? c & 0xDF : c;
}

}  // namespace

int gleicheZeichen(std::string_view a, std::string_view b) {
    const size_t n = std::min(a.size(), b.size());
    size_t i = 0;
    while (i < n &&
           falte(static_cast<unsigned char>(a[i])) == falte(static_cast<unsigned char>(b[i])))
        ++i;
    return static_cast<int>(i);
}

void IconTabBedienung::Suche(Such_Kommando cmd) {
    if (cmd == kSucheJetzt) {
        suchen();
    } else {
        IconTabModell::Suche(cmd);
    }
}

// Walks the search column of the last table from the start row, once
// around; see Suche for the rules of a hit.
void IconTabBedienung::suchen() {
    const int aufruf = ++sucheZaehler_;
    const bool feld = suchfeldDa();
    Tabdefinition* t = GetTabelle(tabellenZahl() - 1, false);
    if (t == nullptr) return;
    if (!weiter_ && feld) weiter_ = suchfeldVon();
    const bool gewaehlt = t->Selected >= t->FixedRows && t->hatRow(t->Selected);
    const int erste = t->FixedRows;
    const int start = weiter_ && gewaehlt ? t->Selected + 1 : erste;
    weiter_ = true;
    const int spalte = suchSpalte();
    const int nummer = t->Nummer;
    int gefunden = -1, praefix = -1, laengste = 0;
    const int n = t->rowCount();
    for (int i = 0; i < n - erste && gefunden < 0; ++i) {
        int row = start + i;
        if (row >= n) row = erste + (row - n);
        const std::string zelle = GetCell(spalte, row, nummer);
        if (GetTabelle(nummer, false) != t) return;  // a data handler freed the table
        if (feld) {
            const int v = suchfeldVergleich(zelle);
            if (v & kVergleichGleich) {
                gefunden = row;
            } else if (v & kVergleichPraefix) {
                if (praefix < 0) praefix = row;
            } else {
                laengste = std::max(laengste, v & kVergleichAnzahl);
            }
        } else if (gleicheZeichen(suchText_, zelle) == static_cast<int>(suchText_.size())) {
            gefunden = row;
        }
    }
    if (gefunden < 0) gefunden = praefix;
    weiter_ = false;
    if (aufruf != sucheZaehler_) return;  // a later search overtook this one
    if (gefunden < 0) {
        beep();
        if (feld) {
            suchfeldNotFund(laengste);
        } else if (!suchText_.empty()) {
            suchText_.pop_back();
        }
        return;
    }
    if (!auswahlSichtbar() || gefunden == t->Selected) return;
    ChangeRow(gefunden, t);
    if (eingabeOffen() && eingabe_->tab == t) {
        Set_Input(gefunden);
        cursorSetzen(0, true);
    }
    setAktuelleSpalte(0);
    if (OnSelectCell) OnSelectCell(*this, gefunden, 0);
}

int IconTabBedienung::FindRow(const std::string& text, bool select, int col, ui::EditField* edit,
                              int startRow, bool exactOnly, int tab, SuchResult* out) {
    Tabdefinition* t = tab == -1 ? aktuelleTabelle() : GetTabelle(tab, false);
    if (t == nullptr || col < 0 || col >= t->Spalten) return -1;
    const int erste = t->FixedRows;
    const int n = t->rowCount();
    if (n <= erste) return -1;
    int start = erste;
    if (startRow == -1) {
        if (t->Selected >= erste && t->Selected < n) start = t->Selected;
    } else if (startRow >= erste && startRow < n) {
        start = startRow;
    }
    const int nummer = t->Nummer;
    int best = -1, bestAnzahl = -1;
    std::string bestZelle;
    for (int i = 0; i < n - erste; ++i) {
        int row = start + i;
        if (row >= n) row -= n - erste;
        const std::string zelle = GetCell(col, row, nummer);
        if (GetTabelle(nummer, false) != t) return -1;
        const int gleich = gleicheZeichen(text, zelle);
        if (gleich != static_cast<int>(text.size())) continue;
        if (zelle.size() == text.size()) {
            best = row;
            bestAnzahl = gleich;
            bestZelle = zelle;
            break;
        }
        if (!exactOnly && gleich > bestAnzahl) {
            best = row;
            bestAnzahl = gleich;
            bestZelle = zelle;
        }
    }
    if (best < 0) {
        if (edit != nullptr) beep();
        return -1;
    }
    const int rest = static_cast<int>(bestZelle.size()) - bestAnzahl;
    if (edit != nullptr) {
        // Type-ahead completion: what was typed stays, the rest is offered.
        edit->setText(bestZelle);
        edit->setSelection(bestAnzahl, rest);
    }
    if (out != nullptr) *out = SuchResult{best, bestAnzahl, rest};
    if (select && best != t->Selected) {
        if (t->Anzeige == A_Tabelle && maxTopRow() > 0)
            Ver_Change(SB_THUMBPOSITION, std::min(best - erste, maxTopRow()));
        ChangeRow(best, t);
        if (col < kSpaltenGrenze) setSuchSpalte(col);
    }
    return best;
}

}  // namespace table
