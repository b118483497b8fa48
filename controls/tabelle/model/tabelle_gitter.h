// The grid under the grid table: column widths, row heights, the current row,
// the scroll position and where each cell lies; no texts and no drawing.
#pragma once

#include <vector>

#include "platform/core/rect.h"

namespace table {

class GitterModell {
public:
    GitterModell();
    virtual ~GitterModell() = default;

    int ColCount() const { return static_cast<int>(breiten_.size()); }
    void SetColCount(int n);
    int RowCount() const { return rowCount_; }
    void SetRowCount(int n);
    // Grid row 0 is the fixed title row; no fixed columns.
    static constexpr int FixedRows = 1;

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
    // are refused (false).
    bool SetCurrentRow(int row);
    int TopRow() const { return topRow_; }
    void SetTopRow(int row);
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
    int VisibleColCount() const;

    // Where a cell lies on the client area; empty when scrolled away or hidden.
    platform::Rect CellRect(int col, int row) const;
    // The row under y, -1 below the last row.
    int zeileBei(int y) const;
    // The column under x, -1 right of the last one.
    int spalteBei(int x) const;
    // The column whose right border lies under x in the title row (a press
    // there sizes it), else -1.
    int groessenSpalte(int x, int y) const;

    // Keys that move the current row.
    enum class Taste { Hoch, Runter, SeiteHoch, SeiteRunter, Anfang, Ende };
    void bewege(Taste taste);

protected:
    // The grid's geometry or scroll position changed (scroll bars follow).
    virtual void gitterGeaendert() {}

private:
    void sichtbarMachen();
    int zeilenUnten(int row) const;

    std::vector<int> breiten_;
    std::vector<int> hoehen_;
    int rowCount_ = 5;
    int defaultColWidth_ = 64;
    int defaultRowHeight_ = 24;
    int row_ = 1;
    int topRow_ = 1;
    int leftCol_ = 0;
    int clientBreite_ = 100;
    int clientHoehe_ = 100;
};

}  // namespace table
