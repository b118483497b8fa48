// Geometry of the drop-down list of past search texts: where it opens
// beside its field on the screen, and which entry lies under the pointer.
#pragma once

#include "platform/core/rect.h"

namespace table {

// The list's screen rectangle for `eintraege` entries of `zeilenHoehe`
// pixels (one entry's height when empty, plus a one-pixel border each side):
// as wide as the field but at least 100, below the field's lower left
// corner; when that leaves the screen it is shortened to the room below if
// ten entries fit there, else it opens above the field, starting no higher
// than the screen's top. `feld` and `schirm` are screen coordinates.
platform::Rect listenPlatz(const platform::Rect& feld, const platform::Rect& schirm,
                           int zeilenHoehe, int eintraege);

// The entry under a point of the list (x, y relative to its content, whose
// size is breite x hoehe); -1 outside the usable area, which loses the
// scroll bar's width when not every entry fits. May be >= eintraege below
// the last entry.
int listenIndex(int x, int y, int breite, int hoehe, int zeilenHoehe, int obersterIndex,
                int eintraege, int scrollBreite);

}  // namespace table
