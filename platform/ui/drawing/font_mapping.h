// Font names of the program's documents mapped to installed families (the
// metric-compatible Liberation faces), and the Qt font for a Font state.
#pragma once

#include <QFont>
#include <QString>
#include <string_view>

#include "platform/ui/drawing/drawing_state.h"

namespace ui {

// "MS Sans Serif"/"Arial" -> Liberation Sans, "Courier New" -> Liberation
// Mono, "Times New Roman" -> Liberation Serif (case-insensitive); any other
// name is passed on, an empty one becomes the sans family.
QString mapFontFamily(std::string_view name);

// The Qt font that draws `font` on a device with the given resolution; pixel
// sizes are device pixels.
QFont toQFont(const Font& font, int pixelsPerInch);

}  // namespace ui
