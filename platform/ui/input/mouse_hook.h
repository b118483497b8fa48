// An application-wide mouse hook: sees every mouse press, release and move
// of the application before the widget under the pointer, e.g. to close a
// drop-down list when the user clicks elsewhere. Active for its lifetime.
#pragma once

#include <QObject>
#include <QPoint>
#include <functional>

class QWidget;

namespace ui {

enum class MouseHookEvent { Press, Release, Move };

class MouseHook : public QObject {
public:
    // Returns true to swallow the event. `button` is the one pressed or
    // released (Qt::NoButton for moves).
    using Callback =
        std::function<bool(MouseHookEvent, QWidget* target, QPoint globalPos, Qt::MouseButton button)>;
    explicit MouseHook(Callback callback);
    ~MouseHook() override;

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    Callback callback_;
};

}  // namespace ui
