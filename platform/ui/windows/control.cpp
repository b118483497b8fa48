#include "platform/ui/windows/control.h"

#include <QKeyEvent>
#include <QMouseEvent>
#include <QPainter>
#include <QWheelEvent>
#include <algorithm>
#include <cmath>

#include "platform/core/codepage.h"

namespace ui {
namespace {

bool toButton(Qt::MouseButton b, MouseButton& out) {
    switch (b) {
        case Qt::LeftButton: out = MouseButton::Left; return true;
        case Qt::RightButton: out = MouseButton::Right; return true;
        case Qt::MiddleButton: out = MouseButton::Middle; return true;
        default: return false;
    }
}

// The press's own button counts as held, its release's no longer.
int withButton(int shift, MouseButton b, bool held) {
    const int bit = b == MouseButton::Left ? kLeftButton : b == MouseButton::Right ? kRightButton : kMiddleButton;
    return held ? shift | bit : shift & ~bit;
}

}  // namespace

Control::Control(QWidget* parent) : QWidget(parent) {
    setAttribute(Qt::WA_OpaquePaintEvent);
    setFocusPolicy(Qt::StrongFocus);
    resizeBacking(width(), height());
}

Control::~Control() { canvas_.detach(); }

// The backing image has as many pixels as the screen gives the control, so
// it is as sharp as Qt's own widgets; the drawing code keeps the control's
// coordinates, which the painter scales.
void Control::resizeBacking(int w, int h) {
    w = std::max(1, w);
    h = std::max(1, h);
    const qreal ratio = devicePixelRatioF();
    const QSize pixels(static_cast<int>(std::ceil(w * ratio)), static_cast<int>(std::ceil(h * ratio)));
    if (!backing_.isNull() && backing_.size() == pixels && backing_.devicePixelRatio() == ratio &&
        backingWidth_ == w && backingHeight_ == h)
        return;
    QImage next(pixels, QImage::Format_RGB32);
    next.setDevicePixelRatio(ratio);
    next.fill(toQColor(color_));
    if (!backing_.isNull()) {
        QPainter p(&next);
        p.drawImage(0, 0, backing_);
    }
    canvas_.detach();
    backing_ = std::move(next);
    backingWidth_ = w;
    backingHeight_ = h;
    canvas_.attach(&backing_);
}

void Control::armTimer(int id, int intervalMs) {
    disarmTimer(id);
    const int qtId = startTimer(std::max(0, intervalMs));
    if (qtId != 0) timers_[id] = qtId;
}

void Control::disarmTimer(int id) {
    const auto it = timers_.find(id);
    if (it == timers_.end()) return;
    killTimer(it->second);
    timers_.erase(it);
}

void Control::captureMouse() { grabMouse(); }
void Control::releaseMouseCapture() {
    if (hasMouseCapture()) releaseMouse();
}
bool Control::hasMouseCapture() const { return mouseGrabber() == this; }

void Control::setCursorShape(Cursor c) { setCursor(toQtCursor(c)); }

bool Control::event(QEvent* e) {
    if (wantsTab_ && e->type() == QEvent::KeyPress) {
        auto* k = static_cast<QKeyEvent*>(e);
        if (k->key() == Qt::Key_Tab || k->key() == Qt::Key_Backtab) {
            keyPressEvent(k);
            return true;
        }
    }
    return QWidget::event(e);
}

void Control::paintEvent(QPaintEvent*) {
    // Moved to a screen of another pixel ratio: a sharp image again.
    if (backing_.devicePixelRatio() != devicePixelRatioF()) {
        resizeBacking(width(), height());
        Resized(backingWidth_, backingHeight_);
    }
    QPainter p(this);
    p.drawImage(0, 0, backing_);
}

void Control::resizeEvent(QResizeEvent*) {
    resizeBacking(width(), height());
    Resized(backingWidth_, backingHeight_);
    update();
}

void Control::mousePressEvent(QMouseEvent* e) {
    MouseButton b;
    if (!toButton(e->button(), b)) return;
    const QPoint p = e->position().toPoint();
    MouseDown(b, withButton(shiftStateOf(*e), b, true), p.x(), p.y());
    routedUpdate();
}

void Control::mouseReleaseEvent(QMouseEvent* e) {
    MouseButton b;
    if (!toButton(e->button(), b)) return;
    const QPoint p = e->position().toPoint();
    MouseUp(b, withButton(shiftStateOf(*e), b, false), p.x(), p.y());
    routedUpdate();
}

void Control::mouseDoubleClickEvent(QMouseEvent* e) {
    MouseButton b;
    if (!toButton(e->button(), b)) return;
    const QPoint p = e->position().toPoint();
    DblClick(b, withButton(shiftStateOf(*e), b, true), p.x(), p.y());
    routedUpdate();
}

void Control::mouseMoveEvent(QMouseEvent* e) {
    const QPoint p = e->position().toPoint();
    MouseMove(shiftStateOf(*e), p.x(), p.y());
    routedUpdate();
}

void Control::wheelEvent(QWheelEvent* e) {
    const QPoint p = e->position().toPoint();
    MouseWheel(e->angleDelta().y(), shiftStateOf(*e), p.x(), p.y());
    e->accept();
    routedUpdate();
}

void Control::keyPressEvent(QKeyEvent* e) {
    const int k = e->key();
    if ((!takesEnter_ && (k == Qt::Key_Return || k == Qt::Key_Enter)) ||
        (!takesEscape_ && k == Qt::Key_Escape)) {
        e->ignore();  // on to the dialog
        return;
    }
    const int shift = shiftStateOf(*e);
    KeyDown(e->key(), shift);
    // Ctrl with a letter types the control character (Ctrl+C = 3) whatever
    // text the desktop reports; Ctrl+Alt is AltGr and types its text.
    if ((shift & (kCtrl | kAlt)) == kCtrl && e->key() >= Qt::Key_A && e->key() <= Qt::Key_Z) {
        KeyPress(static_cast<char>(e->key() - Qt::Key_A + 1));
        routedUpdate();
        return;
    }
    for (const QChar ch : typedText(e->text())) {
        const int b = platform::unicodeToCp1252(ch.unicode());
        if (b > 0) KeyPress(static_cast<char>(b));
    }
    routedUpdate();
}

void Control::keyReleaseEvent(QKeyEvent* e) {
    KeyUp(e->key(), shiftStateOf(*e));
    routedUpdate();
}

void Control::focusInEvent(QFocusEvent* e) {
    QWidget::focusInEvent(e);
    GotFocus();
    routedUpdate();
}

void Control::focusOutEvent(QFocusEvent* e) {
    QWidget::focusOutEvent(e);
    LostFocus();
    routedUpdate();
}

void Control::timerEvent(QTimerEvent* e) {
    for (const auto& [id, qtId] : timers_) {
        if (qtId == e->timerId()) {
            TimerFired(id);
            routedUpdate();
            return;
        }
    }
    QWidget::timerEvent(e);
}

}  // namespace ui
