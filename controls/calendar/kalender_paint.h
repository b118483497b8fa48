// Drawing of the month calendar on a canvas: the grid image with head band,
// week column, day cells and marks, the title band, and the marker glyph.
#pragma once

#include "controls/calendar/model/kalender_model.h"
#include "platform/ui/drawing/bitmap.h"
#include "platform/ui/drawing/canvas.h"

namespace calendar {

// The grid image; with `header` also the head band, week column and frame.
void paintGrid(ui::Canvas& canvas, const KalenderModel& model, bool header, const ui::Bitmap& glyph);

// The title band: fill, single border, the centred title text.
void paintTitle(ui::Canvas& canvas, int width, int height, const KalenderModel& model);

// The glyph that marks a standby day in normal mode: a red bar under the
// day number, white (transparent) elsewhere.
void drawMarkGlyph(ui::Bitmap& glyph);

inline ui::Rect toRect(const Rect& b) { return {b.left, b.top, b.right, b.bottom}; }

}  // namespace calendar
