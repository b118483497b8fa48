// Every rectangle of the date and time field: caption, value blocks, digit
// cells and picker button, from the character cell of its font. Painting
// and the mouse read it.
#pragma once

#include "controls/calendar/model/zeit_style.h"
#include "platform/core/rect.h"

namespace calendar {

using platform::Rect;

struct ZeitBlock {
    Rect box;       // white, closed by a grey line at box.right
    int textX = 0;  // where its text starts, at y 2
    bool date = true;
    int chars() const { return date ? 10 : 5; }
};

struct ZeitLayout {
    TZeitStyle style = TZeitStyle::zaDatum;
    bool zeitDatum = false;  // time block first
    int charWidth = 0;
    int charHeight = 0;
    int captionWidth = 0;  // 0 without a caption
    int width = 0;
    int height = 0;
    int x0 = 0;  // text of the first block
    int buttonX = 0;
    int blockCount = 1;
    ZeitBlock blocks[2];

    Rect caption() const { return {1, 1, captionWidth + 2, height - 2}; }
    int captionLineX() const { return x0 - 4; }
    Rect button() const { return {buttonX, 2, width - 3, height - 2}; }
    bool onButton(int x) const { return x >= buttonX && x <= width - 4; }
    // The character cell that the cursor inverts.
    Rect cursorCell(int digit) const;
    // The digit under a press in a value block (a separator gives the digit
    // before it, past the text the block's last digit); -1 outside them.
    int digitAt(int x, int y) const;
};

ZeitLayout layoutZeit(TZeitStyle style, bool zeitDatum, int captionWidth, int charWidth,
                      int charHeight);

}  // namespace calendar
