#include "platform/ui/caret.h"

#include <gtest/gtest.h>

#include "platform/ui/beep.h"
#include "platform/ui/control.h"

namespace ui {
namespace {

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
    EXPECT_TRUE(caret.drawn());
    EXPECT_EQ(c.canvas().Pixel(4, 2), clBlack);
    EXPECT_EQ(c.canvas().Pixel(5, 5), clAqua);  // inverted red
    EXPECT_EQ(c.canvas().Pixel(6, 2), clWhite);
    caret.blink();
    EXPECT_FALSE(caret.drawn());
    EXPECT_EQ(c.canvas().Pixel(5, 5), clRed);
    caret.blink();
    caret.setPos(20, 0);  // moving a drawn caret erases the old place
    EXPECT_EQ(c.canvas().Pixel(4, 2), clWhite);
    EXPECT_EQ(c.canvas().Pixel(5, 5), clRed);
    EXPECT_EQ(c.canvas().Pixel(21, 9), clBlack);
    caret.hide();
    caret.blink();  // hidden: blinking draws nothing
    EXPECT_EQ(c.canvas().Pixel(21, 9), clWhite);
    caret.show();
    caret.destroy();
    EXPECT_EQ(c.canvas().Pixel(21, 9), clWhite);
    EXPECT_FALSE(caret.visible());
}

TEST(Beep, GoesThroughTheInstalledHandler) {
    int beeps = 0;
    setBeepHandler([&] { ++beeps; });
    Beep();
    Beep();
    setBeepHandler(nullptr);
    EXPECT_EQ(beeps, 2);
}

}  // namespace
}  // namespace ui
