#include "setup/holidays_page.h"

#include "model/text_helpers.h"

#include <algorithm>

namespace shiftex {

namespace {

bool EqualsIgnoringCase(std::string_view a, std::string_view b)
{
    const auto lower = [](char c) {
        return (c >= 'A' && c <= 'Z') ? static_cast<char>(c - 'A' + 'a') : c;
    };
    return a.size() == b.size() && std::equal(a.begin(), a.end(), b.begin(), [&](char x, char y) {
               return lower(x) == lower(y);
           });
}

std::unexpected<Error> FileError(std::string message)
{
    return Fail(ErrorKind::FileSystem, std::move(message));
}

} // namespace

HolidaysPage::HolidaysPage(HolidayStore& store) : store_(store)
{
    AddField("name", 40);
    AddField("day");
    AddField("region");
    AddButton("save");
    AddButton("remove");
    Enable("remove", false);
    SetText("day", "01");
}

Result<void> HolidaysPage::Enter(const std::string& year, const std::string& month,
                                 const std::string& region, MissingRegion missing)
{
    year_ = year;
    month_ = std::to_string(ParseInt(month));
    calendar_.year = ParseInt(year_);
    calendar_.month = ParseInt(month_);
    SetText("region", region);
    regionIndex_ = -1;
    Result<void> result = OpenRegionList();
    regionIndex_ = IndexOfRegion(region);
    if (regionIndex_ < 0 && missing == MissingRegion::ChooseFirst && !regions_.empty()) {
        regionIndex_ = 0;
        SetText("region", regions_.front());
    }
    if (Result<void> loaded = LoadRegionTemplate(); result && !loaded)
        result = loaded;
    Refresh();
    return result;
}

std::vector<std::vector<std::string>> HolidaysPage::ListEntries() const
{
    std::vector<std::vector<std::string>> entries;
    for (const HolidayRow& row : rows_)
        entries.push_back({row.day, row.dash, row.name});
    return entries;
}

bool HolidaysPage::CanHold(std::string_view field, std::string_view text) const
{
    if (field == "region")
        return text.empty() || std::find(regions_.begin(), regions_.end(), text) != regions_.end();
    if (field == "day") {
        int day = 0;
        return TryParseInt(text, day) && day >= 0 && day <= 99;
    }
    return SetupPage::CanHold(field, text);
}

int HolidaysPage::IndexOfRegion(const std::string& region) const
{
    for (std::size_t k = 0; k < regions_.size(); ++k)
        if (EqualsIgnoringCase(regions_[k], region))
            return static_cast<int>(k);
    return -1;
}

int HolidaysPage::DaysOfMonth() const { return DaysInMonth(calendar_.month, calendar_.year); }

void HolidaysPage::SetDay(int day)
{
    SetText("day", TwoDigits(day));
    Enable("remove", false);
}

void HolidaysPage::Refresh()
{
    calendar_.bold.clear();
    for (const HolidayRow& row : rows_) {
        int day = 0;
        if (TryParseInt(row.day, day) && day >= 1 && day <= DaysOfMonth())
            calendar_.bold.push_back(day);
    }
    std::sort(calendar_.bold.begin(), calendar_.bold.end());
    calendar_.bold.erase(std::unique(calendar_.bold.begin(), calendar_.bold.end()),
                         calendar_.bold.end());
    SetText("day", "01");
}

Result<void> HolidaysPage::LoadRegionTemplate()
{
    templateLines_.clear();
    rows_.clear();
    if (regionIndex_ < 0)
        return {};
    auto lines = store_.LoadTemplate(year_, Text("region"));
    if (!lines)
        return FileError(lines.error().message);
    templateLines_ = std::move(*lines);
    rows_ = ReadMonthHolidays(templateLines_, month_);
    return {};
}

Result<void> HolidaysPage::OpenRegionList()
{
    auto regions = store_.ListRegions(year_);
    if (!regions)
        return FileError(regions.error().message);
    regions_ = std::move(*regions);
    // The chosen region stays chosen when the list is read again.
    if (regionIndex_ >= 0)
        regionIndex_ = IndexOfRegion(Text("region"));
    return {};
}

Result<void> HolidaysPage::MoveCalendar(int year, int month)
{
    if (year == calendar_.year && month == calendar_.month)
        return {};
    calendar_.year = year;
    calendar_.month = month;
    year_ = std::to_string(year);
    month_ = std::to_string(month);
    store_.EnsureYearFolder(year_);
    const Result<void> result = LoadRegionTemplate();
    Refresh();
    return result;
}

void HolidaysPage::ClickCalendarDay(int day) { SetDay(day); }

Result<void> HolidaysPage::OnPick(int index)
{
    SetSelected(index);
    const HolidayRow& row = rows_[static_cast<std::size_t>(index)];
    SetText("name", row.name);
    SetText("day", row.day);
    Enable("remove", true);
    return {};
}

Result<void> HolidaysPage::OnFieldSet(const std::string& field)
{
    if (field == "day") {
        SetDay(ParseInt(Text("day")));
    } else if (field == "region") {
        if (Text("region").empty() && !regions_.empty())
            SetText("region", regions_.front());
        const auto it = std::find(regions_.begin(), regions_.end(), Text("region"));
        regionIndex_ = it == regions_.end() ? -1 : static_cast<int>(it - regions_.begin());
        const Result<void> result = LoadRegionTemplate();
        Refresh();
        return result;
    }
    return {};
}

Result<void> HolidaysPage::OnFieldLeft(const std::string& field)
{
    if (field == "day") {
        const int day = ParseInt(Text("day"));
        if (day < 1 || day > DaysOfMonth())
            SetText("day", "01");
    }
    return {};
}

void HolidaysPage::ClearEdit()
{
    Enable("remove", false);
    SetText("name", {});
    SetText("day", "01");
    SetSelected(-1);
}

Result<void> HolidaysPage::WriteRows(std::vector<HolidayRow> rows)
{
    std::vector<std::string> lines = templateLines_;
    const auto path = store_.TemplatePath(year_, Text("region"));
    if (auto written = store_.WriteMonthHolidays(lines, rows, month_, path); !written)
        return FileError(written.error().message);
    templateLines_ = std::move(lines);
    rows_ = std::move(rows);
    return {};
}

Result<void> HolidaysPage::OnPress(const std::string& button)
{
    const std::string day = Text("day");
    std::vector<HolidayRow> rows = rows_;
    const auto sameDay = [&](const HolidayRow& row) { return row.day == day; };
    const auto it = std::find_if(rows.begin(), rows.end(), sameDay);
    if (button == "save") {
        const std::string& name = Text("name");
        if (Trim(name).empty()) {
            Focus("name");
            return Refuse("\"Holiday name\" is a required field.");
        }
        if (it == rows.end())
            rows.push_back({day, "-", name});
        else
            it->name = name;
    } else {
        SHIFTEX_ASSERT(button == "remove");
        if (it != rows.end())
            rows.erase(it);
    }
    if (Result<void> written = WriteRows(std::move(rows)); !written)
        return written;
    Refresh();
    ClearEdit();
    return {};
}

} // namespace shiftex
