#include "platform/ui/timer.h"

#include <gtest/gtest.h>

#include <QTest>

namespace ui {
namespace {

TEST(Timer, FiresWithItselfAsSenderWhileEnabled) {
    Timer t;
    EXPECT_TRUE(t.enabled());
    EXPECT_EQ(t.interval(), 1000);
    int fired = 0;
    Timer* sender = nullptr;
    t.onTimer = [&](Timer& s) {
        ++fired;
        sender = &s;
        if (fired == 2) s.setEnabled(false);
    };
    t.setInterval(1);
    QTRY_COMPARE_WITH_TIMEOUT(fired, 2, 2000);
    EXPECT_EQ(sender, &t);
    QTest::qWait(20);
    EXPECT_EQ(fired, 2);  // disabled from inside its own handler
    t.setEnabled(true);
    t.setInterval(0);  // an interval of 0 stops it
    QTest::qWait(20);
    EXPECT_EQ(fired, 2);
}

}  // namespace
}  // namespace ui
