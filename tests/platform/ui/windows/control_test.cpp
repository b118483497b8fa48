// The control base (events to handlers, backing image), timer, beep and
// synchronous window messages.
#include "platform/ui/windows/control.h"

#include <gtest/gtest.h>

#include <QApplication>
#include <QTest>
#include <string>
#include <vector>

#include "platform/ui/input/beep.h"
#include "platform/ui/windows/timer.h"
#include "platform/ui/windows/window_messages.h"

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
    void MouseUp(MouseButton b, int shift, int x, int y) override {
        log("up", static_cast<int>(b), shift, x, y);
    }
    void MouseWheel(int delta, int, int, int) override { log("wheel", delta); }
    void KeyDown(int key, int shift) override { log("keydown", key, shift); }
    void KeyPress(char ch) override { log("press", static_cast<unsigned char>(ch)); }
    void GotFocus() override { log("focus in"); }
    void LostFocus() override { log("focus out"); }
    void Resized(int w, int h) override { log("resized", w, h); }
};

TEST(Control, EventsReachHandlersWhoseDrawingIsShownAndKept) {
    QWidget top;
    auto* c = new ProbeControl;
    c->setParent(&top);
    // Somewhere for Tab to go when the control does not want it.
    (new ProbeControl)->setParent(&top);
    c->resize(60, 40);
    top.show();
    QApplication::setActiveWindow(&top);
    c->setFocus();
    c->setWantsTabKey(true);
    QTest::mouseClick(c, Qt::LeftButton, Qt::ShiftModifier, QPoint(10, 12));
    QTest::mouseClick(c, Qt::RightButton, Qt::NoModifier, QPoint(30, 20));
    EXPECT_EQ(fromQRgb(c->backingImage().pixel(31, 21)), clRed);  // drawn by the handler...
    const QImage shown = c->grab().toImage();  // ...and copied by the paint event
    EXPECT_EQ(std::tuple(fromQRgb(shown.pixel(11, 13)), fromQRgb(shown.pixel(40, 5))),
              std::tuple(clRed, toPlainColor(clBtnFace)));
    for (Qt::Key k : {Qt::Key_A, Qt::Key_Return, Qt::Key_Tab}) QTest::keyClick(c, k);
    QTest::keyClick(c, Qt::Key_C, Qt::ControlModifier);
    QKeyEvent umlaut(QEvent::KeyPress, 0, Qt::NoModifier, QString::fromUtf8("\xC3\xA4"));
    QApplication::sendEvent(c, &umlaut);
    // The desktop's Delete carries the text DEL: a key, no character.
    QKeyEvent entf(QEvent::KeyPress, Qt::Key_Delete, Qt::NoModifier, QString(QChar(0x7F)));
    QApplication::sendEvent(c, &entf);
    c->resize(90, 60);  // resizing keeps what was drawn
    EXPECT_EQ(std::tuple(c->canvas().Pixel(11, 13), c->canvas().Pixel(85, 55)),
              std::tuple(clRed, toPlainColor(clBtnFace)));
    QWheelEvent wheel(QPointF(5, 5), QPointF(5, 5), QPoint(), QPoint(0, -120), Qt::NoButton,
                      Qt::NoModifier, Qt::NoScrollPhase, false);
    QApplication::sendEvent(c, &wheel);
    c->clearFocus();
    // Ctrl+C types the control character 3, not 'c'; the umlaut arrives as 0xE4 of Windows-1252.
    for (const char* s :
         {"down 0 9 10 12", "up 0 1 10 12", "down 1 16 30 20", "up 1 0 30 20", "keydown 65 0",
          "keydown 16777217 0", "keydown 67 4", "press 97", "press 3", "press 228", "resized 90 60",
          "wheel -120", "focus in", "focus out", "keydown 16777223 0"})
        EXPECT_TRUE(c->has(s)) << s;
    EXPECT_FALSE(c->has("press 99"));
    EXPECT_FALSE(c->has("press 127"));
    // Enter and Escape go on to the dialog's buttons.
    EXPECT_FALSE(c->has("press 13"));
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
    void record(Message& m) {
        seen.emplace_back(m.msg, m.wParam, m.lParam), m.result = m.msg - 0x818F;
    }
};
class HostWindow : public BaseWindow {
public:
    bool dispatchMessage(Message& m) override {
        static const MessageMap<HostWindow> map{{kDatum, &HostWindow::record},
                                                {kMarker, &HostWindow::record}};
        return map.dispatch(*this, m) || BaseWindow::dispatchMessage(m);
    }
};

TEST(WindowMessages, SendMessageDispatchesThroughTheClassMapsOfTheActiveWindow) {
    HostWindow w;
    w.show();
    QApplication::setActiveWindow(&w);
    ASSERT_EQ(ActiveWindow(), &w);
    // Message, parameters, the handler's result (0x8301 has no handler).
    const std::tuple<unsigned, std::uintptr_t, std::intptr_t, std::intptr_t> cases[] = {
        {kDatum, 45356, 1, 1}, {kMarker, 0, 0, 2}, {kBaseOnly, 2, 3, 0x71}, {0x8301, 9, 9, 0}};
    for (const auto& [msg, wParam, lParam, result] : cases)
        EXPECT_EQ(SendMessage(ActiveWindow(), msg, wParam, lParam), result) << msg;  // synchronous
    EXPECT_EQ(w.seen, (std::vector<std::tuple<unsigned, std::uintptr_t, std::intptr_t>>{
                          {kDatum, 45356, 1}, {kMarker, 0, 0}, {kBaseOnly, 2, 3}}));
    QWidget plain;
    EXPECT_EQ(SendMessage(&plain, kDatum, 1, 1) + SendMessage(nullptr, kDatum, 1, 1), 0);
}

}  // namespace
}  // namespace ui
