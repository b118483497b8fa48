// Drawing of the date and time field on a canvas: the frame with caption,
// value boxes and picker button, then the values and the cursor cell.
#pragma once

#include <string>

#include "controls/calendar/model/zeit_layout.h"
#include "controls/calendar/model/zeit_model.h"
#include "platform/ui/drawing/canvas.h"

namespace calendar {

// The field's font: "Courier New" at `size` points.
ui::Font zeitFont(int size);

// Background, sunken border, caption band, the white value boxes and the
// picker button (drawn pressed while `buttonDown`).
void paintZeitFrame(ui::Canvas& c, const ZeitLayout& l, int fontSize, const std::string& caption,
                    ui::TColor titelColor, bool buttonDown);

// The block texts over the frame, and the cursor cell inverted when `showCursor`.
void paintZeitValue(ui::Canvas& c, const ZeitLayout& l, int fontSize, const ZeitModel& m,
                    bool showCursor);

}  // namespace calendar
