#pragma once

#include "model/result.h"
#include "model/schedule_document.h"

#include <string>
#include <vector>

namespace shiftex {

// One working-type span of one line of a day cell, in local time. A span that ends at 24H00
// followed the next day by a span of the same code and department starting at 00H00 is one
// event across midnight; a span whose end lies before its start ends on the next day.
struct CalendarEvent {
    std::string uid;       // the same for the same employee, day, line and span in every export
    Date startDate;
    int startMinute = 0;   // 0 to 1439
    Date endDate;
    int endMinute = 0;     // 0 to 1439; midnight is minute 0 of the next day
    std::string code;
    std::string summary;   // the code, " - " and the working type's information when it has one
    std::string category;  // the department, empty when the line has none
    friend bool operator==(const CalendarEvent&, const CalendarEvent&) = default;
};

struct EmployeeCalendar {
    std::string employee;
    int row = 0;
    std::string fileName;  // safe to create in any folder, unique among the calendars
    std::vector<CalendarEvent> events;
};

// The calendars of the employee rows (all, or those named `onlyEmployee` when it is not empty),
// top to bottom. A date or a working type time that does not convert is a conversion error.
Result<std::vector<EmployeeCalendar>> ScheduleCalendars(const ScheduleDocument& document,
                                                        const std::string& onlyEmployee = {});

// An employee's name as a file name: path separators, control characters and the characters
// other systems refuse become "_", leading and trailing dots and blanks go, an empty result is
// "Employee"; at most 120 bytes.
std::string SafeFileStem(const std::string& name);

// The day after `date`.
Date NextDay(const Date& date);

} // namespace shiftex
