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
    int schritt = 1;
    if (GetA_Format() == A_Icon) schritt = masse_.iconHoehe;
    if (GetA_Format() == A_IconList) schritt = masse_.listZeilenHoehe;
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

int IconTabModell::GetTopRow(int tab) {
    Tabdefinition* t = tabelle(tab);
    if (t == nullptr) return 0;
    if (t->Anzeige == A_Tabelle) return t->ErsteSichtbare + t->FixedRows;
    if (t->Anzeige != A_Icon || !masse_.icons) return t->FixedRows;
    const int linie = mindestens1(masse_.iconHoehe + vAbstand_);
    const int kachel = masse_.iconBreite + hAbstand_;
    int i = t->FixedRows;
    // The tiles start where the shared layout put the table.
    const TabBild b = bild();
    const TabellenPlatz* p = b.platzVon(t);
    int y = p != nullptr ? p->top + 10 - p->scroll : masse_.captionHoehe + 10 - topRow_;
    for (int linieNr = 0; i < t->rowCount(); ++linieNr) {
        if (y + linie > masse_.captionHoehe) return i;
        const bool neben = detail_ && linieNr < pane_.zeilenNeben;
        const int rand = neben ? pane_.rect.left : clientBreite_;
        int x = hAbstand_ / 2 + 2;
        int n = 0;
        do {
            ++n;
            x += kachel;
        } while (x + masse_.iconBreite <= rand && kachel > 0);
        i += n;
        y += linie;
    }
    return std::min(i, t->rowCount());
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

int IconTabModell::positionUnterhalb(const Tabdefinition& t, int row) const {
    const auto zeigt = [&](int pos) {
        const TabBild b = bild(pos);
        const TabellenPlatz* p = b.platzVon(&t);
        const ZeilenPlatz* z = p != nullptr ? b.platzVon(*p, row) : nullptr;
        return z != nullptr && z->bottom <= clientHoehe_;
    };
    if (zeigt(topRow_)) return topRow_;
    // The tables above move up as the position grows: the first position
    // that shows the row, found by halving.
    int von = topRow_ + 1, bis = maxTopRow_, gefunden = maxTopRow_;
    while (von <= bis) {
        const int mitte = von + (bis - von) / 2;
        if (zeigt(mitte)) {
            gefunden = mitte;
            bis = mitte - 1;
        } else {
            von = mitte + 1;
        }
    }
    return std::max(gefunden, topRow_);
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
