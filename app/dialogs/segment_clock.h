// The about box's seven-segment clock: the bitmap of its parts (lit and unlit
// segments, the colon) and the drawing of a time by copying those parts.
#pragma once

#include <cstdint>

#include "platform/ui/drawing/bitmap.h"
#include "platform/ui/drawing/rect.h"

namespace app {

// Segments a (top), b (upper right), c (lower right), d (bottom), e (lower
// left), f (upper left), g (middle); bit n of a pattern lights segment n.
extern const uint8_t kSegmentMuster[10];

constexpr ui::TColor kSegmentAn = 0x0000FF;   // lit: red
constexpr ui::TColor kSegmentAus = 0x000040;  // unlit: dark red
constexpr ui::TColor kAnzeigeGrund = 0x000000;

// The parts bitmap "Uhr", 15 x 13 pixels:
// clang-format off
//   part                    | left, top, right, bottom
//   horizontal segment lit  |  0,  0,  7,  3
//   horizontal segment off  |  0,  3,  7,  6
//   vertical segment lit    |  0,  6,  3, 13
//   vertical segment off    |  3,  6,  6, 13
//   colon lit               |  7,  0, 11, 10
//   colon off               | 12,  0, 15, 10
// clang-format on
void drawClockParts(ui::Bitmap& uhr);

// Where segment `segment` (0 = a .. 6 = g) of digit `stelle` (0 = hour tens
// .. 3 = minute units) lies on the clock's image.
ui::Rect segmentRect(int stelle, int segment);
// Where the colon lies.
ui::Rect doppelpunktRect();

// Draws the four digits of hh:mm (the colon is left as it is).
void drawClockDigits(ui::Canvas& c, ui::Bitmap& uhr, int stunde, int minute);
void drawColon(ui::Canvas& c, ui::Bitmap& uhr, bool an);

}  // namespace app
