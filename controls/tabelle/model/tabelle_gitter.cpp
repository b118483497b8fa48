#include "controls/tabelle/model/tabelle_gitter.h"

#include <algorithm>

namespace table {
namespace {

constexpr int kLinie = 1;    // grid line after every shown cell
constexpr int kGreifen = 2;  // pixels either side of a border that size a column

}  // namespace

GitterModell::GitterModell() : breiten_(5, 64), hoehen_(5, 24) {}

void GitterModell::SetColCount(int n) {
    n = std::max(n, 1);
    breiten_.resize(static_cast<size_t>(n), defaultColWidth_);
    leftCol_ = std::min(leftCol_, n - 1);
    gitterGeaendert();
}

void GitterModell::SetRowCount(int n) {
    rowCount_ = std::max(n, FixedRows + 1);
    hoehen_.resize(static_cast<size_t>(rowCount_), defaultRowHeight_);
    row_ = std::clamp(row_, FixedRows, rowCount_ - 1);
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
    row_ = row;
    sichtbarMachen();
    return true;
}

void GitterModell::SetTopRow(int row) {
    const int neu = std::clamp(row, FixedRows, std::max(FixedRows, maxTopRow()));
    if (neu == topRow_) return;
    topRow_ = neu;
    gitterGeaendert();
}

void GitterModell::SetLeftCol(int col) {
    const int neu = std::clamp(col, 0, maxLeftCol());
    if (neu == leftCol_) return;
    leftCol_ = neu;
    gitterGeaendert();
}

int GitterModell::maxTopRow() const {
    // The highest top row that still fills the client area from the bottom.
    int frei = clientHoehe_ - RowHeight(0) - kLinie;
    int r = rowCount_ - 1;
    while (r > FixedRows) {
        frei -= RowHeight(r) + kLinie;
        if (frei < RowHeight(r - 1) + kLinie) break;
        --r;
    }
    return std::max(r, FixedRows);
}

int GitterModell::maxLeftCol() const {
    int frei = clientBreite_;
    int c = ColCount() - 1;
    while (c > 0) {
        if (ColWidth(c) >= 0) frei -= ColWidth(c) + kLinie;
        if (frei < std::max(ColWidth(c - 1), 0) + kLinie) break;
        --c;
    }
    return std::max(c, 0);
}

void GitterModell::setClientGroesse(int breite, int hoehe) {
    clientBreite_ = std::max(breite, 0);
    clientHoehe_ = std::max(hoehe, 0);
    topRow_ = std::clamp(topRow_, FixedRows, std::max(FixedRows, maxTopRow()));
    leftCol_ = std::clamp(leftCol_, 0, maxLeftCol());
}

int GitterModell::VisibleRowCount() const {
    int y = RowHeight(0) + kLinie;
    int n = 0;
    for (int r = topRow_; r < rowCount_; ++r) {
        y += RowHeight(r) + kLinie;
        if (y - kLinie > clientHoehe_) break;
        ++n;
    }
    return n;
}

int GitterModell::VisibleColCount() const {
    int x = 0;
    int n = 0;
    for (int c = leftCol_; c < ColCount(); ++c) {
        if (ColWidth(c) < 0) continue;
        x += ColWidth(c) + kLinie;
        if (x - kLinie > clientBreite_) break;
        ++n;
    }
    return n;
}

platform::Rect GitterModell::CellRect(int col, int row) const {
    if (col < leftCol_ || col >= ColCount() || row < 0 || row >= rowCount_) return {};
    if (row >= FixedRows && row < topRow_) return {};
    if (ColWidth(col) < 0) return {};
    int x = 0;
    for (int c = leftCol_; c < col; ++c)
        if (ColWidth(c) >= 0) x += ColWidth(c) + kLinie;
    int y = 0;
    if (row >= FixedRows) {
        y = RowHeight(0) + kLinie;
        for (int r = topRow_; r < row; ++r) y += RowHeight(r) + kLinie;
    }
    return platform::rectAt(x, y, ColWidth(col), RowHeight(row));
}

int GitterModell::zeileBei(int y) const {
    if (y < 0) return -1;
    int unten = RowHeight(0) + kLinie;
    if (y < unten) return 0;
    for (int r = topRow_; r < rowCount_; ++r) {
        unten += RowHeight(r) + kLinie;
        if (y < unten) return r;
    }
    return -1;
}

int GitterModell::spalteBei(int x) const {
    if (x < 0) return -1;
    int rechts = 0;
    for (int c = leftCol_; c < ColCount(); ++c) {
        if (ColWidth(c) < 0) continue;
        rechts += ColWidth(c) + kLinie;
        if (x < rechts) return c;
    }
    return -1;
}

int GitterModell::groessenSpalte(int x, int y) const {
    if (y < 0 || y >= RowHeight(0)) return -1;
    int rand = 0;
    for (int c = leftCol_; c < ColCount(); ++c) {
        if (ColWidth(c) < 0) continue;
        rand += ColWidth(c);
        if (x >= rand - kGreifen && x <= rand + kGreifen) return c;
        rand += kLinie;
    }
    return -1;
}

void GitterModell::bewege(Taste taste) {
    const int seite = std::max(VisibleRowCount(), 1);
    int ziel = row_;
    switch (taste) {
        case Taste::Hoch:
            ziel = row_ - 1;
            break;
        case Taste::Runter:
            ziel = row_ + 1;
            break;
        case Taste::SeiteHoch:
            ziel = row_ - seite;
            break;
        case Taste::SeiteRunter:
            ziel = row_ + seite;
            break;
        case Taste::Anfang:
            ziel = FixedRows;
            break;
        case Taste::Ende:
            ziel = rowCount_ - 1;
            break;
    }
    SetCurrentRow(std::clamp(ziel, FixedRows, rowCount_ - 1));
}

int GitterModell::zeilenUnten(int row) const {
    int y = RowHeight(0) + kLinie;
    for (int r = topRow_; r <= row; ++r) y += RowHeight(r) + kLinie;
    return y - kLinie;
}

void GitterModell::sichtbarMachen() {
    if (row_ < topRow_) {
        topRow_ = row_;
    } else {
        const int sichtbar = std::max(VisibleRowCount(), 1);
        if (row_ >= topRow_ + sichtbar) {
            // Scroll until the row's bottom is inside the client area.
            while (topRow_ < row_ && zeilenUnten(row_) > clientHoehe_) ++topRow_;
        }
    }
    gitterGeaendert();
}

}  // namespace table
