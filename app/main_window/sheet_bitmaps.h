// The two bitmaps of the sheet, drawn in code: the caret bar "Strich"
// (2 x 16) and the strip of line-kind glyphs "Schaltflaechen" (six 8 x 14
// glyphs for blank, '!', '-', '+', 'V', 'M').
#pragma once

#include "platform/ui/drawing/bitmap.h"

namespace app {

void drawCaretBitmap(ui::Bitmap& bitmap);
void drawKindGlyphs(ui::Bitmap& bitmap);
// x of the kind's glyph in the strip; 0 for ordinary work and unknown kinds.
int glyphOffset(char kind);

}  // namespace app
