// The preview's geometry, page buttons and wheel steps without a control.
#include <gtest/gtest.h>

#include <tuple>

#include "report/preview_geometry.h"

namespace report {
namespace {

using std::tuple;

TEST(PreviewGeometry, ScrollBarOnlyWhenThePageIsTallerThanTheControl) {
    constexpr int kSb = 16;
    // The page fills the control's width.
    struct Case {
        int w, h, pageW, pageH;
        bool leiste;
        bool scrollbar;
    };
    for (const Case& c : {Case{400, 300, 2970, 2100, false, false},  // landscape in a wide control
                          Case{200, 283, 2100, 2970, false, false},  // the default size fits A4
                          Case{200, 150, 2100, 2970, false, true},   // high page, low control
                          Case{400, 300, 2100, 2970, false, true},
                          Case{210, 297, 2100, 2970, true, true}}) {  // the button band takes room
        const VorschauGeometrie g = vorschauGeometrie(c.w, c.h, c.pageW, c.pageH, c.leiste, kSb);
        EXPECT_EQ(g.scrollbar, c.scrollbar) << c.w << "x" << c.h;
        EXPECT_GE(g.seiteLinks, 0);
        EXPECT_LE(g.seiteRechts, c.w);
        if (!g.scrollbar) {
            EXPECT_LE(g.seiteUnten, c.h);
            continue;
        }
        // The bar stands right of the page, and scrolling shows the page's foot.
        EXPECT_EQ(g.scrollbarLinks, g.seiteRechts);
        EXPECT_LE(g.seiteRechts + kSb, c.w);
        const int sichtbar = c.h - (c.leiste ? kKnopfLeiste : 0);
        EXPECT_EQ(g.scrollBereich + sichtbar, g.seiteUnten);
        EXPECT_EQ(g.scrollbarHoehe, sichtbar);
    }
}

TEST(PreviewGeometry, ButtonsAndTheirPages) {
    // Four buttons of 40 pixels, 44 apart, centred, in the band at the foot.
    EXPECT_EQ(knopfRechteck(400, 300, 0), (platform::Rect{112, 273, 152, 298}));
    EXPECT_EQ(knopfBei(400, 300, 112 + 44 * 3 + 39, 297), 3);
    EXPECT_EQ(knopfBei(400, 300, 152 + 2, 280), -1);  // the gap between two buttons
    EXPECT_EQ(knopfBei(400, 300, 120, 272), -1);       // above the band
    // (button, page, total) -> page
    for (const auto& [knopf, seite, gesamt, neu] :
         {tuple(0, 2, 3, 0), tuple(1, 0, 3, 0), tuple(1, 2, 3, 1), tuple(2, 2, 3, 2),
          tuple(2, 0, 3, 1), tuple(3, 0, 3, 2), tuple(3, 0, 1, 0)})
        EXPECT_EQ(seiteNachKnopf(knopf, seite, gesamt), neu) << knopf << " " << seite;
}

TEST(PreviewGeometry, WheelStepsOfTenWithinTheRange) {
    for (const auto& [pos, delta, max, neu] :
         {tuple(0, -120, 100, 10), tuple(95, -120, 100, 100), tuple(10, 120, 100, 0),
          tuple(5, 120, 100, 0), tuple(0, 120, 100, 0)})
        EXPECT_EQ(scrollNachRad(pos, delta, max), neu);
}

}  // namespace
}  // namespace report
