// Keys typed ahead do not answer a window that has just appeared: a message
// box ignores the keyboard until it has been on the screen for a moment.
#pragma once

#include <QElapsedTimer>
#include <QObject>
#include <chrono>

class QWidget;

namespace ui {

// How long a box shows before a key can answer it: longer than the gap
// between two keys typed in a run, shorter than anyone reads a question.
constexpr std::chrono::milliseconds kKeyPause{500};

// While it lives, key presses and shortcuts meant for `window` or its children
// are dropped until the window has been painted and `pause` has passed since:
// the Enter typed to confirm a year, arriving just after the save question
// opened, must not answer a question nobody has seen. Mouse clicks pass.
class KeyPause : public QObject {
public:
    KeyPause(QWidget& window, std::chrono::milliseconds pause);
    ~KeyPause() override;
    KeyPause(const KeyPause&) = delete;
    KeyPause& operator=(const KeyPause&) = delete;

protected:
    bool eventFilter(QObject* target, QEvent* event) override;

private:
    bool mine(QObject* target) const;

    QWidget& window_;
    const std::chrono::milliseconds pause_;
    QElapsedTimer shown_;  // from the window's first paint
};

}  // namespace ui
