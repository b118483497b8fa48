// The grid under the grid table: column widths, row heights, fixed columns,
// the grid options, the current cell and its selection, the scroll position
// and where each cell lies; no texts and no drawing.
#pragma once

#include <vector>

#include "platform/core/rect.h"

namespace table {

// The grid's options, bits of TGridOptions.
enum TGridOption : unsigned {
    goFixedVertLine = 1u << 0,  // lines between fixed columns
    goFixedHorzLine = 1u << 1,  // lines between fixed rows
    goVertLine = 1u << 2,       // lines between columns (they take a pixel each)
    goHorzLine = 1u << 3,       // lines between rows (they take a pixel each)
    goRangeSelect = 1u << 4,    // Shift or a drag marks a range from the current cell
    goColSizing = 1u << 5,      // title borders size their columns
    goRowSelect = 1u << 6,      // the whole row is selected, not only the current cell
    goThumbTracking = 1u << 7,  // the grid scrolls while the scroll box is dragged
};
using TGridOptions = unsigned;

class GitterModell {
public:
    GitterModell();
    virtual ~GitterModell() = default;

    int ColCount() const { return static_cast<int>(breiten_.size()); }
    // Fewer columns than fixed ones leave one column that scrolls.
    void SetColCount(int n);
    int RowCount() const { return rowCount_; }
    void SetRowCount(int n);
    // Grid row 0 is the fixed title row.
    static constexpr int FixedRows = 1;
    // Columns at the left that never scroll and show in the fixed colour;
    // always fewer than ColCount.
    int FixedCols() const { return fixedCols_; }
    void SetFixedCols(int n);
    TGridOptions Options() const { return options_; }
    void SetOptions(TGridOptions options);
    bool hatOption(TGridOption o) const { return (options_ & o) != 0; }

    // Width -1 hides a column (no grid line either).
    int ColWidth(int col) const;
    void SetColWidth(int col, int width);
    int DefaultColWidth() const { return defaultColWidth_; }
    int RowHeight(int row) const;
    void SetRowHeight(int row, int height);
    int DefaultRowHeight() const { return defaultRowHeight_; }
    // Every row takes the new height, as a grid does.
    void SetDefaultRowHeight(int height);

    // The current row (a data row whenever there is one).
    int Row() const { return row_; }
    // Moves the current row and scrolls it into view; rows outside the grid
    // are refused (false). A marked range shrinks to the current cell.
    bool SetCurrentRow(int row);
    // The current column: the selected cell without goRowSelect.
    int Col() const { return col_; }
    void SetCurrentCol(int col);
    // Moves the far end of the marked range (goRangeSelect; otherwise the
    // current cell moves) and scrolls it into view.
    void SetAnker(int col, int row);
    int AnkerRow() const { return ankerRow_; }
    // True for a cell the grid draws selected: not fixed, inside the marked range.
    bool gewaehlt(int col, int row) const;
    bool fest(int col, int row) const { return row < FixedRows || col < fixedCols_; }

    int TopRow() const { return topRow_; }
    void SetTopRow(int row);
    // The first scrolling column shown after the fixed ones.
    int LeftCol() const { return leftCol_; }
    void SetLeftCol(int col);
    int maxTopRow() const;
    int maxLeftCol() const;

    // The client area the cells are laid out in.
    void setClientGroesse(int breite, int hoehe);
    int clientBreite() const { return clientBreite_; }
    int clientHoehe() const { return clientHoehe_; }
    // Data rows that fit completely below the title row.
    int VisibleRowCount() const;
    // Scrolling columns that fit completely beside the fixed ones.
    int VisibleColCount() const;
    // Pixels a grid line takes after a column and after a row.
    int linieX() const { return hatOption(goVertLine) ? 1 : 0; }
    int linieY() const { return hatOption(goHorzLine) ? 1 : 0; }

    // Where a cell lies on the client area; empty when scrolled away or hidden.
    platform::Rect CellRect(int col, int row) const;
    // The row under y, -1 below the last row.
    int zeileBei(int y) const;
    // The column under x, -1 right of the last one.
    int spalteBei(int x) const;
    // The column whose right border lies under x in the title row (a press
    // there sizes it, with goColSizing), else -1.
    int groessenSpalte(int x, int y) const;
    // The row a drag with the button held points at: the row under y, or
    // beyond the title row or the bottom edge the next row out of view, so
    // that the drag scrolls.
    int zeileBeimZiehen(int y) const;

    // Keys that move the current row; `erweitern` (Shift) with goRangeSelect
    // moves the far end of the marked range instead.
    enum class Taste { Hoch, Runter, SeiteHoch, SeiteRunter, Anfang, Ende };
    void bewege(Taste taste, bool erweitern = false);

protected:
    // The grid's geometry or scroll position changed (scroll bars follow).
    virtual void gitterGeaendert() {}

private:
    void sichtbarMachen(int row);
    int zeilenUnten(int row) const;
    // The columns in the order they are laid out: fixed ones, then from LeftCol.
    template <class F>
    void spaltenFolge(F f) const;
    int festeBreite() const;

    std::vector<int> breiten_;
    std::vector<int> hoehen_;
    int rowCount_ = 5;
    int fixedCols_ = 1;
    TGridOptions options_ =
        goFixedVertLine | goFixedHorzLine | goVertLine | goHorzLine | goRangeSelect;
    int defaultColWidth_ = 64;
    int defaultRowHeight_ = 24;
    int row_ = 1;
    int col_ = 1;
    int ankerRow_ = 1;
    int ankerCol_ = 1;
    int topRow_ = 1;
    int leftCol_ = 1;
    int clientBreite_ = 100;
    int clientHoehe_ = 100;
};

}  // namespace table
