#include "platform/ui/mouse_hook.h"

#include <gtest/gtest.h>

#include <QTest>
#include <QWidget>
#include <vector>

#include "platform/ui/control.h"

namespace ui {
namespace {

class Counting : public Control {
public:
    int downs = 0;

protected:
    void MouseDown(MouseButton, int, int, int) override { ++downs; }
};

TEST(MouseHook, SeesPressesBeforeTheWidgetAndCanSwallowThem) {
    QWidget top;
    auto* a = new Counting;
    a->setParent(&top);
    a->setGeometry(0, 0, 50, 50);
    top.show();
    std::vector<QWidget*> seen;
    bool swallow = false;
    {
        MouseHook hook([&](MouseHookEvent e, QWidget* w, QPoint) {
            if (e == MouseHookEvent::Press) seen.push_back(w);
            return swallow && e == MouseHookEvent::Press;
        });
        QTest::mouseClick(a, Qt::LeftButton, Qt::NoModifier, QPoint(5, 5));
        EXPECT_EQ(a->downs, 1);
        ASSERT_FALSE(seen.empty());
        EXPECT_EQ(seen.back(), a);
        swallow = true;
        QTest::mouseClick(a, Qt::LeftButton, Qt::NoModifier, QPoint(5, 5));
        EXPECT_EQ(a->downs, 1);
    }
    const size_t before = seen.size();
    QTest::mouseClick(a, Qt::LeftButton, Qt::NoModifier, QPoint(5, 5));
    EXPECT_EQ(a->downs, 2);  // hook gone
    EXPECT_EQ(seen.size(), before);
}

}  // namespace
}  // namespace ui
