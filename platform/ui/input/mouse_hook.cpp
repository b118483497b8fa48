#include "platform/ui/input/mouse_hook.h"

#include <QApplication>
#include <QMouseEvent>
#include <QWidget>

namespace ui {

MouseHook::MouseHook(Callback callback) : callback_(std::move(callback)) {
    if (qApp != nullptr) qApp->installEventFilter(this);
}

MouseHook::~MouseHook() {
    if (qApp != nullptr) qApp->removeEventFilter(this);
}

bool MouseHook::eventFilter(QObject* watched, QEvent* event) {
    MouseHookEvent kind;
    switch (event->type()) {
        case QEvent::MouseButtonPress:
        case QEvent::MouseButtonDblClick: kind = MouseHookEvent::Press; break;
        case QEvent::MouseButtonRelease: kind = MouseHookEvent::Release; break;
        case QEvent::MouseMove: kind = MouseHookEvent::Move; break;
        default: return false;
    }
    auto* widget = qobject_cast<QWidget*>(watched);
    if (widget == nullptr || !callback_) return false;  // window-level copies of the event
    const auto* mouse = static_cast<QMouseEvent*>(event);
    return callback_(kind, widget, mouse->globalPosition().toPoint(), mouse->button());
}

}  // namespace ui
