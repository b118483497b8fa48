// Mouse buttons and the shift state that mouse and key handlers receive.
#pragma once

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

}  // namespace ui
