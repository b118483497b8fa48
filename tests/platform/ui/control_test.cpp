#include "platform/ui/control.h"

#include <gtest/gtest.h>

#include <QApplication>
#include <QTest>
#include <string>
#include <vector>

namespace ui {
namespace {

// Records every handler call as a short text and draws a marker on clicks,
// from the handler, outside any paint event.
class ProbeControl : public Control {
public:
    std::vector<std::string> calls;

protected:
    void MouseDown(MouseButton b, int shift, int x, int y) override {
        calls.push_back("down " + std::to_string(static_cast<int>(b)) + " " +
                        std::to_string(shift) + " " + std::to_string(x) + "," + std::to_string(y));
        canvas().brush.color = clRed;
        canvas().FillRect(Rect{x, y, x + 3, y + 3});
    }
    void MouseUp(MouseButton b, int shift, int x, int y) override {
        calls.push_back("up " + std::to_string(static_cast<int>(b)) + " " + std::to_string(shift) +
                        " " + std::to_string(x) + "," + std::to_string(y));
    }
    void MouseWheel(int delta, int, int, int) override { calls.push_back("wheel " + std::to_string(delta)); }
    void KeyDown(int key, int shift) override {
        calls.push_back("keydown " + std::to_string(key) + " " + std::to_string(shift));
    }
    void KeyPress(char ch) override {
        calls.push_back("press " + std::to_string(static_cast<unsigned char>(ch)));
    }
    void GotFocus() override { calls.push_back("focus in"); }
    void LostFocus() override { calls.push_back("focus out"); }
    void Resized(int w, int h) override {
        calls.push_back("resized " + std::to_string(w) + "x" + std::to_string(h));
    }
    void TimerFired(int id) override {
        calls.push_back("timer " + std::to_string(id));
        disarmTimer(id);
    }
};

bool contains(const std::vector<std::string>& v, const std::string& s) {
    return std::find(v.begin(), v.end(), s) != v.end();
}

TEST(Control, MouseEventsReachHandlersAndDrawingShowsOnScreen) {
    ProbeControl c;
    c.resize(60, 40);
    c.show();
    QTest::mouseClick(&c, Qt::LeftButton, Qt::ShiftModifier, QPoint(10, 12));
    QTest::mouseClick(&c, Qt::RightButton, Qt::NoModifier, QPoint(30, 20));
    const std::vector<std::string> want = {"down 0 9 10,12", "up 0 1 10,12", "down 1 16 30,20",
                                           "up 1 0 30,20"};
    std::vector<std::string> mouse;
    for (const auto& s : c.calls) {
        if (s.rfind("down", 0) == 0 || s.rfind("up", 0) == 0) mouse.push_back(s);
    }
    EXPECT_EQ(mouse, want);
    // Drawn into the backing image by the handler...
    EXPECT_EQ(c.canvas().Pixel(11, 13), clRed);
    EXPECT_EQ(fromQRgb(c.backingImage().pixel(31, 21)), clRed);
    // ...and the paint event copies exactly that image.
    const QImage shown = c.grab().toImage();
    EXPECT_EQ(fromQRgb(shown.pixel(11, 13)), clRed);
    EXPECT_EQ(fromQRgb(shown.pixel(40, 5)), toPlainColor(clBtnFace));
}

TEST(Control, KeysBecomeKeyDownAndTypedCharacters) {
    ProbeControl c;
    c.show();
    c.calls.clear();
    QTest::keyClick(&c, Qt::Key_A);
    QTest::keyClick(&c, Qt::Key_Return);
    QTest::keyClick(&c, Qt::Key_C, Qt::ControlModifier);
    QTest::keyClick(&c, Qt::Key_Left);
    QKeyEvent umlaut(QEvent::KeyPress, 0, Qt::NoModifier, QString::fromUtf8("\xC3\xA4"));
    QApplication::sendEvent(&c, &umlaut);
    EXPECT_TRUE(contains(c.calls, "keydown " + std::to_string(Qt::Key_A) + " 0"));
    EXPECT_TRUE(contains(c.calls, "press 97"));
    EXPECT_TRUE(contains(c.calls, "press 13"));
    EXPECT_TRUE(contains(c.calls, "keydown " + std::to_string(Qt::Key_C) + " 4"));
    EXPECT_TRUE(contains(c.calls, "press 3"));
    EXPECT_FALSE(contains(c.calls, "press 99"));
    EXPECT_TRUE(contains(c.calls, "keydown " + std::to_string(Qt::Key_Left) + " 0"));
    EXPECT_TRUE(contains(c.calls, "press 228"));  // 0xE4 in Windows-1252
}

TEST(Control, TabArrivesAsKeyOnlyWhenWanted) {
    QWidget top;
    auto* c = new ProbeControl;
    auto* other = new ProbeControl;
    c->setParent(&top);
    other->setParent(&top);
    top.show();
    c->setFocus();
    c->setWantsTabKey(true);
    c->calls.clear();
    QTest::keyClick(c, Qt::Key_Tab);
    EXPECT_TRUE(contains(c->calls, "keydown " + std::to_string(Qt::Key_Tab) + " 0"));
}

TEST(Control, WheelResizeAndFocusReachHandlers) {
    QWidget top;
    auto* c = new ProbeControl;
    c->setParent(&top);
    top.show();
    QApplication::setActiveWindow(&top);
    c->setFocus();
    c->resize(80, 50);
    QWheelEvent wheel(QPointF(5, 5), QPointF(5, 5), QPoint(), QPoint(0, -120), Qt::NoButton,
                      Qt::NoModifier, Qt::NoScrollPhase, false);
    QApplication::sendEvent(c, &wheel);
    c->clearFocus();
    EXPECT_TRUE(contains(c->calls, "wheel -120"));
    EXPECT_TRUE(contains(c->calls, "resized 80x50"));
    EXPECT_TRUE(contains(c->calls, "focus in"));
    EXPECT_TRUE(contains(c->calls, "focus out"));
    EXPECT_EQ(c->backingImage().size(), QSize(80, 50));
}

TEST(Control, ResizeKeepsWhatWasDrawn) {
    ProbeControl c;
    c.resize(20, 20);
    c.canvas().brush.color = clBlue;
    c.canvas().FillRect(Rect{0, 0, 5, 5});
    c.resize(40, 30);
    EXPECT_EQ(c.canvas().Pixel(2, 2), clBlue);
    EXPECT_EQ(c.canvas().Pixel(35, 25), toPlainColor(clBtnFace));
}

TEST(Control, ArmedTimerFiresItsOwnId) {
    ProbeControl c;
    c.armTimer(7, 1);
    c.armTimer(7, 1);  // re-arming replaces, it does not add a second timer
    EXPECT_TRUE(c.isTimerArmed(7));
    QTRY_VERIFY_WITH_TIMEOUT(contains(c.calls, "timer 7"), 2000);
    QTest::qWait(20);
    EXPECT_EQ(std::count(c.calls.begin(), c.calls.end(), "timer 7"), 1);
    EXPECT_FALSE(c.isTimerArmed(7));
}

}  // namespace
}  // namespace ui
