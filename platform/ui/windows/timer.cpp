#include "platform/ui/windows/timer.h"

#include <algorithm>

namespace ui {

Timer::Timer() {
    QObject::connect(&timer_, &QTimer::timeout, [this] {
        if (onTimer) onTimer(*this);
    });
    sync();
}

void Timer::setInterval(int ms) {
    interval_ = std::max(0, ms);
    sync();
}

void Timer::setEnabled(bool on) {
    enabled_ = on;
    sync();
}

void Timer::sync() {
    // An interval of 0 stops the timer, as it did on the original platform.
    if (enabled_ && interval_ > 0) {
        timer_.start(interval_);
    } else {
        timer_.stop();
    }
}

}  // namespace ui
