#include "platform/ui/input/wheel_steps.h"

namespace ui {

int WheelSteps::add(int delta) {
    if ((delta > 0 && rest_ < 0) || (delta < 0 && rest_ > 0)) rest_ = 0;
    rest_ += delta;
    const int steps = rest_ / perStep_;
    rest_ -= steps * perStep_;
    return steps;
}

}  // namespace ui
