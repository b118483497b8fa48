// The string table `TStringTab` that carries named fields (row 0) and record
// rows (1 and up) into reports and pick lists, and its search result record.
#pragma once

#include <cstdint>
#include <ostream>
#include <string>
#include <string_view>
#include <vector>

namespace report {

// Result of a row search: the row found, how many characters of the search
// text matched and how many characters of the found cell remain after them.
struct SuchResult {
    int32_t row = -1;
    int32_t matched = 0;
    int32_t remaining = 0;
    bool operator==(const SuchResult&) const = default;
};
std::ostream& operator<<(std::ostream& os, const SuchResult& r);

// All cells live in one flat list, row after row: cell (row, col) is element
// row * ColCount + col. The list may be shorter than RowCount * ColCount;
// missing cells read as "". RowCount is bookkeeping, not the list length.
// Cells are Windows-1252 bytes.
class TStringTab {
public:
    using CellList = std::vector<std::string>;

    // Empties the table and fixes its size; rows are bounded by MinimumRows
    // and (when positive) MaximumRows. No cell is created.
    void Set_Tab(uint32_t rows, uint32_t cols);
    // Stores a cell inside RowCount x ColCount, padding the list with "".
    // The first data cell stored makes record 0 current.
    void SetCell(uint32_t row, uint32_t col, std::string text);
    // "" outside the columns or beyond the list; the row is not checked
    // against RowCount.
    std::string GetCell(uint32_t row, uint32_t col) const;
    // Cell of the current record (row RecordRow + 1).
    std::string GetRecordCell(uint32_t col) const;
    int32_t GetRowCount(bool withHeader) const;
    // Empties the cells; all: no rows and no columns, else the header row stays counted.
    void Clear(bool all);
    // Inserts count rows at row (-1 appends) from source, row after row;
    // returns the row used or -1.
    int32_t InsertRow(int32_t row, const CellList* source, int32_t count);
    // The cell list itself (not a copy).
    CellList& GetStrings() { return cells_; }
    const CellList& GetStrings() const { return cells_; }
    void DeleteRow(int32_t row);
    // Makes record `record` current, or none (-1) when out of range.
    void SetZeile(int32_t record);
    // Searches column col for text from startRow on, wrapping round; row 0 is
    // never searched. Letters and ä, ö, ü compare without case. Returns the
    // row found or -1 (result untouched then).
    int32_t FindRow(std::string_view text, int32_t col, int32_t startRow, bool exact,
                    SuchResult* result) const;

    int32_t RowCount() const { return rowCount_; }
    int32_t ColCount() const { return colCount_; }
    int32_t RecordRow() const { return recordRow_; }
    int32_t MinimumRows() const { return minimumRows_; }
    int32_t MaximumRows() const { return maximumRows_; }
    void SetMinimumRows(int32_t v) { minimumRows_ = v; }
    void SetMaximumRows(int32_t v) { maximumRows_ = v; }

private:
    // List index of (row, col) in 64 bits, so a huge row never wraps onto
    // another cell.
    uint64_t indexOf(uint64_t row, uint64_t col) const {
        return row * static_cast<uint32_t>(colCount_) + col;
    }

    int32_t rowCount_ = 0;
    int32_t colCount_ = 0;
    int32_t minimumRows_ = 0;
    int32_t maximumRows_ = -1;  // 0 or negative: no upper bound
    int32_t recordRow_ = -1;    // current record from 0; record k is row k + 1
    CellList cells_;
};

}  // namespace report
