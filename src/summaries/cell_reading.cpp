#include "summaries/cell_reading.h"

#include <algorithm>

namespace shiftex {

bool InDepartmentView(const ScheduleDocument& document)
{
    return document.sheet.fixedRows >= 4 && !document.departments.empty();
}

int ColumnsPerDay(const ScheduleDocument& document)
{
    return InDepartmentView(document) ? static_cast<int>(document.departments.size()) : 1;
}

int DayColumnCount(const ScheduleDocument& document)
{
    const int subColumns = document.sheet.colCount() - 2;
    if (subColumns <= 0)
        return 0;
    const int n = ColumnsPerDay(document);
    return (subColumns + n - 1) / n;
}

int FirstSubColumn(const ScheduleDocument& document, int dayColumn)
{
    const int column = 2 + (dayColumn - 2) * ColumnsPerDay(document);
    return std::clamp(column, 2, std::max(2, document.sheet.colCount() - 1));
}

int LastSubColumn(const ScheduleDocument& document, int dayColumn)
{
    const int column = 1 + (dayColumn - 1) * ColumnsPerDay(document);
    return std::clamp(column, 2, std::max(2, document.sheet.colCount() - 1));
}

int DayColumnOfSheetColumn(const ScheduleDocument& document, int sheetColumn)
{
    if (sheetColumn < 2)
        return sheetColumn;
    return 2 + (sheetColumn - 2) / ColumnsPerDay(document);
}

std::string ResolveCellLine(const ScheduleDocument& document, const std::string& line)
{
    if (line.empty())
        return {};
    const CellResolver resolver(document);
    const int type = resolver.ResolveLine(line);
    if (type == CellResolver::kNoType)
        return kNoWorkingType;
    return document.workingTypes.At(type).code();
}

std::vector<std::string> DayCodes(const ScheduleDocument& document, int row, int column)
{
    std::vector<std::string> codes;
    const ScheduleSheet& sheet = document.sheet;
    if (!sheet.Contains(column, row))
        return codes;
    if (InDepartmentView(document)) {
        const int n = ColumnsPerDay(document);
        for (int c = column; c < column + n && c < sheet.colCount(); ++c)
            codes.push_back(sheet.Text(c, row));
        return codes;
    }
    const CellResolver resolver(document);
    for (const std::string& line : SplitCellLines(sheet.Text(column, row))) {
        const int type = resolver.ResolveLine(line);
        if (type != CellResolver::kNoType)
            codes.push_back(line.empty() ? std::string() : document.workingTypes.At(type).code());
    }
    return codes;
}

std::string DayHours(const ScheduleDocument& document, const std::vector<std::string>& codes)
{
    const CellResolver resolver(document);
    std::vector<int> types;
    types.reserve(codes.size());
    for (const std::string& code : codes)
        types.push_back(resolver.TypeOfCode(code));
    return MinutesToHourText(
        resolver.DayMinutesOfTypes(types.data(), static_cast<int>(types.size())));
}

namespace {

// The minutes of an interval on the minute map: from its start up to, not including, its end.
void MarkInterval(std::bitset<1440>& minutes, CellResolver::Spans& spans, std::string_view from,
                  std::string_view til)
{
    const int start = std::max(0, HourTextToMinutes(from));
    const int end = std::min(1440, HourTextToMinutes(til));
    for (int m = start; m < end; ++m)
        minutes.set(static_cast<std::size_t>(m));
    if (end > start)
        spans.span[static_cast<std::size_t>(spans.count++)] = {start, end};
}

} // namespace

CellResolver::CellResolver(const ScheduleDocument& document)
    : departmentView_(InDepartmentView(document)), columnsPerDay_(ColumnsPerDay(document))
{
    const WorkingTypeList& list = document.workingTypes;
    types_.resize(static_cast<std::size_t>(list.Count()));
    for (int i = 0; i < list.Count(); ++i) {
        codes_.try_emplace(list.At(i).code(), i);
        if (i == 0)
            continue;
        const auto& f = list.At(i).fields;
        TypeHours& hours = types_[static_cast<std::size_t>(i)];
        try {
            // The total adds the type's hours read at fixed places, as an hour total does.
            hours.sumMinutes = HourTextToMinutes(WorkingTypeHours(
                f[field::From1], f[field::Til1], f[field::From2], f[field::Til2]));
            MarkInterval(hours.minutes, hours.spans, f[field::From1], f[field::Til1]);
            MarkInterval(hours.minutes, hours.spans, f[field::From2], f[field::Til2]);
        } catch (const ConversionError& error) {
            hours.error = error.what();
        }
    }
    for (const Department& department : document.departments)
        departments_.push_back(department.name);
}

int CellResolver::TypeOfCode(std::string_view code) const
{
    const auto it = codes_.find(code);
    return it == codes_.end() ? kNoType : it->second;
}

int CellResolver::ResolveLine(std::string_view line) const
{
    if (line.empty())
        return 0;
    const std::size_t separator = line.find(": ");
    if (separator == std::string_view::npos)
        return TypeOfCode(line);
    const std::string_view department = line.substr(0, separator);
    if (std::find(departments_.begin(), departments_.end(), department) == departments_.end())
        return kNoType;
    return TypeOfCode(line.substr(separator + 2));
}

const CellResolver::TypeHours& CellResolver::Hours(int type) const
{
    const TypeHours& hours = types_[static_cast<std::size_t>(type)];
    if (!hours.error.empty())
        throw ConversionError(hours.error);
    return hours;
}

const CellResolver::Spans& CellResolver::TypeSpans(int type) const
{
    static const Spans kNone;
    return type > 0 ? Hours(type).spans : kNone;
}

int CellResolver::DayMinutesOfTypes(const int* types, int count) const
{
    if (count == 0)
        return 0;
    if (count == 1)
        return types[0] > 0 ? Hours(types[0]).sumMinutes : 0;
    std::bitset<1440> minutes;
    for (int i = 0; i < count; ++i)
        if (types[i] > 0)
            minutes |= Hours(types[i]).minutes;
    return static_cast<int>(minutes.count());
}

int CellResolver::DayMinutes(const ScheduleSheet& sheet, int row, int column) const
{
    // Cells rarely hold more than a few lines; longer ones take the slow road.
    constexpr int kInline = 16;
    int inlineTypes[kInline];
    std::vector<int> moreTypes;
    int count = 0;
    auto add = [&](int type) {
        if (count < kInline) {
            inlineTypes[count++] = type;
            return;
        }
        if (moreTypes.empty())
            moreTypes.assign(inlineTypes, inlineTypes + kInline);
        moreTypes.push_back(type);
        ++count;
    };
    ForEachDayType(sheet, row, column, add);
    return DayMinutesOfTypes(count <= kInline ? inlineTypes : moreTypes.data(), count);
}

} // namespace shiftex
