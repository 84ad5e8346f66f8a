#include "editing/undo_history.h"

#include "files/grid_cell_stream.h"

#include <algorithm>
#include <charconv>
#include <cstdint>
#include <cstring>
#include <vector>

namespace shiftex {

namespace {

char* WriteNumber(char* out, int value)
{
    return std::to_chars(out, out + 12, value).ptr;
}

char* WriteText(char* out, std::string_view text)
{
    std::memcpy(out, text.data(), text.size());
    return out + text.size();
}

} // namespace

namespace {

// A number and the comma after it, as 16 bytes that are stored at once.
struct NumberField {
    char bytes[16] = {};
    std::uint8_t size = 0;

    explicit NumberField(int value)
    {
        char* p = WriteNumber(bytes, value);
        *p++ = ',';
        size = static_cast<std::uint8_t>(p - bytes);
    }
    char* WriteTo(char* out) const
    {
        std::memcpy(out, bytes, sizeof bytes);  // a fixed size: one store, no call
        return out + size;
    }
};

} // namespace

void WriteCellTextStreamInto(const ScheduleSheet& sheet, std::string& out)
{
    const int cols = sheet.colCount();
    const int rows = sheet.rowCount();
    constexpr std::size_t kField = sizeof(NumberField::bytes);
    std::vector<NumberField> columns;
    columns.reserve(static_cast<std::size_t>(cols));
    for (int c = 0; c < cols; ++c)
        columns.emplace_back(c);

    std::size_t used = 0;
    auto append = [&](std::size_t bound, auto&& write) {
        out.resize_and_overwrite(used + bound, [&](char* begin, std::size_t) {
            used = static_cast<std::size_t>(write(begin + used) - begin);
            return used;
        });
    };
    append(2 * kField + 3 + static_cast<std::size_t>(cols) * (2 * kField + 6), [&](char* p) {
        p = WriteNumber(p, cols);
        *p++ = ',';
        p = WriteNumber(p, rows);
        p = WriteText(p, "\r\n");
        for (int c = 0; c < cols; ++c) {
            p = WriteText(p, "cw ");
            p = columns[static_cast<std::size_t>(c)].WriteTo(p);
            p = WriteNumber(p, sheet.ColWidth(c));
            p = WriteText(p, "\r\n");
        }
        return p;
    });
    // Row by row: the row is measured and then written while its cells are still in the cache.
    for (int r = 0; r < rows; ++r) {
        std::size_t bound = 0;
        for (int c = 0; c < cols; ++c)
            if (const std::size_t size = sheet.Text(c, r).size())
                bound += size + 2 * kField + 2;
        if (bound == 0)
            continue;
        const NumberField row(r);
        append(bound, [&](char* p) {
            for (int c = 0; c < cols; ++c) {
                const std::string& text = sheet.Text(c, r);
                if (text.empty())
                    continue;
                p = columns[static_cast<std::size_t>(c)].WriteTo(p);
                p = row.WriteTo(p);
                // A text with carriage returns keeps its line breaks as tabs and backspaces.
                bool carriageReturn = false;
                char* start = p;
                for (const char ch : text) {
                    carriageReturn |= ch == '\r';
                    *p++ = ch;
                }
                if (carriageReturn)
                    for (char* q = start; q != p; ++q) {
                        if (*q == '\r')
                            *q = '\t';
                        else if (*q == '\n')
                            *q = '\b';
                    }
                *p++ = '\r';
                *p++ = '\n';
            }
            return p;
        });
    }
    out.resize(used);
}

void RebuildHeaderCounts(ScheduleSheet& sheet)
{
    sheet.fixedRows = std::min(3, sheet.rowCount());
    if (sheet.Contains(2, 3) && sheet.Text(1, 3).empty() &&
        sheet.BrushColor(2, 3) == kHeaderColour)
        sheet.fixedRows = 4;
    sheet.fixedCols = std::min(2, sheet.colCount());
}

void UndoHistory::PushSnapshot(const ScheduleSheet& sheet)
{
    // Undone states go: slot i takes slot i + d, the last d slots empty.
    if (depth_ > 0) {
        const int d = depth_;
        for (int i = 0; i + d < kSlots; ++i)
            slots_[static_cast<std::size_t>(i)].swap(slots_[static_cast<std::size_t>(i + d)]);
        for (int i = kSlots - d; i < kSlots; ++i)
            slots_[static_cast<std::size_t>(i)].clear();
        count_ -= d;
        depth_ = 0;
    }
    hasLatest_ = false;
    // The oldest slot's storage takes the new snapshot, sized like the last one at once.
    std::rotate(slots_.begin(), slots_.end() - 1, slots_.end());
    if (const std::size_t last = std::max(slots_[1].size(), latest_.size()))
        slots_[0].reserve(last + last / 8);
    WriteCellTextStreamInto(sheet, slots_[0]);
    count_ = std::min(count_ + 1, kSlots);
}

std::expected<void, std::string> UndoHistory::Load(ScheduleSheet& sheet,
                                                   const std::string& snapshot)
{
    // The snapshot names only the cells that had a text.
    for (int r = sheet.fixedRows; r < sheet.rowCount(); ++r)
        for (int c = sheet.fixedCols; c < sheet.colCount(); ++c)
            sheet.Cell(c, r).text.clear();
    auto read = ReadCellTextStream(sheet, snapshot);
    RebuildHeaderCounts(sheet);
    return read;
}

std::expected<bool, std::string> UndoHistory::Undo(ScheduleSheet& sheet)
{
    if (!CanUndo())
        return false;
    if (depth_ == 0) {
        WriteCellTextStreamInto(sheet, latest_);
        hasLatest_ = true;
    }
    ++depth_;
    if (auto loaded = Load(sheet, slots_[static_cast<std::size_t>(depth_ - 1)]); !loaded)
        return std::unexpected(loaded.error());
    return true;
}

std::expected<bool, std::string> UndoHistory::Redo(ScheduleSheet& sheet)
{
    if (!CanRedo())
        return false;
    --depth_;
    const std::string& snapshot =
        depth_ == 0 ? latest_ : slots_[static_cast<std::size_t>(depth_ - 1)];
    if (auto loaded = Load(sheet, snapshot); !loaded)
        return std::unexpected(loaded.error());
    return true;
}

void UndoHistory::ResetUndo()
{
    for (std::string& slot : slots_)
        slot.clear();
    latest_.clear();
    hasLatest_ = false;
    depth_ = 0;
    count_ = 0;
}

} // namespace shiftex
