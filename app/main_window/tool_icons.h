// Images of the tool buttons: the desktop theme's icon by its freedesktop
// name where one fits, otherwise a small glyph drawn here. Breeze is Qt's
// fallback theme, so the bar looks the same on every desktop.
#pragma once

#include <QIcon>
#include <string>

class QImage;

namespace app {

// Makes "breeze" the fallback icon theme (once the application exists).
void setzeIconThema();

// The image of the command's tool button (the command's name in the form);
// `artGlyphen` is the strip of line-kind glyphs of the sheet.
QIcon werkzeugBild(const std::string& command, const QImage& artGlyphen);

}  // namespace app
