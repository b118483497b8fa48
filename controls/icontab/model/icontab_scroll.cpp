// Layout and scrolling of IconTabModell: the scroll ranges after a change,
// the scroll bar commands, the mouse wheel, the detail pane and the screen
// layout that painting and hit tests read.
#include <algorithm>

#include "controls/icontab/model/icontab_modell.h"

namespace table {

std::vector<const Tabdefinition*> IconTabModell::tabellenListe() const {
    std::vector<const Tabdefinition*> v;
    v.reserve(tabellen_.size());
    for (const auto& t : tabellen_) v.push_back(t.get());
    return v;
}

LayoutMasse IconTabModell::layoutMasse() const {
    LayoutMasse m = masse_;
    m.neueZeile = neueZeileAn_;
    m.neueZeileHoehe = neueZeileHoehe_;
    m.hAbstand = hAbstand_;
    m.vAbstand = vAbstand_;
    m.detail = detail_ && pane_.rect.right > 0;
    m.paneBreite = pane_.rect.width();
    m.paneZeilenNeben = pane_.zeilenNeben;
    return m;
}

void IconTabModell::setGroesse(int breite, int hoehe, int clientBreite, int clientHoehe) {
    masse_.breite = breite;
    masse_.hoehe = hoehe;
    clientBreite_ = clientBreite;
    clientHoehe_ = clientHoehe;
}

void IconTabModell::setIcons(bool da, int breite, int hoehe) {
    masse_.icons = da;
    masse_.iconBreite = da ? breite : 0;
    masse_.iconHoehe = da ? hoehe : 0;
}

void IconTabModell::SetGroesse(int breite, int hoehe, int) {
    if (layoutLaeuft_) return;
    layoutLaeuft_ = true;
    groesseHolen();
    LayoutMasse m = layoutMasse();
    // The vector view may lay out for another size (a printout).
    if (breite > 0) m.breite = breite;
    if (hoehe > 0) m.hoehe = hoehe;
    for (const auto& t : tabellen_)
        if (t->IstGrafik) grafikSpalten(*t, m.breite, m.hoehe);
    layout_ = berechneLayout(tabellenListe(), m);
    if (m.detail && layout_.paneLinks > 0) {
        // The pane keeps its width beside the tiles the layout counted.
        pane_.kachelnNeben = layout_.kachelnNebenPane;
        pane_.rect.right = layout_.paneLinks + m.paneBreite;
        pane_.rect.left = layout_.paneLinks;
    }
    ansichtLayout(m);
    maxTopRow_ = layout_.vUeberlauf;
    topRow_ = std::clamp(topRow_, 0, maxTopRow_);
    maxLeftCol_ = layout_.hUeberlauf;
    leftCol_ = std::clamp(leftCol_, 0, maxLeftCol_);
    balkenSetzen();
    eingabeVerschieben();  // the new layout may have moved the edited cell
    layoutLaeuft_ = false;
}

void IconTabModell::Ver_Change(int code, int pos) {
    int zeile = 1;
    int seite = (clientHoehe_ - masse_.captionHoehe) / mindestens1(DefaultRowHeight);
    const TAnzeigeFormat f = GetA_Format();
    if (f == A_Icon && masse_.icons) {
        zeile = masse_.iconHoehe + vAbstand_ - 1;
        seite = clientHoehe_ - masse_.captionHoehe - 1;
    } else if (f == A_Bitmap) {
        seite = clientHoehe_ - masse_.captionHoehe - 1;
    }
    const ScrollSchritt s = vertikalScrollen(code, topRow_, maxTopRow_, zeile, seite, pos, pos);
    if (s.pos != topRow_) {
        topRow_ = s.pos;
        eingabeVerschieben();
        neuZeichnen();
    }
    if (s.balkenSetzen) balkenSetzen();
}

void IconTabModell::Hor_Change(int code, int pos) {
    const ScrollSchritt s = horizontalScrollen(code, leftCol_, maxLeftCol_, pos);
    if (s.pos != leftCol_) {
        leftCol_ = s.pos;
        eingabeVerschieben();
        neuZeichnen();
    }
    if (s.balkenSetzen) balkenSetzen();
}

void IconTabModell::MouseRad(int delta, bool fokus) {
    if (!fokus || maxTopRow_ <= 0 || delta == 0) return;
    // Stacked tables count the position in the unit of the table it lies
    // in: the one at the top steps, whichever table is current.
    const TabBild b = bild();
    const TAnzeigeFormat f = b.tabellen.empty() ? GetA_Format() : b.tabellen.front().tab->Anzeige;
    int schritt = 1;
    if (f == A_Icon) schritt = masse_.iconHoehe;
    if (f == A_IconList) schritt = masse_.listZeilenHoehe;
    const int neu = std::clamp(delta > 0 ? topRow_ - schritt : topRow_ + schritt, 0, maxTopRow_);
    if (neu == topRow_) return;
    topRow_ = neu;
    balkenSetzen();
    eingabeVerschieben();
    neuZeichnen();
}

void IconTabModell::Errechne_Fenster(Tabdefinition* t) {
    pane_ = DetailPane{};
    pane_.kachelnNeben = layout_.iconsProZeile;
    if (t == nullptr || !masse_.icons || t->SichtSpalten <= t->FixedCols) return;
    int wert = 0;
    for (int c = std::max(t->FixedCols, 1); c < t->SichtSpalten && c < t->Spalten; ++c) {
        const SpaltenEintrag& e = t->SpaltenInfo[static_cast<size_t>(c)];
        if (e.Breitester >= 0)
            wert = std::max(wert, metrik_->breite(t->zelle(e.BreitesterRow, c), true));
    }
    t->BreitesterWert = wert;
    const int labelBreite = (wert > 0 ? wert + 4 : 0) + t->BreitesterTitel;
    const int paneZeilen = t->SichtSpalten - std::max(t->FixedRows, 1);
    pane_ =
        berechnePane(clientBreite_, masse_.captionHoehe, labelBreite, paneZeilen, metrik_->hoehe(),
                     masse_.iconBreite, masse_.iconHoehe, hAbstand_, vAbstand_);
}

namespace {

// Where an item (grid row, tile, list entry) of a table lies against the
// client area at one position; the position moves every item up, so it
// passes through these in order.
enum class Lage { Darunter, Sichtbar, Darueber };

// The tile's frame, the list entry or the grid row of `row` as placed.
Lage lageIn(const TabBild& b, const Tabdefinition& t, int row, int listenHoehe) {
    const TabellenPlatz* p = b.platzVon(&t);
    if (p == nullptr) return b.weggescrollt(&t) ? Lage::Darueber : Lage::Darunter;
    const int unten = b.masse.clientHoehe;
    const int i = row - t.FixedRows;
    Rect r;
    if (t.Anzeige == A_Tabelle) {
        if (row < p->ersteDatenZeile) return Lage::Darueber;
        const ZeilenPlatz* z = b.platzVon(*p, row);
        return z != nullptr && z->bottom <= unten ? Lage::Sichtbar : Lage::Darunter;
    }
    if (t.Anzeige == A_Icon) {
        r = kachelRahmen(kachelIcon(i, p->kacheln), p->kacheln);
        r.bottom += kKachelRandUnten;
    } else {
        r.top = p->top + i * listenHoehe - p->scroll;
        r.bottom = r.top + listenHoehe;
    }
    if (r.top < p->top) return Lage::Darueber;
    return r.bottom <= unten ? Lage::Sichtbar : Lage::Darunter;
}

}  // namespace

int IconTabModell::sichtPosition(const Tabdefinition& t, int row) const {
    if (row < t.FixedRows || row >= t.rowCount()) return topRow_;
    const bool zeilen = t.Anzeige == A_Tabelle || t.Anzeige == A_IconList ||
                        (t.Anzeige == A_Icon && masse_.icons);
    if (!zeilen) return topRow_;
    const int lh = mindestens1(masse_.listZeilenHoehe);
    const auto lage = [&](int pos) { return lageIn(bild(pos), t, row, lh); };
    const Lage jetzt = lage(topRow_);
    if (jetzt == Lage::Sichtbar) return topRow_;
    // Halving: below, the first position at which the item is no longer
    // below; above, the last one at which it is not yet above.
    int von = jetzt == Lage::Darunter ? topRow_ + 1 : 0;
    int bis = jetzt == Lage::Darunter ? maxTopRow_ : topRow_ - 1;
    int gefunden = jetzt == Lage::Darunter ? maxTopRow_ : 0;
    while (von <= bis) {
        const int mitte = von + (bis - von) / 2;
        const Lage l = lage(mitte);
        if (jetzt == Lage::Darunter) {
            if (l != Lage::Darunter) {
                gefunden = mitte;
                bis = mitte - 1;
            } else {
                von = mitte + 1;
            }
        } else if (l != Lage::Darueber) {
            gefunden = mitte;
            von = mitte + 1;
        } else {
            bis = mitte - 1;
        }
    }
    return gefunden;
}

int IconTabModell::GetTopRow(int tab) {
    Tabdefinition* t = tabelle(tab);
    if (t == nullptr) return 0;
    const TabBild b = bild();
    const TabellenPlatz* p = b.platzVon(t);
    // Scrolled away above: nothing of it is left; below: it starts at its top.
    if (p == nullptr) return b.weggescrollt(t) ? t->rowCount() : t->FixedRows;
    if (t->Anzeige == A_Tabelle) return p->ersteDatenZeile;
    if (t->Anzeige == A_IconList) {
        const int oben = std::max(p->top, masse_.captionHoehe);
        const int lh = mindestens1(masse_.listZeilenHoehe);
        const long long i = std::max(0, oben - p->top + p->scroll) / lh;
        return static_cast<int>(std::min<long long>(t->FixedRows + i, t->rowCount()));
    }
    if (t->Anzeige != A_Icon || !masse_.icons) return t->FixedRows;
    return ersteKachel(b, *p);
}

TabBild IconTabModell::bild(int topRow) const {
    BildMasse m;
    m.clientBreite = clientBreite_;
    m.clientHoehe = clientHoehe_;
    m.captionHoehe = masse_.captionHoehe;
    m.topRow = topRow;
    m.leftCol = leftCol_;
    m.neueZeile = neueZeileAn_;
    m.neueZeileHoehe = neueZeileHoehe_;
    m.icons = masse_.icons;
    m.iconBreite = masse_.iconBreite;
    m.iconHoehe = masse_.iconHoehe;
    m.hAbstand = hAbstand_;
    m.vAbstand = vAbstand_;
    m.iconsProZeile = layout_.iconsProZeile;
    const bool detail = detail_ && pane_.rect.right > 0;
    m.kachelnNeben = detail ? pane_.kachelnNeben : layout_.iconsProZeile;
    m.zeilenNeben = detail ? pane_.zeilenNeben : 0;
    m.listZeilenHoehe = masse_.listZeilenHoehe;
    return berechneBild(tabellenListe(), m);
}

void IconTabModell::bildUebernehmen(const TabBild& b) {
    for (const auto& t : tabellen_)
        for (const TabellenPlatz& p : b.tabellen)
            if (p.tab == t.get()) t->ErsteSichtbare = p.ersteDatenZeile;
}

Tabdefinition* IconTabModell::GetClickTab(int* y) const {
    if (tabellen_.empty() || y == nullptr) return nullptr;
    if (tabellen_.size() == 1) return tabellen_.front().get();
    const TabBild b = bild();
    const TabellenPlatz* p = b.tabelleBei(*y);
    if (p == nullptr) return nullptr;
    *y -= p->top;
    for (const auto& t : tabellen_)
        if (t.get() == p->tab) return t.get();
    return nullptr;
}

}  // namespace table
