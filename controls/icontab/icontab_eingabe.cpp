// TIconTab's window side of keys, mouse and the in-cell editor: Qt keys and
// buttons become the model's intents, the editor's box is drawn over its
// cell, the pick list is a small list window below it, and the context
// menus, the search field and the clipboard are reached from here.
#include <QApplication>
#include <QCursor>
#include <QFocusEvent>
#include <QKeyEvent>
#include <QListWidget>
#include <QScreen>

#include "controls/table_shared/edit_kontextmenue.h"
#include "controls/icontab/icontab.h"
#include "platform/ui/input/beep.h"
#include "platform/ui/input/clipboard.h"
#include "platform/ui/drawing/qt_text.h"

namespace table {
namespace {

Taste tasteVon(int key) {
    switch (key) {
        case Qt::Key_Escape:
            return Taste::Esc;
        case Qt::Key_Tab:
            return Taste::Tab;
        case Qt::Key_Return:
        case Qt::Key_Enter:
            return Taste::Enter;
        case Qt::Key_PageUp:
            return Taste::SeiteHoch;
        case Qt::Key_PageDown:
            return Taste::SeiteRunter;
        case Qt::Key_F3:
            return Taste::F3;
        case Qt::Key_Left:
            return Taste::Links;
        case Qt::Key_Right:
            return Taste::Rechts;
        case Qt::Key_Up:
            return Taste::Hoch;
        case Qt::Key_Down:
            return Taste::Runter;
        case Qt::Key_Backspace:
            return Taste::Zurueck;
        case Qt::Key_Delete:
            return Taste::Entf;
        case Qt::Key_Shift:
            return Taste::Shift;
        default:
            return Taste::Andere;
    }
}

Knopf knopfVon(ui::MouseButton b) {
    return b == ui::MouseButton::Right ? Knopf::Rechts : Knopf::Links;
}

}  // namespace

// ---- Input ----

void TIconTab::KeyDown(int key, int) {
    gesammelt([&] { EvKeyDown(tasteVon(key)); });
}

void TIconTab::KeyUp(int key, int) {
    EvKeyUp(tasteVon(key));
}

void TIconTab::KeyPress(char ch) {
    gesammelt([&] { EvKeyChar(ch); });
}

bool TIconTab::event(QEvent* e) {
    if (e->type() == QEvent::ShortcutOverride)
        EvKeyVorab(tasteVon(static_cast<QKeyEvent*>(e)->key()));
    return ui::Control::event(e);
}

void TIconTab::MouseMove(int shift, int x, int y) {
    if (ziehBereit_ && (shift & ui::kLeftButton) &&
        (QPoint(x, y) - ziehVon_).manhattanLength() >= QApplication::startDragDistance()) {
        ziehBereit_ = false;
        ziehenStarten();
        // The drag took the button's release.
        const QPoint p = mapFromGlobal(QCursor::pos());
        MouseUp(ui::MouseButton::Left, 0, p.x(), p.y());
        return;
    }
    gesammelt([&] { EvMove(x, y); });
    zeigerZeigen();
    if (GetA_Format() == A_Bitmap && (maxTopRow() > 0 || maxLeftCol() > 0)) {
        // A picture larger than the window follows the mouse while it stays
        // inside; leaving (4 pixels from the edge) lets it go.
        const bool draussen = x < 4 || y < 4 || x > width() - 4 || y > height() - 4;
        if (!draussen && !hasMouseCapture()) {
            captureMouse();
        } else if (draussen && hasMouseCapture()) {
            releaseMouseCapture();
            if (bildAnzeige()) bildAnzeige()->verschoben = true;
            neuZeichnen();
        }
    }
}

void TIconTab::zeigerZeigen() {
    switch (zeiger()) {
        case Zeiger::SpaltenGrenze: setCursorShape(ui::Cursor::SizeWE); break;
        case Zeiger::Bild: setCursorShape(ui::Cursor::SizeAll); break;
        default: setCursorShape(ui::Cursor::Default); break;
    }
}

void TIconTab::MouseDown(ui::MouseButton button, int, int x, int y) {
    ziehBereit_ = false;
    if (button != ui::MouseButton::Middle)
        gesammelt([&] { EvButton(knopfVon(button), true, x, y); });
}

void TIconTab::MouseUp(ui::MouseButton button, int, int x, int y) {
    ziehBereit_ = false;
    if (button != ui::MouseButton::Middle)
        gesammelt([&] { EvButton(knopfVon(button), false, x, y); });
    zeigerZeigen();  // a finished column sizing gives the pointer back
}

void TIconTab::DblClick(ui::MouseButton button, int, int x, int y) {
    if (button == ui::MouseButton::Left) EvDoppelK();
    MouseDown(button, 0, x, y);
}

void TIconTab::GotFocus() {
    EvActivate();
}

void TIconTab::LostFocus() {
    EvKillFocus();
}

void TIconTab::focusOutEvent(QFocusEvent* e) {
    // A menu of the control itself keeps the editor open.
    if (e->reason() == Qt::PopupFocusReason) {
        QWidget::focusOutEvent(e);
        neuZeichnen();
        return;
    }
    ui::Control::focusOutEvent(e);
}

void TIconTab::NextWindow() {
    focusNextChild();
}

void TIconTab::beep() {
    ui::Beep();
}

bool TIconTab::dispatchMessage(ui::Message& m) {
    switch (m.msg) {
        case WM_CUT:
            EvPopUp(Befehl::Ausschneiden);
            return true;
        case WM_COPY:
            EvPopUp(Befehl::Kopieren);
            return true;
        case WM_CLEAR:
            EvPopUp(Befehl::Loeschen);
            return true;
        case WM_PASTE:
            EvPopUp(m.wParam != 0 ? Befehl::Zeilenumbruch : Befehl::Einfuegen);
            return true;
        default:
            return ui::Control::dispatchMessage(m);
    }
}

// ---- Search field ----

bool TIconTab::suchfeldVon() const {
    return suchelement_ && suchelement_->GetVon();
}

int TIconTab::suchfeldVergleich(const std::string& zelle) const {
    return suchelement_ ? suchelement_->Vergleich(zelle) : 0;
}

void TIconTab::suchfeldNotFund(int pos) {
    if (suchelement_) suchelement_->NotFund(pos);
}

void TIconTab::suchfeldZeichen(char ch) {
    if (suchelement_)
        ui::SendMessage(suchelement_->GetFenster(), WM_CHAR,
                        static_cast<std::uintptr_t>(static_cast<unsigned char>(ch)));
}

bool TIconTab::clipboardLesen(std::string& text) {
    std::optional<std::string> t = ui::clipboardText();
    if (!t) return false;
    text = std::move(*t);
    return true;
}

// ---- The pick list ----

void TIconTab::listeZeigen(bool an) {
    const Eingabe* e = eingabe();
    if (!an || e == nullptr || !e->listeOffen) {
        if (liste_) liste_->hide();
        return;
    }
    if (!liste_) {
        // A window of its own that never takes the focus: the keys stay here.
        liste_ = new QListWidget(this);
        liste_->setObjectName(QStringLiteral("PopUp"));
        liste_->setWindowFlags(Qt::ToolTip | Qt::FramelessWindowHint);
        liste_->setAttribute(Qt::WA_ShowWithoutActivating);
        liste_->setFocusPolicy(Qt::NoFocus);
        liste_->setFrameShape(QFrame::Box);
        connect(liste_, &QListWidget::itemClicked, this,
                [this](QListWidgetItem* i) { listeGeklickt(liste_->row(i)); });
        // The entry under the pointer is the chosen one, as with the keys.
        liste_->setMouseTracking(true);
        connect(liste_, &QListWidget::itemEntered, this,
                [this](QListWidgetItem* i) { SetListIndex(liste_->row(i), 0); });
    }
    if (liste_->count() != static_cast<int>(e->liste.size())) {
        liste_->clear();
        for (const std::string& s : e->liste) liste_->addItem(ui::toQString(s));
    }
    liste_->setCurrentRow(e->listeWahl);
    const int item = std::max(liste_->sizeHintForRow(0), QFontMetrics(liste_->font()).height());
    const QPoint links = mapToGlobal(QPoint(e->box.left, e->box.top));
    const Rect box{links.x(), links.y(), links.x() + e->box.width(), links.y() + e->box.height()};
    const QScreen* s = screen();
    const QRect bildschirm = s ? s->geometry() : QRect(0, 0, 1024, 768);
    const Rect r = listenPlatz(box, static_cast<int>(e->liste.size()), item, bildschirm.top(),
                               bildschirm.bottom() + 1);
    liste_->setGeometry(r.left, r.top, r.width(), r.height());
    liste_->show();
}

// ---- The editor's box ----

void TIconTab::paintEingabe() {
    caretPlatz_ = {};
    caretAn_ = true;  // a fresh picture shows the caret, the blink starts over
    const Eingabe* e = eingabe();
    if (e == nullptr || !e->sichtbar || e->box.width() <= 0 || e->box.height() <= 0) return;
    ui::Canvas& c = canvas();
    const Rect& b = e->box;
    const bool fokus = hasFocus();
    ui::TColor grund = ui::clWhite;
    if (e->art == 2 || e->art == 3) grund = ui::clInfoBk;
    if (!fokus) grund = ui::clHighlight;
    c.brush = ui::Brush{grund, ui::BrushStyle::Solid};
    c.FillRect(b);
    c.brush = ui::Brush{ui::clGray, ui::BrushStyle::Solid};
    c.FrameRect(b);
    c.pen = ui::Pen{ui::clGray};
    c.MoveTo(b.left + 2, b.bottom - 3);
    c.LineTo(b.right - 2, b.bottom - 3);
    const EingabeBild& bild = eingabeBild();
    c.font = font_;
    c.font.color = fokus ? ui::clBlack : ui::clWhite;
    c.brush.style = ui::BrushStyle::Clear;
    const int selEnde = e->selStart + e->selLaenge;
    for (int i = 0; i < e->text.zeilenZahl(); ++i) {
        const std::string& z = e->text.zeilen()[static_cast<size_t>(i)];
        const int sicht =
            i < static_cast<int>(bild.sichtbar.size()) ? bild.sichtbar[static_cast<size_t>(i)] : 0;
        if (bild.scroll >= static_cast<int>(z.size()) || sicht <= 0) continue;
        const std::string teil =
            z.substr(static_cast<size_t>(bild.scroll), static_cast<size_t>(sicht));
        const int x = b.left + bild.rand;
        const int y = b.top + bild.textTop + i * bild.zeilenHoehe;
        c.TextOut(x, y, teil);
        // The selected part of this line, inverted.
        const int start = e->text.SetSelStart(i, 0);
        const int von = std::max(e->selStart - start, bild.scroll);
        const int bis = std::min(selEnde - start, bild.scroll + sicht);
        if (e->selLaenge > 0 && von < bis) {
            const std::string davor =
                z.substr(static_cast<size_t>(bild.scroll), static_cast<size_t>(von - bild.scroll));
            const std::string sel =
                z.substr(static_cast<size_t>(von), static_cast<size_t>(bis - von));
            const int sx = x + c.TextWidth(davor);
            c.brush = ui::Brush{ui::clHighlight, ui::BrushStyle::Solid};
            c.FillRect({sx, y, sx + c.TextWidth(sel), y + bild.zeilenHoehe});
            c.font.color = ui::clWhite;
            c.brush.style = ui::BrushStyle::Clear;
            c.TextOut(sx, y, sel);
            c.font.color = fokus ? ui::clBlack : ui::clWhite;
        }
    }
    if (bild.scroll > 0) {
        // Red chevrons: the text runs on to the left and right.
        c.pen = ui::Pen{0x0000FF};
        const int m = b.top + b.height() / 2;
        for (const int x : {b.left + 4, b.right - 5}) {
            const int d = x < b.left + b.width() / 2 ? 2 : -2;
            c.MoveTo(x + d, m - 3);
            c.LineTo(x, m);
            c.LineTo(x + d + (d > 0 ? 1 : -1), m + 4);
        }
    }
    if (e->art == 1) {
        const Rect k{b.right - 12, b.top, b.right, b.bottom};
        c.brush = ui::Brush{ui::clBtnFace, ui::BrushStyle::Solid};
        c.FillRect(k);
        c.brush = ui::Brush{ui::clGray, ui::BrushStyle::Solid};
        c.FrameRect(k);
        c.brush = ui::Brush{ui::clBlack, ui::BrushStyle::Solid};
        c.pen = ui::Pen{ui::clBlack};
        const int m = b.top + b.height() / 2;
        c.Polygon(
            {QPoint(k.left + 3, m - 2), QPoint(k.right - 4, m - 2), QPoint(k.left + 5, m + 1)});
    } else if (fokus) {
        // The caret: two pixels wide, one text line high.
        const int x = b.left + bild.caretX;
        const int y = b.top + bild.caretY;
        caretPlatz_ = {x, y, x + 2, std::min(y + bild.zeilenHoehe, b.bottom)};
        c.Invert(caretPlatz_);
    }
    c.font = font_;
}

// The blink runs while a caret was drawn and restarts with every picture.
void TIconTab::caretTakt() {
    const int takt = QApplication::cursorFlashTime() / 2;
    if (caretPlatz_.width() > 0 && takt > 0) {
        armTimer(kCaretTimer, takt);
    } else {
        disarmTimer(kCaretTimer);
    }
}

void TIconTab::caretBlinken() {
    if (caretPlatz_.width() <= 0 || !hasFocus() || !eingabeOffen()) {
        disarmTimer(kCaretTimer);
        if (!caretAn_) neuZeichnen();
        return;
    }
    if (gesperrt() || !canvas().isAttached()) return;
    // Inverting twice restores the pixels below.
    caretAn_ = !caretAn_;
    canvas().Invert(caretPlatz_);
    Invalidate();
}

}  // namespace table
