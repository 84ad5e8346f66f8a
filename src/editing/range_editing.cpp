// Enter and Delete over a selection, quick insert, and the replay of per-cell snapshots that
// range commands leave in the undo history.
#include "editing/sheet_edits.h"

#include "summaries/cell_reading.h"
#include "model/conversion_guard.h"

#include <algorithm>

namespace shiftex {

namespace {

// Whether CentreChangedCell would lay the sheet out again after one cell change, decided from
// the widest text of every column and the most lines of every row, kept up to date change by
// change instead of measured again each time. Columns and rows are measured when first met.
class FitTracker {
public:
    FitTracker(const ScheduleSheet& sheet, const TextMetrics& metrics)
        : sheet_(sheet), metrics_(metrics),
          columns_(static_cast<std::size_t>(sheet.colCount())),
          rows_(static_cast<std::size_t>(sheet.rowCount()))
    {
    }

    // Call before the text of (col, row) changes from `before` to `after`.
    bool Change(int col, int row, const std::string& before, const std::string& after)
    {
        Extreme& column = Column(col);
        const int widthBefore = CellTextWidth(sheet_, col, row, before, metrics_);
        const int widthAfter = CellTextWidth(sheet_, col, row, after, metrics_);
        const int oldWidest = column.value;
        column.Replace(widthBefore, widthAfter);
        if (column.count == 0)
            MeasureColumn(col, row, widthAfter);

        Extreme& line = Row(row);
        const int linesBefore = CellLineCount(before);
        const int linesAfter = CellLineCount(after);
        const int oldMost = std::max(1, line.value);
        line.Replace(linesBefore, linesAfter);
        if (line.count == 0)
            MeasureRow(row, col, linesAfter);
        return column.value != oldWidest || std::max(1, line.value) != oldMost;
    }

private:
    // The largest value of a column or row and how many of its cells have it.
    struct Extreme {
        bool measured = false;
        int value = 0;
        int count = 0;

        void Add(int v)
        {
            if (v > value) {
                value = v;
                count = 1;
            } else if (v == value) {
                ++count;
            }
        }
        void Replace(int before, int after)
        {
            if (before == value)
                --count;
            Add(after);
        }
    };

    Extreme& Column(int col)
    {
        Extreme& e = columns_[static_cast<std::size_t>(col)];
        if (!e.measured)
            MeasureColumn(col, -1, 0);
        return e;
    }
    Extreme& Row(int row)
    {
        Extreme& e = rows_[static_cast<std::size_t>(row)];
        if (!e.measured)
            MeasureRow(row, -1, 0);
        return e;
    }
    // The cell of row `changedRow` counts with width `width` (its text is about to change).
    void MeasureColumn(int col, int changedRow, int width)
    {
        Extreme e;
        e.measured = true;
        for (int r = 0; r < sheet_.rowCount(); ++r)
            e.Add(r == changedRow ? width
                                  : CellTextWidth(sheet_, col, r, sheet_.Text(col, r), metrics_));
        columns_[static_cast<std::size_t>(col)] = e;
    }
    void MeasureRow(int row, int changedCol, int lines)
    {
        Extreme e;
        e.measured = true;
        for (int c = sheet_.fixedCols; c < sheet_.colCount(); ++c)
            e.Add(c == changedCol ? lines : CellLineCount(sheet_.Text(c, row)));
        rows_[static_cast<std::size_t>(row)] = e;
    }

    const ScheduleSheet& sheet_;
    const TextMetrics& metrics_;
    std::vector<Extreme> columns_;
    std::vector<Extreme> rows_;
};

} // namespace

// --- the per-cell history of range commands ---

void SheetEdits::RecordLastChanges(const std::vector<CellChange>& changes,
                                        std::size_t applied, bool centre,
                                        bool relaidBeforeLastSeven)
{
    // Only the last seven snapshots survive: the earlier changes stand as they are, the last
    // ones are taken back and made again, each after its own snapshots.
    constexpr std::size_t slots = UndoHistory::kSlots;
    std::size_t first = applied;
    std::size_t kept = 0;
    while (first > 0 && kept < slots)
        kept += changes[--first].snapshots;
    // The first replayed change may have more snapshots than there is room for; they are all
    // of one state, so the surplus is simply not taken.
    std::size_t surplus = kept > slots ? kept - slots : 0;
    ScheduleSheet& sheet = document_.sheet;
    for (std::size_t k = first; k < applied; ++k)
        if (changes[k].accepted)
            sheet.Cell(changes[k].col, changes[k].row).text = changes[k].before;
    if (centre && relaidBeforeLastSeven) {
        // One change before them laid the sheet out: it has been fitted to its texts since.
        CentreDayCells(sheet, metrics_);
        summaries().AlignToSheet();
    }
    for (std::size_t k = first; k < applied; ++k) {
        const CellChange& change = changes[k];
        CellFit before;
        if (centre)
            before = FitOfCell(sheet, change.col, change.row, metrics_);
        for (std::size_t n = surplus; n < change.snapshots; ++n)
            PushSnapshot();
        surplus = 0;
        if (!change.accepted)
            continue;
        sheet.Cell(change.col, change.row).text = change.after;
        if (centre)
            CentreCell(change.col, change.row, before);
    }
}

// Enter or Delete over the selection while summaries are shown: the sheet, the summaries and
// the undo history come out as if ToggleCell had run on every cell that does not hold the code,
// column by column, but only the snapshots that survive are written.
bool SheetEdits::ApplyWithSummaries(const CellRect& rect)
{
    ScheduleSheet& sheet = document_.sheet;
    const std::string& code = document_.currentCode;
    std::vector<CellChange> changes;
    bool complete = true;
    for (int c = rect.left; complete && c <= rect.right; ++c)
        for (int r = rect.top; r <= rect.bottom; ++r) {
            const std::string& text = sheet.Text(c, r);
            if (text == code)
                continue;
            if (!IsDayCell(sheet, c, r)) {
                // ToggleCell refuses it, which ends the command there.
                complete = false;
                break;
            }
            changes.push_back({c, r, text, code});
        }

    FitTracker fits(sheet, metrics_);
    ConversionGuard guard;
    std::size_t applied = 0;
    std::size_t firstRelayout = changes.size();
    for (const CellChange& change : changes) {
        guard.Attempt([&] { summaries().TakeOutCell(change.col, change.row); });
        if (fits.Change(change.col, change.row, change.before, change.after) &&
            firstRelayout == changes.size())
            firstRelayout = applied;
        sheet.Cell(change.col, change.row).text = change.after;
        sheet.SetAlignment(change.col, change.row, HAlignment::Center);
        guard.Attempt([&] { summaries().PutInCell(change.col, change.row); });
        ++applied;
        // A conversion error stops the command at the cell that met it.
        if (guard.failed())
            break;
    }
    const std::size_t lastSeven =
        applied > UndoHistory::kSlots ? applied - UndoHistory::kSlots : 0;
    RecordLastChanges(changes, applied, true, firstRelayout < lastSeven);
    return Reported(messages_, guard.result()) && complete;
}

// --- quick insert ---

bool SheetEdits::QuickInsert()
{
    if (!panel_.buttonEnabled)
        return false;
    return Guarded([&] {
        ScheduleSheet& sheet = document_.sheet;
        const QuickInsertScope scope = panel_.ChosenScope();
        // The colour the scope compares with is read first: a colour text that does not
        // convert stops the command before anything changed.
        Colour scopeColour = clNone;
        if (scope == QuickInsertScope::Weekends)
            scopeColour = StringToColor(document_.weekendColour);
        else if (scope == QuickInsertScope::Holidays)
            scopeColour = StringToColor(document_.holidayColour);

        PushSnapshot();
        if (panel_.groupColour.chosen < 0) {
            panel_.DropDownGroupColours(document_);
            panel_.groupColour.chosen = 0;
        }
        if (panel_.department.chosen < 0) {
            panel_.DropDownDepartments(document_);
            panel_.department.chosen = 0;
        }

        CellRect range{std::max(2, sheet.fixedCols), sheet.fixedRows, sheet.colCount() - 1,
                       sheet.rowCount() - 1};
        if (edit_.selectionShown) {
            selections_.SetSelection(edit_.selection, true);
            range = edit_.selection;
            range.left = std::max(range.left, 2);
        }
        const std::optional<Colour> group = panel_.GroupColourFilter();
        // Row 3 names the departments only in the department view.
        const std::string department =
            InDepartmentView(document_) ? panel_.DepartmentFilter() : std::string();
        const bool everybody = panel_.EverybodyChosen();
        const std::string employee = panel_.employee.Text();
        std::vector<char> columnPasses(static_cast<std::size_t>(sheet.colCount()), 1);
        if (!department.empty())
            for (int c = range.left; c <= range.right; ++c)
                columnPasses[static_cast<std::size_t>(c)] = sheet.Text(c, 3) == department;

        const std::string& code = document_.currentCode;
        for (int r = range.top; r <= range.bottom; ++r) {
            if (group && sheet.BrushColor(0, r) != *group)
                continue;
            if (!everybody && sheet.Text(1, r) != employee)
                continue;
            for (int c = range.left; c <= range.right; ++c) {
                if (!columnPasses[static_cast<std::size_t>(c)])
                    continue;
                SheetCell& cell = sheet.Cell(c, r);
                bool qualifies = true;
                switch (scope) {
                case QuickInsertScope::AllCells: break;
                case QuickInsertScope::EmptyCells: qualifies = cell.text.empty(); break;
                case QuickInsertScope::NonEmptyCells: qualifies = !cell.text.empty(); break;
                case QuickInsertScope::Weekends:
                case QuickInsertScope::Holidays:
                    qualifies = sheet.BrushColor(c, r) == scopeColour;
                    break;
                }
                if (qualifies)
                    cell.text = code;
            }
        }
        CentreDayCells(sheet, metrics_);
        summaries().RecomputeSummaries();
    });
}

} // namespace shiftex
