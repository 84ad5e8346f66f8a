#pragma once

#include "model/text_helpers.h"

#include <cstdint>
#include <memory>
#include <optional>
#include <string>
#include <vector>

namespace shiftex {

enum class HAlignment : std::uint8_t { Left, Right, Center };                 // taLeftJustify ...
enum class VAlignment : std::uint8_t { Top, Center, Bottom };                 // vtaTop ...
enum class BrushStyle : std::uint8_t {
    Solid, Clear, Horizontal, Vertical, FDiagonal, BDiagonal, Cross, DiagCross
};
// Font style bits of the stream's set fsBold, fsItalic, fsUnderline, fsStrikeOut.
namespace fontstyle {
inline constexpr std::uint8_t Bold = 1;
inline constexpr std::uint8_t Italic = 2;
inline constexpr std::uint8_t Underline = 4;
inline constexpr std::uint8_t StrikeOut = 8;
} // namespace fontstyle

// Cell graphic kinds, numbered as the stream numbers them.
enum class GraphicKind : std::uint8_t {
    Bitmap, Icon, None, ImageList, CheckBox, DataCheckBox, Rotated, DataImage, Node, Radio, Empty,
    Images, Picture, FilePicture, Value, Progress, Comment, Button, BitButton, VirtCheckBox,
    ProgressPie
};
enum class GraphicVAlign : std::uint8_t { Top, Bottom, Center, UnderText, AboveText, Full };
enum class GraphicHAlign : std::uint8_t { Left, Right, Center, BeforeText, AfterText, Full };

struct CellGraphic {
    GraphicKind kind = GraphicKind::None;
    GraphicVAlign vAlign = GraphicVAlign::Top;
    GraphicHAlign hAlign = GraphicHAlign::Left;
    int index = 0;  // a button: width in the low 16 bits, height in the high 16 bits
    bool transparent = false;
    bool created = false;
    bool boolean = false;
    int angle = 0;
    long double value = 0;
    int errFrom = 0;
    int errLen = 0;
    std::string text;  // the comment text, or a button's caption

    friend bool operator==(const CellGraphic&, const CellGraphic&) = default;
};

// The attributes a cell has once anything but its text was set on it.
struct CellProperties {
    bool isBaseCell = true;
    int spanX = -1;  // -1: not merged; base cell: further columns covered; covered: distance
    int spanY = -1;
    int ownerCol = 0;
    int ownerRow = 0;
    HAlignment alignment = HAlignment::Left;
    Colour borderColor = clNone;
    int borderWidth = 0;
    Colour brushColor = clNone;
    BrushStyle brushStyle = BrushStyle::Solid;
    Colour fontColor = clNone;
    std::string fontName;
    int fontSize = 0;
    std::uint8_t fontStyle = 0;
    std::string editor = "edNormal";
    bool readOnly = false;
    VAlignment vAlignment = VAlignment::Top;
    bool wordWrap = false;
    int nodeLevel = 0;
    std::optional<CellGraphic> graphic;

    bool merged() const { return spanX >= 0 || spanY >= 0; }
    friend bool operator==(const CellProperties&, const CellProperties&) = default;
};

struct SheetCell {
    std::string text;
    std::unique_ptr<CellProperties> props;  // null: the cell has no attributes

    SheetCell() = default;
    SheetCell(const SheetCell& other);
    SheetCell& operator=(const SheetCell& other);
    SheetCell(SheetCell&&) noexcept = default;
    SheetCell& operator=(SheetCell&&) noexcept = default;
    friend bool operator==(const SheetCell& a, const SheetCell& b);
};

struct CellRect {
    int left = 0;
    int top = 0;
    int right = 0;   // inclusive
    int bottom = 0;  // inclusive
    friend bool operator==(const CellRect&, const CellRect&) = default;
};

inline constexpr int kMaxSheetSize = 32767;
inline constexpr int kDefaultColWidth = 64;
inline constexpr int kDefaultRowHeight = 24;

// A rectangular grid of cells; the first fixedCols columns and fixedRows rows are headers.
// Positions are (column, row) throughout, as the file formats write them.
class ScheduleSheet {
public:
    ScheduleSheet();

    int colCount() const { return colCount_; }
    int rowCount() const { return rowCount_; }
    int fixedCols = 1;
    int fixedRows = 1;
    std::string fontName;
    int fontSize = 8;
    Colour fontColour = clWindowTextColour();

    // Keeps the cells that stay inside; new columns and rows are empty with default sizes.
    void Resize(int cols, int rows);
    void SetColCount(int cols) { Resize(cols, rowCount_); }
    void SetRowCount(int rows) { Resize(colCount_, rows); }
    // Clears texts, attributes, merges; keeps size, widths and heights.
    void ClearCells();

    bool Contains(int col, int row) const
    {
        return col >= 0 && row >= 0 && col < colCount_ && row < rowCount_;
    }
    const SheetCell& Cell(int col, int row) const { return cells_[Index(col, row)]; }
    SheetCell& Cell(int col, int row) { return cells_[Index(col, row)]; }
    const std::string& Text(int col, int row) const { return Cell(col, row).text; }
    void SetText(int col, int row, std::string text) { Cell(col, row).text = std::move(text); }
    // The properties of a cell, created with their defaults (owner = the cell) when missing.
    CellProperties& Props(int col, int row);
    const CellProperties* PropsIfAny(int col, int row) const { return Cell(col, row).props.get(); }

    // Attribute shortcuts; a cell without a colour of its own reports clNone.
    Colour BrushColor(int col, int row) const;
    void SetBrushColor(int col, int row, Colour colour) { Props(col, row).brushColor = colour; }
    Colour FontColor(int col, int row) const;
    void SetFontColor(int col, int row, Colour colour) { Props(col, row).fontColor = colour; }
    bool IsBold(int col, int row) const;
    void SetBold(int col, int row, bool bold);
    HAlignment Alignment(int col, int row) const;
    void SetAlignment(int col, int row, HAlignment a) { Props(col, row).alignment = a; }
    const CellGraphic* Graphic(int col, int row) const;
    void SetGraphic(int col, int row, CellGraphic graphic);
    void RemoveGraphic(int col, int row);
    std::string Comment(int col, int row) const;  // empty when the cell has none
    void SetComment(int col, int row, const std::string& text);  // empty text removes it
    bool HasButton(int col, int row) const;

    // Merges: the block of w by h cells starting at the base cell. Merges that overlap the block
    // are undone first. A block of one cell still records a merge (spans 0, 0).
    void Merge(int col, int row, int w, int h);
    // Undoes the merge that covers (col,row), if any.
    void Unmerge(int col, int row);
    // The base cell and extent of the merge covering (col,row); a 1x1 rect when not merged.
    CellRect MergeRect(int col, int row) const;
    bool IsCovered(int col, int row) const;  // part of a merge but not its base cell

    int ColWidth(int col) const { return colWidths_[col]; }
    void SetColWidth(int col, int w) { colWidths_[col] = w; }
    int RowHeight(int row) const { return rowHeights_[row]; }
    void SetRowHeight(int row, int h) { rowHeights_[row] = h; }
    const std::vector<int>& ColWidths() const { return colWidths_; }
    const std::vector<int>& RowHeights() const { return rowHeights_; }

    // Structural changes; cells, widths and heights move with their columns and rows.
    void InsertColumns(int at, int count);
    void DeleteColumns(int at, int count);
    void InsertRows(int at, int count);
    void DeleteRows(int at, int count);
    void MoveRow(int from, int to);

    friend bool operator==(const ScheduleSheet&, const ScheduleSheet&) = default;

private:
    static constexpr Colour clWindowTextColour() { return 0x80000008; }
    std::size_t Index(int col, int row) const
    {
        return static_cast<std::size_t>(row) * static_cast<std::size_t>(colCount_) +
               static_cast<std::size_t>(col);
    }
    void Rebuild(int cols, int rows, int colAt, int colDelta, int rowAt, int rowDelta);

    int colCount_ = 0;
    int rowCount_ = 0;
    std::vector<SheetCell> cells_;  // row-major
    std::vector<int> colWidths_;
    std::vector<int> rowHeights_;
};

} // namespace shiftex
