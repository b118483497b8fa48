#include "platform/ui/font_mapping.h"

#include <gtest/gtest.h>

#include <QFontInfo>
#include <QFontMetrics>

namespace ui {
namespace {

TEST(FontMapping, WindowsFacesBecomeLiberationFamilies) {
    EXPECT_EQ(mapFontFamily("MS Sans Serif"), "Liberation Sans");
    EXPECT_EQ(mapFontFamily("Arial"), "Liberation Sans");
    EXPECT_EQ(mapFontFamily("arial"), "Liberation Sans");
    EXPECT_EQ(mapFontFamily("Courier New"), "Liberation Mono");
    EXPECT_EQ(mapFontFamily("Times New Roman"), "Liberation Serif");
    EXPECT_EQ(mapFontFamily(""), "Liberation Sans");
    EXPECT_EQ(mapFontFamily("DejaVu Sans"), "DejaVu Sans");
}

TEST(FontMapping, SizesAndHeightsBecomePixelSizes) {
    Font f;
    EXPECT_EQ(f.height(96), -11);  // 8 points on the screen
    f.setSize(10);
    EXPECT_EQ(f.height(96), -13);
    EXPECT_EQ(f.height(600), -83);  // the same font on a 600 dpi printer
    EXPECT_EQ(toQFont(f, 96).pixelSize(), 13);
    f.setHeight(-16);
    EXPECT_EQ(f.size(96), 12);
    EXPECT_EQ(toQFont(f, 300).pixelSize(), 16);
    f.name = "Courier New";
    f.bold = true;
    const QFont q = toQFont(f, 96);
    EXPECT_EQ(QFontInfo(q).family(), "Liberation Mono");  // installed and chosen
    EXPECT_TRUE(q.bold());
    f.setHeight(20);  // positive: the whole cell
    EXPECT_NEAR(QFontMetrics(toQFont(f, 96)).height(), 20, 1);
}

}  // namespace
}  // namespace ui
