#include "platform/report_files.h"

#include "reports/print_commands.h"
#include "reports/table_export.h"

#include <libical/ical.h>

#include <QTimeZone>

#include <cstdlib>
#include <fstream>
#include <memory>

namespace shiftex {

namespace {

bool IsUtcName(const std::string& id)
{
    return id == "UTC" || id == "Etc/UTC" || id == "Etc/UCT" || id == "Etc/Universal" ||
           id == "Etc/Zulu" || id == "Universal" || id == "Zulu";
}

icaltimezone* FindZone(const std::string& id)
{
    if (id.empty())
        return nullptr;
    if (IsUtcName(id))
        return icaltimezone_get_utc_timezone();
    return icaltimezone_get_builtin_timezone(id.c_str());
}

struct ComponentDeleter {
    void operator()(icalcomponent* component) const { icalcomponent_free(component); }
};
using Component = std::unique_ptr<icalcomponent, ComponentDeleter>;

icaltimetype LocalTime(const Date& date, int minute, bool utc)
{
    icaltimetype time = icaltime_null_time();
    time.year = date.year;
    time.month = date.month;
    time.day = date.day;
    time.hour = minute / 60;
    time.minute = minute % 60;
    time.second = 0;
    time.is_date = 0;
    if (utc)
        time.zone = icaltimezone_get_utc_timezone();
    return time;
}

std::string Text(icalcomponent* component)
{
    char* text = icalcomponent_as_ical_string_r(component);
    std::string out = text != nullptr ? text : "";
    icalmemory_free_buffer(text);
    return out;
}

// A start or end time with the zone's TZID, in UTC, or floating.
void AddTime(icalcomponent* event, icalproperty* property, const std::string& tzid)
{
    if (!tzid.empty())
        icalproperty_add_parameter(property, icalparameter_new_tzid(tzid.c_str()));
    icalcomponent_add_property(event, property);
}

} // namespace

CalendarZone SystemCalendarZone()
{
    return {QTimeZone::systemTimeZoneId().toStdString()};
}

bool KnownCalendarZone(const std::string& id)
{
    return FindZone(id) != nullptr;
}

std::string CalendarText(const EmployeeCalendar& calendar, const CalendarZone& zone)
{
    icaltimezone* timeZone = FindZone(zone.id);
    const bool utc = timeZone != nullptr && timeZone == icaltimezone_get_utc_timezone();
    // Events name the zone by the system's own name, and the calendar carries its definition.
    const std::string tzid = timeZone != nullptr && !utc ? zone.id : std::string();

    Component root(icalcomponent_new_vcalendar());
    icalcomponent* vcalendar = root.get();
    icalcomponent_add_property(vcalendar, icalproperty_new_version("2.0"));
    const std::string product = std::string("-//Shiftex//Shiftex ") + kVersionText + "//EN";
    icalcomponent_add_property(vcalendar, icalproperty_new_prodid(product.c_str()));
    icalcomponent_add_property(vcalendar, icalproperty_new_calscale("GREGORIAN"));
    const std::string name = ValidUtf8(calendar.employee);
    icalproperty* calendarName = icalproperty_new_x(name.c_str());
    icalproperty_set_x_name(calendarName, "X-WR-CALNAME");
    icalcomponent_add_property(vcalendar, calendarName);
    if (!tzid.empty()) {
        icalcomponent* definition = icalcomponent_new_clone(icaltimezone_get_component(timeZone));
        if (icalproperty* id = icalcomponent_get_first_property(definition, ICAL_TZID_PROPERTY))
            icalproperty_set_tzid(id, tzid.c_str());
        icalcomponent_add_component(vcalendar, definition);
    }

    // Each event is built, written and freed in turn: a year of events as one component tree
    // would be written into one growing text, which costs more than the events themselves.
    const std::string shell = Text(vcalendar);
    constexpr std::string_view trailer = "END:VCALENDAR\r\n";
    SHIFTEX_ASSERT(shell.ends_with(trailer));
    std::string out = shell.substr(0, shell.size() - trailer.size());
    out.reserve(shell.size() + calendar.events.size() * 220);
    const icaltimetype stamp = icaltime_current_time_with_zone(icaltimezone_get_utc_timezone());
    for (const CalendarEvent& event : calendar.events) {
        Component vevent(icalcomponent_new_vevent());
        icalcomponent_add_property(vevent.get(), icalproperty_new_uid(event.uid.c_str()));
        icalcomponent_add_property(vevent.get(), icalproperty_new_dtstamp(stamp));
        AddTime(vevent.get(),
                icalproperty_new_dtstart(LocalTime(event.startDate, event.startMinute, utc)),
                tzid);
        AddTime(vevent.get(),
                icalproperty_new_dtend(LocalTime(event.endDate, event.endMinute, utc)), tzid);
        icalcomponent_add_property(vevent.get(),
                                   icalproperty_new_summary(ValidUtf8(event.summary).c_str()));
        if (!event.category.empty())
            icalcomponent_add_property(
                vevent.get(), icalproperty_new_categories(ValidUtf8(event.category).c_str()));
        out += Text(vevent.get());
    }
    out += trailer;
    return out;
}

Result<void> WriteCalendars(const std::vector<EmployeeCalendar>& calendars,
                            const std::filesystem::path& folder, const CalendarZone& zone)
{
    // Each file complete or not there; no file is forced to the disk on its own, which for
    // five hundred calendars would take seconds and guard nothing that cannot be written again.
    for (const EmployeeCalendar& calendar : calendars) {
        const std::string text = CalendarText(calendar, zone);
        const Result<void> written = WriteThroughTemporary(
            folder / calendar.fileName, [&](const std::filesystem::path& temporary) {
                std::ofstream out(temporary, std::ios::binary | std::ios::trunc);
                out.write(text.data(), static_cast<std::streamsize>(text.size()));
                out.close();
                return !out.fail();
            });
        if (!written)
            return written;
    }
    return {};
}

} // namespace shiftex
