// Mouse pointer shapes, and the wait pointer shown while a long operation runs.
#pragma once

#include <Qt>

namespace ui {

enum class Cursor { Default, Arrow, IBeam, Wait, Cross, HandPoint, SizeWE, SizeNS, SizeAll, No, Drag };

Qt::CursorShape toQtCursor(Cursor c);

// Shows the wait pointer over the whole application for its lifetime.
class WaitCursor {
public:
    WaitCursor();
    ~WaitCursor();
    WaitCursor(const WaitCursor&) = delete;
    WaitCursor& operator=(const WaitCursor&) = delete;
};

}  // namespace ui
