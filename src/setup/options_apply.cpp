#include "setup/options_apply.h"

#include "editing/departments_view.h"
#include "summaries/cell_reading.h"
#include "summaries/custom_query_summary.h"

#include <algorithm>
#include <exception>
#include <string_view>
#include <unordered_set>

namespace shiftex {

namespace {

bool IsLineEnd(char ch) { return ch == '\r' || ch == '\n'; }

// A cell text without the lines `remove` picks. The other lines keep their own line ends, and a
// text that did not end with a line end does not end with one afterwards.
template <typename Remove>
std::string WithoutLines(const std::string& text, Remove&& remove)
{
    std::string kept;
    const std::size_t n = text.size();
    for (std::size_t start = 0; start < n;) {
        std::size_t end = start;
        while (end < n && !IsLineEnd(text[end]))
            ++end;
        std::size_t next = end;
        if (next < n)
            next += text[next] == '\r' && next + 1 < n && text[next + 1] == '\n' ? 2 : 1;
        if (!remove(std::string_view(text).substr(start, end - start)))
            kept.append(text, start, next - start);
        start = next;
    }
    if (!text.empty() && !IsLineEnd(text.back())) {
        if (kept.ends_with("\r\n"))
            kept.resize(kept.size() - 2);
        else if (!kept.empty() && IsLineEnd(kept.back()))
            kept.pop_back();
    }
    return kept;
}

// Takes the lines `remove` picks out of every day cell. Names and header cells are never
// touched, even where they read like a code.
template <typename Remove>
void RemoveCellLines(ScheduleSheet& sheet, Remove&& remove)
{
    for (int r = sheet.fixedRows; r < sheet.rowCount(); ++r)
        for (int c = sheet.fixedCols; c < sheet.colCount(); ++c) {
            std::string& text = sheet.Cell(c, r).text;
            if (text.empty())
                continue;
            bool found = false;
            ForEachCellLine(text, [&](std::string_view line) { found = found || remove(line); });
            if (found)
                text = WithoutLines(text, remove);
        }
}

// The copy's working types into the schedule: known codes updated, new ones appended; types
// whose code the copy no longer has leave the list after their codes left every cell. The code
// chosen before stays chosen while it exists.
void ApplyWorkingTypes(ScheduleSession& session, const std::vector<WorkingType>& types)
{
    ScheduleDocument& document = session.document();
    WorkingTypeList& list = document.workingTypes;
    const std::string chosen = document.currentCode;
    std::unordered_set<std::string> kept;
    for (const WorkingType& type : types) {
        kept.insert(type.code());
        const int index = list.IndexOfCode(type.code());
        if (index > 0) {
            WorkingType& own = list.At(index);
            own.iconIndex = type.iconIndex;
            std::copy(type.fields.begin() + field::Information, type.fields.end(),
                      own.fields.begin() + field::Information);
        } else {
            WorkingType added = type;
            added.fields[1].clear();
            list.Add(std::move(added));
        }
    }

    std::vector<bool> gone(static_cast<std::size_t>(list.Count()), false);
    int remaining = 0;
    for (int i = 1; i < list.Count(); ++i) {
        gone[static_cast<std::size_t>(i)] = !kept.contains(list.At(i).code());
        remaining += gone[static_cast<std::size_t>(i)] ? 0 : 1;
    }
    // A schedule keeps at least one working type.
    if (remaining == 0 && list.Count() > 1)
        gone[1] = false;
    if (std::find(gone.begin(), gone.end(), true) != gone.end()) {
        const CellResolver resolver(document);
        RemoveCellLines(document.sheet, [&](std::string_view line) {
            const int type = resolver.ResolveLine(line);
            return type > 0 && gone[static_cast<std::size_t>(type)];
        });
        for (int i = list.Count() - 1; i >= 1; --i)
            if (gone[static_cast<std::size_t>(i)])
                list.Remove(i);
    }
    document.RefreshTypeCodes();
    session.sheetEdits().SelectWorkingType(std::max(list.IndexOfCode(chosen), 0));
}

// New names become rows at the bottom, taken from the last name to the first; rows of names
// the copy no longer has are deleted with their cells. A row without a name stays.
void ApplyEmployees(ScheduleSheet& sheet, const std::vector<std::string>& names)
{
    std::unordered_set<std::string> carried;
    for (int r = sheet.fixedRows; r < sheet.rowCount(); ++r)
        carried.insert(sheet.Text(1, r));
    std::vector<std::string> added;
    for (auto name = names.rbegin(); name != names.rend(); ++name)
        if (carried.insert(*name).second)
            added.push_back(*name);
    if (!added.empty()) {
        const int first = sheet.rowCount();
        sheet.SetRowCount(first + static_cast<int>(added.size()));
        for (std::size_t i = 0; i < added.size(); ++i) {
            const int row = first + static_cast<int>(i);
            sheet.SetText(1, row, added[i]);
            // The group colour every employee starts with.
            sheet.SetBrushColor(0, row, kNeutralGroupColour);
        }
    }

    const std::unordered_set<std::string> wanted(names.begin(), names.end());
    auto goes = [&](int row) {
        const std::string& name = sheet.Text(1, row);
        return !name.empty() && !wanted.contains(name);
    };
    // Runs of rows at once, from the bottom up.
    for (int r = sheet.rowCount() - 1; r >= sheet.fixedRows; --r) {
        if (!goes(r))
            continue;
        int top = r;
        while (top - 1 >= sheet.fixedRows && goes(top - 1))
            --top;
        sheet.DeleteRows(top, r - top + 1);
        r = top;
    }
}

bool HasDepartment(const std::vector<Department>& departments, const std::string& name)
{
    return std::any_of(departments.begin(), departments.end(),
                       [&](const Department& department) { return department.name == name; });
}

// The copy's departments into the schedule. While the department view is shown every day gains
// and loses the sub-columns of the departments; otherwise the department lines of a department
// that is gone leave the cells. Colours of departments already there stay.
void ApplyDepartments(ScheduleSession& session, const OptionsWorkingCopy& copy)
{
    ScheduleDocument& document = session.document();
    if (copy.departmentNames.empty() && session.structuralEdits().DepartmentViewShown())
        session.structuralEdits().HideDepartments();
    const bool view = session.structuralEdits().DepartmentViewShown();
    std::vector<Department>& departments = document.departments;
    bool changed = false;
    for (std::size_t k = 0; k < copy.departmentNames.size(); ++k) {
        const std::string& name = copy.departmentNames[k];
        if (HasDepartment(departments, name))
            continue;
        const std::string colour = k + 1 < copy.departmentColours.size()
                                       ? copy.departmentColours[k + 1]
                                       : std::string(kDefaultMainDepartmentColour);
        if (view)
            AppendDepartmentColumns(document.sheet, static_cast<int>(departments.size()), name);
        departments.push_back({name, colour});
        changed = true;
    }
    const std::vector<std::string>& names = copy.departmentNames;
    for (int i = static_cast<int>(departments.size()) - 1; i >= 0; --i) {
        const std::string name = departments[static_cast<std::size_t>(i)].name;
        if (std::find(names.begin(), names.end(), name) != names.end())
            continue;
        if (view) {
            RemoveDepartmentColumns(document.sheet, static_cast<int>(departments.size()), i);
        } else {
            RemoveCellLines(document.sheet, [&](std::string_view line) {
                const std::size_t separator = line.find(": ");
                return separator != std::string_view::npos && line.substr(0, separator) == name;
            });
        }
        departments.erase(departments.begin() + i);
        changed = true;
    }
    if (view && changed)
        LayoutScheduleHeader(document);
}

// The edit state and the quick insert panel follow a sheet of another shape.
void FollowShape(ScheduleSession& session)
{
    ScheduleDocument& document = session.document();
    const ScheduleSheet& sheet = document.sheet;
    document.departmentsView = sheet.fixedRows >= 4;
    session.sheetEdits().quickInsertPanel().FollowDepartmentView(document);
    const EditState& edit = session.editState();
    if (!sheet.Contains(edit.currentCol, edit.currentRow) || edit.currentRow < sheet.fixedRows)
        session.selections().SetCurrentCell(sheet.fixedCols, sheet.fixedRows);
    session.selections().SetSelection(session.editState().selection, false);
}

} // namespace

void ApplyOptionsToSchedule(ScheduleSession& session, const OptionsWorkingCopy& copy,
                            HolidayStore& holidays, MessageSink& messages)
{
    ScheduleDocument& document = session.document();
    ApplyWorkingTypes(session, copy.workingTypes);
    ApplyEmployees(document.sheet, copy.employeeNames);
    document.fontName = copy.gridFontName;
    document.fontColour = copy.workingTypeFontColour;
    // The weekend and holiday days stay; only their colours change.
    document.weekendColour = copy.weekendColour;
    document.holidayColour = copy.holidayColour;
    try {
        // Edits made on the holidays page reach the schedule here.
        if (auto lines = holidays.BuildHolidayLines(document.sheet, copy.regionName))
            document.holidayLines = std::move(*lines);
        else
            messages.Error(lines.error().message);
    } catch (const ConversionError& error) {
        messages.Error(error.what());
    }
    ApplyDepartments(session, copy);
    document.customQueryLines = copy.customQueryLines;
    document.customQueryNames = QueryNames(document.customQueryLines);
    document.queryThresholds = copy.queryThresholds;
    FollowShape(session);
}

void BringScheduleInLine(ScheduleSession& session, MessageSink& messages,
                         const TextMetrics& metrics)
{
    ScheduleDocument& document = session.document();
    document.MarkModified();
    SummarySet& summaries = session.summaries();
    try {
        summaries.QueryDefinitionsChanged();
    } catch (const ConversionError& error) {
        messages.Error(error.what());
    }
    // The day cells lose their colours and take the weekend and holiday colours again.
    ScheduleSheet& sheet = document.sheet;
    for (int r = sheet.fixedRows; r < sheet.rowCount(); ++r)
        for (int c = sheet.fixedCols; c < sheet.colCount(); ++c)
            if (const auto& props = sheet.Cell(c, r).props)
                props->brushColor = clNone;
    try {
        ColourDayColumns(document, metrics);
    } catch (const std::exception&) {
        // The cells keep no colour; nothing else depends on them.
    }
    summaries.AlignToSheet();
}

} // namespace shiftex
