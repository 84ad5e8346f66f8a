#include "reports/bar_graph.h"

#include "summaries/cell_reading.h"
#include "summaries/summary_scope.h"

#include <algorithm>

namespace shiftex {

namespace {

constexpr int kMinutesPerDay = 24 * 60;

void MarkSpan(std::bitset<kSlotCount>& slots, const std::string& from, const std::string& til)
{
    // A time past midnight (up to 99H99 reads) is cut at the end of the day.
    const int start = std::clamp(HourTextToMinutes(from), 0, kMinutesPerDay);
    const int end = std::clamp(HourTextToMinutes(til), 0, kMinutesPerDay);
    if (end <= start)
        return;
    for (int slot = start / kSlotMinutes; slot <= (end - 1) / kSlotMinutes; ++slot)
        slots.set(static_cast<std::size_t>(slot));
}

int DepartmentIndex(const ScheduleDocument& document, const std::string& name)
{
    const auto& list = document.departments;
    const auto it = std::find_if(list.begin(), list.end(),
                                 [&](const Department& d) { return d.name == name; });
    return it == list.end() ? -1 : static_cast<int>(it - list.begin());
}

struct GraphBuilder {
    const ScheduleDocument& document;
    std::vector<Colour> colours;  // the department colour list, converted
    CellResolver resolver;
    BarGraph graph;

    // A bar for working type `type` (none for the blank entry or no working type).
    void AddBar(int type, int department, const std::string& day)
    {
        BarColumn bar;
        bar.day = day;
        if (type > 0) {
            const auto entry = static_cast<std::size_t>(department + 1);
            bar.colour = entry < colours.size() ? colours[entry] : clNone;
            bar.worked = WorkingTypeSlots(document.workingTypes.At(type));
        }
        graph.columns.push_back(std::move(bar));
    }

    void AddSpacer() { graph.columns.push_back({BarColumnKind::Spacer, {}, clNone, {}}); }

    void NormalDay(int col, int row)
    {
        const ScheduleSheet& sheet = document.sheet;
        const std::string& text = sheet.Text(col, row);
        const std::vector<std::string> lines = SplitCellLines(text);
        if (lines.empty())
            AddBar(0, -1, {});
        for (const std::string& line : lines) {
            const std::size_t separator = line.find(": ");
            const std::string department =
                separator == std::string::npos ? std::string() : line.substr(0, separator);
            AddBar(resolver.ResolveLine(line),
                   department.empty() ? -1 : DepartmentIndex(document, department),
                   sheet.Text(col, 2));
        }
        AddSpacer();
    }

    void DepartmentDay(int dayColumn, int row)
    {
        const ScheduleSheet& sheet = document.sheet;
        const int first = FirstSubColumn(document, dayColumn);
        const int last = LastSubColumn(document, dayColumn);
        bool any = false;
        for (int s = first; s <= last; ++s) {
            const std::string& text = sheet.Text(s, row);
            if (text.empty())
                continue;
            any = true;
            // The cell's text as a whole names the working type.
            AddBar(resolver.TypeOfCode(text), DepartmentIndex(document, sheet.Text(s, 3)),
                   sheet.Text(s, 2));
        }
        if (!any)
            AddBar(0, -1, sheet.Contains(first, 2) ? sheet.Text(first, 2) : std::string());
        AddSpacer();
    }
};

} // namespace

std::vector<std::string> DepartmentColourList(const ScheduleDocument& document)
{
    std::vector<std::string> list{document.mainDepartmentColour};
    for (const Department& department : document.departments)
        list.push_back(department.colour);
    return list;
}

Result<std::vector<Colour>> DepartmentColours(const ScheduleDocument& document)
{
    std::vector<Colour> colours;
    try {
        for (const std::string& text : DepartmentColourList(document))
            colours.push_back(StringToColor(text));
    } catch (const ConversionError& error) {
        return Fail(ErrorKind::Conversion, error.what());
    }
    return colours;
}

Result<std::vector<LegendButton>> BarGraphLegend(const ScheduleDocument& document)
{
    Result<std::vector<Colour>> colours = DepartmentColours(document);
    if (!colours)
        return std::unexpected(colours.error());
    std::vector<LegendButton> buttons;
    for (std::size_t k = 0; k < colours->size() && k < kMaxLegendButtons; ++k)
        buttons.push_back(
            {k == 0 ? std::string(kMainDepartmentLabel) : document.departments[k - 1].name,
             (*colours)[k]});
    return buttons;
}

void SetDepartmentColour(ScheduleDocument& document, int entry, Colour colour)
{
    SHIFTEX_ASSERT(entry >= 0 && entry <= static_cast<int>(document.departments.size()));
    if (entry == 0)
        document.mainDepartmentColour = ColorToString(colour);
    else
        document.departments[static_cast<std::size_t>(entry - 1)].colour = ColorToString(colour);
}

int BarGraphRowOfName(const ScheduleDocument& document, const std::string& name)
{
    const ScheduleSheet& sheet = document.sheet;
    for (int r = sheet.rowCount() - 1; r >= sheet.fixedRows; --r)
        if (sheet.Text(1, r) == name)
            return r;
    return -1;
}

std::string BarRangeText(const ScheduleDocument& document, int firstColumn, int lastColumn)
{
    const std::string caption =
        RangeCaption(document, DayColumnOfSheetColumn(document, firstColumn),
                     DayColumnOfSheetColumn(document, lastColumn));
    // The summaries' range caption, without the blanks that make room for the lock.
    const std::size_t text = caption.find_first_not_of(' ');
    return text == std::string::npos ? std::string() : caption.substr(text);
}

std::bitset<kSlotCount> WorkingTypeSlots(const WorkingType& type)
{
    std::bitset<kSlotCount> slots;
    MarkSpan(slots, type.fields[field::From1], type.fields[field::Til1]);
    MarkSpan(slots, type.fields[field::From2], type.fields[field::Til2]);
    return slots;
}

Result<BarGraph> DrawBarGraph(const ScheduleDocument& document, int row, int firstColumn,
                              int lastColumn)
{
    const ScheduleSheet& sheet = document.sheet;
    if (!sheet.Contains(1, row) || row < sheet.fixedRows)
        return Fail(ErrorKind::RefusedInput, "There is no employee in row " +
                                                 std::to_string(row) + ".");
    const int firstDay = std::max(firstColumn, sheet.fixedCols);
    const int lastDay = std::min(lastColumn, sheet.colCount() - 1);
    Result<std::vector<Colour>> colours = DepartmentColours(document);
    if (!colours)
        return std::unexpected(colours.error());
    GraphBuilder builder{document, std::move(*colours), CellResolver(document), {}};
    try {
        if (InDepartmentView(document)) {
            const int from = DayColumnOfSheetColumn(document, firstDay);
            const int to = DayColumnOfSheetColumn(document, lastDay);
            for (int day = from; day <= to; ++day)
                builder.DepartmentDay(day, row);
        } else {
            for (int c = firstDay; c <= lastDay; ++c)
                builder.NormalDay(c, row);
        }
    } catch (const ConversionError& error) {
        return Fail(ErrorKind::Conversion, error.what());
    }
    builder.graph.title = "Schedule for " + sheet.Text(1, row) + " - " +
                          (firstDay <= lastDay ? BarRangeText(document, firstDay, lastDay)
                                               : std::string());
    return std::move(builder.graph);
}

} // namespace shiftex
