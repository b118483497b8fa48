#include "controls/calendar/model/kalender_layout.h"

namespace calendar {

GridHit hitTest(int x, int y, bool markerMode) {
    using L = GridLayout;
    if (x < 0 || y <= L::kCellHeight) return {};
    const int row = (y - L::kCellHeight) / L::kCellHeight;
    if (row >= kRows) return {};
    // x up to 21 is the week column; x = 22, the gap before the first cell,
    // still belongs to the first column in marker mode only.
    if (x < L::kCellWidth) return markerMode ? GridHit{GridHit::WeekRow, row, 0} : GridHit{};
    if (x == L::kCellWidth && !markerMode) return {};
    const int column = (x - L::kCellWidth) / L::kCellWidth;
    if (column >= kColumns) return {};
    return {GridHit::Cell, row, row * kColumns + column};
}

}  // namespace calendar
