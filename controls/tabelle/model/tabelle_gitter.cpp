#include "controls/tabelle/model/tabelle_gitter.h"

#include <algorithm>

namespace table {
namespace {

constexpr int kGreifen = 2;  // pixels either side of a border that size a column

}  // namespace

GitterModell::GitterModell() : breiten_(5, 64), hoehen_(5, 24) {}

template <class F>
void GitterModell::spaltenFolge(F f) const {
    int x = 0;
    auto schritt = [&](int c) {
        if (ColWidth(c) < 0) return false;
        if (f(c, x)) return true;
        x += ColWidth(c) + linieX();
        return false;
    };
    for (int c = 0; c < fixedCols_; ++c)
        if (schritt(c)) return;
    for (int c = leftCol_; c < ColCount(); ++c)
        if (schritt(c)) return;
}

int GitterModell::festeBreite() const {
    int x = 0;
    for (int c = 0; c < fixedCols_; ++c)
        if (ColWidth(c) >= 0) x += ColWidth(c) + linieX();
    return x;
}

void GitterModell::SetColCount(int n) {
    n = std::max(n, 1);
    breiten_.resize(static_cast<size_t>(n), defaultColWidth_);
    fixedCols_ = std::min(fixedCols_, n - 1);
    col_ = std::clamp(col_, fixedCols_, n - 1);
    ankerCol_ = std::clamp(ankerCol_, fixedCols_, n - 1);
    leftCol_ = std::clamp(leftCol_, fixedCols_, n - 1);
    gitterGeaendert();
}

void GitterModell::SetFixedCols(int n) {
    // As a grid does: the scrolling part starts again right of the fixed columns.
    fixedCols_ = std::clamp(n, 0, ColCount() - 1);
    leftCol_ = col_ = ankerCol_ = fixedCols_;
    gitterGeaendert();
}

void GitterModell::SetOptions(TGridOptions options) {
    options_ = options;
    if (!hatOption(goRangeSelect)) {
        ankerRow_ = row_;
        ankerCol_ = col_;
    }
    // Lines switched on or off change what fits.
    topRow_ = std::clamp(topRow_, FixedRows, std::max(FixedRows, maxTopRow()));
    leftCol_ = std::clamp(leftCol_, fixedCols_, maxLeftCol());
    gitterGeaendert();
}

void GitterModell::SetRowCount(int n) {
    rowCount_ = std::max(n, FixedRows + 1);
    hoehen_.resize(static_cast<size_t>(rowCount_), defaultRowHeight_);
    row_ = std::clamp(row_, FixedRows, rowCount_ - 1);
    ankerRow_ = std::clamp(ankerRow_, FixedRows, rowCount_ - 1);
    topRow_ = std::clamp(topRow_, FixedRows, std::max(FixedRows, maxTopRow()));
    gitterGeaendert();
}

int GitterModell::ColWidth(int col) const {
    if (col < 0 || col >= ColCount()) return 0;
    return breiten_[static_cast<size_t>(col)];
}

void GitterModell::SetColWidth(int col, int width) {
    if (col < 0 || col >= ColCount()) return;
    breiten_[static_cast<size_t>(col)] = std::max(width, -1);
    gitterGeaendert();
}

int GitterModell::RowHeight(int row) const {
    if (row < 0 || row >= rowCount_) return 0;
    return hoehen_[static_cast<size_t>(row)];
}

void GitterModell::SetRowHeight(int row, int height) {
    if (row < 0 || row >= rowCount_) return;
    hoehen_[static_cast<size_t>(row)] = std::max(height, 0);
    gitterGeaendert();
}

void GitterModell::SetDefaultRowHeight(int height) {
    defaultRowHeight_ = std::max(height, 0);
    std::fill(hoehen_.begin(), hoehen_.end(), defaultRowHeight_);
    topRow_ = std::clamp(topRow_, FixedRows, std::max(FixedRows, maxTopRow()));
    gitterGeaendert();
}

bool GitterModell::SetCurrentRow(int row) {
    if (row < FixedRows || row >= rowCount_) return false;
    row_ = ankerRow_ = row;
    ankerCol_ = col_;
    sichtbarMachen(row_);
    return true;
}

void GitterModell::SetCurrentCol(int col) {
    if (col < fixedCols_ || col >= ColCount()) return;
    col_ = ankerCol_ = col;
    ankerRow_ = row_;
}

void GitterModell::SetAnker(int col, int row) {
    if (!hatOption(goRangeSelect)) {
        SetCurrentRow(row);
        SetCurrentCol(col);
        return;
    }
    if (row < FixedRows || row >= rowCount_) return;
    ankerRow_ = row;
    if (col >= fixedCols_ && col < ColCount()) ankerCol_ = col;
    sichtbarMachen(ankerRow_);
}

bool GitterModell::gewaehlt(int col, int row) const {
    if (fest(col, row) || row < std::min(row_, ankerRow_) || row > std::max(row_, ankerRow_))
        return false;
    return hatOption(goRowSelect) ||
           (col >= std::min(col_, ankerCol_) && col <= std::max(col_, ankerCol_));
}

void GitterModell::SetTopRow(int row) {
    const int neu = std::clamp(row, FixedRows, std::max(FixedRows, maxTopRow()));
    if (neu == topRow_) return;
    topRow_ = neu;
    gitterGeaendert();
}

void GitterModell::SetLeftCol(int col) {
    const int neu = std::clamp(col, fixedCols_, maxLeftCol());
    if (neu == leftCol_) return;
    leftCol_ = neu;
    gitterGeaendert();
}

int GitterModell::maxTopRow() const {
    // The highest top row that still fills the client area from the bottom.
    int frei = clientHoehe_ - RowHeight(0) - linieY();
    int r = rowCount_ - 1;
    while (r > FixedRows) {
        frei -= RowHeight(r) + linieY();
        if (frei < RowHeight(r - 1) + linieY()) break;
        --r;
    }
    return std::max(r, FixedRows);
}

int GitterModell::maxLeftCol() const {
    // The lowest left column from which the rest still fills the room beside
    // the fixed columns.
    const auto platz = [&](int c) { return ColWidth(c) >= 0 ? ColWidth(c) + linieX() : 0; };
    int frei = clientBreite_ - festeBreite();
    int c = ColCount() - 1;
    while (c > fixedCols_) {
        frei -= platz(c);
        if (frei < platz(c - 1)) break;
        --c;
    }
    return std::max(c, fixedCols_);
}

void GitterModell::setClientGroesse(int breite, int hoehe) {
    clientBreite_ = std::max(breite, 0);
    clientHoehe_ = std::max(hoehe, 0);
    topRow_ = std::clamp(topRow_, FixedRows, std::max(FixedRows, maxTopRow()));
    leftCol_ = std::clamp(leftCol_, fixedCols_, maxLeftCol());
}

int GitterModell::VisibleRowCount() const {
    int y = RowHeight(0) + linieY();
    int n = 0;
    for (int r = topRow_; r < rowCount_; ++r) {
        y += RowHeight(r) + linieY();
        if (y - linieY() > clientHoehe_) break;
        ++n;
    }
    return n;
}

int GitterModell::VisibleColCount() const {
    int n = 0;
    spaltenFolge([&](int c, int x) {
        if (x + ColWidth(c) > clientBreite_) return true;
        if (c >= fixedCols_) ++n;
        return false;
    });
    return n;
}

platform::Rect GitterModell::CellRect(int col, int row) const {
    if (col < 0 || col >= ColCount() || row < 0 || row >= rowCount_) return {};
    if (row >= FixedRows && row < topRow_) return {};
    if (col >= fixedCols_ && col < leftCol_) return {};
    if (ColWidth(col) < 0) return {};
    int links = 0;
    spaltenFolge([&](int c, int x) {
        links = x;
        return c == col;
    });
    int y = 0;
    if (row >= FixedRows) {
        y = RowHeight(0) + linieY();
        for (int r = topRow_; r < row; ++r) y += RowHeight(r) + linieY();
    }
    return platform::rectAt(links, y, ColWidth(col), RowHeight(row));
}

int GitterModell::zeileBei(int y) const {
    if (y < 0) return -1;
    int unten = RowHeight(0) + linieY();
    if (y < unten) return 0;
    for (int r = topRow_; r < rowCount_; ++r) {
        unten += RowHeight(r) + linieY();
        if (y < unten) return r;
    }
    return -1;
}

int GitterModell::spalteBei(int x) const {
    if (x < 0) return -1;
    int treffer = -1;
    spaltenFolge([&](int c, int links) {
        if (x >= links + ColWidth(c) + linieX()) return false;
        treffer = c;
        return true;
    });
    return treffer;
}

int GitterModell::groessenSpalte(int x, int y) const {
    if (!hatOption(goColSizing) || y < 0 || y >= RowHeight(0)) return -1;
    int treffer = -1;
    spaltenFolge([&](int c, int links) {
        const int rand = links + ColWidth(c);
        if (x < rand - kGreifen || x > rand + kGreifen) return false;
        treffer = c;
        return true;
    });
    return treffer;
}

int GitterModell::zeileBeimZiehen(int y) const {
    if (y < RowHeight(0) + linieY()) return std::max(topRow_ - 1, FixedRows);
    const int r = y < clientHoehe_ ? zeileBei(y) : -1;
    if (r >= FixedRows) return r;
    return std::min(topRow_ + VisibleRowCount(), rowCount_ - 1);
}

void GitterModell::bewege(Taste taste, bool erweitern) {
    const bool bereich = erweitern && hatOption(goRangeSelect);
    const int von = bereich ? ankerRow_ : row_;
    const int seite = std::max(VisibleRowCount(), 1);
    int ziel = von;
    switch (taste) {
        case Taste::Hoch:
            ziel = von - 1;
            break;
        case Taste::Runter:
            ziel = von + 1;
            break;
        case Taste::SeiteHoch:
            ziel = von - seite;
            break;
        case Taste::SeiteRunter:
            ziel = von + seite;
            break;
        case Taste::Anfang:
            ziel = FixedRows;
            break;
        case Taste::Ende:
            ziel = rowCount_ - 1;
            break;
    }
    ziel = std::clamp(ziel, FixedRows, rowCount_ - 1);
    if (bereich)
        SetAnker(ankerCol_, ziel);
    else
        SetCurrentRow(ziel);
}

int GitterModell::zeilenUnten(int row) const {
    int y = RowHeight(0) + linieY();
    for (int r = topRow_; r <= row; ++r) y += RowHeight(r) + linieY();
    return y - linieY();
}

void GitterModell::sichtbarMachen(int row) {
    if (row < topRow_) {
        topRow_ = row;
    } else {
        const int sichtbar = std::max(VisibleRowCount(), 1);
        if (row >= topRow_ + sichtbar) {
            // Scroll until the row's bottom is inside the client area.
            while (topRow_ < row && zeilenUnten(row) > clientHoehe_) ++topRow_;
        }
    }
    gitterGeaendert();
}

}  // namespace table
