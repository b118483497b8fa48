#include "platform/ui/input/input_state.h"

#include <QInputEvent>
#include <QMouseEvent>

namespace ui {

int shiftStateOf(const QInputEvent& event) {
    int s = 0;
    const Qt::KeyboardModifiers m = event.modifiers();
    if (m & Qt::ShiftModifier) s |= kShift;
    if (m & Qt::AltModifier) s |= kAlt;
    if (m & Qt::ControlModifier) s |= kCtrl;
    if (const auto* mouse = dynamic_cast<const QSinglePointEvent*>(&event)) {
        const Qt::MouseButtons b = mouse->buttons();
        if (b & Qt::LeftButton) s |= kLeftButton;
        if (b & Qt::RightButton) s |= kRightButton;
        if (b & Qt::MiddleButton) s |= kMiddleButton;
    }
    return s;
}

QString typedText(QString keyText) {
    keyText.removeIf([](QChar q) { return q.unicode() >= 0x7F && q.unicode() < 0xA0; });
    return keyText;
}

}  // namespace ui
