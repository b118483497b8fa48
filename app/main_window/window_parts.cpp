#include "app/main_window/window_parts.h"

#include <QHBoxLayout>
#include <QKeyEvent>
#include <QSignalBlocker>
#include <algorithm>
#include <QLabel>
#include <QScrollBar>

#include "app/main_window/main_window.h"
#include "app/main_window/sheet_keys.h"
#include "app/main_window/sheet_geometry.h"
#include "platform/core/codepage.h"
#include "platform/ui/drawing/qt_text.h"

namespace app {

// ---- FormCanvas -----------------------------------------------------------

FormCanvas::FormCanvas(TForm1& form, QWidget* parent) : ui::Control(parent), form_(form) {
    setColor(ui::clBtnFace);
    setFocusPolicy(Qt::StrongFocus);
    setMouseTracking(true);
    setWantsTabKey(true);
    // The sheet marks what it drew: the children lying over the canvas are
    // not repainted for a change of the sheet.
    setUpdateAfterEvents(false);
}

void FormCanvas::MouseMove(int, int x, int y) { form_.FormMouseMove(x, y); }

void FormCanvas::MouseDown(ui::MouseButton button, int shift, int x, int y) {
    if (shift & ui::kDouble) form_.FormDblClick();
    form_.FormMouseDown(button, x, y);
}

void FormCanvas::MouseUp(ui::MouseButton, int, int, int) { form_.FormMouseUp(); }

void FormCanvas::DblClick(ui::MouseButton button, int shift, int x, int y) {
    MouseDown(button, shift | ui::kDouble, x, y);
}

void FormCanvas::keyPressEvent(QKeyEvent* e) {
    // The screen shows what the key left in the book, drawn once at its end
    // (a digit or a refused time changes the entry line without a paint of
    // its own).
    const TForm1::EinmalMalen einmal(form_);
    taste(e);
    form_.FormPaint(false);
}

void FormCanvas::taste(QKeyEvent* e) {
    const int key = virtualKey(e->key(), e->modifiers() & Qt::KeypadModifier);
    const bool ctrl = (e->modifiers() & (Qt::ControlModifier | Qt::AltModifier)) == Qt::ControlModifier;
    if (form_.ApplicationEvents1ShortCut(key)) return;
    if (ctrl && form_.textModus) {
        // The text part's menu items by their usual keys.
        if (e->key() == Qt::Key_X) return form_.Ausschneiden1Click();
        if (e->key() == Qt::Key_C) return form_.Kopieren1Click();
        if (e->key() == Qt::Key_V) return form_.Einfgen1Click();
    }
    form_.FormKeyDown(key);
    if (!ctrl) {  // no control characters as text
        for (const QChar ch : e->text()) {
            const int b = platform::unicodeToCp1252(ch.unicode());
            if (b > 0)
                form_.FormKeyPress(static_cast<char>(b));
            else if (form_.textModus && !ch.isNull())
                form_.beep();
        }
    }
}

void FormCanvas::keyReleaseEvent(QKeyEvent* e) {
    form_.FormKeyUp(virtualKey(e->key(), e->modifiers() & Qt::KeypadModifier));
}

void FormCanvas::Resized(int, int) { form_.FormResize(); }

void FormCanvas::MouseWheel(int delta, int, int, int) {
    if (!form_.ScrollBar1->isEnabled()) return;
    // A line a notch, also when a fine wheel sends the notch in parts.
    const int schritte = rad_.add(delta);
    if (schritte != 0) form_.ScrollBar1->setValue(form_.ScrollBar1->value() - schritte);
}

// ---- HeaderControl --------------------------------------------------------

HeaderControl::HeaderControl(QWidget* parent) : ui::Control(parent) {
    setColor(ui::clBtnFace);
    setFocusPolicy(Qt::NoFocus);
    setEnabled(false);
    for (size_t i = 0; i < captions_.size(); ++i) captions_[i] = kHeaderSections[i].caption;
}

void HeaderControl::setCaption(int section, const std::string& caption) {
    captions_.at(section) = caption;
    redraw();
}

void HeaderControl::redraw() {
    ui::Canvas& c = canvas();
    if (!c.isAttached()) return;
    c.brush = {ui::clBtnFace, ui::BrushStyle::Solid};
    c.FillRect({0, 0, width(), height()});
    c.font = ui::Font();
    c.font.name = "MS Sans Serif";
    c.font.setHeight(-11);
    c.font.color = ui::clGrayText;  // the control is disabled
    c.brush.style = ui::BrushStyle::Clear;
    int x = 0;
    for (size_t i = 0; i < kHeaderSections.size(); ++i) {
        const int w = kHeaderSections[i].width;
        // Raised section: light top-left, shadow bottom-right.
        c.pen = {ui::clBtnHighlight, 1, ui::PenStyle::Solid};
        c.MoveTo(x, height() - 1);
        c.LineTo(x, 0);
        c.LineTo(x + w - 1, 0);
        c.pen.color = ui::clBtnShadow;
        c.MoveTo(x + w - 1, 0);
        c.LineTo(x + w - 1, height() - 1);
        c.LineTo(x - 1, height() - 1);
        const std::string& text = captions_[i];
        const int tw = c.TextWidth(text);
        const int tx = kHeaderSections[i].centred ? x + (w - tw) / 2 : x + 4;
        c.TextRect({x + 1, 1, x + w - 1, height() - 1}, tx, 2, text);
        x += w;
    }
    Invalidate();
}

// ---- YearField ------------------------------------------------------------

YearField::YearField(QWidget* parent) : QSpinBox(parent) {
    setRange(0, 9999);  // a typed year below 1900 is the window's to refuse
    setButtonSymbols(QAbstractSpinBox::UpDownArrows);
    setCorrectionMode(QAbstractSpinBox::CorrectToPreviousValue);
    setPosition(1900);
}

void YearField::setPosition(int year) {
    position_ = year;
    // The same year as shown: no repaint of the field.
    if (year == value() && text() == textFromValue(year)) return;
    const QSignalBlocker quiet(this);
    setValue(year);
}

void YearField::stepBy(int steps) {
    const int year = std::clamp(position_ + steps, 1900, 9999);
    if (year == position_) return;
    setPosition(year);
    if (onStep) onStep();
}

QValidator::State YearField::validate(QString& text, int&) const {
    if (text.size() > 4) return QValidator::Invalid;
    for (const QChar c : text)
        if (!c.isDigit()) return QValidator::Invalid;
    return text.isEmpty() ? QValidator::Intermediate : QValidator::Acceptable;
}

void YearField::keyReleaseEvent(QKeyEvent* e) {
    QSpinBox::keyReleaseEvent(e);
    if (onKeyUp) onKeyUp(virtualKey(e->key(), e->modifiers() & Qt::KeypadModifier));
}

void YearField::focusOutEvent(QFocusEvent* e) {
    QSpinBox::focusOutEvent(e);
    // A year that was not taken shows the year that holds again.
    setPosition(position_);
}

// ---- StatusBar ------------------------------------------------------------

StatusBar::StatusBar(QWidget* parent) : QWidget(parent) {
    auto* row = new QHBoxLayout(this);
    row->setContentsMargins(0, 1, 0, 0);
    row->setSpacing(2);
    static constexpr int widths[3] = {601, 80, 50};
    for (int i = 0; i < 3; ++i) {
        auto* l = new QLabel(this);
        l->setFrameShape(QFrame::Panel);
        l->setFrameShadow(QFrame::Sunken);
        l->setIndent(2);
        if (i > 0) l->setAlignment(Qt::AlignCenter);
        if (i < 2)
            l->setFixedWidth(widths[i]);
        else
            l->setMinimumWidth(widths[i]);
        row->addWidget(l, i == 2 ? 1 : 0);
        panels_[i] = l;
    }
}

void StatusBar::setPanelText(int panel, const std::string& text) {
    panels_.at(panel)->setText(ui::toQString(text));
}

std::string StatusBar::panelText(int panel) const {
    return ui::fromQString(panels_.at(panel)->text());
}

}  // namespace app
