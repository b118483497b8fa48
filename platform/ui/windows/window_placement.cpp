#include "platform/ui/windows/window_placement.h"

#include <QApplication>
#include <QEvent>
#include <QMainWindow>
#include <QPointer>
#include <QScreen>
#include <QWidget>
#include <QWindow>
#include <algorithm>

namespace ui {
namespace {

// A window manager keeps the windows that belong to the main window in one
// stack, tool windows on top: a dialog of the main window stays below the
// administration window whatever its own hint says. Shown, the dialog
// belongs to the window that stays on top instead (for the window manager
// only: its owner in the program does not change).
class AboveOnShow : public QObject {
public:
    AboveOnShow(QWidget& w, QWidget& onTop) : QObject(&w), onTop_(&onTop) {
        setObjectName(QStringLiteral("klbAboveOnShow"));
        w.installEventFilter(this);
    }
    bool eventFilter(QObject* o, QEvent* e) override {
        if (e->type() == QEvent::Show && onTop_ != nullptr && onTop_->isVisible()) {
            auto* w = static_cast<QWidget*>(o);
            if (w->windowHandle() != nullptr && onTop_->windowHandle() != nullptr)
                w->windowHandle()->setTransientParent(onTop_->windowHandle());
        }
        return false;
    }

private:
    QPointer<QWidget> onTop_;
};

}  // namespace

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
    for (QWidget* w : QApplication::topLevelWidgets()) {
        if (w == &window || !w->isVisible() || !w->isWindow()) continue;
        if (w->windowFlags() & Qt::WindowStaysOnTopHint) {
            window.setWindowFlag(Qt::WindowStaysOnTopHint, true);
            if (window.findChild<QObject*>(QStringLiteral("klbAboveOnShow"),
                                           Qt::FindDirectChildrenOnly) == nullptr)
                new AboveOnShow(window, *w);
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
