#include "platform/ui/input/cursors.h"

#include <QApplication>
#include <QCursor>

namespace ui {

Qt::CursorShape toQtCursor(Cursor c) {
    switch (c) {
        case Cursor::Default:
        case Cursor::Arrow: return Qt::ArrowCursor;
        case Cursor::IBeam: return Qt::IBeamCursor;
        case Cursor::Wait: return Qt::WaitCursor;
        case Cursor::Cross: return Qt::CrossCursor;
        case Cursor::HandPoint: return Qt::PointingHandCursor;
        case Cursor::SizeWE: return Qt::SizeHorCursor;
        case Cursor::SizeNS: return Qt::SizeVerCursor;
        case Cursor::SizeAll: return Qt::SizeAllCursor;
        case Cursor::No: return Qt::ForbiddenCursor;
        case Cursor::Drag: return Qt::DragMoveCursor;
    }
    return Qt::ArrowCursor;
}

WaitCursor::WaitCursor() { QApplication::setOverrideCursor(Qt::WaitCursor); }
WaitCursor::~WaitCursor() { QApplication::restoreOverrideCursor(); }

}  // namespace ui
