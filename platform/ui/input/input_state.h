// Mouse buttons and the shift state that mouse and key handlers receive,
// and the characters a key types.
#pragma once

#include <QString>

class QInputEvent;

namespace ui {

enum class MouseButton { Left, Right, Middle };

// Bits of the shift state: modifier keys, mouse buttons held, double click.
enum ShiftState : int {
    kShift = 0x01,
    kAlt = 0x02,
    kCtrl = 0x04,
    kLeftButton = 0x08,
    kRightButton = 0x10,
    kMiddleButton = 0x20,
    kDouble = 0x40,
};

// The shift state of a Qt input event (modifiers and, for mouse events, the
// buttons held).
int shiftStateOf(const QInputEvent& event);

// The characters a key with this text types: the desktop reports Delete
// with the text DEL (U+007F); Windows types no character for it, nor for
// the C1 control codes.
QString typedText(QString keyText);

}  // namespace ui
