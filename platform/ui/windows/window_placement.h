// Where the program's windows, dialogs and message boxes appear: above every
// window of the program, centred on the window they belong to, on the screen.
#pragma once

#include <QRect>

class QWidget;

namespace ui {

// The window a box or dialog without a named owner belongs to: the open
// modal dialog, else the active window, else the program's main window.
QWidget* ownerWindow();

// A window of the program that stays on top (the administration window)
// would hide a dialog of the main window: the dialog then stays on top too.
// Call before the dialog is shown.
void keepAboveProgram(QWidget& window);

// The top-left corner that puts a frame of `size` into `area`: moved left and
// up where it would stick out, never above or left of the area, so the title
// bar stays reachable.
QPoint fitInto(QRect frame, const QRect& area);

// The screen area available around `w` (its screen, else the primary one).
QRect availableArea(const QWidget* w);

// Centres `window` on `owner`'s frame (on the screen without a visible
// owner) and keeps it on the screen.
void centreOnOwner(QWidget& window, const QWidget* owner);

}  // namespace ui
