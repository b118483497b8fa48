#include "controls/tabelle/tabelle.h"

#include <QScrollBar>
#include <QSignalBlocker>
#include <QStyle>
#include <algorithm>

#include "controls/tabelle/tabelle_druck.h"
#include "platform/ui/input/beep.h"
#include "platform/ui/drawing/qt_text.h"

namespace table {

TTabelle::TTabelle(QWidget* owner) : ui::Control(owner), metrik_(canvas(), font_) {
    setObjectName(QStringLiteral("TTabelle"));
    setFocusPolicy(Qt::StrongFocus);
    setTakesEnter(true);
    setTakesEscape(true);
    setColor(ui::clWindow);
    font_.setSize(8);
    metrik_.setBasis(font_);
    setMetrik(&metrik_);
    setSchriftGroesse(8);
    vBar_ = new QScrollBar(Qt::Vertical, this);
    hBar_ = new QScrollBar(Qt::Horizontal, this);
    for (QScrollBar* b : {vBar_, hBar_}) {
        b->setFocusPolicy(Qt::NoFocus);
        b->hide();
        const bool vertikal = b == vBar_;
        connect(b, &QAbstractSlider::valueChanged, this, [this, vertikal](int v) {
            if (vertikal)
                SetTopRow(v);
            else
                SetLeftCol(v);
            neuZeichnen();
        });
    }
    resize(200, 120);
}

TTabelle::~TTabelle() {
    zerstoert_ = true;
    // A field still linked to this table must not call it any more.
    if (suchelement_) suchelement_->Loesen(this);
}

void TTabelle::SetSuchelement(TSuchfeld* feld) {
    if (suchelement_ == feld) return;
    if (suchelement_) suchelement_->Loesen(this);
    suchelement_ = feld;
}

void TTabelle::SetFont(const ui::Font& font) {
    font_ = font;
    metrik_.setBasis(font_);
    setSchriftGroesse(font_.size(canvas().pixelsPerInch()));
    neuZeichnen();
}

void TTabelle::Print(const std::string& title) {
    druckeTabelle(*this, ui::printer(), title, font_);
}

// ---- Painting ----

void TTabelle::Paint() {
    if (zerstoert_ || !canvas().isAttached()) return;
    TabellenStil stil;
    stil.font = font_;
    stil.hintergrund = color();
    stil.fokus = hasFocus();
    stil.suchfeld = suchelement_ != nullptr;
    paintTabelle(canvas(), *this, stil, width(), height());
}

void TTabelle::neuZeichnen() {
    if (zerstoert_) return;
    Paint();
    Invalidate();
}

void TTabelle::beep() {
    ui::Beep();
}

void TTabelle::hintGesetzt() {
    setToolTip(ui::toQString(Hint()));
}

void TTabelle::fokusNehmen() {
    if (!hasFocus()) setFocus(Qt::OtherFocusReason);
}

// ---- Scroll bars ----

void TTabelle::gitterGeaendert() {
    if (!zerstoert_ && vBar_ != nullptr) balkenSetzen();
}

void TTabelle::balkenSetzen() {
    if (balkenLaeuft_) return;
    balkenLaeuft_ = true;
    const int breiteVorher = clientBreite();
    const int dicke = style()->pixelMetric(QStyle::PM_ScrollBarExtent, nullptr, this);
    // Twice: a bar that appears narrows the client area for the other one.
    bool v = false;
    bool h = false;
    for (int i = 0; i < 2; ++i) {
        setClientGroesse(width() - (v ? dicke : 0), height() - (h ? dicke : 0));
        v = maxTopRow() > FixedRows;
        h = maxLeftCol() > FixedCols();
    }
    setClientGroesse(width() - (v ? dicke : 0), height() - (h ? dicke : 0));
    {
        const QSignalBlocker sperre1(vBar_);
        const QSignalBlocker sperre2(hBar_);
        vBar_->setRange(FixedRows, std::max(maxTopRow(), FixedRows));
        vBar_->setPageStep(std::max(VisibleRowCount(), 1));
        vBar_->setValue(TopRow());
        hBar_->setRange(FixedCols(), maxLeftCol());
        hBar_->setValue(LeftCol());
    }
    vBar_->setGeometry(width() - dicke, 0, dicke, height() - (h ? dicke : 0));
    hBar_->setGeometry(0, height() - dicke, width() - (v ? dicke : 0), dicke);
    vBar_->setVisible(v);
    hBar_->setVisible(h);
    for (QScrollBar* b : {vBar_, hBar_}) b->setTracking(hatOption(goThumbTracking));
    balkenLaeuft_ = false;
    // A bar that appears or goes changes the client width as a resize does;
    // the last column follows it once.
    if (clientBreite() != breiteVorher && !groesseLaeuft_) {
        groesseLaeuft_ = true;
        EvGroesse();
        groesseLaeuft_ = false;
    }
}

// ---- Input ----

void TTabelle::MouseDown(ui::MouseButton button, int shift, int x, int y) {
    if (button == ui::MouseButton::Middle) return;
    const int sizing = groessenSpalte(x, y);
    if (sizing >= 0 && button == ui::MouseButton::Left) {
        spaltenGroesseBeginnt();
        groessenSpalte_ = sizing;
        groessenStart_ = CellRect(sizing, 0).left;
        captureMouse();
        return;
    }
    if (y <= RowHeight(0)) {
        titelDruck(button == ui::MouseButton::Left ? Knopf::Links : Knopf::Rechts, x);
        return;
    }
    const bool zelle = zellDruck(x, y, (shift & ui::kShift) != 0);
    ziehen_ = zelle && button == ui::MouseButton::Left;
}

void TTabelle::MouseMove(int shift, int x, int y) {
    if (groessenSpalte_ >= 0) {
        SetColWidth(groessenSpalte_, std::max(x - groessenStart_, 0));
        neuZeichnen();
        return;
    }
    if (ziehen_ && (shift & ui::kLeftButton) != 0) {
        ziehen(x, y);
        return;
    }
    setCursorShape(groessenSpalte(x, y) >= 0 ? ui::Cursor::SizeWE : ui::Cursor::Default);
}

void TTabelle::MouseUp(ui::MouseButton button, int, int x, int y) {
    if (groessenSpalte_ >= 0) {
        groessenSpalte_ = -1;
        releaseMouseCapture();
        return;
    }
    ziehen_ = false;
    loslassen();
    if (button != ui::MouseButton::Right || PopupMenu == nullptr) return;
    // The press has already moved the row (or chosen the search column), so
    // the host's menu acts on what the user pointed at.
    ui::PopupMenu& m = *PopupMenu;
    const int id = m.popup(mapToGlobal(QPoint(x, y)), this);
    if (id != 0 && OnMenuWahl) OnMenuWahl(*this, m, id);
}

void TTabelle::DblClick(ui::MouseButton button, int, int, int) {
    if (button == ui::MouseButton::Left) EvDoppelK();
}

void TTabelle::MouseWheel(int delta, int, int, int) {
    const int zeilen = wheel_.add(delta);
    if (zeilen == 0) return;
    SetTopRow(TopRow() - zeilen);
    neuZeichnen();
}

void TTabelle::KeyDown(int key, int shift) {
    const bool umschalt = (shift & ui::kShift) != 0;
    switch (key) {
        case Qt::Key_F3:
            TabelleModell::KeyDown(Taste::F3);
            break;
        case Qt::Key_Left:
            TabelleModell::KeyDown(Taste::Links);
            break;
        case Qt::Key_Right:
            TabelleModell::KeyDown(Taste::Rechts);
            break;
        case Qt::Key_Up:
            TabelleModell::KeyDown(Taste::Hoch, umschalt);
            break;
        case Qt::Key_Down:
            TabelleModell::KeyDown(Taste::Runter, umschalt);
            break;
        case Qt::Key_PageUp:
            TabelleModell::KeyDown(Taste::SeiteHoch, umschalt);
            break;
        case Qt::Key_PageDown:
            TabelleModell::KeyDown(Taste::SeiteRunter, umschalt);
            break;
        case Qt::Key_Home:
            TabelleModell::KeyDown(Taste::Anfang, umschalt);
            break;
        case Qt::Key_End:
            TabelleModell::KeyDown(Taste::Ende, umschalt);
            break;
        default:
            TabelleModell::KeyDown(Taste::Andere, umschalt);
            break;
    }
}

void TTabelle::KeyPress(char ch) {
    TabelleModell::KeyPress(ch);
}

void TTabelle::GotFocus() {
    EvActivate();
    neuZeichnen();
}

void TTabelle::Resized(int, int) {
    balkenSetzen();
    EvGroesse();
    neuZeichnen();
}

// ---- Search field ----

void TTabelle::suchfeldVerbinden() {
    if (suchelement_) suchelement_->Set_Suche(this);
}

void TTabelle::suchfeldSpalte(int col) {
    if (suchelement_) suchelement_->Set_Spalte(col);
}

void TTabelle::suchfeldSpaltenName(const std::string& name, int col) {
    if (suchelement_) suchelement_->Set_Spalten_Name(name, col);
}

int TTabelle::suchfeldVergleich(const std::string& zelle) const {
    return suchelement_ ? suchelement_->Vergleich(zelle) : 0;
}

void TTabelle::suchfeldNotFund(int pos) {
    if (suchelement_) suchelement_->NotFund(pos);
}

void TTabelle::suchfeldZeichen(char ch) {
    if (suchelement_)
        ui::SendMessage(suchelement_->GetFenster(), WM_CHAR, static_cast<unsigned char>(ch));
}

}  // namespace table
