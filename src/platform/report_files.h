#pragma once

#include "model/result.h"
#include "model/schedule_sheet.h"
#include "reports/calendar_events.h"

#include <filesystem>
#include <functional>
#include <string>
#include <string_view>

namespace shiftex {

// "Cannot Create file " and the file's name: how every writer here reports a failure.
Error CannotCreateFile(const std::filesystem::path& path);

// Runs `write` on a temporary file beside `path` and renames it over `path` when it succeeds, so
// that `path` is either untouched or complete. A failed write leaves no temporary file behind.
Result<void> WriteThroughTemporary(const std::filesystem::path& path,
                                   const std::function<bool(const std::filesystem::path&)>& write);
Result<void> WriteBytes(const std::filesystem::path& path, std::string_view bytes);

// A spreadsheet (.xlsx): values, fills, font colours, bold, alignment, merged titles, column
// widths, the header rows and name columns frozen.
Result<void> WriteXlsx(const ScheduleSheet& grid, const std::filesystem::path& path);
// A word processor document (.odt): the grid as one table with its colours.
Result<void> WriteOdt(const ScheduleSheet& grid, const std::filesystem::path& path);

// --- calendars ---
// The time zone the events are written in: an IANA name such as "Europe/Brussels". Empty or
// unknown to the calendar library: the events carry floating local times.
struct CalendarZone {
    std::string id;
};
// The system's time zone.
CalendarZone SystemCalendarZone();
// Whether the calendar library knows the zone (UTC included).
bool KnownCalendarZone(const std::string& id);
// One employee's events as an iCalendar object (RFC 5545), with the zone's VTIMEZONE.
std::string CalendarText(const EmployeeCalendar& calendar, const CalendarZone& zone);
// Every calendar as its own file in `folder`; stops at the first file that cannot be created.
Result<void> WriteCalendars(const std::vector<EmployeeCalendar>& calendars,
                            const std::filesystem::path& folder, const CalendarZone& zone);

} // namespace shiftex
