#include "files/schedule_text.h"

#include "files/grid_cell_stream.h"
#include "files/holiday_store.h"
#include "files/schedule_file.h"
#include "files/schedule_text_reader.h"
#include "files/text_io.h"

#include <algorithm>
#include <stdexcept>

namespace shiftex {

namespace {

int SheetSize(const std::string& text, std::size_t lineNumber, const char* what)
{
    const int value = NumberAt(text, lineNumber);
    if (value < 1 || value > kMaxSheetSize)
        throw TextReadFailure("Line " + std::to_string(lineNumber) + ": the number of " + what +
                              " must lie between 1 and " + std::to_string(kMaxSheetSize) + ".");
    return value;
}

// Per-type section: line k goes to field `number` of the k-th type; surplus lines are ignored.
// Colours must convert; counts are kept as text, and one that is no number stops the colouring
// of the summaries that meet it, not the load.
enum class Kind { Text, Colour };

void ReadTypeField(LineReader& reader, std::vector<WorkingType>& types, const std::string& marker,
                   bool markerRequired, int number, Kind kind)
{
    const std::size_t start = reader.LineNumber();
    reader.ForEachInSection(marker, markerRequired, [&](std::string line, std::size_t k) {
        if (k >= types.size())
            return;
        if (kind == Kind::Colour)
            CheckColour(line, start + k);
        types[k].fields[number] = std::move(line);
    });
}

void ReadThresholdField(LineReader& reader, std::vector<ColorThreshold>& thresholds,
                        const std::string& marker, std::string ColorThreshold::*member, Kind kind)
{
    const std::size_t start = reader.LineNumber();
    reader.ForEachInSection(marker, false, [&](std::string line, std::size_t k) {
        if (k >= thresholds.size())
            return;
        if (kind == Kind::Colour)
            CheckColour(line, start + k);
        thresholds[k].*member = std::move(line);
    });
}

std::vector<std::string> ReadTemplate(const std::filesystem::path& path)
{
    std::optional<std::vector<std::string>> lines = ReadTextLines(path);
    if (!lines)
        throw TextReadFailure("The holiday template \"" + path.string() + "\" cannot be read.");
    return std::move(*lines);
}

void InsertYearMarker(std::vector<std::string>& holidayLines, const std::string& year)
{
    const auto at = holidayLines.empty() ? holidayLines.end() : holidayLines.begin() + 1;
    holidayLines.insert(at, kYearMarker + year);
}

void ReadHolidaysAndDepartments(LineReader& reader, ScheduleDocument& document,
                                const std::filesystem::path& programFolder, MessageSink& messages)
{
    const std::string year = YearTextOf(document.monthTitle);
    HolidayStore store(programFolder, messages);
    while (!reader.AtEnd() && reader.Peek() != "Holiday Template file")
        reader.Next();
    if (reader.AtEnd()) {
        document.holidayLines = ReadTemplate(store.CustomTemplatePath());
        MergeScheduleHolidays(document.holidayLines, document.holidayDays, document.holidayNames,
                              MonthNumberOf(document.monthTitle));
        InsertYearMarker(document.holidayLines, year);
        return;
    }
    reader.Next();
    const std::string region = reader.Next();
    // The region names a file of the year folder; it must not lead anywhere else.
    if (Trim(region).empty() || region.find_first_of("/\\") != std::string::npos ||
        region == "." || region == "..")
        throw TextReadFailure("Line " + std::to_string(reader.LineNumber() - 1) + ": \"" + region +
                          "\" is not a holiday region.");
    // Loading creates nothing: a year without its own templates yet reads the defaults.
    document.holidayLines = ReadTemplate(store.ScheduleTemplatePath(year, region));
    InsertYearMarker(document.holidayLines, year);

    reader.Next();  // "LstbDepartement info"
    const std::vector<std::string> names = reader.Section("end LstbDepartement info", true);
    reader.Next();  // "LstbDepartement COLOR info"
    const std::size_t coloursStart = reader.LineNumber();
    const std::vector<std::string> colours =
        reader.Section("end LstbDepartement COLOR info", true);
    for (std::size_t k = 0; k < colours.size(); ++k)
        CheckColour(colours[k], coloursStart + k);
    if (!colours.empty())
        document.mainDepartmentColour = colours.front();
    for (std::size_t k = 0; k < names.size(); ++k)
        document.departments.push_back(
            {names[k], k + 1 < colours.size() ? colours[k + 1] : std::string("clwhite")});
}

// One employee block: the name and the cells of the sheet's days.
struct EmployeeBlock {
    std::string name;
    std::vector<std::string> cells;
};

void Load(ScheduleDocument& document, LineReader& reader,
          const std::filesystem::path& programFolder, MessageSink& messages,
          const LoadProgress& progress, const TextMetrics& metrics)
{
    const int lineCount = progress ? static_cast<int>(reader.LineCount()) : 0;
    auto report = [&] {
        if (progress)
            progress(std::min(static_cast<int>(reader.LineNumber()) - 1, lineCount), lineCount);
    };
    reader.Next();
    const int cols = SheetSize(reader.Peek(), reader.LineNumber(), "columns");
    // The names and at least one day: a sheet without days has no month to lay out or save.
    if (cols < 2)
        throw TextReadFailure("Line 2: a schedule needs at least one day.");
    reader.Next();
    const int rows = SheetSize(reader.Peek(), reader.LineNumber(), "rows");
    reader.Next();
    document.monthTitle = reader.Next();
    const std::string year = YearTextOf(document.monthTitle);
    const std::string month = MonthNumberOf(document.monthTitle);
    if (month.empty() || year.size() != 4 ||
        !std::all_of(year.begin(), year.end(), [](char ch) { return ch >= '0' && ch <= '9'; }))
        throw TextReadFailure("Line 4: \"" + document.monthTitle + "\" is not a month and a year.");
    // The text holds one month, so its days are the day columns; more are no schedule.
    const int days = DaysInMonth(std::stoi(month), std::stoi(year));
    if (cols - 1 > days)
        throw TextReadFailure("Line 2: " + std::to_string(cols - 1) + " days do not fit \"" +
                              document.monthTitle + "\", which has " + std::to_string(days) +
                              ".");

    document.weekendDays = reader.Section("end weekend", true);
    document.holidayDays = reader.Section("end holidays", true);
    CheckColour(reader.Peek(), reader.LineNumber());
    document.weekendColour = reader.Next();
    CheckColour(reader.Peek(), reader.LineNumber());
    document.holidayColour = reader.Next();

    // The blocks are read before the sheet is made, so that the sheet holds what the text holds;
    // blocks beyond the announced rows and cells beyond the announced days are passed over.
    std::vector<EmployeeBlock> blocks;
    std::size_t blocksRead = 0;
    while (reader.Peek() != "end all person") {
        if (reader.AtEnd())
            throw TextReadFailure("The employees are not closed by \"end all person\".");
        std::string name = reader.Next();
        const bool kept = static_cast<int>(blocks.size()) + 1 < rows;
        EmployeeBlock block{name, {}};
        for (int col = 1; reader.Peek() != "end this person"; ++col) {
            if (reader.AtEnd())
                throw TextReadFailure("The employee \"" + name +
                                      "\" is not closed by \"end this person\".");
            std::string cell = reader.Next();
            if (kept && col < cols)
                block.cells.push_back(std::move(cell));
        }
        reader.Next();
        if (kept)
            blocks.push_back(std::move(block));
        if ((++blocksRead & 63) == 0)
            report();
    }
    reader.Next();
    report();
    // Every row below the day numbers is an employee's block; rows that no block fills are an
    // announcement the text does not hold.
    if (static_cast<int>(blocks.size()) + 1 < rows)
        throw TextReadFailure("Line 3: " + std::to_string(rows - 1) +
                              " employees are announced, but the text holds " +
                              std::to_string(blocks.size()) + ".");

    ScheduleSheet& sheet = document.sheet;
    sheet.Resize(cols, rows);
    for (int c = 1; c < cols; ++c)
        sheet.SetText(c, 0, std::to_string(c));
    for (int row = 1; row < rows; ++row) {
        EmployeeBlock& block = blocks[static_cast<std::size_t>(row - 1)];
        sheet.SetText(0, row, std::move(block.name));
        for (std::size_t k = 0; k < block.cells.size(); ++k)
            sheet.SetText(static_cast<int>(k) + 1, row, std::move(block.cells[k]));
    }
    blocks = {};

    ScheduleTextBody body = ReadScheduleTextBody(reader);
    for (WorkingType& type : body.workingTypes)
        document.workingTypes.Add(std::move(type));
    document.RefreshTypeCodes();
    document.customQueryLines = std::move(body.customQueryLines);
    document.customQueryNames = CustomQueryNamesOf(document.customQueryLines);
    document.queryThresholds = std::move(body.queryThresholds);
    document.holidayNames = std::move(body.holidayNames);
    if (body.hasFont) {
        document.fontName = std::move(body.fontName);
        document.fontColour = std::move(body.fontColour);
    }
    report();
    ReadHolidaysAndDepartments(reader, document, programFolder, messages);
    report();

    document.currentCode.clear();
    try {
        LayoutMonthRow(sheet, document.monthTitle);
        LayoutWeekRow(sheet);
        ColourDayColumns(document, metrics);
        PlaceExtendButtons(sheet);
        LayoutNameColumns(sheet, kEmployeeDaysCaption);
    } catch (const ConversionError& error) {
        throw TextReadFailure("The days of the sheet do not fit \"" + document.monthTitle +
                          "\": " + error.what());
    }
    report();
}

} // namespace

std::vector<std::string> LineReader::Section(const std::string& marker, bool markerRequired)
{
    const std::size_t start = LineNumber();
    std::vector<std::string> section;
    ForEachInSection(marker, markerRequired, [&](std::string line, std::size_t) {
        if (section.size() == kMaxListLines)
            throw TextReadFailure("The section starting on line " + std::to_string(start) +
                                  " holds more than " + std::to_string(kMaxListLines) +
                                  " lines.");
        section.push_back(std::move(line));
    });
    return section;
}

int NumberAt(const std::string& text, std::size_t lineNumber)
{
    int value = 0;
    if (!TryParseInt(text, value))
        throw TextReadFailure("Line " + std::to_string(lineNumber) + ": \"" + text +
                              "\" is not a valid number.");
    return value;
}

void CheckColour(const std::string& text, std::size_t lineNumber)
{
    Colour colour = 0;
    if (!TryStringToColor(text, colour))
        throw TextReadFailure("Line " + std::to_string(lineNumber) + ": \"" + text +
                              "\" is not a valid colour.");
}

WorkingType TextDeclaredType(const std::string& code)
{
    WorkingType type;
    type.fields[field::Code] = code;
    type.fields[field::Information] = "information of " + code;
    for (int f = field::From1; f <= field::Til2; ++f)
        type.fields[f] = "00H00";
    for (int f = field::DayMinColour; f < field::Count; f += 2) {
        type.fields[f] = "clwhite";
        type.fields[f + 1] = "1";
    }
    return type;
}

ScheduleTextBody ReadScheduleTextBody(LineReader& reader)
{
    ScheduleTextBody body;
    std::vector<WorkingType>& types = body.workingTypes;
    for (const std::string& code : reader.Section("end workingtypes", true))
        types.push_back(TextDeclaredType(code));

    body.customQueryLines = reader.Section(kEndAllAdditions, true);
    body.customQueryLines.push_back(kEndAllAdditions);
    for (const std::string& name : CustomQueryNamesOf(body.customQueryLines))
        body.queryThresholds.push_back(ColorThreshold{name});

    reader.SkipPast("end all workinghours");
    ReadTypeField(reader, types, "end from1", true, field::From1, Kind::Text);
    ReadTypeField(reader, types, "end til1", true, field::Til1, Kind::Text);
    ReadTypeField(reader, types, "end from2", true, field::From2, Kind::Text);
    ReadTypeField(reader, types, "end til2", true, field::Til2, Kind::Text);
    body.holidayNames = reader.Section("end holidaynames", true);

    const std::size_t iconStart = reader.LineNumber();
    reader.ForEachInSection("end glyps", false, [&](const std::string& line, std::size_t k) {
        if (k < types.size())
            types[k].iconIndex = NumberAt(line, iconStart + k);
    });
    if (!reader.AtEnd() && Trim(reader.Peek()).empty())
        reader.Next();

    static constexpr struct {
        const char* marker;
        int number;
        Kind kind;
    } typeThresholds[] = {
        {"end min color day/type", field::DayMinColour, Kind::Colour},
        {"end min count day/type", field::DayMinCount, Kind::Text},
        {"end max color day/type", field::DayMaxColour, Kind::Colour},
        {"end max count day/type", field::DayMaxCount, Kind::Text},
        {"end min color employee/type", field::EmployeeMinColour, Kind::Colour},
        {"end min count employee/type", field::EmployeeMinCount, Kind::Text},
        {"end max color employee/type", field::EmployeeMaxColour, Kind::Colour},
        {"end max count employee/type", field::EmployeeMaxCount, Kind::Text},
    };
    for (const auto& section : typeThresholds)
        ReadTypeField(reader, types, section.marker, false, section.number, section.kind);
    std::vector<ColorThreshold>& thresholds = body.queryThresholds;
    ReadThresholdField(reader, thresholds, "end min color special summation",
                       &ColorThreshold::minColour, Kind::Colour);
    ReadThresholdField(reader, thresholds, "end min count special summation",
                       &ColorThreshold::minCount, Kind::Text);
    ReadThresholdField(reader, thresholds, "end max color special summation",
                       &ColorThreshold::maxColour, Kind::Colour);
    ReadThresholdField(reader, thresholds, "end max count special summation",
                       &ColorThreshold::maxCount, Kind::Text);

    if (reader.Peek() == "Font") {
        body.hasFont = true;
        body.fontName = reader.Peek(1);
        CheckColour(reader.Peek(2), reader.LineNumber() + 2);
        body.fontColour = reader.Peek(2);
        reader.Skip(3);
    } else {
        reader.Next();
    }
    ReadTypeField(reader, types, "end workingtype information", false, field::Information,
                  Kind::Text);
    return body;
}

namespace {

Result<ScheduleDocument> LoadFrom(LineReader& reader, const std::filesystem::path& programFolder,
                                  MessageSink& messages, const LoadProgress& progress,
                                  const TextMetrics& metrics)
{
    if (reader.AtEnd() || reader.Peek() != kScheduleTextMagic)
        return Fail(ErrorKind::DamagedFile, kDamagedFileMessage);
    ScheduleDocument loaded = CreateDocument();
    // The reader throws where a line is wrong; this is the one place that turns it into a result.
    try {
        Load(loaded, reader, programFolder, messages, progress, metrics);
    } catch (const TextReadFailure& failure) {
        return Fail(ErrorKind::DamagedFile, failure.what());
    } catch (const ConversionError& error) {
        return Fail(ErrorKind::Conversion, error.what());
    }
    return loaded;
}

} // namespace

Result<ScheduleDocument> LoadScheduleText(const std::vector<std::string>& lines,
                                          const std::filesystem::path& programFolder,
                                          MessageSink& messages, const LoadProgress& progress,
                                          const TextMetrics& metrics)
{
    LineReader reader(lines);
    return LoadFrom(reader, programFolder, messages, progress, metrics);
}

Result<ScheduleDocument> LoadScheduleText(std::string_view text,
                                          const std::filesystem::path& programFolder,
                                          MessageSink& messages, const LoadProgress& progress,
                                          const TextMetrics& metrics)
{
    LineReader reader(text);
    return LoadFrom(reader, programFolder, messages, progress, metrics);
}

std::vector<std::string> ComposeScheduleText(const ScheduleTextContent& content)
{
    std::vector<std::string> out;
    auto section = [&out](const std::vector<std::string>& lines, const char* marker) {
        out.insert(out.end(), lines.begin(), lines.end());
        out.emplace_back(marker);
    };
    auto typeField = [&](int number, const char* marker) {
        for (const WorkingType& type : content.workingTypes)
            out.push_back(type.fields[number]);
        out.emplace_back(marker);
    };
    auto thresholdField = [&](std::string ColorThreshold::*member, const char* marker) {
        for (const ColorThreshold& threshold : content.queryThresholds)
            out.push_back(threshold.*member);
        out.emplace_back(marker);
    };

    out.emplace_back(kScheduleTextMagic);
    out.push_back(std::to_string(content.days + 1));
    out.push_back(std::to_string(content.employees.size() + 1));
    out.push_back(content.monthTitle);
    section(content.weekendDays, "end weekend");
    section(content.holidayDays, "end holidays");
    out.push_back(content.weekendColour);
    out.push_back(content.holidayColour);
    for (const ScheduleTextContent::Employee& employee : content.employees) {
        out.push_back(employee.name);
        section(employee.cells, "end this person");
    }
    out.emplace_back("end all person");
    typeField(field::Code, "end workingtypes");
    out.insert(out.end(), content.customQueryLines.begin(), content.customQueryLines.end());
    if (content.customQueryLines.empty() || content.customQueryLines.back() != kEndAllAdditions)
        out.emplace_back(kEndAllAdditions);
    out.emplace_back("end all workinghours");
    typeField(field::From1, "end from1");
    typeField(field::Til1, "end til1");
    typeField(field::From2, "end from2");
    typeField(field::Til2, "end til2");
    section(content.holidayNames, "end holidaynames");
    for (const WorkingType& type : content.workingTypes)
        out.push_back(std::to_string(type.iconIndex));
    out.emplace_back("end glyps");
    typeField(field::DayMinColour, "end min color day/type");
    typeField(field::DayMinCount, "end min count day/type");
    typeField(field::DayMaxColour, "end max color day/type");
    typeField(field::DayMaxCount, "end max count day/type");
    typeField(field::EmployeeMinColour, "end min color employee/type");
    typeField(field::EmployeeMinCount, "end min count employee/type");
    typeField(field::EmployeeMaxColour, "end max color employee/type");
    typeField(field::EmployeeMaxCount, "end max count employee/type");
    thresholdField(&ColorThreshold::minColour, "end min color special summation");
    thresholdField(&ColorThreshold::minCount, "end min count special summation");
    thresholdField(&ColorThreshold::maxColour, "end max color special summation");
    thresholdField(&ColorThreshold::maxCount, "end max count special summation");
    out.emplace_back("Font");
    out.push_back(content.fontName);
    out.push_back(content.fontColour);
    typeField(field::Information, "end workingtype information");
    out.emplace_back("Holiday Template file");
    out.push_back(content.region);
    out.emplace_back("LstbDepartement info");
    section(content.departmentNames, "end LstbDepartement info");
    out.emplace_back("LstbDepartement COLOR info");
    section(content.departmentColours, "end LstbDepartement COLOR info");
    return out;
}

std::vector<std::string> WriteScheduleText(const ScheduleDocument& document)
{
    const ScheduleSheet& sheet = document.sheet;
    if (document.departmentsView)
        throw std::invalid_argument("a schedule text is written from the normal view");
    ScheduleTextContent content;
    const int firstDay = document.FirstDayColumn();
    content.days = sheet.colCount() - firstDay;
    content.monthTitle = document.monthTitle;
    for (int c = firstDay; c < sheet.colCount(); ++c) {
        const Date date = document.DayOfColumn(c);
        if (IsWeekend(date.day, date.month, date.year))
            content.weekendDays.push_back(std::to_string(date.day));
    }
    content.holidayDays = document.holidayDays;
    content.holidayNames = document.holidayNames;
    content.weekendColour = document.weekendColour;
    content.holidayColour = document.holidayColour;
    for (int r = document.FirstEmployeeRow(); r < sheet.rowCount(); ++r) {
        ScheduleTextContent::Employee employee{sheet.Text(1, r), {}};
        for (int c = firstDay; c < sheet.colCount(); ++c) {
            const std::string& text = sheet.Text(c, r);
            if (text.find_first_of("\r\n") != std::string::npos)
                throw std::invalid_argument("a day cell of several lines: " + employee.name);
            employee.cells.push_back(text);
        }
        content.employees.push_back(std::move(employee));
    }
    for (int i = 1; i < document.workingTypes.Count(); ++i)
        content.workingTypes.push_back(document.workingTypes.At(i));
    content.customQueryLines = document.customQueryLines;
    content.queryThresholds = document.queryThresholds;
    content.fontName = document.fontName;
    content.fontColour = document.fontColour;
    content.region = RegionOfLines(document.holidayLines);
    for (const Department& department : document.departments)
        content.departmentNames.push_back(department.name);
    content.departmentColours.push_back(document.mainDepartmentColour);
    for (const Department& department : document.departments)
        content.departmentColours.push_back(department.colour);
    return ComposeScheduleText(content);
}

} // namespace shiftex
