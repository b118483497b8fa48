#include "platform/ui/dialogs/key_pause.h"

#include <QApplication>
#include <QEvent>
#include <QKeyEvent>
#include <QWidget>

namespace ui {

KeyPause::KeyPause(QWidget& window, std::chrono::milliseconds pause)
    : window_(window), pause_(pause) {
    // On the application: shortcuts (a button's access letter) are sent to
    // their button, not to the widget that has the focus.
    qApp->installEventFilter(this);
}

KeyPause::~KeyPause() { qApp->removeEventFilter(this); }

bool KeyPause::mine(QObject* target) const {
    const auto* w = qobject_cast<const QWidget*>(target);
    return w != nullptr && w->window() == &window_;
}

bool KeyPause::eventFilter(QObject* target, QEvent* event) {
    switch (event->type()) {
        case QEvent::Paint:
            if (!shown_.isValid() && mine(target)) shown_.start();
            return false;
        case QEvent::KeyPress:
        case QEvent::KeyRelease:
        case QEvent::ShortcutOverride:
        case QEvent::Shortcut:
            break;
        default:
            return false;
    }
    if (!mine(target)) return false;
    if (shown_.isValid() && shown_.elapsed() >= pause_.count()) return false;
    // An accepted override keeps the key from every shortcut; the key itself
    // is then dropped here as well.
    if (event->type() == QEvent::ShortcutOverride) event->accept();
    return true;
}

}  // namespace ui
