#include "app/dialogs/segment_clock.h"

namespace app {
namespace {

// clang-format off
const ui::Rect kHorizontalAn {0, 0, 7, 3};
const ui::Rect kHorizontalAus{0, 3, 7, 6};
const ui::Rect kVertikalAn   {0, 6, 3, 13};
const ui::Rect kVertikalAus  {3, 6, 6, 13};
const ui::Rect kColonAn      {7, 0, 11, 10};
const ui::Rect kColonAus     {12, 0, 15, 10};
// clang-format on

constexpr int kStellenX[4] = {44, 56, 75, 87};

void fill(ui::Canvas& c, const ui::Rect& r, ui::TColor colour) {
    c.brush = {colour, ui::BrushStyle::Solid};
    c.FillRect(r);
}

// Two dots of the colon inside `r`, on the display's ground.
void dots(ui::Canvas& c, const ui::Rect& r, ui::TColor colour) {
    fill(c, r, kAnzeigeGrund);
    const int left = r.left + (r.width() - 3) / 2;
    fill(c, {left, 2, left + 3, 5}, colour);
    fill(c, {left, 6, left + 3, 9}, colour);
}

}  // namespace

const uint8_t kSegmentMuster[10] = {0b0111111, 0b0000110, 0b1011011, 0b1001111, 0b1100110,
                                    0b1101101, 0b1111101, 0b0000111, 0b1111111, 0b1101111};

void drawClockParts(ui::Bitmap& uhr) {
    uhr.setSize(15, 13);
    ui::Canvas& c = uhr.canvas();
    fill(c, {0, 0, 15, 13}, kAnzeigeGrund);
    fill(c, kHorizontalAn, kSegmentAn);
    fill(c, kHorizontalAus, kSegmentAus);
    fill(c, kVertikalAn, kSegmentAn);
    fill(c, kVertikalAus, kSegmentAus);
    dots(c, kColonAn, kSegmentAn);
    dots(c, kColonAus, kSegmentAus);
}

ui::Rect segmentRect(int stelle, int segment) {
    const int x = kStellenX[stelle];
    switch (segment) {
        case 0: return {x, 43, x + 7, 46};           // a
        case 1: return {x + 6, 45, x + 9, 52};       // b
        case 2: return {x + 6, 53, x + 9, 60};       // c
        case 3: return {x, 16 + 43, x + 7, 16 + 46};  // d
        case 4: return {x - 2, 53, x + 1, 60};       // e
        case 5: return {x - 2, 45, x + 1, 52};       // f
        default: return {x, 8 + 43, x + 7, 8 + 46};  // g
    }
}

ui::Rect doppelpunktRect() { return {67, 48, 71, 58}; }

void drawClockDigits(ui::Canvas& c, ui::Bitmap& uhr, int stunde, int minute) {
    const int ziffern[4] = {stunde / 10 % 10, stunde % 10, minute / 10 % 10, minute % 10};
    for (int segment = 0; segment < 7; ++segment) {
        const bool horizontal = segment == 0 || segment == 3 || segment == 6;
        for (int stelle = 0; stelle < 4; ++stelle) {
            const bool an = (kSegmentMuster[ziffern[stelle]] >> segment) & 1;
            const ui::Rect& quelle = horizontal ? (an ? kHorizontalAn : kHorizontalAus)
                                                : (an ? kVertikalAn : kVertikalAus);
            c.CopyRect(segmentRect(stelle, segment), uhr.canvas(), quelle);
        }
    }
}

void drawColon(ui::Canvas& c, ui::Bitmap& uhr, bool an) {
    c.CopyRect(doppelpunktRect(), uhr.canvas(), an ? kColonAn : kColonAus);
}

}  // namespace app
