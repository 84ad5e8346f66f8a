#pragma once

#include "model/schedule_sheet.h"

#include <string>
#include <vector>

namespace shiftex {

// The caption cells that carry the lock buttons.
inline constexpr Colour kCaptionColour = 0x00C8E0E6;

struct SummaryCell {
    std::string text;
    Colour colour = clWhite;
    bool bold = false;
    HAlignment alignment = HAlignment::Left;
    friend bool operator==(const SummaryCell&, const SummaryCell&) = default;
};

// What a summary shows, cell by cell, ready to be painted: texts, background colours, bold,
// alignment, merged blocks and the sizes that keep it in line with the sheet.
class SummaryGrid {
public:
    // Empty cells of the given size; the merges are dropped.
    void Reset(int cols, int rows, int fixedCols, int fixedRows);

    int colCount() const { return cols_; }
    int rowCount() const { return rows_; }
    int fixedCols() const { return fixedCols_; }
    int fixedRows() const { return fixedRows_; }
    bool Contains(int col, int row) const
    {
        return col >= 0 && row >= 0 && col < cols_ && row < rows_;
    }
    const SummaryCell& Cell(int col, int row) const { return cells_[Index(col, row)]; }
    SummaryCell& Cell(int col, int row) { return cells_[Index(col, row)]; }
    const std::string& Text(int col, int row) const { return Cell(col, row).text; }
    Colour ColourAt(int col, int row) const { return Cell(col, row).colour; }
    void SetText(int col, int row, std::string text) { Cell(col, row).text = std::move(text); }
    void SetColour(int col, int row, Colour colour) { Cell(col, row).colour = colour; }

    // A block of w by h cells shown as one, its base cell at (col, row).
    void Merge(int col, int row, int w, int h);
    const std::vector<CellRect>& Merges() const { return merges_; }
    // The merged block covering a cell; a 1x1 rect when it is not merged.
    CellRect MergeRect(int col, int row) const;

    std::vector<int> colWidths;
    std::vector<int> rowHeights;

    friend bool operator==(const SummaryGrid&, const SummaryGrid&) = default;

private:
    std::size_t Index(int col, int row) const
    {
        return static_cast<std::size_t>(row) * static_cast<std::size_t>(cols_) +
               static_cast<std::size_t>(col);
    }
    int cols_ = 0;
    int rows_ = 0;
    int fixedCols_ = 0;
    int fixedRows_ = 0;
    std::vector<SummaryCell> cells_;
    std::vector<CellRect> merges_;
};

} // namespace shiftex
