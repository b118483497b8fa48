// Mouse wheel deltas added up into whole steps: fine wheels and touchpads
// send a notch in parts.
#pragma once

namespace ui {

// The wheel delta of one notch.
constexpr int kWheelNotch = 120;

class WheelSteps {
public:
    explicit WheelSteps(int deltaPerStep) : perStep_(deltaPerStep) {}
    // The whole steps the deltas so far add up to, positive away from the
    // user; what is short of a step waits for the next delta, and turning the
    // other way drops it.
    int add(int delta);

private:
    int perStep_;
    int rest_ = 0;
};

}  // namespace ui
