#include "platform/ui/windows/window_messages.h"

#include <QApplication>
#include <QWidget>

namespace ui {

std::intptr_t SendMessage(QWidget* window, unsigned msg, std::uintptr_t wParam,
                          std::intptr_t lParam) {
    auto* target = dynamic_cast<MessageTarget*>(window);
    if (target == nullptr) return 0;
    Message m{msg, wParam, lParam, 0};
    return target->dispatchMessage(m) ? m.result : 0;
}

QWidget* ActiveWindow() { return QApplication::activeWindow(); }

}  // namespace ui
