#include "files/holiday_store.h"

#include "files/text_io.h"
#include "model/text_helpers.h"

#include <algorithm>
#include <optional>
#include <system_error>

namespace shiftex {

namespace fs = std::filesystem;

namespace {

bool StartsWithBracket(const std::string& line)
{
    return !line.empty() && line.front() == '[';
}

// Day and month numbers: two digits at least, "5" gives "05".
std::string NumberText(int value)
{
    if (value >= 0 && value < 10)
        return "0" + std::to_string(value);
    return std::to_string(value);
}

std::string FourDigits(int year)
{
    std::string text = std::to_string(year);
    if (text.size() < 4)
        text.insert(0, 4 - text.size(), '0');
    return text;
}

bool IsDigit(char c)
{
    return c >= '0' && c <= '9';
}

// Years and regions become folder and file names; a name that could leave the holidays folder
// (a schedule file may name any region) is refused.
bool IsYearText(const std::string& year)
{
    return !year.empty() && std::all_of(year.begin(), year.end(), IsDigit);
}

bool IsRegionName(const std::string& region)
{
    return !region.empty() && region != "." && region != ".." &&
           region.find_first_of(std::string("/\\\0", 3)) == std::string::npos;
}

std::string RegionLine(const std::string& region)
{
    return "[" + region + "]";
}

std::optional<std::size_t> FindLine(const std::vector<std::string>& lines, const std::string& text)
{
    const auto it = std::find(lines.begin(), lines.end(), text);
    if (it == lines.end())
        return std::nullopt;
    return static_cast<std::size_t>(it - lines.begin());
}

// Removes the entries below a header and gives the position right below it.
std::size_t ClearSection(std::vector<std::string>& lines, std::size_t header)
{
    const std::size_t p = header + 1;
    std::size_t end = p;
    while (end < lines.size() && !StartsWithBracket(lines[end]))
        ++end;
    lines.erase(lines.begin() + static_cast<std::ptrdiff_t>(p),
                lines.begin() + static_cast<std::ptrdiff_t>(end));
    return p;
}

// Each entry goes right below the header, so the section holds them in reverse order.
void InsertBelowHeader(std::vector<std::string>& lines, const std::string& key,
                       const std::vector<std::string>& entries)
{
    const auto header = FindLine(lines, key);
    // Templates carry all twelve headers; one without the month's header is left as it is
    // rather than given a header in a place of our choosing.
    if (!header)
        return;
    const std::size_t p = ClearSection(lines, *header);
    for (const auto& entry : entries)
        lines.insert(lines.begin() + static_cast<std::ptrdiff_t>(p), entry);
}

std::string CannotOpen(const fs::path& path)
{
    return "Cannot open file \"" + path.string() + "\".";
}

std::string YearOfTitle(const std::string& title)
{
    return title.size() > 4 ? title.substr(title.size() - 4) : title;
}

} // namespace

HolidayStore::HolidayStore(fs::path programFolder, MessageSink& messages)
    : programFolder_(std::move(programFolder)), messages_(messages)
{
}

fs::path HolidayStore::DefaultFolder() const
{
    return ResolvePath(programFolder_, fs::path("Holidays") / "Default");
}

fs::path HolidayStore::YearFolder(const std::string& year) const
{
    return ResolvePath(programFolder_, fs::path("holidays") / year);
}

fs::path HolidayStore::TemplatePath(const std::string& year, const std::string& region) const
{
    return ResolvePath(programFolder_, fs::path("holidays") / year / (region + ".ini"));
}

fs::path HolidayStore::CustomTemplatePath() const
{
    return ResolvePath(programFolder_, fs::path("holidays") / "Default" / "Custom.ini");
}

bool HolidayStore::EnsureYearFolder(const std::string& year)
{
    const fs::path folder = YearFolder(year);
    const std::string shown = folder.lexically_relative(programFolder_).generic_string();
    auto folderError = [&] {
        messages_.Error("Could not create directory for \"" + shown + "\"" + "\n\r" +
                        "Make sure you have write permission.");
    };
    auto copyError = [&] {
        messages_.Error("Could not create Holiday files for " + year + "\n\r" +
                        "Make sure you have write permission to " + shown);
    };

    if (!IsYearText(year)) {
        folderError();
        return false;
    }
    std::error_code ec;
    const auto status = fs::status(folder, ec);
    if (fs::exists(status)) {
        if (fs::is_directory(status))
            return true;
        folderError();
        return false;
    }
    fs::create_directories(folder, ec);
    if (ec || !fs::is_directory(folder, ec)) {
        folderError();
        return false;
    }

    const fs::path listPath = ResolvePath(DefaultFolder(), "FileList.ini");
    const auto regions = ReadTextLines(listPath);
    if (!regions) {
        // An empty year folder would never be filled later: take it away again so that the next
        // attempt starts afresh.
        messages_.Error(CannotOpen(listPath));
        fs::remove(folder, ec);
        return false;
    }
    const fs::path defaults = DefaultFolder();
    for (const auto& region : *regions) {
        if (region.empty())
            continue;
        if (!IsRegionName(region)) {
            copyError();
            continue;
        }
        const std::string fileName = region + ".ini";
        // A region listed twice is copied once; an existing file is never overwritten.
        fs::copy_file(ResolvePath(defaults, fileName), folder / fileName,
                      fs::copy_options::skip_existing, ec);
        if (ec)
            copyError();
    }
    if (!WriteTextLines(folder / "FileList.ini", *regions))
        copyError();
    return true;
}

Result<std::vector<std::string>> HolidayStore::ListRegions(
    const std::string& year)
{
    EnsureYearFolder(year);
    const fs::path path = ResolvePath(YearFolder(year), "FileList.ini");
    auto lines = ReadTextLines(path);
    if (!lines)
        return Fail(ErrorKind::FileSystem, CannotOpen(path));
    std::erase(*lines, std::string());
    return std::move(*lines);
}

Result<std::vector<std::string>> HolidayStore::LoadTemplate(
    const std::string& year, const std::string& region)
{
    const fs::path path = TemplatePath(year, region);
    if (!IsYearText(year) || !IsRegionName(region))
        return Fail(ErrorKind::FileSystem, CannotOpen(path));
    auto lines = ReadTextLines(path);
    if (!lines)
        return Fail(ErrorKind::FileSystem, CannotOpen(path));
    return std::move(*lines);
}

fs::path HolidayStore::ScheduleTemplatePath(const std::string& year,
                                           const std::string& region) const
{
    const fs::path path = TemplatePath(year, region);
    std::error_code ec;
    return fs::exists(path, ec) ? path : ResolvePath(DefaultFolder(), region + ".ini");
}

Result<std::vector<std::string>> HolidayStore::ReadScheduleTemplate(
    const std::string& year, const std::string& region) const
{
    if (!IsYearText(year) || !IsRegionName(region))
        return Fail(ErrorKind::FileSystem, CannotOpen(TemplatePath(year, region)));
    const fs::path path = ScheduleTemplatePath(year, region);
    auto lines = ReadTextLines(path);
    if (!lines)
        return Fail(ErrorKind::FileSystem, CannotOpen(path));
    return std::move(*lines);
}

std::string MonthKey(const std::string& month)
{
    return "[" + NumberText(ParseInt(month)) + "]";
}

std::vector<HolidayRow> ReadMonthHolidays(const std::vector<std::string>& templateLines,
                                          const std::string& month)
{
    std::vector<HolidayRow> rows;
    const auto header = FindLine(templateLines, MonthKey(month));
    if (!header)
        return rows;
    for (std::size_t i = *header + 1; i < templateLines.size(); ++i) {
        const std::string& line = templateLines[i];
        if (StartsWithBracket(line))
            break;
        rows.push_back({line.substr(0, 2), "-", line.size() > 3 ? line.substr(3) : ""});
    }
    return rows;
}

void ReplaceMonthSection(std::vector<std::string>& templateLines,
                         const std::vector<HolidayRow>& rows, const std::string& month)
{
    const std::string key = MonthKey(month);
    std::vector<std::string> entries;
    entries.reserve(rows.size());
    for (const auto& row : rows) {
        // A blank line read as a row goes back as the blank line it was.
        const bool blank = row.day.empty() && row.name.empty();
        entries.push_back(blank ? std::string() : row.day + ":" + row.name);
    }
    InsertBelowHeader(templateLines, key, entries);
}

Result<void> HolidayStore::WriteMonthHolidays(
    std::vector<std::string>& templateLines, const std::vector<HolidayRow>& rows,
    const std::string& month, const fs::path& file)
{
    const std::string key = MonthKey(month);
    // Without the month's header the rows have no place; saying so beats reporting a save that
    // did not happen.
    if (!FindLine(templateLines, key))
        return Fail(ErrorKind::DamagedFile,
                    "The holiday file \"" + file.string() + "\" has no month " + key + ".");
    ReplaceMonthSection(templateLines, rows, month);
    return WriteTextLines(file, templateLines);
}

void MergeScheduleHolidays(std::vector<std::string>& templateLines,
                           const std::vector<std::string>& holidayDays,
                           const std::vector<std::string>& holidayNames, const std::string& month)
{
    const std::string key = MonthKey(month);
    // All days are read before the template changes, so a bad day leaves it as it was. A name
    // without a day has nothing to be put under.
    const std::size_t count = std::min(holidayDays.size(), holidayNames.size());
    std::vector<std::string> entries;
    entries.reserve(count);
    for (std::size_t k = 0; k < count; ++k)
        entries.push_back(NumberText(ParseInt(holidayDays[k])) + ":" + holidayNames[k]);
    InsertBelowHeader(templateLines, key, entries);
}

Result<std::vector<std::string>> HolidayStore::BuildHolidayLines(
    const ScheduleSheet& sheet, const std::string& region)
{
    // The years of the day columns, in column order; a column without a title of its own
    // belongs to the month on its left.
    std::vector<std::string> years;
    if (sheet.rowCount() > 0) {
        std::string title;
        for (int col = std::max(sheet.fixedCols, 0); col < sheet.colCount(); ++col) {
            if (!sheet.Text(col, 0).empty())
                title = sheet.Text(col, 0);
            if (title.empty())
                continue;
            const std::string year = YearOfTitle(title);
            if (years.empty() || years.back() != year)
                years.push_back(year);
        }
    }
    if (years.empty())
        return Fail(ErrorKind::RefusedInput, "The schedule has no month titles.");

    std::vector<std::string> list;
    const std::string regionLine = RegionLine(region);
    for (std::size_t n = 0; n < years.size(); ++n) {
        const std::string& year = years[n];
        // A year the sheet has just reached (a month added after December) has no folder yet:
        // its holidays come from the defaults until the user writes them.
        auto lines = ReadScheduleTemplate(year, region);
        if (!lines)
            return std::unexpected(lines.error());
        // A year's block holds the template after its region line; a first line that is not
        // exactly that stays in the block (a template without one keeps its first month).
        const bool named = !lines->empty() && lines->front() == regionLine;
        const std::string marker = kYearMarker + year;
        if (n == 0)
            list.push_back(regionLine);
        list.push_back(marker);
        list.insert(list.end(), lines->begin() + (named ? 1 : 0), lines->end());
    }
    return list;
}

Result<void> HolidayStore::WriteBackHolidayLines(
    int firstYear, int lastYear, const std::string& region, const std::vector<std::string>& list)
{
    if (lastYear < firstYear)
        return {};
    if (!IsRegionName(region))
        return Fail(ErrorKind::FileSystem,
                    "Cannot create file \"" +
                        TemplatePath(FourDigits(firstYear), region).string() + "\".");

    Result<void> result;
    const long long blocks = static_cast<long long>(lastYear) - firstYear + 1;
    std::size_t i = 1;
    for (long long block = 0; block < blocks && i < list.size(); ++block) {
        const std::string& marker = list[i];
        const std::string yearText = marker.size() > 11 ? marker.substr(11) : std::string();
        // The block runs to the next marker; the list's last line, its closing "[]", is added
        // back below.
        std::vector<std::string> lines;
        std::size_t j = i + 1;
        while (j + 1 < list.size() && !(list[j].size() > 1 && list[j][1] == '*'))
            lines.push_back(list[j++]);
        i = j;

        int year = 0;
        if (!TryParseInt(yearText, year) || year < firstYear || year > lastYear || year < 0 ||
            year > 9999)
            continue;
        const std::string yearName = FourDigits(year);
        EnsureYearFolder(yearName);
        const fs::path path = TemplatePath(yearName, region);

        if (lines.empty() || lines.front() != RegionLine(region))
            lines.insert(lines.begin(), RegionLine(region));
        if (lines.back() != "[]")
            lines.push_back("[]");
        // The first failure is told; the other years are written all the same.
        if (auto written = WriteTextLines(path, lines); !written && result)
            result = std::move(written);
    }
    return result;
}

} // namespace shiftex
