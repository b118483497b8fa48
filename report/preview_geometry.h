// The report control's preview without Qt: where the scaled page lies in the
// control, whether a scroll bar is needed, the four page buttons with their
// hit test, and the page and scroll steps they and the wheel make.
#pragma once

#include "platform/core/rect.h"

namespace report {

// Height of the button band at the control's foot.
constexpr int kKnopfLeiste = 29;
constexpr int kKnopfBreite = 40;
constexpr int kRadSchritt = 10;  // pixels per wheel notch

// `SetGroesse`: all in control pixels; the page rectangle lies in the page
// images, which scroll under the control.
struct VorschauGeometrie {
    int seiteLinks = 0;
    int seiteOben = 0;
    int seiteRechts = 0;
    int seiteUnten = 0;
    bool scrollbar = false;
    int scrollBereich = 0;    // scroll bar maximum
    int scrollbarLinks = 0;   // left edge of the scroll bar
    int scrollbarHoehe = 0;
};

// The geometry for a control of w x h with a page of pageW x pageH (0.1 mm).
VorschauGeometrie vorschauGeometrie(int w, int h, int pageW, int pageH, bool knopfLeiste,
                                    int scrollbarBreite);

// Page button i (0 "<<", 1 "<", 2 ">", 3 ">>") of a control of w x h.
platform::Rect knopfRechteck(int w, int h, int i);
// The button at (x, y), or -1.
int knopfBei(int w, int h, int x, int y);
// The page shown after button i on `seite` (0-based) of `gesamt` pages.
int seiteNachKnopf(int i, int seite, int gesamt);
// The scroll position after a wheel turn (delta < 0: toward the user, down).
int scrollNachRad(int position, int delta, int maximum);

}  // namespace report
