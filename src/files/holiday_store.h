#pragma once

#include "model/holiday_lines.h"
#include "model/message_sink.h"
#include "model/result.h"
#include "model/schedule_sheet.h"

#include <filesystem>
#include <string>
#include <vector>

namespace shiftex {

struct HolidayRow {
    std::string day;  // two digits
    std::string dash = "-";
    std::string name;
    friend bool operator==(const HolidayRow&, const HolidayRow&) = default;
};

// The holiday templates below one program folder: a default folder with the installed regions,
// and one folder per year with copies that the user edits.
class HolidayStore {
public:
    HolidayStore(std::filesystem::path programFolder, MessageSink& messages);

    const std::filesystem::path& programFolder() const { return programFolder_; }
    std::filesystem::path DefaultFolder() const;
    std::filesystem::path YearFolder(const std::string& year) const;
    std::filesystem::path TemplatePath(const std::string& year, const std::string& region) const;
    std::filesystem::path CustomTemplatePath() const;

    // Creates the year folder from the defaults when it is missing. False when it could not be
    // created (the error has been shown).
    bool EnsureYearFolder(const std::string& year);
    Result<std::vector<std::string>> ListRegions(const std::string& year);
    Result<std::vector<std::string>> LoadTemplate(const std::string& year,
                                                  const std::string& region);
    // The template a schedule of `year` takes its holidays from: the year's copy of the region's
    // template, or while the year has none the region's default template. Nothing is created:
    // year folders are made by the holidays page, the region list and the write-back.
    std::filesystem::path ScheduleTemplatePath(const std::string& year,
                                               const std::string& region) const;
    Result<std::vector<std::string>> ReadScheduleTemplate(const std::string& year,
                                                          const std::string& region) const;
    Result<void> WriteMonthHolidays(std::vector<std::string>& templateLines,
                                    const std::vector<HolidayRow>& rows, const std::string& month,
                                    const std::filesystem::path& file);
    // Holiday lines for the years of the sheet's day columns, read as ReadScheduleTemplate
    // reads them.
    Result<std::vector<std::string>> BuildHolidayLines(const ScheduleSheet& sheet,
                                                       const std::string& region);
    Result<void> WriteBackHolidayLines(int firstYear, int lastYear, const std::string& region,
                                       const std::vector<std::string>& list);

private:
    std::filesystem::path programFolder_;
    MessageSink& messages_;
};

// "[04]" for "4" or "04"; ConversionError when the month is no number.
std::string MonthKey(const std::string& month);
std::vector<HolidayRow> ReadMonthHolidays(const std::vector<std::string>& templateLines,
                                          const std::string& month);
// Replaces the month's entries by the rows, in memory; used by WriteMonthHolidays.
void ReplaceMonthSection(std::vector<std::string>& templateLines,
                         const std::vector<HolidayRow>& rows, const std::string& month);
void MergeScheduleHolidays(std::vector<std::string>& templateLines,
                           const std::vector<std::string>& holidayDays,
                           const std::vector<std::string>& holidayNames, const std::string& month);

} // namespace shiftex
