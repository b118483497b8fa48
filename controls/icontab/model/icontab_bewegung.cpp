// Mouse movement over IconTabBedienung: the pointer over the title's column
// borders, sizing a column by its border, and selecting the editor's text by
// dragging; the other views only note the move.
#include <algorithm>
#include <cstdlib>

#include "controls/icontab/model/icontab_bedienung.h"

namespace table {
namespace {

// How far from a column border the pointer may be to grab it.
constexpr int kGrenzAbstand = 2;
// A sized column keeps at least this width, so its border stays grabbable.
constexpr int kKleinsteBreite = 3;

}  // namespace

Zeiger IconTabBedienung::EvMove(int x, int y) {
    const Tabdefinition* t = aktuelleTabelle();
    if (GetA_Format() != A_Tabelle || (t != nullptr && t->IstGrafik)) {
        ansichtMaus(x, y);
        zeiger_ = Zeiger::Standard;
        // The picture's own pointer; it shows no hint (hinweiseAn).
        if (GetA_Format() == A_Bitmap && y >= masse().captionHoehe) zeiger_ = Zeiger::Bild;
        return zeiger_;
    }
    // The open pick list is a window of its own and follows the mouse there.
    if (eingabe_ && eingabe_->listeOffen) return zeiger_;
    if (!gedrueckt_ && !groesseLaeuft_ && !auswahlLaeuft_ && Spaltenbreite) {
        zeiger_ = grenzeSuchen(x, y);
    } else if (auswahlLaeuft_) {
        auswahlZiehen(x, y);
    } else if (groesseLaeuft_) {
        spalteZiehen(x);
    } else {
        zeiger_ = Zeiger::Standard;
    }
    return zeiger_;
}

// The column whose right border lies within reach of x in the fixed rows
// under y; the last column shown has no border to drag.
Zeiger IconTabBedienung::grenzeSuchen(int x, int y) {
    groessenTab_ = -1;
    groessenSpalte_ = -1;
    const TabBild b = bild();
    if (y < b.masse.captionHoehe) return Zeiger::Standard;
    const TabellenPlatz* p = b.tabelleBei(y);
    if (p == nullptr || p->tab->Anzeige != A_Tabelle || p->tab->IstGrafik) return Zeiger::Standard;
    const ZeilenPlatz* z = b.zeileBei(*p, y);
    if (z == nullptr || z->row < 0 || z->row >= p->tab->FixedRows ||
        (p->tab->Rows[static_cast<size_t>(z->row)].Art & kTitelZeile))
        return Zeiger::Standard;
    for (size_t i = 0; i + 1 < p->spalten.size(); ++i) {
        if (std::abs(x - p->spalten[i].right) <= kGrenzAbstand) {
            groessenTab_ = p->tab->Nummer;
            groessenSpalte_ = p->spalten[i].col;
            return Zeiger::SpaltenGrenze;
        }
    }
    return Zeiger::Standard;
}

bool IconTabBedienung::spaltenGroesseBeginnen(int x) {
    if (zeiger_ != Zeiger::SpaltenGrenze || groessenSpalte_ < 0) return false;
    groesseLaeuft_ = true;
    groessenX_ = x;
    return true;
}

// The column grows or shrinks by the pointer's way since the last move. At
// the smallest width the border stays put, so the pointer has to come back
// to it before the column grows again.
void IconTabBedienung::spalteZiehen(int x) {
    Tabdefinition* t = GetTabelle(groessenTab_, false);
    if (t == nullptr || groessenSpalte_ >= static_cast<int>(t->SpaltenInfo.size())) {
        mausAktionBeenden();
        return;
    }
    x = std::min(x, bild().masse.clientBreite - 2);
    const int alt = std::max(0, t->SpaltenInfo[static_cast<size_t>(groessenSpalte_)].Breite);
    const int gewollt = alt + (x - groessenX_);
    const int neu = std::max(kKleinsteBreite, gewollt);
    groessenX_ = x + (neu - gewollt);
    if (neu == alt) return;
    breiteVomBenutzer(*t, groessenSpalte_, neu);
    eingabeVerschieben();  // the edited cell may lie right of the border
    neuZeichnen();
}

// The editor's cursor follows the pointer; the text between the pressed
// place and the cursor is selected.
void IconTabBedienung::auswahlZiehen(int x, int y) {
    if (!eingabeOffen()) {
        auswahlLaeuft_ = false;
        return;
    }
    Eingabe& e = *eingabe_;
    const Cursordef neu = cursorBei(e.text, eingabeBild_, x - e.box.left, y - e.box.top, metrik());
    if (neu.Zeile == e.cursor.Zeile && neu.Spalte == e.cursor.Spalte) return;
    doppel_ = false;  // a drag is no double click
    e.cursor = neu;
    anker_ = std::min(anker_, e.text.GetTextLength());  // keys may have shortened the text
    const int pos = e.text.SetSelStart(neu.Zeile, neu.Spalte);
    e.selStart = std::min(anker_, pos);
    e.selLaenge = std::abs(pos - anker_);
    cursorSetzen(0, true);
}

void IconTabBedienung::auswahlBeginnen() {
    if (!eingabeOffen() || eingabe_->art == 1) return;
    const Eingabe& e = *eingabe_;
    auswahlLaeuft_ = true;
    anker_ = e.text.SetSelStart(e.cursor.Zeile, e.cursor.Spalte);
}

void IconTabBedienung::mausAktionBeenden() {
    auswahlLaeuft_ = false;
    if (!groesseLaeuft_) return;
    groesseLaeuft_ = false;
    groessenTab_ = -1;
    groessenSpalte_ = -1;
    zeiger_ = Zeiger::Standard;
    SetGroesse();
    neuZeichnen();
}

}  // namespace table
