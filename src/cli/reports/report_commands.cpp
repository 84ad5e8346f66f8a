#include "cli/reports/report_commands.h"

#include "cli/json.h"
#include "platform/report_export.h"
#include "platform/report_files.h"
#include "reports/bar_graph.h"
#include "reports/calendar_events.h"
#include "summaries/summary_set.h"
#include "ui/bar_schedule_window.h"
#include "ui/print_pictures.h"

#include <QApplication>
#include <QFile>

#include <algorithm>
#include <expected>
#include <iostream>
#include <memory>
#include <optional>

namespace shiftex::cli {

namespace {

// The words of a command line: the positional ones, and each known option with its values.
struct Arguments {
    std::vector<std::string> positional;
    std::map<std::string, std::vector<std::string>> options;
    bool Has(const std::string& name) const { return options.count(name) != 0; }
    const std::string& Value(const std::string& name) const { return options.at(name).front(); }
};

// Nullopt with the reason in `error` when an option is unknown or lacks its values.
std::optional<Arguments> ParseArguments(const std::vector<std::string>& words,
                                        const std::map<std::string, int>& known,
                                        std::string& error)
{
    Arguments arguments;
    for (std::size_t i = 0; i < words.size(); ++i) {
        const std::string& word = words[i];
        if (word.size() < 3 || word.compare(0, 2, "--") != 0) {
            arguments.positional.push_back(word);
            continue;
        }
        const auto it = known.find(word);
        if (it == known.end()) {
            error = "unknown option " + word;
            return std::nullopt;
        }
        if (i + static_cast<std::size_t>(it->second) >= words.size()) {
            error = word + " needs " + std::to_string(it->second) + " value(s)";
            return std::nullopt;
        }
        std::vector<std::string>& values = arguments.options[word];
        values.assign(words.begin() + static_cast<std::ptrdiff_t>(i + 1),
                      words.begin() + static_cast<std::ptrdiff_t>(i + 1 + it->second));
        i += static_cast<std::size_t>(it->second);
    }
    return arguments;
}

int UsageError(const std::string& usage, const std::string& reason = {})
{
    if (!reason.empty())
        std::cerr << "shiftex-cli: " << reason << '\n';
    std::cerr << "usage: shiftex-cli " << usage << '\n';
    return kExitUsage;
}

int FileError(const std::string& message)
{
    std::cerr << message << '\n';
    return kExitFileError;
}

// --selection LEFT TOP RIGHT BOTTOM; false when a value is no number.
bool ReadSelection(const Arguments& arguments, std::optional<CellRect>& selection)
{
    if (!arguments.Has("--selection"))
        return true;
    const std::vector<std::string>& values = arguments.options.at("--selection");
    int v[4] = {};
    for (int i = 0; i < 4; ++i)
        if (!TryParseInt(values[static_cast<std::size_t>(i)], v[i]))
            return false;
    selection = CellRect{std::min(v[0], v[2]), std::min(v[1], v[3]), std::max(v[0], v[2]),
                         std::max(v[1], v[3])};
    return true;
}

std::optional<PrintSource> SourceNamed(const std::string& name)
{
    static const std::map<std::string, PrintSource> sources{
        {"sheet", PrintSource::Sheet},         {"icons", PrintSource::Icons},
        {"queries", PrintSource::Queries},     {"types", PrintSource::Types},
        {"employees", PrintSource::Employees}, {"hours", PrintSource::Hours}};
    const auto it = sources.find(name);
    return it == sources.end() ? std::nullopt : std::optional(it->second);
}

std::optional<SummaryKind> SummaryOf(PrintSource source)
{
    switch (source) {
    case PrintSource::Queries: return SummaryKind::CustomQuery;
    case PrintSource::Types: return SummaryKind::TypesPerDay;
    case PrintSource::Employees: return SummaryKind::EmployeesPerType;
    case PrintSource::Hours: return SummaryKind::WorkedHours;
    case PrintSource::Sheet:
    case PrintSource::Icons: break;
    }
    return std::nullopt;
}

// The print copy of a loaded document; the summary it needs is computed with the document's
// own query rows.
Result<PrintCopy> CopyOf(ScheduleDocument& document, PrintSource source,
                         const std::optional<CellRect>& selection)
{
    SummarySet summaries(document);
    try {
        // Those the file records as shown are computed as on opening; another one is shown.
        summaries.ShowRecorded();
        if (const std::optional<SummaryKind> kind = SummaryOf(source))
            summaries.Show(*kind);
    } catch (const ConversionError& error) {
        return Fail(ErrorKind::Conversion, error.what());
    }
    return MakePrintCopy(source, document, summaries, selection);
}

// Drawing needs a GUI application; without a display it draws offscreen.
class DrawingApplication {
public:
    DrawingApplication()
    {
        if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
            qputenv("QT_QPA_PLATFORM", "offscreen");
        application_ = std::make_unique<QApplication>(argc_, argv_);
    }

private:
    int argc_ = 1;
    char name_[12] = "shiftex-cli";
    char* argv_[2] = {name_, nullptr};
    std::unique_ptr<QApplication> application_;
};

Json PrintCopyJson(const PrintCopy& copy)
{
    const ScheduleSheet& grid = copy.grid;
    Json cells = Json::array();
    for (int c = 0; c < grid.colCount(); ++c)
        for (int r = 0; r < grid.rowCount(); ++r) {
            const int icon = IconOfCell(grid, c, r);
            if (grid.Text(c, r).empty() && !grid.PropsIfAny(c, r))
                continue;
            Json cell = CellJson(grid, c, r);
            if (copy.source == PrintSource::Icons && icon >= 0)
                cell["icon"] = icon;
            cells.push_back(std::move(cell));
        }
    return Json{{"colCount", grid.colCount()}, {"rowCount", grid.rowCount()},
                {"fixedRows", grid.fixedRows}, {"fixedCols", grid.fixedCols},
                {"cells", std::move(cells)}};
}

Json BarGraphJson(const BarGraph& graph, const std::vector<LegendButton>& legend)
{
    Json buttons = Json::array();
    for (const LegendButton& button : legend)
        buttons.push_back({{"label", button.label}, {"colour", ColorToString(button.colour)}});
    Json columns = Json::array();
    for (const BarColumn& column : graph.columns) {
        Json worked = Json::array();
        for (int s = 0; s < kSlotCount; ++s)
            if (column.worked.test(static_cast<std::size_t>(s)))
                worked.push_back(kFirstSlotRow + s);
        columns.push_back({{"kind", column.kind == BarColumnKind::Spacer ? "spacer" : "bar"},
                           {"day", column.day},
                           {"colour", ColorToString(column.colour)},
                           {"slots", std::move(worked)}});
    }
    return Json{{"title", graph.title}, {"legend", std::move(buttons)},
                {"columns", std::move(columns)}};
}

} // namespace

namespace {

// The words of a command with its known options, --selection read; the exit status of a usage
// error otherwise. `positional` words are wanted, and the option `required`.
struct Command {
    Arguments arguments;
    std::optional<CellRect> selection;
};

std::expected<Command, int> ReadCommand(const Options& options,
                                        const std::map<std::string, int>& known,
                                        std::size_t positional, const char* required,
                                        const std::string& usage)
{
    std::string error;
    std::optional<Arguments> arguments = ParseArguments(options.arguments, known, error);
    if (!arguments)
        return std::unexpected(UsageError(usage, error));
    Command command{std::move(*arguments), std::nullopt};
    if (command.arguments.positional.size() != positional ||
        !command.arguments.Has(required) || !ReadSelection(command.arguments, command.selection))
        return std::unexpected(UsageError(usage));
    return command;
}

// print-copy and print: the schedule FILE (the first word) and its copy that --source and
// --selection name; the exit status on failure.
std::expected<PrintCopy, int> RequestedCopy(const Options& options, const Command& command,
                                            const std::string& usage)
{
    const std::optional<PrintSource> source = SourceNamed(command.arguments.Value("--source"));
    if (!source)
        return std::unexpected(
            UsageError(usage, "unknown source " + command.arguments.Value("--source")));
    StderrMessageSink messages;
    auto document = LoadOrReport(command.arguments.positional[0], options, messages);
    if (!document)
        return std::unexpected(kExitFileError);
    Result<PrintCopy> copy = CopyOf(*document, *source, command.selection);
    if (!copy)
        return std::unexpected(FileError(copy.error().message));
    return std::move(*copy);
}

const std::map<std::string, int> kCopyOptions{{"--source", 1}, {"--selection", 4}};

} // namespace

int RunPrintCopy(const Options& options)
{
    const std::string usage =
        "print-copy FILE --source sheet|icons|queries|types|employees|hours "
        "[--selection LEFT TOP RIGHT BOTTOM]";
    const auto command = ReadCommand(options, kCopyOptions, 1, "--source", usage);
    if (!command)
        return command.error();
    const auto copy = RequestedCopy(options, *command, usage);
    if (!copy)
        return copy.error();
    std::cout << JsonText(PrintCopyJson(*copy)) << '\n';
    return kExitOk;
}

int RunPrint(const Options& options)
{
    const std::string usage =
        "print FILE OUT.pdf --source sheet|icons|queries|types|employees|hours "
        "[--selection LEFT TOP RIGHT BOTTOM]";
    const auto command = ReadCommand(options, kCopyOptions, 2, "--source", usage);
    if (!command)
        return command.error();
    const auto copy = RequestedCopy(options, *command, usage);
    if (!copy)
        return copy.error();
    DrawingApplication application;
    const Result<void> written =
        WritePdf(*copy, command->arguments.positional[1], PrintPictures());
    return written ? kExitOk : FileError(written.error().message);
}

int RunExport(const Options& options)
{
    const std::string usage =
        "export FILE OUT --format html|xml|xlsx|odt|pdf [--selection LEFT TOP RIGHT BOTTOM]";
    const auto command =
        ReadCommand(options, {{"--format", 1}, {"--selection", 4}}, 2, "--format", usage);
    if (!command)
        return command.error();
    const std::string& format = command->arguments.Value("--format");
    const auto type = std::find_if(kExportTypes.begin(), kExportTypes.end(),
                                   [&](const auto& t) { return format == t.cliName; });
    if (type == kExportTypes.end())
        return UsageError(usage, "unknown format " + format);
    StderrMessageSink messages;
    auto document = LoadOrReport(command->arguments.positional[0], options, messages);
    if (!document)
        return kExitFileError;
    std::optional<DrawingApplication> application;
    if (type->type == ExportType::Pdf || type->type == ExportType::Odt)
        application.emplace();
    const Result<void> written = ExportSchedule(*document, command->selection, type->type,
                                                command->arguments.positional[1],
                                                PrintPictures());
    return written ? kExitOk : FileError(written.error().message);
}

int RunBarGraph(const Options& options)
{
    const std::string usage =
        "bargraph FILE --selection LEFT TOP RIGHT BOTTOM [--employee NAME] [--json] "
        "[--out FILE.png|FILE.bmp|FILE.pdf]";
    const auto command = ReadCommand(
        options, {{"--selection", 4}, {"--employee", 1}, {"--json", 0}, {"--out", 1}}, 1,
        "--selection", usage);
    if (!command)
        return command.error();
    const Arguments* arguments = &command->arguments;
    const std::optional<CellRect>& selection = command->selection;
    std::string out;
    if (arguments->Has("--out")) {
        out = arguments->Value("--out");
        const std::string suffix = out.size() >= 4 ? out.substr(out.size() - 4) : std::string();
        if (suffix != ".png" && suffix != ".bmp" && suffix != ".pdf")
            return UsageError(usage, "the picture must be a .png, .bmp or .pdf file");
    }
    StderrMessageSink messages;
    auto document = LoadOrReport(arguments->positional[0], options, messages);
    if (!document)
        return kExitFileError;
    const ScheduleSheet& sheet = document->sheet;
    int row = sheet.fixedRows;
    if (arguments->Has("--employee")) {
        row = BarGraphRowOfName(*document, arguments->Value("--employee"));
        if (row < 0)
            return UsageError(usage, "no employee named " + arguments->Value("--employee"));
    }
    const Result<std::vector<LegendButton>> legend = BarGraphLegend(*document);
    if (!legend)
        return FileError(legend.error().message);
    const Result<BarGraph> graph =
        DrawBarGraph(*document, row, selection->left, selection->right);
    if (!graph)
        return FileError(graph.error().message);
    if (arguments->Has("--json") || out.empty())
        std::cout << JsonText(BarGraphJson(*graph, *legend)) << '\n';
    if (out.empty())
        return kExitOk;
    DrawingApplication application;
    BarScheduleWindow window(messages);
    window.Fill(*document, selection->left, selection->right);
    window.ChooseEmployee(row - sheet.fixedRows);
    return window.saveAs(QFile::decodeName(out.c_str())) ? kExitOk : kExitFileError;
}

int RunIcs(const Options& options)
{
    const std::string usage = "ics FILE OUTDIR [--employee NAME] [--timezone ZONE]";
    std::string error;
    const auto arguments =
        ParseArguments(options.arguments, {{"--employee", 1}, {"--timezone", 1}}, error);
    if (!arguments)
        return UsageError(usage, error);
    if (arguments->positional.size() != 2)
        return UsageError(usage);
    CalendarZone zone = arguments->Has("--timezone") ? CalendarZone{arguments->Value("--timezone")}
                                                     : SystemCalendarZone();
    if (arguments->Has("--timezone") && !KnownCalendarZone(zone.id))
        return UsageError(usage, "unknown time zone " + zone.id);
    if (!KnownCalendarZone(zone.id))
        zone.id.clear();
    StderrMessageSink messages;
    auto document = LoadOrReport(arguments->positional[0], options, messages);
    if (!document)
        return kExitFileError;
    const std::string employee = arguments->Has("--employee") ? arguments->Value("--employee")
                                                              : std::string();
    const Result<std::vector<EmployeeCalendar>> calendars =
        ScheduleCalendars(*document, employee);
    if (!calendars)
        return FileError(calendars.error().message);
    if (!employee.empty() && calendars->empty())
        return UsageError(usage, "no employee named " + employee);
    const std::filesystem::path folder = arguments->positional[1];
    if (const Result<void> written = WriteCalendars(*calendars, folder, zone); !written)
        return FileError(written.error().message);
    Json files = Json::array();
    for (const EmployeeCalendar& calendar : *calendars)
        files.push_back({{"employee", calendar.employee},
                         {"file", (folder / calendar.fileName).string()},
                         {"events", calendar.events.size()}});
    std::cout << JsonText(Json{{"timezone", zone.id}, {"files", std::move(files)}}) << '\n';
    return kExitOk;
}

void AddReportCommands(std::map<std::string, CommandFunction>& commands)
{
    commands.emplace("print-copy", RunPrintCopy);
    commands.emplace("export", RunExport);
    commands.emplace("print", RunPrint);
    commands.emplace("bargraph", RunBarGraph);
    commands.emplace("ics", RunIcs);
}

const char* ReportCommandsUsage()
{
    return "  print-copy FILE --source S   print the print copy of FILE as JSON\n"
           "  export FILE OUT --format F   write the work schedule as html, xml, xlsx, odt or "
           "pdf\n"
           "  print FILE OUT.pdf --source S  print the source S to a PDF file\n"
           "  bargraph FILE --selection L T R B  the bar schedule as JSON or a picture\n"
           "  ics FILE OUTDIR              one calendar file per employee\n";
}

} // namespace shiftex::cli
