#include "platform/ui/color.h"

#include <gtest/gtest.h>

#include <QGuiApplication>
#include <QPalette>


namespace ui {
namespace {

TEST(Color, PlainValuesAreBlueGreenRed) {
    struct Case {
        TColor value;
        int r, g, b;
    };
    const Case cases[] = {
        {clRed, 255, 0, 0},       {clBlue, 0, 0, 255},       {0xFF8000, 0, 128, 255},
        {clYellow, 255, 255, 0},  {0x808080, 128, 128, 128}, {0x123456, 0x56, 0x34, 0x12},
        {clWhite, 255, 255, 255}, {clBlack, 0, 0, 0},
    };
    for (const Case& c : cases) {
        const QColor q = toQColor(c.value);
        EXPECT_EQ(q, QColor(c.r, c.g, c.b)) << std::hex << c.value;
        EXPECT_EQ(fromQColor(q), c.value) << std::hex << c.value;
        EXPECT_EQ(toPlainColor(c.value), c.value);
    }
}

TEST(Color, SystemColoursTakeThePaletteRole) {
    const QPalette pal = QGuiApplication::palette();
    EXPECT_EQ(clInfoBk, 0x80000018u);
    EXPECT_EQ(clBtnFace, 0x8000000Fu);
    EXPECT_EQ(toQColor(clInfoBk), pal.color(QPalette::Active, QPalette::ToolTipBase));
    EXPECT_EQ(toQColor(clInfoText), pal.color(QPalette::Active, QPalette::ToolTipText));
    EXPECT_EQ(toQColor(clBtnFace), pal.color(QPalette::Active, QPalette::Button));
    EXPECT_EQ(toQColor(clWindow), pal.color(QPalette::Active, QPalette::Base));
    EXPECT_EQ(toQColor(clWindowText), pal.color(QPalette::Active, QPalette::Text));
    EXPECT_EQ(toQColor(clHighlight), pal.color(QPalette::Active, QPalette::Highlight));
    EXPECT_EQ(toPlainColor(clInfoBk), fromQColor(pal.color(QPalette::ToolTipBase)));
    EXPECT_EQ(toPlainColor(clInfoBk) & 0x80000000u, 0u);
}

TEST(Color, OddValuesGiveDefinedColours) {
    EXPECT_EQ(toQColor(clNone).alpha(), 0);
    EXPECT_EQ(toQColor(clDefault).alpha(), 0);
    EXPECT_EQ(toQColor(0x80000063), QColor(Qt::black));  // index past the table
    EXPECT_EQ(toQColor(0x80FF0005), QColor(Qt::black));  // stray bits
    EXPECT_EQ(toQColor(0x01FF0000), QColor(0, 0, 255));  // high byte of a plain value ignored
}

}  // namespace
}  // namespace ui
