// The control base (events to handlers, backing image), caret, timer, beep and
// synchronous window messages.
#include "platform/ui/control.h"

#include <gtest/gtest.h>

#include <QApplication>
#include <QTest>
#include <string>
#include <vector>

#include "platform/ui/beep.h"
#include "platform/ui/caret.h"
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
    std::vector<std::string> starting(const std::string& a, const std::string& b) const {
        std::vector<std::string> v;
        std::copy_if(calls.begin(), calls.end(), std::back_inserter(v), [&](auto& s) { return !s.find(a) || !s.find(b); });
        return v;
    }

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
};

TEST(Control, MouseEventsDrawingShownAndKeptOnResize) {
    ProbeControl c;
    c.resize(60, 40);
    c.show();
    QTest::mouseClick(&c, Qt::LeftButton, Qt::ShiftModifier, QPoint(10, 12));
    QTest::mouseClick(&c, Qt::RightButton, Qt::NoModifier, QPoint(30, 20));
    EXPECT_EQ(c.starting("down", "up"),
              (std::vector<std::string>{"down 0 9 10 12", "up 0 1 10 12", "down 1 16 30 20", "up 1 0 30 20"}));
    EXPECT_EQ(fromQRgb(c.backingImage().pixel(31, 21)), clRed);  // drawn by the handler...
    const QImage shown = c.grab().toImage();                     // ...and copied by the paint event
    EXPECT_EQ(fromQRgb(shown.pixel(11, 13)), clRed);
    EXPECT_EQ(fromQRgb(shown.pixel(40, 5)), toPlainColor(clBtnFace));
    c.resize(90, 60);  // resizing keeps what was drawn
    EXPECT_EQ(std::tuple(c.canvas().Pixel(11, 13), c.canvas().Pixel(85, 55)), std::tuple(clRed, toPlainColor(clBtnFace)));
}

TEST(Control, KeysWheelResizeAndFocusReachHandlers) {
    QWidget top;
    auto* c = new ProbeControl;
    c->setParent(&top);
    (new ProbeControl)->setParent(&top);  // somewhere for Tab to go when the control does not want it
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
    const auto key = [](int k, int shift) { return "keydown " + std::to_string(k) + " " + std::to_string(shift); };
    // Ctrl+C types the control character 3, not 'c'; the umlaut arrives as 0xE4 of Windows-1252.
    for (const std::string& s : {key(Qt::Key_A, 0), key(Qt::Key_Left, 0), key(Qt::Key_Tab, 0), key(Qt::Key_C, 4),
                                 std::string("press 97"), std::string("press 13"), std::string("press 3"),
                                 std::string("press 228"), std::string("resized 80 50"), std::string("wheel -120"),
                                 std::string("focus in"), std::string("focus out")})
        EXPECT_TRUE(c->has(s)) << s;
    EXPECT_FALSE(c->has("press 99"));
    EXPECT_EQ(c->backingImage().size(), QSize(80, 50));
}

TEST(Caret, InvertsItsRectangleAndRestoresThePixels) {
    Control c;
    c.resize(40, 20);
    c.canvas().brush.color = clWhite;
    c.canvas().FillRect(Rect{0, 0, 40, 20});
    c.canvas().SetPixel(5, 5, clRed);
    const auto px = [&](int x, int y) { return c.canvas().Pixel(x, y); };
    Caret caret(c);
    caret.show();  // not created: nothing
    EXPECT_FALSE(caret.drawn());
    caret.create(2, 10);
    caret.setPos(4, 2);
    caret.show();
    EXPECT_EQ(std::tuple(px(4, 2), px(5, 5), px(6, 2)), std::tuple(clBlack, clAqua, clWhite));  // red inverted
    caret.blink();
    EXPECT_EQ(px(5, 5), clRed);
    caret.blink();
    caret.setPos(20, 0);  // moving a drawn caret erases the old place
    EXPECT_EQ(std::tuple(px(4, 2), px(21, 9)), std::tuple(clWhite, clBlack));
    caret.hide();
    caret.blink();  // hidden: blinking draws nothing
    EXPECT_EQ(px(21, 9), clWhite);
    caret.show();
    caret.destroy();
    EXPECT_EQ(px(21, 9), clWhite);
}

TEST(Timer, FiresWithItselfAsSenderWhileEnabled) {
    Timer t;
    int fired = 0;
    t.onTimer = [&](Timer& s) {
        EXPECT_EQ(&s, &t);
        if (++fired == 2) s.setEnabled(false);
    };
    t.setInterval(1);
    QTRY_COMPARE_WITH_TIMEOUT(fired, 2, 2000);
    t.setEnabled(true);
    t.setInterval(0);  // an interval of 0 stops it
    QTest::qWait(20);
    EXPECT_EQ(fired, 2);  // not after disabling itself in its handler either
    setBeepHandler([&] { ++fired; });
    Beep();
    setBeepHandler(nullptr);
    EXPECT_EQ(fired, 3);
}

constexpr unsigned kDatum = 0x8190, kMarker = 0x8191, kBaseOnly = 0x8200;

// A base window whose map handles one message, a derived one whose map adds two.
class BaseWindow : public QWidget, public MessageTarget {
public:
    std::vector<std::tuple<unsigned, std::uintptr_t, std::intptr_t>> seen;
    bool dispatchMessage(Message& m) override {
        static const MessageMap<BaseWindow> map{{kBaseOnly, &BaseWindow::record}};
        return map.dispatch(*this, m);
    }
    void record(Message& m) { seen.emplace_back(m.msg, m.wParam, m.lParam), m.result = m.msg - 0x818F; }
};
class HostWindow : public BaseWindow {
public:
    bool dispatchMessage(Message& m) override {
        static const MessageMap<HostWindow> map{{kDatum, &HostWindow::record}, {kMarker, &HostWindow::record}};
        return map.dispatch(*this, m) || BaseWindow::dispatchMessage(m);
    }
};

TEST(WindowMessages, SendMessageDispatchesThroughTheClassMapsOfTheActiveWindow) {
    HostWindow w;
    w.show();
    QApplication::setActiveWindow(&w);
    ASSERT_EQ(ActiveWindow(), &w);
    const std::tuple<unsigned, std::uintptr_t, std::intptr_t, std::intptr_t> cases[] = {  // result: handled
        {kDatum, 45356, 1, 1}, {kMarker, 0, 0, 2}, {kBaseOnly, 2, 3, 0x71}, {0x8301, 9, 9, 0}};  // 0x8301: no handler
    for (const auto& [msg, wParam, lParam, result] : cases)
        EXPECT_EQ(SendMessage(ActiveWindow(), msg, wParam, lParam), result) << msg;  // synchronous
    EXPECT_EQ(w.seen, (std::vector<std::tuple<unsigned, std::uintptr_t, std::intptr_t>>{
                          {kDatum, 45356, 1}, {kMarker, 0, 0}, {kBaseOnly, 2, 3}}));
    QWidget plain;
    EXPECT_EQ(SendMessage(&plain, kDatum, 1, 1) + SendMessage(nullptr, kDatum, 1, 1), 0);
}

}  // namespace
}  // namespace ui
