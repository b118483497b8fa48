// The control base (events to handlers, backing image, timers), caret, timer,
// beep, the mouse hook and synchronous window messages.
#include "platform/ui/control.h"

#include <gtest/gtest.h>

#include <QApplication>
#include <QTest>
#include <string>
#include <vector>

#include "platform/ui/beep.h"
#include "platform/ui/caret.h"
#include "platform/ui/mouse_hook.h"
#include "platform/ui/timer.h"
#include "platform/ui/window_messages.h"

namespace ui {
namespace {

// Records every handler call as "name args..." and draws a marker on clicks,
// from the handler, outside any paint event.
class ProbeControl : public Control {
public:
    std::vector<std::string> calls;
    bool has(const std::string& s) const { return std::count(calls.begin(), calls.end(), s) == 1; }

protected:
    template <typename... A>
    void log(const char* name, A... args) {
        std::string s = name;
        ((s += " " + std::to_string(args)), ...);
        calls.push_back(s);
    }
    void MouseDown(MouseButton b, int shift, int x, int y) override {
        log("down", static_cast<int>(b), shift, x, y);
        canvas().brush.color = clRed;
        canvas().FillRect(Rect{x, y, x + 3, y + 3});
    }
    void MouseUp(MouseButton b, int shift, int x, int y) override { log("up", static_cast<int>(b), shift, x, y); }
    void MouseWheel(int delta, int, int, int) override { log("wheel", delta); }
    void KeyDown(int key, int shift) override { log("keydown", key, shift); }
    void KeyPress(char ch) override { log("press", static_cast<unsigned char>(ch)); }
    void GotFocus() override { log("focus in"); }
    void LostFocus() override { log("focus out"); }
    void Resized(int w, int h) override { log("resized", w, h); }
    void TimerFired(int id) override {
        log("timer", id);
        disarmTimer(id);
    }
};

TEST(Control, MouseEventsReachHandlersAndDrawingShowsOnScreen) {
    ProbeControl c;
    c.resize(60, 40);
    c.show();
    QTest::mouseClick(&c, Qt::LeftButton, Qt::ShiftModifier, QPoint(10, 12));
    QTest::mouseClick(&c, Qt::RightButton, Qt::NoModifier, QPoint(30, 20));
    std::vector<std::string> mouse;
    for (const auto& s : c.calls)
        if (s.rfind("down", 0) == 0 || s.rfind("up", 0) == 0) mouse.push_back(s);
    EXPECT_EQ(mouse, (std::vector<std::string>{"down 0 9 10 12", "up 0 1 10 12", "down 1 16 30 20", "up 1 0 30 20"}));
    EXPECT_EQ(fromQRgb(c.backingImage().pixel(31, 21)), clRed);  // drawn by the handler...
    const QImage shown = c.grab().toImage();                     // ...and copied by the paint event
    EXPECT_EQ(fromQRgb(shown.pixel(11, 13)), clRed);
    EXPECT_EQ(fromQRgb(shown.pixel(40, 5)), toPlainColor(clBtnFace));
}

TEST(Control, KeysWheelResizeAndFocusReachHandlers) {
    QWidget top;
    auto* c = new ProbeControl;
    c->setParent(&top);
    auto* other = new ProbeControl;
    other->setParent(&top);
    top.show();
    QApplication::setActiveWindow(&top);
    c->setFocus();
    c->setWantsTabKey(true);
    for (Qt::Key k : {Qt::Key_A, Qt::Key_Return, Qt::Key_Left, Qt::Key_Tab}) QTest::keyClick(c, k);
    QTest::keyClick(c, Qt::Key_C, Qt::ControlModifier);
    QKeyEvent umlaut(QEvent::KeyPress, 0, Qt::NoModifier, QString::fromUtf8("\xC3\xA4"));
    QApplication::sendEvent(c, &umlaut);
    c->resize(80, 50);
    QWheelEvent wheel(QPointF(5, 5), QPointF(5, 5), QPoint(), QPoint(0, -120), Qt::NoButton, Qt::NoModifier,
                      Qt::NoScrollPhase, false);
    QApplication::sendEvent(c, &wheel);
    c->clearFocus();
    for (const std::string& s :
         {"keydown " + std::to_string(Qt::Key_A) + " 0", std::string("press 97"), std::string("press 13"),
          "keydown " + std::to_string(Qt::Key_Left) + " 0", "keydown " + std::to_string(Qt::Key_Tab) + " 0",
          "keydown " + std::to_string(Qt::Key_C) + " 4", std::string("press 3"),
          std::string("press 228"),  // 0xE4 in Windows-1252
          std::string("resized 80 50"), std::string("wheel -120"), std::string("focus in"), std::string("focus out")})
        EXPECT_TRUE(c->has(s)) << s;
    EXPECT_FALSE(c->has("press 99"));  // Ctrl+C is a control character, not 'c'
    EXPECT_EQ(c->backingImage().size(), QSize(80, 50));
}

TEST(Control, ResizeKeepsTheDrawingAndTimersFireTheirOwnIdOnce) {
    ProbeControl c;
    c.resize(20, 20);
    c.canvas().brush.color = clBlue;
    c.canvas().FillRect(Rect{0, 0, 5, 5});
    c.resize(40, 30);
    EXPECT_EQ(c.canvas().Pixel(2, 2), clBlue);
    EXPECT_EQ(c.canvas().Pixel(35, 25), toPlainColor(clBtnFace));
    c.armTimer(7, 1);
    c.armTimer(7, 1);  // re-arming replaces, it does not add a second timer
    QTRY_VERIFY_WITH_TIMEOUT(c.has("timer 7"), 2000);
    QTest::qWait(20);
    EXPECT_TRUE(c.has("timer 7"));
    EXPECT_FALSE(c.isTimerArmed(7));
}

TEST(Caret, InvertsItsRectangleAndRestoresThePixels) {
    Control c;
    c.resize(40, 20);
    c.canvas().brush.color = clWhite;
    c.canvas().FillRect(Rect{0, 0, 40, 20});
    c.canvas().SetPixel(5, 5, clRed);
    Caret caret(c);
    caret.show();  // not created: nothing
    EXPECT_FALSE(caret.drawn());
    caret.create(2, 10);
    caret.setPos(4, 2);
    caret.show();
    EXPECT_EQ(c.canvas().Pixel(4, 2), clBlack);
    EXPECT_EQ(c.canvas().Pixel(5, 5), clAqua);  // inverted red
    EXPECT_EQ(c.canvas().Pixel(6, 2), clWhite);
    caret.blink();
    EXPECT_EQ(c.canvas().Pixel(5, 5), clRed);
    caret.blink();
    caret.setPos(20, 0);  // moving a drawn caret erases the old place
    EXPECT_EQ(c.canvas().Pixel(4, 2), clWhite);
    EXPECT_EQ(c.canvas().Pixel(21, 9), clBlack);
    caret.hide();
    caret.blink();  // hidden: blinking draws nothing
    EXPECT_EQ(c.canvas().Pixel(21, 9), clWhite);
    caret.show();
    caret.destroy();
    EXPECT_EQ(c.canvas().Pixel(21, 9), clWhite);
}

TEST(Timer, FiresWithItselfAsSenderWhileEnabled) {
    Timer t;
    EXPECT_EQ(t.interval(), 1000);
    int fired = 0;
    t.onTimer = [&](Timer& s) {
        EXPECT_EQ(&s, &t);
        if (++fired == 2) s.setEnabled(false);
    };
    t.setInterval(1);
    QTRY_COMPARE_WITH_TIMEOUT(fired, 2, 2000);
    QTest::qWait(20);
    EXPECT_EQ(fired, 2);  // disabled from inside its own handler
    t.setEnabled(true);
    t.setInterval(0);  // an interval of 0 stops it
    QTest::qWait(20);
    EXPECT_EQ(fired, 2);
    int beeps = 0;
    setBeepHandler([&] { ++beeps; });
    Beep();
    setBeepHandler(nullptr);
    EXPECT_EQ(beeps, 1);
}

TEST(MouseHook, SeesPressesBeforeTheWidgetAndCanSwallowThem) {
    QWidget top;
    auto* a = new ProbeControl;
    a->setParent(&top);
    a->setGeometry(0, 0, 50, 50);
    top.show();
    std::vector<QWidget*> seen;
    bool swallow = false;
    const auto click = [&] { QTest::mouseClick(a, Qt::LeftButton, Qt::NoModifier, QPoint(5, 5)); };
    {
        MouseHook hook([&](MouseHookEvent e, QWidget* w, QPoint) {
            if (e == MouseHookEvent::Press) seen.push_back(w);
            return swallow && e == MouseHookEvent::Press;
        });
        click();
        swallow = true;
        click();
    }
    click();  // hook gone
    EXPECT_EQ(seen, (std::vector<QWidget*>{a, a}));
    EXPECT_EQ(std::count_if(a->calls.begin(), a->calls.end(), [](auto& s) { return s.rfind("down", 0) == 0; }), 2);
}

constexpr unsigned kDatum = 0x8190, kMarker = 0x8191, kBaseOnly = 0x8200;

// A base window handling one message, a derived one whose map adds two more;
// controls inside report to it with the button flag.
class BaseWindow : public QWidget, public MessageTarget {
public:
    std::vector<Message> seen;
    bool dispatchMessage(Message& m) override {
        static const MessageMap<BaseWindow> map{{kBaseOnly, &BaseWindow::onBase}};
        return map.dispatch(*this, m);
    }
    void onBase(Message& m) { seen.push_back(m), m.result = 5; }
};
class HostWindow : public BaseWindow {
public:
    bool dispatchMessage(Message& m) override {
        static const MessageMap<HostWindow> map{{kDatum, &HostWindow::onDatum}, {kMarker, &HostWindow::onMarker}};
        return map.dispatch(*this, m) || BaseWindow::dispatchMessage(m);
    }
    void onDatum(Message& m) { seen.push_back(m), m.result = 1; }
    void onMarker(Message& m) { seen.push_back(m); }
};
class Reporter : public Control {
protected:
    void MouseDown(MouseButton b, int, int x, int) override {
        SendMessage(window(), kDatum, static_cast<std::uintptr_t>(x), b == MouseButton::Right ? 1 : 0);
    }
};

TEST(WindowMessages, SendMessageDispatchesThroughTheClassMapsSynchronously) {
    HostWindow w;
    EXPECT_EQ(SendMessage(&w, kDatum, 45356, 1), 1);
    EXPECT_EQ(SendMessage(&w, kMarker), 0);
    EXPECT_EQ(SendMessage(&w, kBaseOnly, 2, 3), 5);
    EXPECT_EQ(SendMessage(&w, 0x8300, 9, 9), 0);  // no handler anywhere
    QWidget plain;
    EXPECT_EQ(SendMessage(&plain, kDatum, 1, 1), 0);
    EXPECT_EQ(SendMessage(nullptr, kDatum, 1, 1), 0);
    auto* r = new Reporter;
    r->setParent(&w);
    r->setGeometry(0, 0, 50, 50);
    w.show();
    QApplication::setActiveWindow(&w);
    EXPECT_EQ(ActiveWindow(), &w);
    QMouseEvent press(QEvent::MouseButtonPress, QPointF(17, 3), QPointF(17, 3), Qt::RightButton, Qt::RightButton,
                      Qt::NoModifier);
    QApplication::sendEvent(r, &press);  // delivered before sendEvent returns
    std::vector<std::tuple<unsigned, std::uintptr_t, std::intptr_t>> got;
    for (const Message& m : w.seen) got.emplace_back(m.msg, m.wParam, m.lParam);
    EXPECT_EQ(got, (std::vector<std::tuple<unsigned, std::uintptr_t, std::intptr_t>>{
                       {kDatum, 45356, 1}, {kMarker, 0, 0}, {kBaseOnly, 2, 3}, {kDatum, 17, 1}}));
}

}  // namespace
}  // namespace ui
