#include "cli/edit_commands.h"
#include "cli/json.h"

#include <iostream>

namespace shiftex::cli {

namespace {

Json Scope(const SummaryScope& scope, bool shown)
{
    return {{"shown", shown}, {"caption", scope.caption}, {"locked", scope.locked},
            {"first", scope.startColumn}, {"last", scope.endColumn}};
}

// Count cells and their colours, one JSON array each, over grid columns or rows.
template <typename Cell>
Json Numbers(int from, int to, Cell cell)
{
    Json json = Json::array();
    for (int i = from; i <= to; ++i) {
        int value = 0;
        TryParseInt(cell(i).text, value);
        json.push_back(value);
    }
    return json;
}

template <typename Cell>
Json Colours(int from, int to, Cell cell)
{
    Json json = Json::array();
    for (int i = from; i <= to; ++i)
        json.push_back(ColorToString(cell(i).colour));
    return json;
}

} // namespace

std::string SummaryJson(const ScheduleSession& session)
{
    const SummarySet& summaries = session.summaries();
    const ScheduleSheet& sheet = session.document().sheet;
    Json json;

    Json& hours = json["workedHours"] = Json::array();
    if (summaries.IsShown(SummaryKind::WorkedHours)) {
        const SummaryGrid& grid = summaries.workedHours().grid();
        for (int r = grid.fixedRows(); r < grid.rowCount(); ++r)
            hours.push_back({{"row", r}, {"name", grid.Text(0, r)}, {"total", grid.Text(1, r)}});
    }

    {
        const SummaryGrid& grid = summaries.typesPerDay().grid();
        const bool shown = summaries.IsShown(SummaryKind::TypesPerDay);
        const int last = grid.colCount() - 1;
        std::vector<std::string> codes;
        std::vector<int> days;
        for (int r = grid.fixedRows(); shown && r < grid.rowCount(); ++r)
            codes.push_back(grid.Text(0, r));
        for (int g = 1; shown && g <= last; ++g)
            days.push_back(g + 1);
        Json counts = Json::array();
        Json colours = Json::array();
        for (int r = grid.fixedRows(); shown && r < grid.rowCount(); ++r) {
            counts.push_back(Numbers(1, last, [&](int g) { return grid.Cell(g, r); }));
            colours.push_back(Colours(1, last, [&](int g) { return grid.Cell(g, r); }));
        }
        json["typesPerDay"] = {
            {"codes", codes}, {"days", days}, {"counts", counts}, {"colours", colours}};
    }

    {
        const SummaryGrid& grid = summaries.employeesPerType().grid();
        const bool shown = summaries.IsShown(SummaryKind::EmployeesPerType);
        const int last = grid.colCount() - 1;
        std::vector<std::string> names;
        std::vector<std::string> codes;
        for (int r = 2; shown && r < grid.rowCount(); ++r)
            names.push_back(grid.Text(0, r));
        for (int g = 1; shown && g <= last; ++g)
            codes.push_back(grid.Text(g, 1));
        Json counts = Json::array();
        Json colours = Json::array();
        for (int r = 2; shown && r < grid.rowCount(); ++r) {
            counts.push_back(Numbers(1, last, [&](int g) { return grid.Cell(g, r); }));
            colours.push_back(Colours(1, last, [&](int g) { return grid.Cell(g, r); }));
        }
        json["employeesPerType"] = {
            {"names", names}, {"codes", codes}, {"counts", counts}, {"colours", colours}};
    }

    {
        const CustomQuerySummary& query = summaries.customQuery();
        const SummaryGrid& grid = query.grid();
        const bool shown = summaries.IsShown(SummaryKind::CustomQuery);
        const int last = grid.colCount() - 1;
        const auto& panelRows = session.document().customQueryPanel.rows;
        Json rows = Json::array();
        for (int r = grid.fixedRows(); shown && r < query.totalRow(); ++r) {
            const std::size_t index = static_cast<std::size_t>(r - grid.fixedRows());
            Json row;
            row["name"] = grid.Text(1, r);
            row["filterColour"] = index < panelRows.size() ? panelRows[index].groupColour : "";
            // A row without a query name has empty count cells: no counts.
            row["counts"] = grid.Text(1, r).empty()
                                ? Json::array()
                                : Numbers(2, last, [&](int c) { return grid.Cell(c, r); });
            row["colours"] = Colours(2, last, [&](int c) { return grid.Cell(c, r); });
            rows.push_back(std::move(row));
        }
        json["customQuery"] = {
            {"rows", rows},
            {"total", shown ? Numbers(2, last, [&](int c) { return grid.Cell(c, query.totalRow()); })
                            : Json::array()}};
    }

    json["scopes"] = {
        {"workedHours",
         Scope(summaries.workedHours().scope, summaries.IsShown(SummaryKind::WorkedHours))},
        {"employeesPerType", Scope(summaries.employeesPerType().scope,
                                   summaries.IsShown(SummaryKind::EmployeesPerType))}};
    json["dayColumns"] = sheet.colCount() - 2;
    return JsonText(json);
}

namespace {

bool ReadDayColumn(const std::string& text, const ScheduleDocument& document, int& column)
{
    return TryParseInt(text, column) && column >= 2 && column < document.sheet.colCount();
}

int SummaryUsage(const std::string& problem)
{
    std::cerr << "shiftex-cli summary: " << problem << "\n"
              << "usage: shiftex-cli summary FILE [--hours-range FIRST LAST] "
                 "[--employees-range FIRST LAST] [--query NAME[:COLOUR]]...\n";
    return kExitUsage;
}

} // namespace

int RunSummary(const Options& options)
{
    const std::vector<std::string>& args = options.arguments;
    if (args.empty() || args[0].starts_with("--"))
        return SummaryUsage("no schedule file given");
    struct Range {
        SummaryKind kind;
        std::string first;
        std::string last;
    };
    std::vector<Range> ranges;
    std::optional<std::vector<CustomQueryRow>> queries;
    for (std::size_t i = 1; i < args.size(); ++i) {
        const std::string& arg = args[i];
        if (arg == "--hours-range" || arg == "--employees-range") {
            if (i + 2 >= args.size())
                return SummaryUsage(arg + " needs FIRST and LAST");
            ranges.push_back({arg == "--hours-range" ? SummaryKind::WorkedHours
                                                     : SummaryKind::EmployeesPerType,
                              args[i + 1], args[i + 2]});
            i += 2;
        } else if (arg == "--query") {
            if (i + 1 >= args.size())
                return SummaryUsage("--query needs NAME[:COLOUR]");
            const std::string& choice = args[++i];
            CustomQueryRow row;
            const std::size_t colon = choice.rfind(':');
            row.queryName = choice.substr(0, colon);
            if (colon != std::string::npos) {
                row.groupColour = choice.substr(colon + 1);
                Colour colour = clNone;
                if (!row.groupColour.empty() && !TryStringToColor(row.groupColour, colour))
                    return SummaryUsage("\"" + row.groupColour + "\" is no colour");
            }
            if (!queries)
                queries.emplace();
            queries->push_back(std::move(row));
        } else {
            return SummaryUsage("unexpected \"" + arg + "\"");
        }
    }

    StderrMessageSink messages;
    auto loaded = LoadOrReport(args[0], options, messages);
    if (!loaded)
        return kExitFileError;
    if (queries)
        loaded->customQueryPanel.rows = *queries;
    for (const Range& range : ranges) {
        int first = 0;
        int last = 0;
        if (!ReadDayColumn(range.first, *loaded, first) ||
            !ReadDayColumn(range.last, *loaded, last))
            return SummaryUsage("\"" + range.first + " " + range.last +
                                "\" is no range of day columns");
    }
    ScheduleSession session(std::move(*loaded), messages);
    bool ok = session.summaryPanels().ShowRecorded();
    for (SummaryKind kind : {SummaryKind::CustomQuery, SummaryKind::EmployeesPerType,
                             SummaryKind::TypesPerDay, SummaryKind::WorkedHours})
        if (ok && !session.summaries().IsShown(kind))
            ok = session.summaryPanels().Show(kind);
    // Both ranges first: a lock pressed while the other summary is unlocked locks it too.
    for (const Range& range : ranges)
        ok = ok && session.summaryPanels().SelectRange(range.kind, ParseInt(range.first),
                                                       ParseInt(range.last));
    for (const Range& range : ranges)
        if (ok && !session.summaries().workedHours().scope.locked &&
            range.kind == SummaryKind::WorkedHours)
            ok = session.summaryPanels().PressLock(range.kind);
    for (const Range& range : ranges)
        if (ok && !session.summaries().employeesPerType().scope.locked &&
            range.kind == SummaryKind::EmployeesPerType)
            ok = session.summaryPanels().PressLock(range.kind);
    if (!ok)
        return kExitFileError;
    std::cout << SummaryJson(session) << '\n';
    return kExitOk;
}

} // namespace shiftex::cli
