#include "platform/ui/window_placement.h"

#include <QApplication>
#include <QMainWindow>
#include <QScreen>
#include <QWidget>
#include <algorithm>

namespace ui {

QWidget* ownerWindow() {
    if (QWidget* modal = QApplication::activeModalWidget()) return modal;
    if (QWidget* active = QApplication::activeWindow()) return active;
    // Without a window manager nothing may be active: the main window.
    for (QWidget* w : QApplication::topLevelWidgets())
        if (w->isVisible() && qobject_cast<QMainWindow*>(w) != nullptr) return w;
    return nullptr;
}

void keepAboveProgram(QWidget& window) {
    if (window.windowFlags() & Qt::WindowStaysOnTopHint) return;
    for (const QWidget* w : QApplication::topLevelWidgets()) {
        if (w == &window || !w->isVisible() || !w->isWindow()) continue;
        if (w->windowFlags() & Qt::WindowStaysOnTopHint) {
            window.setWindowFlag(Qt::WindowStaysOnTopHint, true);
            return;
        }
    }
}

QPoint fitInto(QRect frame, const QRect& area) {
    if (!area.isValid()) return frame.topLeft();
    if (frame.right() > area.right()) frame.moveRight(area.right());
    if (frame.bottom() > area.bottom()) frame.moveBottom(area.bottom());
    if (frame.left() < area.left()) frame.moveLeft(area.left());
    if (frame.top() < area.top()) frame.moveTop(area.top());
    return frame.topLeft();
}

QRect availableArea(const QWidget* w) {
    const QScreen* s = w != nullptr ? w->screen() : nullptr;
    if (s == nullptr) s = QGuiApplication::primaryScreen();
    return s != nullptr ? s->availableGeometry() : QRect();
}

void centreOnOwner(QWidget& window, const QWidget* owner) {
    const bool onOwner = owner != nullptr && owner->isVisible();
    const QRect area = availableArea(onOwner ? owner : &window);
    const QRect around = onOwner ? owner->frameGeometry() : area;
    if (!around.isValid()) return;
    QRect frame(QPoint(), window.frameGeometry().size().expandedTo(window.size()));
    frame.moveCenter(around.center());
    window.move(fitInto(frame, area));
}

}  // namespace ui
