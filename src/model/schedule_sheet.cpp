#include "model/schedule_sheet.h"

#include <algorithm>
#include <cassert>

namespace shiftex {

SheetCell::SheetCell(const SheetCell& other)
    : text(other.text),
      props(other.props ? std::make_unique<CellProperties>(*other.props) : nullptr)
{
}

SheetCell& SheetCell::operator=(const SheetCell& other)
{
    if (this != &other) {
        text = other.text;
        props = other.props ? std::make_unique<CellProperties>(*other.props) : nullptr;
    }
    return *this;
}

bool operator==(const SheetCell& a, const SheetCell& b)
{
    if (a.text != b.text || bool(a.props) != bool(b.props))
        return false;
    return !a.props || *a.props == *b.props;
}

ScheduleSheet::ScheduleSheet()
{
    Resize(5, 5);
}

void ScheduleSheet::Resize(int cols, int rows)
{
    assert(cols >= 0 && rows >= 0 && cols <= kMaxSheetSize && rows <= kMaxSheetSize);
    if (cols == colCount_ && rows == rowCount_)
        return;
    Rebuild(cols, rows, colCount_, cols - colCount_, rowCount_, rows - rowCount_);
}

void ScheduleSheet::ClearCells()
{
    for (auto& cell : cells_) {
        cell.text.clear();
        cell.props.reset();
    }
}

// Moves every cell to its new place: columns from colAt on shift by colDelta (deleted when the
// delta is negative), rows likewise.
void ScheduleSheet::Rebuild(int cols, int rows, int colAt, int colDelta, int rowAt, int rowDelta)
{
    std::vector<SheetCell> cells(static_cast<std::size_t>(cols) * static_cast<std::size_t>(rows));
    auto mapIndex = [](int i, int at, int delta) {
        if (i < at)
            return i;
        if (delta < 0 && i < at - delta)
            return -1;
        return i + delta;
    };
    for (int r = 0; r < rowCount_; ++r) {
        const int nr = mapIndex(r, rowAt, rowDelta);
        if (nr < 0 || nr >= rows)
            continue;
        for (int c = 0; c < colCount_; ++c) {
            const int nc = mapIndex(c, colAt, colDelta);
            if (nc < 0 || nc >= cols)
                continue;
            SheetCell& to = cells[static_cast<std::size_t>(nr) * cols + nc];
            to = std::move(cells_[Index(c, r)]);
            if (to.props) {
                to.props->ownerCol = nc;
                to.props->ownerRow = nr;
            }
        }
    }
    std::vector<int> widths(cols, kDefaultColWidth);
    for (int c = 0; c < colCount_; ++c) {
        const int nc = mapIndex(c, colAt, colDelta);
        if (nc >= 0 && nc < cols)
            widths[nc] = colWidths_[c];
    }
    std::vector<int> heights(rows, kDefaultRowHeight);
    for (int r = 0; r < rowCount_; ++r) {
        const int nr = mapIndex(r, rowAt, rowDelta);
        if (nr >= 0 && nr < rows)
            heights[nr] = rowHeights_[r];
    }
    cells_ = std::move(cells);
    colWidths_ = std::move(widths);
    rowHeights_ = std::move(heights);
    colCount_ = cols;
    rowCount_ = rows;

    // A merge cut by the change or pushed past the edge no longer fits: drop its cells' spans.
    for (int r = 0; r < rowCount_; ++r) {
        for (int c = 0; c < colCount_; ++c) {
            CellProperties* p = Cell(c, r).props.get();
            if (!p || !p->merged())
                continue;
            if (p->isBaseCell) {
                const int w = std::max(p->spanX, 0), h = std::max(p->spanY, 0);
                // Spans come from files: compare without adding them to a position.
                bool intact = w < colCount_ - c && h < rowCount_ - r;
                for (int y = r; intact && y <= r + h; ++y)
                    for (int x = c; intact && x <= c + w; ++x) {
                        if (x == c && y == r)
                            continue;
                        const CellProperties* q = PropsIfAny(x, y);
                        intact = q && !q->isBaseCell && q->spanX == x - c && q->spanY == y - r;
                    }
                if (!intact) {
                    p->spanX = p->spanY = -1;
                }
            } else {
                const int bc = c - std::max(p->spanX, 0), br = r - std::max(p->spanY, 0);
                const CellProperties* b = Contains(bc, br) ? PropsIfAny(bc, br) : nullptr;
                // As for the base cell, a span of -1 covers no further column or row.
                const bool intact = b && b->isBaseCell && std::max(b->spanX, 0) >= c - bc &&
                                    std::max(b->spanY, 0) >= r - br;
                if (!intact) {
                    p->isBaseCell = true;
                    p->spanX = p->spanY = -1;
                }
            }
        }
    }
}

CellProperties& ScheduleSheet::Props(int col, int row)
{
    SheetCell& cell = Cell(col, row);
    if (!cell.props) {
        cell.props = std::make_unique<CellProperties>();
        cell.props->ownerCol = col;
        cell.props->ownerRow = row;
    }
    return *cell.props;
}

Colour ScheduleSheet::BrushColor(int col, int row) const
{
    const CellProperties* p = PropsIfAny(col, row);
    return p ? p->brushColor : clNone;
}

Colour ScheduleSheet::FontColor(int col, int row) const
{
    const CellProperties* p = PropsIfAny(col, row);
    return p ? p->fontColor : clNone;
}

bool ScheduleSheet::IsBold(int col, int row) const
{
    const CellProperties* p = PropsIfAny(col, row);
    return p && (p->fontStyle & fontstyle::Bold);
}

void ScheduleSheet::SetBold(int col, int row, bool bold)
{
    CellProperties& p = Props(col, row);
    p.fontStyle = bold ? (p.fontStyle | fontstyle::Bold) : (p.fontStyle & ~fontstyle::Bold);
}

HAlignment ScheduleSheet::Alignment(int col, int row) const
{
    const CellProperties* p = PropsIfAny(col, row);
    return p ? p->alignment : HAlignment::Left;
}

const CellGraphic* ScheduleSheet::Graphic(int col, int row) const
{
    const CellProperties* p = PropsIfAny(col, row);
    return p && p->graphic ? &*p->graphic : nullptr;
}

void ScheduleSheet::SetGraphic(int col, int row, CellGraphic graphic)
{
    Props(col, row).graphic = std::move(graphic);
}

void ScheduleSheet::RemoveGraphic(int col, int row)
{
    if (CellProperties* p = Cell(col, row).props.get())
        p->graphic.reset();
}

std::string ScheduleSheet::Comment(int col, int row) const
{
    const CellGraphic* g = Graphic(col, row);
    return g && g->kind == GraphicKind::Comment ? g->text : std::string();
}

void ScheduleSheet::SetComment(int col, int row, const std::string& text)
{
    if (text.empty()) {
        if (const CellGraphic* g = Graphic(col, row); g && g->kind == GraphicKind::Comment)
            RemoveGraphic(col, row);
        return;
    }
    CellGraphic g;
    g.kind = GraphicKind::Comment;
    g.text = text;
    SetGraphic(col, row, std::move(g));
}

bool ScheduleSheet::HasButton(int col, int row) const
{
    const CellGraphic* g = Graphic(col, row);
    return g && g->kind == GraphicKind::Button;
}

CellRect ScheduleSheet::MergeRect(int col, int row) const
{
    const CellProperties* p = PropsIfAny(col, row);
    if (!p || !p->merged())
        return {col, row, col, row};
    int bc = col, br = row;
    if (!p->isBaseCell) {
        bc = col - std::max(p->spanX, 0);
        br = row - std::max(p->spanY, 0);
        if (!Contains(bc, br))
            return {col, row, col, row};
        p = PropsIfAny(bc, br);
        if (!p || !p->isBaseCell || !p->merged())
            return {col, row, col, row};
    }
    const int right = bc + std::min(std::max(p->spanX, 0), colCount_ - 1 - bc);
    const int bottom = br + std::min(std::max(p->spanY, 0), rowCount_ - 1 - br);
    return {bc, br, right, bottom};
}

bool ScheduleSheet::IsCovered(int col, int row) const
{
    const CellProperties* p = PropsIfAny(col, row);
    return p && !p->isBaseCell && p->merged();
}

void ScheduleSheet::Unmerge(int col, int row)
{
    const CellProperties* p = PropsIfAny(col, row);
    if (!p || !p->merged())
        return;
    const CellRect rect = MergeRect(col, row);
    for (int r = rect.top; r <= rect.bottom; ++r)
        for (int c = rect.left; c <= rect.right; ++c)
            if (CellProperties* q = Cell(c, r).props.get()) {
                q->isBaseCell = true;
                q->spanX = q->spanY = -1;
            }
    if (CellProperties* q = Cell(col, row).props.get()) {
        q->isBaseCell = true;
        q->spanX = q->spanY = -1;
    }
}

void ScheduleSheet::Merge(int col, int row, int w, int h)
{
    if (w < 1 || h < 1 || !Contains(col, row))
        return;
    w = std::min(w, colCount_ - col);
    h = std::min(h, rowCount_ - row);
    for (int r = row; r < row + h; ++r)
        for (int c = col; c < col + w; ++c)
            Unmerge(c, r);
    for (int r = row; r < row + h; ++r)
        for (int c = col; c < col + w; ++c) {
            CellProperties& p = Props(c, r);
            const bool base = c == col && r == row;
            p.isBaseCell = base;
            p.spanX = base ? w - 1 : c - col;
            p.spanY = base ? h - 1 : r - row;
        }
}

void ScheduleSheet::InsertColumns(int at, int count)
{
    if (count <= 0)
        return;
    at = std::clamp(at, 0, colCount_);
    Rebuild(colCount_ + count, rowCount_, at, count, rowCount_, 0);
}

void ScheduleSheet::DeleteColumns(int at, int count)
{
    if (count <= 0 || at < 0 || at >= colCount_)
        return;
    count = std::min(count, colCount_ - at);
    Rebuild(colCount_ - count, rowCount_, at, -count, rowCount_, 0);
}

void ScheduleSheet::InsertRows(int at, int count)
{
    if (count <= 0)
        return;
    at = std::clamp(at, 0, rowCount_);
    Rebuild(colCount_, rowCount_ + count, colCount_, 0, at, count);
}

void ScheduleSheet::DeleteRows(int at, int count)
{
    if (count <= 0 || at < 0 || at >= rowCount_)
        return;
    count = std::min(count, rowCount_ - at);
    Rebuild(colCount_, rowCount_ - count, colCount_, 0, at, -count);
}

void ScheduleSheet::MoveRow(int from, int to)
{
    if (!Contains(0, from) || !Contains(0, to) || from == to)
        return;
    const auto begin = cells_.begin();
    const auto rowStart = [&](int r) { return begin + static_cast<std::ptrdiff_t>(Index(0, r)); };
    if (from < to)
        std::rotate(rowStart(from), rowStart(from + 1), rowStart(to + 1));
    else
        std::rotate(rowStart(to), rowStart(from), rowStart(from + 1));
    const int lo = std::min(from, to), hi = std::max(from, to);
    if (from < to)
        std::rotate(rowHeights_.begin() + from, rowHeights_.begin() + from + 1,
                    rowHeights_.begin() + to + 1);
    else
        std::rotate(rowHeights_.begin() + to, rowHeights_.begin() + from,
                    rowHeights_.begin() + from + 1);
    for (int r = lo; r <= hi; ++r)
        for (int c = 0; c < colCount_; ++c)
            if (CellProperties* p = Cell(c, r).props.get()) {
                p->ownerCol = c;
                p->ownerRow = r;
            }
}

} // namespace shiftex
