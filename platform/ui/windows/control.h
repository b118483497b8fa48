// The base of every self-drawn control: it draws into a backing image at any
// time (from key, mouse and timer handlers), its paint event only copies that
// image to the screen, and Qt's input, focus, resize and timer events arrive
// at handler methods. Private messages arrive through dispatchMessage.
#pragma once

#include <QImage>
#include <QWidget>
#include <map>

#include "platform/ui/drawing/canvas.h"
#include "platform/ui/input/cursors.h"
#include "platform/ui/input/input_state.h"
#include "platform/ui/windows/window_messages.h"

namespace ui {

class Control : public QWidget, public MessageTarget {
public:
    explicit Control(QWidget* parent = nullptr);
    ~Control() override;

    // The canvas on the backing image; it keeps its state across resizes.
    Canvas& canvas() { return canvas_; }
    const QImage& backingImage() const { return backing_; }

    // The colour a new backing image starts with.
    TColor color() const { return color_; }
    void setColor(TColor c) { color_ = c; }

    // Copies the backing image to the screen at the next paint (every routed
    // event does this itself).
    void Invalidate() { update(); }

    // Handler timers under the control's own ids: arming an armed id
    // restarts it with the new interval.
    void armTimer(int id, int intervalMs);
    void disarmTimer(int id);
    bool isTimerArmed(int id) const { return timers_.count(id) != 0; }

    // Mouse events go to this control until released, wherever the pointer is.
    void captureMouse();
    void releaseMouseCapture();
    bool hasMouseCapture() const;

    void setCursorShape(Cursor c);

    // When set, Tab and Backtab arrive as keys instead of moving the focus.
    void setWantsTabKey(bool on) { wantsTab_ = on; }
    // Enter and Escape belong to the dialog's default and cancel buttons
    // unless the control uses them itself.
    void setTakesEnter(bool on) { takesEnter_ = on; }
    void setTakesEscape(bool on) { takesEscape_ = on; }

    // Off: routed events leave the screen alone and the control marks what
    // it drew itself (Invalidate(rect)), so children lying over it are not
    // repainted for a change of its own.
    void setUpdateAfterEvents(bool on) { updateAfterEvents_ = on; }
    void Invalidate(const QRect& r) { update(r); }

protected:
    // Handlers: coordinates are the control's, keys are Qt key codes, shift is
    // a ShiftState combination, KeyPress gets each typed character as its
    // Windows-1252 byte (control characters included: 8, 9, 13, 27, Ctrl+letter).
    virtual void MouseDown(MouseButton, int /*shift*/, int /*x*/, int /*y*/) {}
    virtual void MouseUp(MouseButton, int /*shift*/, int /*x*/, int /*y*/) {}
    virtual void MouseMove(int /*shift*/, int /*x*/, int /*y*/) {}
    // By default a second press of a double click is a MouseDown with kDouble.
    virtual void DblClick(MouseButton b, int shift, int x, int y) { MouseDown(b, shift | kDouble, x, y); }
    // delta in eighths of a degree (120 per notch, positive away from the user).
    virtual void MouseWheel(int /*delta*/, int /*shift*/, int /*x*/, int /*y*/) {}
    virtual void KeyDown(int /*key*/, int /*shift*/) {}
    virtual void KeyUp(int /*key*/, int /*shift*/) {}
    virtual void KeyPress(char /*ch*/) {}
    virtual void GotFocus() {}
    virtual void LostFocus() {}
    // After the backing image took the new size (its old content kept).
    virtual void Resized(int /*width*/, int /*height*/) {}
    virtual void TimerFired(int /*id*/) {}

    // Qt side: route to the handlers above.
    bool event(QEvent* e) override;
    void paintEvent(QPaintEvent* e) override;
    void resizeEvent(QResizeEvent* e) override;
    void mousePressEvent(QMouseEvent* e) override;
    void mouseReleaseEvent(QMouseEvent* e) override;
    void mouseDoubleClickEvent(QMouseEvent* e) override;
    void mouseMoveEvent(QMouseEvent* e) override;
    void wheelEvent(QWheelEvent* e) override;
    void keyPressEvent(QKeyEvent* e) override;
    void keyReleaseEvent(QKeyEvent* e) override;
    void focusInEvent(QFocusEvent* e) override;
    void focusOutEvent(QFocusEvent* e) override;
    void timerEvent(QTimerEvent* e) override;

private:
    void resizeBacking(int width, int height);
    void routedUpdate() {
        if (updateAfterEvents_) update();
    }

    QImage backing_;  // control size x device pixel ratio
    int backingWidth_ = 0, backingHeight_ = 0;
    Canvas canvas_;
    TColor color_ = clBtnFace;
    std::map<int, int> timers_;  // own id -> Qt timer id
    bool takesEnter_ = false;
    bool takesEscape_ = false;
    bool wantsTab_ = false;
    bool updateAfterEvents_ = true;
};

}  // namespace ui
