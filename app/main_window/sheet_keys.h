// The keys of the month sheet as Windows virtual-key codes: the sheet's
// editing rules are written in them (the keypad digits and the two minus
// keys differ there), so Qt's key events are translated once, here.
#pragma once

namespace app {

namespace vk {
constexpr int kBack = 8;
constexpr int kTab = 9;
constexpr int kReturn = 13;
constexpr int kShift = 16;
constexpr int kSpace = 32;
constexpr int kPrior = 33;
constexpr int kNext = 34;
constexpr int kLeft = 37;
constexpr int kUp = 38;
constexpr int kRight = 39;
constexpr int kDown = 40;
constexpr int kInsert = 45;
constexpr int kDelete = 46;
constexpr int k0 = 48;
constexpr int k9 = 57;
constexpr int kNumpad0 = 96;
constexpr int kNumpad9 = 105;
constexpr int kSubtract = 109;  // keypad minus
constexpr int kMinus = 189;     // main keyboard minus
}  // namespace vk

// The virtual key of a Qt key code; `keypad` says the key lies on the
// numeric keypad. Keys the sheet does not know give 0.
int virtualKey(int qtKey, bool keypad);

// A keypad digit as the same digit of the main keyboard.
inline int mainDigit(int key) {
    return key >= vk::kNumpad0 && key <= vk::kNumpad9 ? key - vk::kNumpad0 + vk::k0 : key;
}

}  // namespace app
