// The warning beep, behind a replaceable handler so tests can count beeps.
#pragma once

#include <functional>

namespace ui {

void Beep();
// Replaces what Beep does; an empty handler restores the desktop's beep.
void setBeepHandler(std::function<void()> handler);

}  // namespace ui
