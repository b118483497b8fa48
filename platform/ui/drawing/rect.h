// The platform rectangle on Qt's side.
#pragma once

#include <QRect>

#include "platform/core/rect.h"

namespace ui {

using Rect = platform::Rect;

inline QRect toQRect(const Rect& r) { return QRect(r.left, r.top, r.width(), r.height()); }
inline Rect fromQRect(const QRect& r) {
    return {r.left(), r.top(), r.left() + r.width(), r.top() + r.height()};
}

}  // namespace ui
