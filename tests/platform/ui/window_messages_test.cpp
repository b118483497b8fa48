#include "platform/ui/window_messages.h"

#include <gtest/gtest.h>

#include <QApplication>
#include <QMouseEvent>
#include <QWidget>
#include <vector>

#include "platform/ui/control.h"

namespace ui {
namespace {

constexpr unsigned kDatum = 0x8190;
constexpr unsigned kMarker = 0x8191;
constexpr unsigned kBaseOnly = 0x8200;

// A window with a base class that handles one message and a derived class
// whose map handles two more.
class BaseWindow : public QWidget, public MessageTarget {
public:
    std::vector<Message> seen;
    bool dispatchMessage(Message& m) override {
        static const MessageMap<BaseWindow> map{{kBaseOnly, &BaseWindow::onBase}};
        return map.dispatch(*this, m);
    }
    void onBase(Message& m) {
        seen.push_back(m);
        m.result = 5;
    }
};

class HostWindow : public BaseWindow {
public:
    bool dispatchMessage(Message& m) override {
        static const MessageMap<HostWindow> map{{kDatum, &HostWindow::onDatum},
                                                {kMarker, &HostWindow::onMarker}};
        return map.dispatch(*this, m) || BaseWindow::dispatchMessage(m);
    }
    void onDatum(Message& m) {
        seen.push_back(m);
        m.result = 1;
    }
    void onMarker(Message& m) { seen.push_back(m); }
};

TEST(WindowMessages, SendMessageDispatchesThroughTheClassMaps) {
    HostWindow w;
    EXPECT_EQ(SendMessage(&w, kDatum, 45356, 1), 1);
    EXPECT_EQ(SendMessage(&w, kMarker), 0);
    EXPECT_EQ(SendMessage(&w, kBaseOnly, 2, 3), 5);
    EXPECT_EQ(SendMessage(&w, 0x8300, 9, 9), 0);  // no handler anywhere
    ASSERT_EQ(w.seen.size(), 3u);
    EXPECT_EQ(w.seen[0].msg, kDatum);
    EXPECT_EQ(w.seen[0].wParam, 45356u);
    EXPECT_EQ(w.seen[0].lParam, 1);
    EXPECT_EQ(w.seen[1].msg, kMarker);
    EXPECT_EQ(w.seen[1].wParam, 0u);
    EXPECT_EQ(w.seen[2].msg, kBaseOnly);
}

TEST(WindowMessages, WindowsWithoutMapAndNullAreIgnored) {
    QWidget plain;
    EXPECT_EQ(SendMessage(&plain, kDatum, 1, 1), 0);
    EXPECT_EQ(SendMessage(nullptr, kDatum, 1, 1), 0);
}

// A control inside a window reports to its own top-level window, which is
// the active one once shown and activated.
class Reporter : public Control {
protected:
    void MouseDown(MouseButton b, int, int x, int) override {
        SendMessage(window(), kDatum, static_cast<std::uintptr_t>(x), b == MouseButton::Right ? 1 : 0);
    }
};

TEST(WindowMessages, ControlReachesItsTopLevelWindowSynchronously) {
    HostWindow host;
    auto* r = new Reporter;
    r->setParent(&host);
    r->setGeometry(0, 0, 50, 50);
    host.show();
    QApplication::setActiveWindow(&host);
    EXPECT_EQ(ActiveWindow(), &host);
    QMouseEvent press(QEvent::MouseButtonPress, QPointF(17, 3), QPointF(17, 3), Qt::RightButton,
                      Qt::RightButton, Qt::NoModifier);
    QApplication::sendEvent(r, &press);
    ASSERT_EQ(host.seen.size(), 1u);  // delivered before sendEvent returned
    EXPECT_EQ(host.seen[0].wParam, 17u);
    EXPECT_EQ(host.seen[0].lParam, 1);
}

}  // namespace
}  // namespace ui
