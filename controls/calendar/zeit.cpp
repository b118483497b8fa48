#include "controls/calendar/zeit.h"

#include <QAbstractButton>
#include <QApplication>
#include <QLineEdit>
#include <QScreen>
#include <vector>

#include "controls/calendar/model/tdatetime_format.h"
#include "controls/calendar/zeit_paint.h"
#include "controls/calendar/zeit_popups.h"
#include "platform/core/message_box.h"
#include "platform/ui/input/clipboard.h"

namespace calendar {
namespace {

constexpr int kChangeTimer = 1;
constexpr int kBlinkTimer = 2;
constexpr int kBlinkMs = 600;

// What the table control expects when a field in its caption passes on the Tab key.
constexpr unsigned kWmKeyDown = 0x0100;
constexpr uintptr_t kVkTab = 9;

QString textOf(const QWidget* w) {
    if (const auto* b = qobject_cast<const QAbstractButton*>(w)) return b->text();
    if (const auto* e = qobject_cast<const QLineEdit*>(w)) return e->text();
    return w->windowTitle();
}

bool isTabStop(const QWidget* w) {
    return w->isEnabled() && w->isVisible() && (w->focusPolicy() & Qt::TabFocus) != 0;
}

// The children of `parent` in its tab order.
std::vector<QWidget*> tabOrderOf(QWidget* parent) {
    std::vector<QWidget*> order;
    for (QWidget* w = parent->nextInFocusChain(); w != nullptr && w != parent;
         w = w->nextInFocusChain()) {
        if (w->parentWidget() == parent && (w->focusPolicy() & Qt::TabFocus) != 0)
            order.push_back(w);
    }
    return order;
}

// The field itself, or a widget in a window the field opened (its menu, picker
// or month chooser): the parent chain crosses into the window that opened it.
bool isWithin(const QWidget* w, const QWidget* field) {
    for (; w != nullptr; w = w->parentWidget())
        if (w == field) return true;
    return false;
}

}  // namespace

TZeit::TZeit(QWidget* owner) : ui::Control(owner) {
    setFocusPolicy(Qt::StrongFocus);
    setWantsTabKey(true);
    setTakesEnter(true);  // Enter moves on to the next field
    menu_.add("Jetzt", kJetzt);
    menu_.addSeparator();
    menu_.add("Kopieren", kKopieren);
    menu_.add("Einf\xFCgen", kEinfuegen);
    menu_.addSeparator();
    relayout();
}

TZeit::~TZeit() = default;

// ---- Properties ----

void TZeit::SetStyle(TZeitStyle style) {
    model_.SetStyle(style);
    relayout();
}

void TZeit::SetChange(bool zeitDatum) {
    model_.setZeitDatum(zeitDatum);
    relayout();
}

void TZeit::SetSize(int fontSize) {
    if (fontSize < 8) return;
    fontSize_ = fontSize;
    relayout();
}

void TZeit::SetCaption(const std::string& caption) {
    caption_ = caption;
    relayout();
}

void TZeit::SetTitelColor(ui::TColor colour) {
    titelColor_ = colour;
    relayout();
}

void TZeit::SetPartner(TZeit* partner) {
    if (partner == nullptr || menu_.items().size() >= 6) return;
    kombi_ = partner;
    model_.SetPartner(&partner->model_);
    menu_.add("Dieser Monat", kDieserMonat);
    menu_.add("Letzter Monat", kLetzterMonat);
    menu_.add("Monatsauswahl", kMonatsWahl);
    menu_.add("Dieses Jahr", kDiesesJahr);
    menu_.add("Letztes Jahr", kLetztesJahr);
}

// ---- Values ----

void TZeit::SetValue(platform::DateTime v) {
    model_.SetValue(v);
    repaintPair();
}

void TZeit::SetAnsi(std::string_view text) {
    model_.SetAnsi(text);
    repaintPair();
}

bool TZeit::Test(char mode) {
    const bool ok = model_.Test(mode);
    repaint();
    return ok;
}

void TZeit::Minuten(int minutes) {
    model_.Minuten(minutes);
    repaint();
}

// ---- Drawing ----

void TZeit::relayout() {
    ui::Canvas& c = canvas();
    c.font = zeitFont(fontSize_);
    const int w = c.TextWidth("M"), h = c.TextHeight("M");
    const int captionWidth = caption_.empty() ? 0 : c.TextWidth(caption_) + 4;
    layout_ = layoutZeit(model_.Style(), model_.Zeit_Datum(), captionWidth, w, h);
    setFixedSize(layout_.width, layout_.height);
    frame_.setSize(layout_.width, layout_.height, devicePixelRatioF());
    paintFrame();
    repaint();
}

void TZeit::paintFrame() {
    paintZeitFrame(frame_.canvas(), layout_, fontSize_, caption_, titelColor_, buttonDown_);
}

void TZeit::repaint() {
    canvas().Draw(0, 0, frame_);
    paintZeitValue(canvas(), layout_, fontSize_, model_, focused_ && blink_);
    Invalidate();
}

void TZeit::repaintPair() {
    repaint();
    if (kombi_ && kombi_ != this) kombi_->repaint();
}

void TZeit::Resized(int, int) {
    repaint();
}

void TZeit::restartBlink() {
    if (!focused_) return;
    armTimer(kBlinkTimer, kBlinkMs);
    blink_ = true;
}

void TZeit::Blinken() {
    blink_ = !blink_;
    repaint();
}

void TZeit::TimerFired(int id) {
    if (id == kBlinkTimer) {
        Blinken();
    } else if (id == kChangeTimer) {
        disarmTimer(kChangeTimer);
        delay_.fired();
        if (OnChange) OnChange(*this, GetValue());
    }
}

// ---- Focus ----

void TZeit::GotFocus() {
    focused_ = true;
    if (!keepCursor_) model_.enterFocus();
    keepCursor_ = false;
    restartBlink();
    repaint();
}

void TZeit::LostFocus() {
    focused_ = false;
    disarmTimer(kBlinkTimer);
    // Every move of the focus within the program is checked, also into another
    // of its windows; not a move into this field's own menu or pickers, nor to
    // a control whose text begins with "Abbruch".
    QWidget* next = QApplication::focusWidget();
    // Another window without a control that takes the focus; a focus merely
    // cleared within this window (a hidden or closing field) is no move.
    if (next == nullptr && QApplication::activeWindow() != window())
        next = QApplication::activeWindow();
    if (next != nullptr && !isWithin(next, this) &&
        !textOf(next).startsWith(QStringLiteral("Abbruch")) && !model_.Test(1)) {
        const platform::Answer a = platform::MessageBox("Kein g\xFCltiges Datum!", "Fehler",
                                                        platform::Buttons::RetryCancel);
        if (a == platform::Answer::Cancel) {
            model_.clear();
        } else {
            keepCursor_ = true;
            QMetaObject::invokeMethod(
                this,
                [this] {
                    window()->activateWindow();
                    setFocus(Qt::OtherFocusReason);
                },
                Qt::QueuedConnection);
        }
    }
    repaint();
}

void TZeit::tabForward() {
    QWidget* parent = parentWidget();
    if (parent == nullptr) return;
    if (QByteArray(parent->metaObject()->className()).endsWith("TIconTab")) {
        const std::vector<QWidget*> order = tabOrderOf(parent);
        if (order.size() >= 2 && order[0] == this && isTabStop(order[1]))
            order[1]->setFocus(Qt::TabFocusReason);
        else
            ui::SendMessage(parent, kWmKeyDown, kVkTab, reinterpret_cast<intptr_t>(this));
        return;
    }
    for (QWidget* w = nextInFocusChain(); w != nullptr && w != this; w = w->nextInFocusChain()) {
        if (w->parentWidget() == parent && isTabStop(w)) {
            w->setFocus(Qt::TabFocusReason);
            return;
        }
    }
}

// ---- Keys and mouse ----

void TZeit::KeyDown(int key, int) {
    switch (key) {
        case Qt::Key_Return:
        case Qt::Key_Enter:
            if (OnNextWindow)
                OnNextWindow(*this);
            else
                tabForward();
            return;
        case Qt::Key_Tab:
            tabForward();
            return;
        case Qt::Key_Backtab:
            focusPreviousChild();
            return;
        case Qt::Key_Right:
            TastePress(ZeitKey::Right, 0);
            return;
        case Qt::Key_Left:
            TastePress(ZeitKey::Left, 0);
            return;
        case Qt::Key_Space:
            TastePress(ZeitKey::Space, 0);
            return;
        case Qt::Key_Backspace:
            TastePress(ZeitKey::Backspace, 0);
            return;
        case Qt::Key_Up:
            TastePress(ZeitKey::Up, 0);
            return;
        case Qt::Key_Down:
            TastePress(ZeitKey::Down, 0);
            return;
        default:
            if (key >= Qt::Key_0 && key <= Qt::Key_9) TastePress(ZeitKey::Digit, key - Qt::Key_0);
    }
}

void TZeit::TastePress(ZeitKey k, int digit) {
    const KeyOutcome r = model_.key(k, digit);
    if (r == KeyOutcome::Ignored) return;
    restartBlink();
    if (r == KeyOutcome::Moved) {
        repaint();
        return;
    }
    repaintPair();
    Changing();
}

// A burst of edits gives one OnChange once the typing pauses.
void TZeit::Changing() {
    if (OnChange) armTimer(kChangeTimer, delay_.arm());
}

void TZeit::MouseDown(ui::MouseButton b, int, int x, int y) {
    if (b == ui::MouseButton::Right) {
        runMenu(mapToGlobal(QPoint(x, y)));
        return;
    }
    if (b != ui::MouseButton::Left) return;
    if (layout_.onButton(x)) {
        buttonDown_ = true;
        paintFrame();
        repaint();
        return;
    }
    const int digit = layout_.digitAt(x, y);
    if (digit < 0) return;
    // Focus first: taking the focus puts the cursor on the first block.
    if (!hasFocus()) setFocus(Qt::MouseFocusReason);
    model_.setCursor(digit);
    restartBlink();
    repaint();
}

void TZeit::MouseUp(ui::MouseButton b, int, int, int) {
    if (b != ui::MouseButton::Left || !buttonDown_) return;
    buttonDown_ = false;
    paintFrame();
    repaint();
    TasteClick();
}

void TZeit::MouseWheel(int delta, int, int, int) {
    const int steps = wheel_.add(delta);
    for (int i = 0; i < steps; ++i) TastePress(ZeitKey::Up, 0);
    for (int i = 0; i > steps; --i) TastePress(ZeitKey::Down, 0);
}

// ---- Menu ----

void TZeit::KontextPopup() {
    menu_.item(kKopieren)->enabled = model_.Test(2);
    menu_.item(kEinfuegen)->enabled = ui::clipboardHasFormat(kTDateTimeFormat);
}

void TZeit::runMenu(QPoint globalPos) {
    KontextPopup();
    switch (menu_.popup(globalPos, this)) {
        case kJetzt:
            FensterClick(true);
            break;
        case kKopieren:
            Kopie();
            break;
        case kEinfuegen:
            Paste();
            break;
        case kDieserMonat:
            Dieser_Monat();
            break;
        case kLetzterMonat:
            Letzter_Monat();
            break;
        case kMonatsWahl:
            Monats_Wahl();
            break;
        case kDiesesJahr:
            Dieses_Jahr();
            break;
        case kLetztesJahr:
            Letztes_Jahr();
            break;
        default:
            break;
    }
}

void TZeit::FensterClick(bool fromMenu) {
    model_.setNow(platform::now());
    repaint();
    if (fromMenu && OnChange) OnChange(*this, GetValue());
}

void TZeit::Kopie() {
    ui::ClipboardContent c;
    c.setFormat(kTDateTimeFormat, encodeTDateTime(GetValue()));
    ui::putOnClipboard(c);
}

void TZeit::Paste() {
    const std::optional<std::string> bytes = ui::clipboardFormat(kTDateTimeFormat);
    if (!bytes) return;
    const std::optional<platform::DateTime> v = decodeTDateTime(*bytes);
    if (!v) return;
    SetValue(*v);
    if (OnChange) OnChange(*this, *v);
}

void TZeit::quickPeriod(QuickPeriod kind) {
    applyPeriod(calendar::quickPeriod(kind, platform::now()), false);
}

void TZeit::applyPeriod(const Period& p, bool keepTime) {
    model_.applyPeriod(p, keepTime);
    repaintPair();
    if (OnChange) OnChange(*this, GetValue());
}

// ---- Pop-ups ----

namespace {

QPoint popupAt(const QWidget& field, QSize size) {
    const QRect onScreen(field.mapToGlobal(QPoint(0, 0)), field.size());
    const QScreen* s = field.screen();
    return popupPosition(onScreen, size,
                         s != nullptr ? s->availableGeometry() : QRect(0, 0, 1 << 16, 1 << 16));
}

}  // namespace

void TZeit::Monats_Wahl() {
    const ZeitFields& f = model_.fields();
    const platform::CivilDate today = platform::decodeDate(platform::today());
    MonatsWahl w(this, f.year != 0 ? f.year : today.year, f.month != 0 ? f.month : today.month);
    w.move(popupAt(*this, w.size()));
    if (w.exec() != QDialog::Accepted) return;
    applyPeriod(chosenMonth(w.chosenYear(), w.chosenMonth()), true);
}

void TZeit::TasteClick() {
    const ZeitFields& f = model_.fields();
    std::optional<platform::CivilDate> date;
    if (hasDate(Style()) && model_.Test(0)) date = platform::CivilDate{f.year, f.month, f.day};
    ZeitPicker p(this, Style(), date, f.hour, f.minute);
    p.move(popupAt(*this, p.size()));
    if (p.exec() != QDialog::Accepted) {
        repaint();
        return;
    }
    if (hasDate(Style())) {
        const platform::CivilDate d = p.chosenDate();
        model_.setDate(d.year, d.month, d.day);
    }
    if (hasTime(Style())) model_.setTime(p.chosenHour(), p.chosenMinute());
    // Only the calendar click of a date field marks the value as typed; a
    // confirmation with "OK" leaves Change, and with it the partner rule, as it was.
    if (Style() == TZeitStyle::zaDatum) model_.Change = true;
    if (!hasFocus())
        setFocus(Qt::OtherFocusReason);
    else if (Style() == TZeitStyle::zaBeides)
        model_.setCursor(8);
    repaint();
    if (OnChange) OnChange(*this, GetValue());
}

}  // namespace calendar
