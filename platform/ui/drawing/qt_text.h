// Conversions between the program's Windows-1252 byte strings and QString,
// used wherever a stored text meets a Qt call.
#pragma once

#include <QString>
#include <string>
#include <string_view>

namespace ui {

QString toQString(std::string_view cp1252);
// Characters outside Windows-1252 become '?'.
std::string fromQString(const QString& text);

}  // namespace ui
