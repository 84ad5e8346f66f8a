// Writes the bundled example schedule: a ward of twelve over January 2027, in two departments,
// with shortages and excesses the summaries colour, a few comments and all four summaries shown.
#include "editing/schedule_session.h"
#include "files/schedule_file.h"
#include "files/schedule_loader.h"
#include "files/schedule_text.h"
#include "files/text_io.h"

#include <filesystem>
#include <iostream>
#include <string>
#include <vector>

using namespace shiftex;

namespace {

constexpr const char* kWardA = "$00B4E6B4";
constexpr const char* kWardB = "$00E6C8B4";

WorkingType Type(const char* code, const char* info, const char* from1, const char* til1,
                 const char* from2, const char* til2, int icon, int dayMin, int dayMax,
                 int employeeMax)
{
    WorkingType type = WorkingType::Create(code, info, from1, til1, from2, til2, icon);
    type.fields[field::DayMinColour] = "clred";
    type.fields[field::DayMinCount] = std::to_string(dayMin);
    type.fields[field::DayMaxColour] = "clfuchsia";
    type.fields[field::DayMaxCount] = std::to_string(dayMax);
    type.fields[field::EmployeeMinColour] = "clwhite";
    type.fields[field::EmployeeMinCount] = "0";
    type.fields[field::EmployeeMaxColour] = "$0080C0FF";
    type.fields[field::EmployeeMaxCount] = std::to_string(employeeMax);
    return type;
}

std::vector<std::string> ExampleText()
{
    constexpr int year = 2027, month = 1;
    ScheduleTextContent content;
    content.days = DaysInMonth(month, year);
    content.monthTitle = MonthTitle(month, year);
    for (int day = 1; day <= content.days; ++day)
        if (IsWeekend(day, month, year))
            content.weekendDays.push_back(std::to_string(day));
    content.weekendColour = "clyellow";
    content.holidayColour = "$00A8C8A6";
    content.workingTypes = {
        Type("E", "Early shift", "07H00", "15H00", "  H  ", "  H  ", 0, 2, 4, 7),
        Type("L", "Late shift", "14H30", "22H30", "  H  ", "  H  ", 1, 2, 3, 7),
        Type("N", "Night, into the next day", "00H00", "07H00", "22H00", "24H00", 2, 1, 2, 8),
        Type("D", "Day duty", "08H00", "16H30", "  H  ", "  H  ", 3, 0, 2, 8),
        Type("S", "Split shift", "07H00", "11H00", "16H00", "20H00", 4, 0, 1, 8),
        Type("T", "Training", "09H00", "13H00", "  H  ", "  H  ", 5, 0, 2, 8),
    };
    const char* names[] = {"Anna Peeters", "Bram Janssens", "Chloe Maes", "Daan Jacobs",
                           "Elise Willems", "Finn Claes", "Greet Goossens", "Hugo Wouters",
                           "Ines De Smet", "Jonas Dubois", "Katrien Mertens", "Lars Hermans"};
    // Each employee follows the ward's rotation from a different starting day: three early and
    // three late shifts, two nights, a training morning, and rest enough between them.
    const char* rotation[] = {"E", "E", "E", "L", "L", "L", "", "", "N", "N", "", "", "T", ""};
    constexpr int rotationLength = sizeof rotation / sizeof rotation[0];
    int k = 0;
    for (const char* name : names) {
        ScheduleTextContent::Employee employee{name, {}};
        for (int day = 1; day <= content.days; ++day)
            employee.cells.emplace_back(rotation[(day + 3 * k + 1) % rotationLength]);
        content.employees.push_back(std::move(employee));
        ++k;
    }
    // The month as planned, not as the rotation would have it: a weekend short of early
    // shifts, a late shift and a night nobody took, and day duties on free days that leave
    // their rest to the days around them.
    using Employee = ScheduleTextContent::Employee;
    const auto cell = [&content](Employee& employee, int day) -> std::string& {
        static std::string outside;  // the days before and after the month are free
        outside.clear();
        if (day < 1 || day > content.days)
            return outside;
        return employee.cells[static_cast<std::size_t>(day - 1)];
    };
    const auto change = [&](int day, const char* from, const char* to, int count, bool alone) {
        for (Employee& employee : content.employees) {
            const std::string& before = cell(employee, day - 1);
            const bool rested = before.empty() && cell(employee, day + 1) != "N";
            if (count > 0 && cell(employee, day) == from && (!alone || rested)) {
                cell(employee, day) = to;
                --count;
            }
        }
    };
    change(16, "E", "", 2, false);
    change(20, "", "E", 3, true);
    change(13, "L", "", 2, false);
    change(22, "N", "", 1, false);
    for (int day : {5, 12, 19, 26})
        change(day, "", "D", 1, true);
    // And what the working-time warnings point out: Anna swapped a late shift for an early
    // one the morning after another late one, and took a night before her training morning.
    content.employees[0].cells[16] = "E";
    content.employees[0].cells[23] = "N";
    content.customQueryLines = {"Day staff", "E", "D", "S", kEndThisAddition,
                                "Nights", "N", kEndThisAddition, kEndAllAdditions};
    content.queryThresholds = {{"Day staff", "clred", "2", "clfuchsia", "5"},
                               {"Nights", "clred", "1", "$0000A5FF", "2"}};
    content.fontName = "DejaVu Sans";
    content.fontColour = "clblue";
    content.region = "Belgium";
    content.departmentNames = {"Ward A", "Ward B"};
    content.departmentColours = {kDefaultMainDepartmentColour, kWardA, kWardB};
    return ComposeScheduleText(content);
}

ColourPicker Picks(const char* colour)
{
    return [colour](const std::vector<std::string>&) { return StringToColor(colour); };
}

// The finishing touches a planner gives the month: the two wards as group colours, a few
// comments, a bold cell, a custom query row for each query, every summary shown.
bool Finish(ScheduleSession& session)
{
    const ScheduleDocument& document = session.document();
    const int first = document.FirstEmployeeRow();
    const int day1 = document.FirstDayColumn();
    SheetEdits& edits = session.sheetEdits();
    bool ok = true;
    for (int row = first; row < first + 12; ++row)
        ok = edits.ChooseGroupColour(row, Picks(row < first + 6 ? kWardA : kWardB)) && ok;

    const auto comment = [&](int day, int employee, const char* text) {
        session.selections().SetCurrentCell(day1 + day - 1, first + employee);
        session.commentPanel().Open();
        ok = session.commentPanel().Apply(text) && ok;
    };
    comment(6, 1, "Swapped with Finn: dentist in the morning");
    comment(14, 4, "Training: new infusion pumps");
    comment(25, 9, "Asked for this night off; no replacement found yet");
    session.selections().SetCurrentCell(day1 + 20, first + 2);
    edits.ToggleBold();

    for (SummaryKind kind : {SummaryKind::CustomQuery, SummaryKind::EmployeesPerType,
                             SummaryKind::TypesPerDay, SummaryKind::WorkedHours})
        ok = session.summaryPanels().Show(kind) && ok;
    // The height the window gives the panel when it first shows it; each row adds to it.
    session.document().customQueryPanel.height = kDefaultQueryPanelHeight;
    const CustomQuerySummary& queries = session.summaries().customQuery();
    const int top = queries.headerRows();
    ok = session.summaryPanels().ChooseQuery(top, "Day staff") && ok;
    ok = session.summaryPanels().InsertQueryRow(queries.totalRow()) && ok;
    ok = session.summaryPanels().ChooseQuery(top + 1, "Nights") && ok;
    return ok;
}

} // namespace

int main(int argc, char** argv)
{
    if (argc != 2) {
        std::cerr << "usage: make-example OUT.sxt\n";
        return 2;
    }
    const std::string out = argv[1];
    const std::vector<std::string> lines = ExampleText();
    // The holidays of the example's year come from the data beside this program.
    const std::filesystem::path programFolder =
        std::filesystem::canonical("/proc/self/exe").parent_path();
    SilentMessageSink messages;
    Result<ScheduleDocument> loaded = LoadScheduleBytes(JoinLines(lines), programFolder, messages);
    if (!loaded) {
        std::cerr << loaded.error().message << '\n';
        return 1;
    }
    ScheduleSession session(std::move(*loaded), messages);
    if (!Finish(session)) {
        std::cerr << "make-example: a finishing step failed\n";
        return 1;
    }
    if (const auto saved = SaveSchedule(session.document(), out); !saved) {
        std::cerr << saved.error().message << '\n';
        return 1;
    }
    return 0;
}
