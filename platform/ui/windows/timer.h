// A timer component for windows: calls onTimer(sender) every interval while
// enabled, on the event loop.
#pragma once

#include <QTimer>
#include <functional>

namespace ui {

class Timer {
public:
    // Enabled with an interval of 1000 ms, as the program's forms expect.
    Timer();
    Timer(const Timer&) = delete;
    Timer& operator=(const Timer&) = delete;

    int interval() const { return interval_; }
    // Restarts a running timer with the new interval.
    void setInterval(int ms);
    bool enabled() const { return enabled_; }
    void setEnabled(bool on);

    std::function<void(Timer& sender)> onTimer;

private:
    void sync();

    QTimer timer_;
    int interval_ = 1000;
    bool enabled_ = true;
};

}  // namespace ui
