#include "report/string_tab.h"

#include <algorithm>
#include <limits>

namespace report {

std::ostream& operator<<(std::ostream& os, const SuchResult& r) {
    return os << "{row " << r.row << ", matched " << r.matched << ", remaining " << r.remaining
              << "}";
}

void TStringTab::Set_Tab(uint32_t rows, uint32_t cols) {
    cells_.clear();
    const auto r = static_cast<int32_t>(rows);  // the bounds compare signed
    if (r < minimumRows_) {
        rowCount_ = minimumRows_;
    } else if (r > maximumRows_ && maximumRows_ > 0) {
        rowCount_ = maximumRows_;
    } else {
        rowCount_ = r;
    }
    colCount_ = static_cast<int32_t>(cols);
    recordRow_ = -1;
}

void TStringTab::SetCell(uint32_t row, uint32_t col, std::string text) {
    if (rowCount_ < 1 || row >= static_cast<uint32_t>(rowCount_) ||
        col >= static_cast<uint32_t>(colCount_)) {
        return;
    }
    const uint64_t index = indexOf(row, col);
    if (index < cells_.size()) {
        cells_[index] = std::move(text);
    } else {
        cells_.resize(index);
        cells_.push_back(std::move(text));
    }
    if (recordRow_ == -1 && row > 0) recordRow_ = 0;
}

std::string TStringTab::GetCell(uint32_t row, uint32_t col) const {
    if (col >= static_cast<uint32_t>(colCount_)) return {};
    const uint64_t index = indexOf(row, col);
    return index < cells_.size() ? cells_[index] : std::string();
}

std::string TStringTab::GetRecordCell(uint32_t col) const {
    if (recordRow_ < 0) return {};
    return GetCell(static_cast<uint32_t>(recordRow_) + 1, col);
}

int32_t TStringTab::GetRowCount(bool withHeader) const {
    return withHeader ? rowCount_ : rowCount_ - 1;
}

void TStringTab::Clear(bool all) {
    cells_.clear();
    if (all) {
        rowCount_ = 0;
        colCount_ = 0;
    } else if (rowCount_ > 0) {
        rowCount_ = 1;
    }
    recordRow_ = -1;
}

int32_t TStringTab::InsertRow(int32_t row, const CellList* source, int32_t count) {
    // A row below -1 would insert at a negative index; a count that pushes
    // RowCount past 32 bits would wrap it.
    if (row > rowCount_ || row < -1 || count < 1 ||
        count > std::numeric_limits<int32_t>::max() - rowCount_) {
        return -1;
    }
    const int32_t pos = row == -1 ? rowCount_ : row;
    const uint64_t cols = static_cast<uint32_t>(colCount_);
    const uint64_t at = static_cast<uint64_t>(pos) * cols;
    const bool noSource = source == nullptr || source->empty();
    if (!(cells_.size() < at && noSource)) {
        if (cells_.size() < at) cells_.resize(at);
        const uint64_t n = static_cast<uint64_t>(count) * cols;
        CellList rows(n);
        for (uint64_t i = 0; source != nullptr && i < n && i < source->size(); ++i) {
            rows[i] = (*source)[i];
        }
        cells_.insert(cells_.begin() + static_cast<std::ptrdiff_t>(at),
                      std::make_move_iterator(rows.begin()), std::make_move_iterator(rows.end()));
    }
    rowCount_ += count;
    return pos;
}

void TStringTab::DeleteRow(int32_t row) {
    if (row < 1 || row >= rowCount_) return;
    const uint64_t start = indexOf(static_cast<uint32_t>(row), 0);
    if (start < cells_.size()) {
        const uint64_t end =
            std::min<uint64_t>(start + static_cast<uint32_t>(colCount_), cells_.size());
        cells_.erase(cells_.begin() + static_cast<std::ptrdiff_t>(start),
                     cells_.begin() + static_cast<std::ptrdiff_t>(end));
    }
    --rowCount_;
    if (row - 1 <= recordRow_) --recordRow_;
}

void TStringTab::SetZeile(int32_t record) {
    recordRow_ = (record > -1 && record < rowCount_ - 1) ? record : -1;
}

namespace {

// Letters (and the bytes between them) and ä, ö, ü lose bit 5, so case does
// not count when comparing.
unsigned char fold(unsigned char c) {
    if ((c >= 65 && c <= 122) || c == 0xE4 || c == 0xF6 || c == 0xFC) return c & 0xDF;
    return c;
}

}  // namespace

int32_t TStringTab::FindRow(std::string_view text, int32_t col, int32_t startRow, bool exact,
                            SuchResult* result) const {
    int32_t s;
    if (startRow == -1 && recordRow_ > 0) {
        s = recordRow_;
    } else if (startRow < 1) {
        s = 1;
    } else {
        s = startRow >= rowCount_ ? 1 : startRow;
    }

    int32_t found = -1;
    int32_t best = -1;
    int32_t bestMatched = 0;
    int32_t foundMatched = 0;
    auto visit = [&](int32_t row) {
        const std::string cell = GetCell(static_cast<uint32_t>(row), static_cast<uint32_t>(col));
        size_t m = 0;
        while (m < cell.size() && m < text.size() &&
               fold(static_cast<unsigned char>(cell[m])) ==
                   fold(static_cast<unsigned char>(text[m]))) {
            ++m;
        }
        if (m == cell.size() && m == text.size()) {
            found = row;
            foundMatched = static_cast<int32_t>(m);
            return true;
        }
        if (!exact && m == text.size() && static_cast<int32_t>(m) > bestMatched) {
            best = row;
            bestMatched = static_cast<int32_t>(m);
        }
        return false;
    };
    bool stop = false;
    for (int32_t row = s; row < rowCount_ && !stop; ++row) stop = visit(row);
    for (int32_t row = 1; row < s && !stop; ++row) stop = visit(row);

    int32_t row = found;
    int32_t matched = foundMatched;
    if (row < 0) {
        row = best;
        matched = bestMatched;
    }
    if (row < 0) return -1;
    if (result != nullptr) {
        const auto len = static_cast<int32_t>(
            GetCell(static_cast<uint32_t>(row), static_cast<uint32_t>(col)).size());
        *result = SuchResult{row, matched, len - matched};
    }
    return row;
}

}  // namespace report
