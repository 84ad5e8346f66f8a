// Cut, Copy and Paste of sheet cells as tab-separated text.
#include "editing/sheet_edits.h"

#include <algorithm>
#include <unordered_set>

namespace shiftex {

namespace {

// The document's codes and department names, for checking pasted lines.
class PastedLineCheck {
public:
    explicit PastedLineCheck(const ScheduleDocument& document)
    {
        for (int i = 0; i < document.workingTypes.Count(); ++i)
            codes_.insert(document.workingTypes.At(i).code());
        for (const Department& department : document.departments)
            departments_.insert(department.name);
    }

    // Empty, a working type code, or a department, ": " and a code; names and codes exactly.
    bool Valid(const std::string& line) const
    {
        if (line.empty())
            return true;
        const std::size_t separator = line.find(": ");
        if (separator == std::string::npos)
            return codes_.contains(line);
        return departments_.contains(line.substr(0, separator)) &&
               codes_.contains(line.substr(separator + 2));
    }

private:
    std::unordered_set<std::string> codes_;
    std::unordered_set<std::string> departments_;
};

// The formats a cut takes away: background colour, font and bold.
void ClearFormats(ScheduleSheet& sheet, int col, int row)
{
    CellProperties* p = sheet.Cell(col, row).props.get();
    if (!p)
        return;
    const CellProperties defaults;
    p->brushColor = defaults.brushColor;
    p->fontColor = defaults.fontColor;
    p->fontName = defaults.fontName;
    p->fontSize = defaults.fontSize;
    p->fontStyle = defaults.fontStyle;
}

} // namespace

void SheetEdits::CopyCells(Clipboard& clipboard)
{
    flags_.ctrlHeld = false;
    edit_.pasteEnabled = true;
    clipboard.SetText(ClipboardText(document_.sheet, edit_.selection));
    edit_.selectionShown = false;
}

bool SheetEdits::CutCells(Clipboard& clipboard)
{
    flags_.ctrlHeld = false;
    edit_.pasteEnabled = true;
    PushSnapshot();
    ScheduleSheet& sheet = document_.sheet;
    const CellRect rect = edit_.selection;
    clipboard.SetText(ClipboardText(sheet, rect));
    // Only day cells lose their content: a header cell that happens to be the current cell
    // keeps its title or department name.
    const int left = std::max({rect.left, 2, sheet.fixedCols});
    const int top = std::max(rect.top, sheet.fixedRows);
    const int right = std::min(rect.right, sheet.colCount() - 1);
    const int bottom = std::min(rect.bottom, sheet.rowCount() - 1);
    for (int c = left; c <= right; ++c)
        for (int r = top; r <= bottom; ++r) {
            sheet.Cell(c, r).text.clear();
            ClearFormats(sheet, c, r);
        }
    edit_.selectionShown = false;
    const bool ok = Guarded([&] {
        ColourDayColumns(document_, metrics_);
        summaries().RecomputeSummaries();
    });
    document_.MarkModified();
    return ok;
}

bool SheetEdits::PasteCells(const Clipboard& clipboard)
{
    flags_.ctrlHeld = false;
    PushSnapshot();
    edit_.selectionShown = false;
    rejected_.clear();
    const std::optional<std::string> text = clipboard.Text();
    if (!text || text->empty())
        return true;

    ScheduleSheet& sheet = document_.sheet;
    const std::vector<std::vector<std::string>> block = ParseClipboardText(*text);
    std::size_t widest = 0;
    for (const auto& row : block)
        widest = std::max(widest, row.size());
    const int top = edit_.currentRow;
    const int left = edit_.currentCol;
    const int firstCol = std::max({left, 2, sheet.fixedCols});
    const int lastCol =
        static_cast<int>(std::min<long long>(sheet.colCount() - 1,
                                             static_cast<long long>(left) + widest - 1));
    const int firstRow = std::max(top, sheet.fixedRows);
    const int lastRow = static_cast<int>(std::min<long long>(
        sheet.rowCount() - 1, static_cast<long long>(top) + block.size() - 1));

    // The changed day cells, column by column; a cell is taken only when all its lines are.
    const PastedLineCheck check(document_);
    std::unordered_set<std::string> listed;
    std::vector<CellChange> changes;
    for (int c = firstCol; c <= lastCol; ++c)
        for (int r = firstRow; r <= lastRow; ++r) {
            const auto& row = block[static_cast<std::size_t>(r - top)];
            const std::size_t j = static_cast<std::size_t>(c - left);
            if (j >= row.size() || row[j] == sheet.Text(c, r))
                continue;
            // One snapshot per valid line; an empty pasted cell is one empty line.
            const std::vector<std::string> lines = SplitCellLines(row[j]);
            std::size_t validLines = lines.empty() ? 1 : 0;
            bool valid = true;
            for (const std::string& line : lines) {
                if (check.Valid(line)) {
                    ++validLines;
                    continue;
                }
                valid = false;
                if (listed.insert(line).second)
                    rejected_.push_back(line);
            }
            if (validLines > 0)
                changes.push_back({c, r, sheet.Text(c, r), row[j], validLines, valid});
        }
    for (const CellChange& change : changes)
        if (change.accepted)
            sheet.Cell(change.col, change.row).text = change.after;
    // Undo steps back through the pasted cells and lines.
    RecordLastChanges(changes, changes.size(), false, false);

    if (!rejected_.empty()) {
        std::string message = std::string(kRejectedPasteMessage) + "\n\r";
        for (std::size_t i = 0; i < rejected_.size(); ++i)
            message += (i ? "\n\r" : "") + rejected_[i];
        messages_.Information(message);
    }
    return Guarded([&] {
        ColourDayColumns(document_, metrics_);
        summaries().RecomputeSummaries();
    });
}

} // namespace shiftex
