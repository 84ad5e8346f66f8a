#include "summaries/custom_query_summary.h"

#include <algorithm>

namespace shiftex {

namespace {

struct QueryDefinition {
    std::string name;
    std::vector<std::string> members;
};

// The definitions in order: a name, its codes, "end this addition"; "end all additions" closes
// the list wherever it stands.
std::vector<QueryDefinition> Definitions(const std::vector<std::string>& lines)
{
    std::vector<QueryDefinition> definitions;
    std::size_t i = 0;
    while (i < lines.size() && lines[i] != kEndAllAdditions) {
        QueryDefinition definition{lines[i], {}};
        std::size_t j = i + 1;
        while (j < lines.size() && lines[j] != kEndThisAddition && lines[j] != kEndAllAdditions)
            definition.members.push_back(lines[j++]);
        definitions.push_back(std::move(definition));
        if (j >= lines.size() || lines[j] == kEndAllAdditions)
            break;
        i = j + 1;
    }
    return definitions;
}

} // namespace

std::vector<std::string> QueryNames(const std::vector<std::string>& customQueryLines)
{
    std::vector<std::string> names;
    for (QueryDefinition& definition : Definitions(customQueryLines))
        names.push_back(std::move(definition.name));
    return names;
}

std::vector<std::string> QueryMembers(const std::vector<std::string>& customQueryLines,
                                      const std::string& name)
{
    std::vector<std::string> members;
    for (const QueryDefinition& definition : Definitions(customQueryLines))
        if (definition.name == name)
            members.insert(members.end(), definition.members.begin(), definition.members.end());
    return members;
}

std::optional<int> CustomQuerySummary::CountAt(int index, int col) const
{
    if (index < 0 || index >= static_cast<int>(rows_.size()) || col < 2 || col - 2 >= days_ ||
        !rows_[static_cast<std::size_t>(index)].named)
        return std::nullopt;
    return counts_[static_cast<std::size_t>(index * days_ + col - 2)];
}

int CustomQuerySummary::TotalAt(int col) const
{
    return col < 2 || col - 2 >= days_ ? 0 : totals_[static_cast<std::size_t>(col - 2)];
}

void CustomQuerySummary::Layout(ScheduleDocument& document, const CellResolver& resolver)
{
    std::vector<CustomQueryRow>& rows = document.customQueryPanel.rows;
    if (rows.empty())
        rows.emplace_back();
    const ScheduleSheet& sheet = document.sheet;
    const bool departments = resolver.departmentView();
    const int header = departments ? 2 : 1;
    const int count = static_cast<int>(rows.size());
    const int cols = std::max(2, sheet.colCount());
    days_ = cols - 2;
    grid_.Reset(cols, header + count + 1, 2, header);
    rows_.assign(rows.size(), Row{});
    counts_.assign(rows.size() * static_cast<std::size_t>(days_), 0);
    totals_.assign(static_cast<std::size_t>(days_), 0);

    for (int c = 0; c < cols; ++c)
        for (int r = 0; r < header; ++r)
            grid_.SetColour(c, r, kHeaderColour);
    grid_.SetText(1, 0, "Custom Query");
    for (int c = 2; c < cols; ++c) {
        SummaryCell& day = grid_.Cell(c, 0);
        day.text = sheet.Contains(c, 2) ? sheet.Text(c, 2) : std::string();
        day.bold = true;
        day.alignment = HAlignment::Center;
        if (departments && sheet.Contains(c, 3)) {
            grid_.SetText(c, 1, sheet.Text(c, 3));
            grid_.Cell(c, 1).alignment = HAlignment::Center;
        }
    }
    if (departments) {
        for (int c = 2; c < cols;) {
            int end = c;
            while (end + 1 < cols && sheet.Text(end + 1, 2) == sheet.Text(c, 2))
                ++end;
            grid_.Merge(c, 0, end - c + 1, 1);
            c = end + 1;
        }
    }
    for (int i = 0; i < count; ++i) {
        const int r = header + i;
        grid_.SetText(1, r, rows[static_cast<std::size_t>(i)].queryName);
        grid_.SetColour(1, r, kHeaderColour);
        for (int c = 2; c < cols; ++c)
            grid_.Cell(c, r).alignment = HAlignment::Center;
        PrepareRow(document, resolver, i);
    }
    SummaryCell& total = grid_.Cell(1, totalRow());
    total.text = "Total";
    total.bold = true;
    total.alignment = HAlignment::Center;
    total.colour = kHeaderColour;
    for (int c = 2; c < cols; ++c)
        grid_.Cell(c, totalRow()).alignment = HAlignment::Center;
    AlignToSheet(sheet);
}

void CustomQuerySummary::AlignToSheet(const ScheduleSheet& sheet)
{
    if (grid_.colCount() != std::max(2, sheet.colCount()))
        return;
    for (int c = 0; c < sheet.colCount(); ++c)
        grid_.colWidths[static_cast<std::size_t>(c)] = sheet.ColWidth(c);
}

void CustomQuerySummary::PrepareRow(const ScheduleDocument& document,
                                    const CellResolver& resolver, int index)
{
    const CustomQueryRow& source = document.customQueryPanel.rows[static_cast<std::size_t>(index)];
    Row& row = rows_[static_cast<std::size_t>(index)];
    row = Row{};
    row.named = !source.queryName.empty();
    grid_.SetText(1, headerRows() + index, source.queryName);
    row.filter = Trim(source.groupColour).empty() ? clNone : StringToColor(source.groupColour);
    row.everybody = row.filter == clNone || row.filter == kNeutralGroupColour;
    grid_.SetColour(0, headerRows() + index, row.filter);
    row.members.assign(static_cast<std::size_t>(resolver.typeCount()), 0);
    if (!row.named)
        return;
    for (const std::string& code : QueryMembers(document.customQueryLines, source.queryName)) {
        const int type = code.empty() ? CellResolver::kNoType : resolver.TypeOfCode(code);
        if (type >= 1)
            ++row.members[static_cast<std::size_t>(type)];
    }
}

bool CustomQuerySummary::Admits(const Row& row, const ScheduleSheet& sheet, int sheetRow) const
{
    return row.everybody || sheet.BrushColor(0, sheetRow) == row.filter;
}

void CustomQuerySummary::CountRow(const ScheduleDocument& document, const CellResolver& resolver,
                                  int index)
{
    if (index < 0 || index >= static_cast<int>(rows_.size()))
        return;
    PrepareRow(document, resolver, index);
    const Row& row = rows_[static_cast<std::size_t>(index)];
    int* counts = counts_.data() + static_cast<std::size_t>(index * days_);
    std::fill(counts, counts + days_, 0);
    const ScheduleSheet& sheet = document.sheet;
    if (row.named) {
        for (int r = sheet.fixedRows; r < sheet.rowCount(); ++r) {
            if (!Admits(row, sheet, r))
                continue;
            for (int c = 2; c < sheet.colCount() && c - 2 < days_; ++c)
                ForEachCellLine(sheet.Text(c, r), [&](std::string_view line) {
                    const int type = resolver.ResolveLine(line);
                    if (type >= 1)
                        counts[c - 2] += row.members[static_cast<std::size_t>(type)];
                });
        }
    }
    for (int c = 2; c < days_ + 2; ++c)
        WriteCount(index, c);
}

void CustomQuerySummary::Recount(const ScheduleDocument& document, const CellResolver& resolver)
{
    for (int i = 0; i < static_cast<int>(rows_.size()); ++i)
        CountRow(document, resolver, i);
    Total();
}

void CustomQuerySummary::WriteCount(int index, int col)
{
    const Row& row = rows_[static_cast<std::size_t>(index)];
    grid_.SetText(col, headerRows() + index,
                  row.named ? std::to_string(counts_[static_cast<std::size_t>(
                                  index * days_ + col - 2)])
                            : std::string());
}

void CustomQuerySummary::WriteTotal(int col)
{
    grid_.SetText(col, totalRow(), std::to_string(totals_[static_cast<std::size_t>(col - 2)]));
}

void CustomQuerySummary::Total()
{
    std::fill(totals_.begin(), totals_.end(), 0);
    for (std::size_t i = 0; i < rows_.size(); ++i) {
        if (!rows_[i].named)
            continue;
        for (int c = 0; c < days_; ++c)
            totals_[static_cast<std::size_t>(c)] +=
                counts_[i * static_cast<std::size_t>(days_) + static_cast<std::size_t>(c)];
    }
    for (int c = 2; c < days_ + 2; ++c)
        WriteTotal(c);
}

const ParsedThreshold* CustomQuerySummary::ThresholdOf(const ScheduleDocument& document,
                                                       int index)
{
    Row& row = rows_[static_cast<std::size_t>(index)];
    if (!row.threshold) {
        const std::string& name = grid_.Text(1, headerRows() + index);
        const auto& thresholds = document.queryThresholds;
        const auto it = std::find_if(thresholds.begin(), thresholds.end(),
                                     [&](const ColorThreshold& t) { return t.name == name; });
        if (it == thresholds.end())
            row.threshold.emplace(std::nullopt);
        else
            row.threshold.emplace(ParsedThreshold::Of(*it));
    }
    return *row.threshold ? &**row.threshold : nullptr;
}

void CustomQuerySummary::ColourRow(const ScheduleDocument& document, int index)
{
    if (index < 0 || index >= static_cast<int>(rows_.size()))
        return;
    const int r = headerRows() + index;
    const ParsedThreshold* threshold = ThresholdOf(document, index);
    const bool named = rows_[static_cast<std::size_t>(index)].named;
    for (int c = 2; c < days_ + 2; ++c) {
        const Colour colour =
            threshold && named
                ? threshold->ColourOf(counts_[static_cast<std::size_t>(index * days_ + c - 2)])
                : clWhite;
        grid_.SetColour(c, r, colour);
    }
}

void CustomQuerySummary::ColourCounts(const ScheduleDocument& document)
{
    for (int i = 0; i < static_cast<int>(rows_.size()); ++i)
        ColourRow(document, i);
    for (int c = 2; c < days_ + 2; ++c)
        grid_.SetColour(c, totalRow(), clWhite);
}

void CustomQuerySummary::Add(const ScheduleDocument& document, const CellResolver& resolver,
                             int col, int row, int sign)
{
    const ScheduleSheet& sheet = document.sheet;
    if (!sheet.Contains(col, row) || row < sheet.fixedRows || col < 2 || col - 2 >= days_)
        return;
    std::vector<int> changed;
    ForEachCellLine(sheet.Text(col, row), [&](std::string_view line) {
        const int type = resolver.ResolveLine(line);
        if (type < 1)
            return;
        for (std::size_t i = 0; i < rows_.size(); ++i) {
            const Row& query = rows_[i];
            const int members = query.named ? query.members[static_cast<std::size_t>(type)] : 0;
            if (members == 0 || !Admits(query, sheet, row))
                continue;
            counts_[i * static_cast<std::size_t>(days_) + static_cast<std::size_t>(col - 2)] +=
                sign * members;
            totals_[static_cast<std::size_t>(col - 2)] += sign * members;
            changed.push_back(static_cast<int>(i));
        }
    });
    if (changed.empty())
        return;
    for (const int index : changed)
        WriteCount(index, col);
    WriteTotal(col);
    for (const int index : changed) {
        const ParsedThreshold* threshold = ThresholdOf(document, index);
        grid_.SetColour(col, headerRows() + index,
                        threshold ? threshold->ColourOf(counts_[static_cast<std::size_t>(
                                        index * days_ + col - 2)])
                                  : clWhite);
    }
}

void CustomQuerySummary::TakeOut(const ScheduleDocument& document, const CellResolver& resolver,
                                 int col, int row)
{
    Add(document, resolver, col, row, -1);
}

void CustomQuerySummary::PutIn(const ScheduleDocument& document, const CellResolver& resolver,
                               int col, int row)
{
    Add(document, resolver, col, row, +1);
}

} // namespace shiftex
