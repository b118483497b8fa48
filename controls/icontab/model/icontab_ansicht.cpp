// IconTabModell's icon list layout and its bitmap and vector views: the
// record of those views, loading and scaling the drawing, marking under the
// mouse, zooming and moving the picture.
#include "controls/icontab/model/icontab_ansicht.h"

#include <algorithm>
#include <cmath>

#include "controls/icontab/model/icontab_modell.h"
#include "platform/core/message_box.h"

namespace table {

int ListenLayout::gesamt() const {
    long long s = 0;
    for (const int b : breiten) s += b;
    return static_cast<int>(std::min<long long>(s, 0x7FFFFFFF));
}

ListenLayout berechneListe(const Tabdefinition& t, DruckMetrik& m, int iconBreite, int iconHoehe,
                           const std::string& zusatztext) {
    ListenLayout l;
    const int n = std::clamp(t.SichtSpaltenLayout, 0, t.Spalten);
    l.breiten.assign(static_cast<size_t>(n), 0);
    int punkte = std::max(1, t.FontSize);
    l.kleineHoehe = m.hoehe("G", punkte, false);
    l.zeilenHoehe = iconHoehe + 10 + m.hoehe("G", punkte, true);
    const int erste = t.FixedCols;
    if (erste < n) {
        // The icon with the bold text of the first non-fixed column beside it.
        int text = 0;
        for (int r = t.FixedRows; r < t.rowCount(); ++r)
            text = std::max(text, m.breite(t.zelle(r, erste), punkte, true));
        if (text > 0) text += m.breite(zusatztext, punkte, true) + 4;
        l.breiten[static_cast<size_t>(erste)] = iconBreite + text + 10;
    }
    if (punkte < l.zeilenHoehe / 2) punkte *= 2;
    l.schrift = punkte;
    for (int c = erste + 1; c < n; ++c) {
        const SpaltenEintrag& e = t.SpaltenInfo[static_cast<size_t>(c)];
        if (e.Breitester < 0 || !t.zelleDa(e.BreitesterRow, c)) continue;
        l.breiten[static_cast<size_t>(c)] =
            m.breite(t.zelle(e.BreitesterRow, c), punkte, false) + 5;
    }
    return l;
}

void IconTabModell::BerechneListe(Tabdefinition* t) {
    if (t == nullptr) return;
    liste_ = berechneListe(*t, listenMetrik(), masse_.iconBreite, masse_.iconHoehe, Zusatztext);
    masse_.listZeilenHoehe = std::max(1, liste_.zeilenHoehe);
    masse_.listBreite = liste_.gesamt();
}

// ---- Bitmap and vector view ----

void IconTabModell::bitmapAnsichtLeeren(Tabdefinition*) {
    if (!bildAnzeige_) return;
    bildAnzeige_->vektor = VektorDaten{};
    bildAnzeige_->bild = VektorBild{};
    bildAnzeige_->bildBreite = bildAnzeige_->bildHoehe = 0;
    bildAnzeige_->quelle = {};
}

void IconTabModell::ansichtWechseln(Tabdefinition* t, TAnzeigeFormat alt, TAnzeigeFormat neu) {
    const bool bildAlt = alt == A_Bitmap || alt == A_Vektor;
    const bool bildNeu = neu == A_Bitmap || neu == A_Vektor;
    if (!bildNeu) {
        if (bildAlt) {
            bitmapAnsichtLeeren(t);
            bildAnzeige_.reset();
        }
        return;
    }
    if (!bildAnzeige_) bildAnzeige_ = std::make_unique<BitmapAnzeige>();
    if (neu == alt) return;
    if (neu == A_Bitmap) {
        bitmapAnsichtLeeren(t);
        bildAnzeige_->einpassen = true;
        bildAnzeige_->zoom = 1.0;
    } else {
        bildAnzeige_->vektor = VektorDaten{};
        bildAnzeige_->bild = VektorBild{};
    }
}

// The bitmap or vector table's area: from its top to the client's bottom.
void IconTabModell::ansichtLayout(LayoutMasse& m) {
    if (!bildAnzeige_) return;
    BitmapAnzeige& a = *bildAnzeige_;
    const TabBild b = bild();
    const TabellenPlatz* platz = nullptr;
    for (const TabellenPlatz& p : b.tabellen)
        if (p.tab->Anzeige == A_Bitmap || p.tab->Anzeige == A_Vektor) {
            platz = &p;
            break;
        }
    const int oben = platz ? platz->top : masse_.captionHoehe;
    const int w = m.breite > 0 && m.breite != masse_.breite ? m.breite : clientBreite_;
    const int h = m.hoehe > 0 && m.hoehe != masse_.hoehe ? m.hoehe : clientHoehe_;
    const Rect ziel{0, oben, std::max(0, w), std::max(oben, h)};
    if (platz != nullptr && platz->tab->Anzeige == A_Vektor) {
        a.bild = skaliereVektor(a.vektor, ziel, &vektorMetrik());
        return;
    }
    if (platz == nullptr || a.bildBreite <= 0 || a.bildHoehe <= 0) return;
    if (a.einpassen) {
        a.zoom = std::min(ziel.width() / static_cast<double>(a.bildBreite),
                          ziel.height() / static_cast<double>(a.bildHoehe));
    }
    if (!(a.zoom > kKleinsterZoom)) a.zoom = kKleinsterZoom;
    const double zb = a.bildBreite * a.zoom, zh = a.bildHoehe * a.zoom;
    layout_.hUeberlauf = static_cast<int>(std::clamp(zb - ziel.width(), 0.0, 1e9));
    layout_.vUeberlauf = static_cast<int>(std::clamp(zh - ziel.height(), 0.0, 1e9));
}

void IconTabModell::SetVektor(const char* data, unsigned len) {
    Tabdefinition* t = aktuell_;
    if (t == nullptr || t->Anzeige != A_Vektor || !bildAnzeige_) return;
    BitmapAnzeige& a = *bildAnzeige_;
    const VektorErgebnis e = leseVektor(a.vektor, data, len);
    if (e.fehler != VektorFehler::Keiner)
        platform::MessageBox(kVektorFehler, kVektorFehlerTitel, platform::Buttons::Ok);
    a.vektor.unterMaus = -1;
    a.vektor.maxX += 10;
    a.vektor.maxY += 10;
    SetGroesse();
    neuZeichnen();
}

int IconTabModell::Setze_Marker(bool clear, int x, int y) {
    if (!bildAnzeige_) return -1;
    BitmapAnzeige& a = *bildAnzeige_;
    const std::vector<std::uint8_t> vorher = a.vektor.marker;
    const int id = table::Setze_Marker(a.vektor, a.bild, clear, x, y + masse_.captionHoehe);
    if (a.vektor.marker != vorher) neuZeichnen();
    return id;
}

bool IconTabModell::ansichtMaus(int x, int y) {
    if (!bildAnzeige_) return false;
    BitmapAnzeige& a = *bildAnzeige_;
    const TAnzeigeFormat f = GetA_Format();
    if (f == A_Vektor) {
        Setze_Marker(false, x, y - masse_.captionHoehe);
        const int h = vektorTreffer(a.bild, x, y);
        if (h == a.vektor.unterMaus) return false;
        a.vektor.unterMaus = h;
        const std::string* l =
            h >= 0 ? a.vektor.label(a.vektor.objekte[static_cast<size_t>(h)].Id) : nullptr;
        hint_ = l ? *l : std::string();
        hintGesetzt();
        neuZeichnen();
        return true;
    }
    if (f != A_Bitmap || y < masse_.captionHoehe || (maxTopRow_ == 0 && maxLeftCol_ == 0)) {
        a.verschoben = true;
        return false;
    }
    // A picture larger than the window drifts toward the mouse.
    const int mx = clientBreite_ / 2, my = (clientHoehe_ + masse_.captionHoehe) / 2;
    bitmapZiehen((x - mx) / 8, (y - my) / 8);
    return true;
}

void IconTabModell::bitmapZoom(bool hinein) {
    if (!bildAnzeige_ || GetA_Format() != A_Bitmap) return;
    BitmapAnzeige& a = *bildAnzeige_;
    a.zoom *= hinein ? 1.5 : 2.0 / 3.0;
    if (!(a.zoom > kKleinsterZoom)) a.zoom = kKleinsterZoom;
    a.zoom = std::min(a.zoom, 1000.0);
    a.einpassen = false;
    SetGroesse();
    neuZeichnen();
}

void IconTabModell::bitmapZiehen(int dx, int dy) {
    const int l = std::clamp(leftCol_ + dx, 0, maxLeftCol_);
    const int t = std::clamp(topRow_ + dy, 0, maxTopRow_);
    if (l == leftCol_ && t == topRow_) return;
    leftCol_ = l;
    topRow_ = t;
    if (bildAnzeige_) bildAnzeige_->verschoben = true;
    balkenSetzen();
    neuZeichnen();
}

void IconTabModell::Grafik_Einpassen() {
    if (!bildAnzeige_) return;
    bildAnzeige_->einpassen = true;
    SetGroesse();
    neuZeichnen();
}

bool IconTabModell::bildMasse(int breite, int hoehe) {
    if (!bildAnzeige_) return false;
    breite = std::max(0, breite);
    hoehe = std::max(0, hoehe);
    if (bildAnzeige_->bildBreite == breite && bildAnzeige_->bildHoehe == hoehe) return false;
    bildAnzeige_->bildBreite = breite;
    bildAnzeige_->bildHoehe = hoehe;
    return true;
}

void IconTabModell::bildGroesse(int breite, int hoehe) {
    if (!bildAnzeige_) return;
    bildMasse(breite, hoehe);
    SetGroesse();
    neuZeichnen();
}

}  // namespace table
