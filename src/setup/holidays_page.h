#pragma once

#include "files/holiday_store.h"
#include "setup/setup_page.h"

#include <string>
#include <vector>

namespace shiftex {

// What the month calendar of the holidays page shows.
struct HolidayCalendar {
    int year = 0;
    int month = 0;
    std::vector<int> bold;  // the holiday days of the month, ascending
};

// The holidays of one region's template for the month the calendar shows. Fields "name", "day"
// (two digits; only the spin buttons and the calendar change it) and "region" (a listed region);
// buttons "save" and "remove". Every change is written to the region's template file of the
// shown year at once.
class HolidaysPage final : public SetupPage {
public:
    explicit HolidaysPage(HolidayStore& store);

    // What Enter chooses when the year lists no such region: nothing (the new-schedule wizard),
    // or the first listed region (the options dialog).
    enum class MissingRegion { ChooseNone, ChooseFirst };

    // Shows the month of the year with the region's holidays: the region list of the year is
    // opened and the region matching `region` (letter case ignored) is chosen; the region box
    // keeps `region` as it is written.
    Result<void> Enter(const std::string& year, const std::string& month,
                       const std::string& region,
                       MissingRegion missing = MissingRegion::ChooseNone);

    std::vector<std::vector<std::string>> ListEntries() const override;
    const std::vector<HolidayRow>& rows() const { return rows_; }
    bool CanHold(std::string_view field, std::string_view text) const override;

    // The year and month the calendar was last moved to (month without a leading zero).
    const std::string& year() const { return year_; }
    const std::string& month() const { return month_; }
    const HolidayCalendar& calendar() const { return calendar_; }
    // The regions of the region box, and the chosen one (-1 for none).
    const std::vector<std::string>& regions() const { return regions_; }
    int regionIndex() const { return regionIndex_; }

    // The calendar was moved to another month.
    Result<void> MoveCalendar(int year, int month);
    // A day of the calendar was clicked.
    void ClickCalendarDay(int day);
    // The region box opens its list: the regions of the shown year.
    Result<void> OpenRegionList();

private:
    Result<void> OnPick(int index) override;
    Result<void> OnFieldSet(const std::string& field) override;
    Result<void> OnFieldLeft(const std::string& field) override;
    Result<void> OnPress(const std::string& button) override;
    // The listed region of that name, letter case ignored; -1 when there is none.
    int IndexOfRegion(const std::string& region) const;
    int DaysOfMonth() const;
    void SetDay(int day);
    // The list of the shown month from the chosen region's template of the shown year.
    Result<void> LoadRegionTemplate();
    // Shows the month in the calendar with the listed days bold; the day field back to "01".
    void Refresh();
    // The rows written to the region's template file; nothing changes when the write fails.
    Result<void> WriteRows(std::vector<HolidayRow> rows);
    void ClearEdit();

    HolidayStore& store_;
    std::string year_;
    std::string month_;
    std::vector<std::string> templateLines_;
    std::vector<HolidayRow> rows_;
    std::vector<std::string> regions_;
    int regionIndex_ = -1;
    HolidayCalendar calendar_;
};

} // namespace shiftex
