#include "controls/icontab/icontab.h"

#include <QScrollBar>
#include <QSignalBlocker>
#include <QStyle>
#include <algorithm>
#include <cmath>
#include <cstdlib>
#include <cstring>
#include <utility>

#include "controls/icontab/icontab_paint.h"
#include "controls/suchfeld/suchfeld.h"
#include "platform/ui/drawing/qt_text.h"

namespace table {
namespace {

constexpr const char* kKeinBild = "Kein Bild";

// The scroll bar code of a Qt slider action.
int scrollCode(int action) {
    switch (action) {
        case QAbstractSlider::SliderSingleStepSub:
            return SB_LINEUP;
        case QAbstractSlider::SliderSingleStepAdd:
            return SB_LINEDOWN;
        case QAbstractSlider::SliderPageStepSub:
            return SB_PAGEUP;
        case QAbstractSlider::SliderPageStepAdd:
            return SB_PAGEDOWN;
        case QAbstractSlider::SliderToMinimum:
            return SB_TOP;
        case QAbstractSlider::SliderToMaximum:
            return SB_BOTTOM;
        case QAbstractSlider::SliderMove:
            return SB_THUMBTRACK;
        default:
            return SB_ENDSCROLL;
    }
}

}  // namespace

TIconTab::TIconTab(QWidget* owner) : ui::Control(owner), IconTabBedienung(nullptr) {
    setObjectName(QStringLiteral("TIconTab"));
    // Keys and clicks mark the rows they drew; a step does not copy the
    // whole control to the screen.
    setUpdateAfterEvents(false);
    setFocusPolicy(Qt::StrongFocus);  // TabStop
    setTakesEnter(true);              // both end the in-cell input
    setTakesEscape(true);
    setMouseTracking(true);  // the drawing views show the hint of the object under the pointer
    setColor(Color);
    setMetrik(&metrik_);
    font_.setSize(8);
    metrik_.setFont(font_, logicalDpiY());
    canvas().font = font_;
    vBar_ = new QScrollBar(Qt::Vertical, this);
    hBar_ = new QScrollBar(Qt::Horizontal, this);
    for (QScrollBar* b : {vBar_, hBar_}) {
        b->setFocusPolicy(Qt::NoFocus);
        b->hide();
        const bool vertikal = b == vBar_;
        connect(b, &QAbstractSlider::actionTriggered, this,
                [this, vertikal](int action) { balkenAktion(vertikal, action); });
        connect(b, &QAbstractSlider::sliderReleased, this, [this, vertikal] {
            if (vertikal)
                Ver_Change(SB_THUMBPOSITION, vBar_->sliderPosition());
            else
                Hor_Change(SB_THUMBPOSITION, hBar_->sliderPosition());
        });
    }
    resize(100, 100);
    groesseMelden();
    SetDefaultMenu(true);
}

TIconTab::~TIconTab() {
    zerstoert_ = true;
    // A field still linked to this table must not call it any more.
    if (suchelement_) suchelement_->Loesen(this);
}

void TIconTab::SetSuchelement(TSuchfeld* feld) {
    if (suchelement_ == feld) return;
    if (suchelement_) suchelement_->Loesen(this);
    suchelement_ = feld;
}

void TIconTab::SetFont(const ui::Font& font) {
    font_ = font;
    listenMetrik_.reset();
    metrik_.setFont(font_, logicalDpiY());
    setSchriftGroesse(font_.size(logicalDpiY()));
    canvas().font = font_;
    neuZeichnen();
}

void TIconTab::SetIcons(std::vector<QImage> icons) {
    icons_ = std::move(icons);
    const bool da = !icons_.empty();
    setIcons(da, da ? icons_.front().width() : 0, da ? icons_.front().height() : 0);
    kachelnNeuLegen();
    neuZeichnen();
}

int TIconTab::clientBreite() const {
    return width() - (vBar_->isHidden() ? 0 : vBar_->width());
}

int TIconTab::clientHoehe() const {
    return height() - (hBar_->isHidden() ? 0 : hBar_->height());
}

void TIconTab::groesseMelden() {
    setGroesse(width(), height(), clientBreite(), clientHoehe());
}

// ---- Painting ----

void TIconTab::Paint() {
    if (gesperrt() || zerstoert_) return;
    ui::Canvas& c = canvas();
    if (!c.isAttached()) return;
    disarmTimer(kStatusTimer);
    // A picture the host put in through GetBild() is laid out before it shows.
    if (bildGroesseMelden()) SetGroesse();
    malt_ = true;
    const TabBild b = datenHolen();
    malt_ = false;
    // The background where no row lies: right of the columns, below and
    // between the tables.
    c.brush = ui::Brush{Color, ui::BrushStyle::Solid};
    int y = 0;
    for (const TabellenPlatz& p : b.tabellen) {
        c.FillRect({0, y, width(), p.top});
        int rechts = 0;
        for (const SpaltenPlatz& s : p.spalten) rechts = std::max(rechts, s.right);
        if (p.tab->Anzeige != A_Tabelle || p.zeilen.empty()) rechts = 0;
        c.FillRect({rechts, p.top, width(), p.bottom});
        y = p.bottom;
    }
    c.FillRect({0, y, width(), height()});
    bildUebernehmen(b);
    paintGitterTabellen(b);
    paintEingabe();
    paintKacheln(b);
    paintAnsichten(b);
    const int ch = b.masse.captionHoehe;
    // The bitmap view without a picture says so.
    for (const TabellenPlatz& p : b.tabellen) {
        if (p.tab->Anzeige != A_Bitmap || (datenBild_ && datenBild_->width() > 0)) continue;
        ui::Font f = font_;
        f.setSize(14);
        f.color = ui::clBlack;
        c.font = f;
        c.brush.style = ui::BrushStyle::Clear;
        const int w = c.TextWidth(kKeinBild), h = c.TextHeight(kKeinBild);
        c.TextOut((clientBreite() - w) / 2, p.top + (clientHoehe() - p.top - h) / 2, kKeinBild);
        c.font = font_;
    }
    // The icon views show the attached search field by a light green frame.
    if (tabellenZahl() > 0 && suchfeldDa() && rahmenFarbe() == kSuchRahmen) {
        const TAnzeigeFormat f = GetTabelle(0, false)->Anzeige;
        if (f == A_Icon || f == A_IconList) {
            c.brush = ui::Brush{kSuchRahmen, ui::BrushStyle::Solid};
            const int w = clientBreite(), h = clientHoehe();
            c.FillRect({0, ch, w, ch + 3});
            c.FillRect({0, h - 3, w, h});
            c.FillRect({0, ch, 3, h});
            c.FillRect({w - 3, ch, w, h});
        }
    }
    if (ch > 0) paintTitel(c, clientBreite(), ch, caption_, titelColor_);
    caretTakt();
}

void TIconTab::paintGitterTabellen(const TabBild& b, const Tabdefinition* nurTab, int nurRow) {
    ui::Canvas& c = canvas();
    GitterStil s;
    s.glyphen = &glyphen_;
    s.hintergrund = Color;
    s.rahmen = rahmenFarbe();
    s.fokus = hasFocus();
    s.fokusTabelle = letzteFokusTabelle();
    s.zeilenHoehe = DefaultRowHeight;
    s.keineAngaben = KeineAngaben;
    s.group = Group;
    s.sortierung = Sortierung();
    s.sortSpalte = static_cast<unsigned char>(Sort_Spalte()) & 0x7F;
    s.abwaerts = Abwaerts();
    s.suchfeld = suchfeldDa();
    s.suchSpalte = suchSpalte();
    s.neueZeileText = NeueZeileText();
    const Tabdefinition* akt = aktuelleTabelle();
    s.neueZeileGewaehlt = akt != nullptr && akt->Selected < 0;
    s.gedruecktTabelle = hitTabelle();
    s.gedruecktRow = hitRow();
    s.gedruecktCol = hitCol();
    s.eingabeTabelle = eingabeOffen() ? eingabe()->tab : nullptr;
    s.zellFarbe = [this](const Tabdefinition& t, int row, int col) {
        return zellFarbe(&t, row, col);
    };
    s.schriftGroesse = font_.size(logicalDpiY());
    s.zusatztext = Zusatztext;
    if (OnUserDraw) {
        s.userDraw = [this, &c](int row, int col, const Rect& r, const std::string& text,
                                RowArt art, int tab) {
            const Tabdefinition* t = GetTabelle(tab, false);
            OnUserDraw(*this, row, col, c, r, text, t ? t->Anzeige : A_Tabelle, art, tab);
        };
    }
    c.font = font_;
    paintGitter(c, *this, b, s, nurTab, nurRow);
}

void TIconTab::neuZeichnen() {
    // Rows completed while painting repaint with the paint under way.
    if (zerstoert_ || malt_) return;
    if (vorher_ && !schmutzig_ && verschiebenMalen(*vorher_)) return;
    if (sammeln_ > 0) {
        schmutzig_ = true;
        return;
    }
    Paint();
    Invalidate();
}

// One key or button may repaint several rows and scroll: it paints once.
void TIconTab::gesammelt(const std::function<void()>& f) {
    ++sammeln_;
    struct Ende {
        TIconTab& t;
        ~Ende() {
            if (--t.sammeln_ > 0) return;
            const auto zeilen = std::exchange(t.faelligeZeilen_, {});
            if (t.schmutzig_) {
                t.schmutzig_ = false;
                t.neuZeichnen();
                return;
            }
            for (const auto& [nummer, row] : zeilen) {
                const Tabdefinition* tab = t.GetTabelle(nummer, false);
                if (tab != nullptr && t.zeileAlleinMalbar(row, tab)) t.zeileMalen(row, *tab);
            }
        }
    } ende{*this};
    f();
}

// Rows on screen whose data columns are still missing are completed first;
// what they bring may move the rows below, so the layout is taken again.
// A tile is completed when it is the selected one (the detail pane shows
// it) or when its label, column 0, is missing.
TabBild TIconTab::datenHolen() {
    TabBild b = bild();
    bool geholt = false;
    for (const TabellenPlatz& p : b.tabellen) {
        Tabdefinition* t = GetTabelle(p.tab->Nummer, false);
        std::vector<int> zeilen;
        if (p.tab->Anzeige == A_Tabelle) {
            for (const ZeilenPlatz& z : p.zeilen) zeilen.push_back(z.row);
        } else if (p.tab->Anzeige == A_Icon && !icons_.empty()) {
            for (const int r : sichtbareKacheln(b, p))
                if (r == p.tab->Selected || (p.tab->Rows[static_cast<size_t>(r)].DatenCols & 1))
                    zeilen.push_back(r);
            if (Detailfenster() && p.tab->hatRow(p.tab->Selected))
                zeilen.push_back(p.tab->Selected);
        }
        for (const int row : zeilen) {
            if (t == nullptr || !t->hatRow(row) || t->Rows[static_cast<size_t>(row)].DatenCols == 0)
                continue;
            GetDaten(row, t);
            geholt = true;
            if (GetTabelle(p.tab->Nummer, false) != t) return bild();  // the handler freed it
        }
    }
    if (!geholt) return b;
    eingabeVerschieben();  // taller rows above may have moved the edited cell
    return bild();
}

void TIconTab::zeichneZeile(int row, Tabdefinition* table) {
    if (gesperrt()) return;
    // The selected row of the focused table, and a row just selected in any
    // table, come wholly into view: grid rows, tiles and list entries.
    if (table != nullptr && row >= table->FixedRows && row == table->Selected &&
        (table == letzteFokusTabelle() || neueAuswahl())) {
        const int pos = sichtPosition(*table, row);
        if (pos != topRow()) {
            // Repaints and sets the bar; the rows still shown move along.
            vorher_ = std::make_unique<TabBild>(bild());
            Ver_Change(SB_THUMBPOSITION, pos);
            vorher_.reset();
            return;
        }
    }
    if (zerstoert_ || malt_) return;
    if (!zeileAlleinMalbar(row, table)) return neuZeichnen();
    if (sammeln_ > 0) {
        faelligeZeilen_.emplace_back(table->Nummer, row);
        return;
    }
    zeileMalen(row, *table);
}

// A grid row whose data is there, outside an open in-cell input and groups
// (a group's lines depend on the neighbouring rows), draws inside its band;
// so does the new-record line.
bool TIconTab::zeileAlleinMalbar(int row, const Tabdefinition* t) const {
    if (t == nullptr || t->Anzeige != A_Tabelle || t->IstGrafik || Group || eingabeOffen())
        return false;
    if (row == kNeueZeile) return neueZeileAn();
    return t->hatRow(row) && t->Rows[static_cast<size_t>(row)].DatenCols == 0;
}

void TIconTab::zeileMalen(int row, const Tabdefinition& t) {
    if (gesperrt() || !canvas().isAttached()) return;
    const TabBild b = bild();
    const TabellenPlatz* p = b.platzVon(&t);
    const ZeilenPlatz* z = p != nullptr ? b.platzVon(*p, row) : nullptr;
    if (z == nullptr) return;  // not on screen
    paintGitterTabellen(b, &t, row);
    // Only the client area: the scroll bar over the right edge is not
    // repainted for a row.
    Invalidate(QRect(0, z->top, b.masse.clientBreite, z->bottom - z->top));
}

// After a scroll of the one grid table: the rows still on screen move with
// their pixels, and only the rows that came into view are drawn.
bool TIconTab::verschiebenMalen(const TabBild& vorher) {
    if (gesperrt() || Group || eingabeOffen() || !canvas().isAttached()) return false;
    const TabBild b = bild();
    if (b.tabellen.size() != 1 || vorher.tabellen.size() != 1) return false;
    const TabellenPlatz& n = b.tabellen[0];
    const TabellenPlatz& a = vorher.tabellen[0];
    if (n.tab != a.tab || n.tab->Anzeige != A_Tabelle || n.tab->IstGrafik || n.top != a.top ||
        b.masse.leftCol != vorher.masse.leftCol ||
        b.masse.clientHoehe != vorher.masse.clientHoehe ||
        b.masse.clientBreite != vorher.masse.clientBreite || b.masse.neueZeile ||
        n.spalten.size() != a.spalten.size())
        return false;
    const int fest = n.tab->FixedRows;
    const int h = b.masse.clientHoehe;
    int oben = -1, delta = 0;
    bool gemeinsam = false;
    for (const ZeilenPlatz& z : n.zeilen) {
        if (z.row < fest) continue;
        if (oben < 0) oben = z.top;
        if (const ZeilenPlatz* alt = vorher.platzVon(a, z.row); alt != nullptr && !gemeinsam) {
            delta = alt->top - z.top;
            gemeinsam = true;
        }
    }
    if (!gemeinsam || oben < 0 || delta == 0 || std::abs(delta) >= h - oben) return false;
    for (const ZeilenPlatz& z : n.zeilen)
        if (z.row < fest && vorher.platzVon(a, z.row) == nullptr) return false;
    for (size_t i = 0; i < n.zeilen.size(); ++i)  // the fixed rows stay where they are
        if (n.zeilen[i].row < fest && (i >= a.zeilen.size() || a.zeilen[i].top != n.zeilen[i].top))
            return false;
    for (const ZeilenPlatz& z : n.zeilen)
        if (z.row >= fest && n.tab->hatRow(z.row) &&
            n.tab->Rows[static_cast<size_t>(z.row)].DatenCols != 0)
            return false;                // its data comes first: the whole control
    const int w = b.masse.clientBreite;  // the scroll bar keeps its pixels
    QImage& img = *canvas().image();
    const qreal dpr = img.devicePixelRatio();
    // Pixels move only by whole device pixels (at 1.25 an odd row height is
    // none): otherwise the rows drawn afresh would fall on other pixels than
    // the moved ones, and the whole control is drawn.
    if (delta * dpr != std::floor(delta * dpr)) return false;
    // The device rows that fills of the units cover, as the canvas maps them.
    const auto pixel = [dpr](int v) { return static_cast<int>(std::ceil(v * dpr - 0.5)); };
    const int von = pixel(oben), bis = std::min(img.height(), pixel(h));
    const int d = static_cast<int>(delta * dpr);
    const size_t bytes = static_cast<size_t>(img.bytesPerLine());
    if (d > 0) {
        for (int y = von; y + d < bis; ++y)
            std::memmove(img.scanLine(y), img.constScanLine(y + d), bytes);
    } else {
        for (int y = bis - 1; y + d >= von; --y)
            std::memmove(img.scanLine(y), img.constScanLine(y + d), bytes);
    }
    bildUebernehmen(b);
    // On screen the same move; what came into view follows.
    scroll(0, -delta, QRect(0, oben, w, h - oben));
    for (const ZeilenPlatz& z : n.zeilen) {
        if (z.row < fest) continue;
        const ZeilenPlatz* alt = vorher.platzVon(a, z.row);
        if (alt != nullptr && alt->bottom <= h && z.bottom <= h) continue;
        paintGitterTabellen(b, n.tab, z.row);
        Invalidate(QRect(0, z.top, w, z.bottom - z.top));
    }
    return true;
}

// ---- Scroll bars ----

void TIconTab::balkenSetzen() {
    if (zerstoert_ || balkenLaeuft_) return;
    balkenLaeuft_ = true;
    const int dicke = style()->pixelMetric(QStyle::PM_ScrollBarExtent, nullptr, this);
    setBalkenDicke(dicke);
    const bool v = maxTopRow() > 0;
    const bool h = maxLeftCol() > 0;
    {
        const QSignalBlocker sperre1(vBar_);
        const QSignalBlocker sperre2(hBar_);
        vBar_->setRange(0, maxTopRow());
        vBar_->setValue(topRow());
        hBar_->setRange(0, maxLeftCol());
        hBar_->setValue(leftCol());
    }
    vBar_->setGeometry(width() - dicke, 0, dicke, height() - (h ? dicke : 0));
    hBar_->setGeometry(0, height() - dicke, width() - (v ? dicke : 0), dicke);
    vBar_->setVisible(v);
    hBar_->setVisible(h);
    groesseMelden();
    bereichPlatzieren();
    balkenLaeuft_ = false;
}

void TIconTab::balkenAktion(bool vertikal, int action) {
    QScrollBar* b = vertikal ? vBar_ : hBar_;
    const int code = scrollCode(action);
    if (vertikal) {
        Ver_Change(code, b->sliderPosition());
    } else {
        Hor_Change(code, b->sliderPosition());
    }
    // The model decides where the bar stands.
    b->setSliderPosition(vertikal ? topRow() : leftCol());
}

// ---- Events ----

void TIconTab::Resized(int, int) {
    groesseMelden();
    bereichPlatzieren();
    SetGroesse();  // moves an open in-cell input with its cell
    neuZeichnen();
}

void TIconTab::MouseWheel(int delta, int, int, int) {
    if (!hasFocus()) return;
    const int schritte = rad_.add(delta);
    for (int i = 0; i < schritte; ++i) MouseRad(ui::kWheelNotch, true);
    for (int i = 0; i > schritte; --i) MouseRad(-ui::kWheelNotch, true);
}

void TIconTab::TimerFired(int id) {
    if (id == kStatusTimer) onTime();
    if (id == kCaretTimer) caretBlinken();
    update();
}

void TIconTab::hintGesetzt() {
    setToolTip(hinweiseAn() ? ui::toQString(Hint()) : QString());
}

// ---- Search field ----

bool TIconTab::suchfeldDa() const {
    return suchelement_ != nullptr;
}

bool TIconTab::suchfeldVerbunden() const {
    return suchelement_ && suchelement_->HatZiel();
}

void TIconTab::suchfeldVerbinden() {
    if (suchelement_) suchelement_->Set_Suche(this);
}

void TIconTab::suchfeldSpalte(int col) {
    if (suchelement_) suchelement_->Set_Spalte(col);
}

void TIconTab::suchfeldSpaltenName(const std::string& name, int col) {
    if (suchelement_) suchelement_->Set_Spalten_Name(name, col);
}

}  // namespace table
