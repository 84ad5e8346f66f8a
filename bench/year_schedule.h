#pragma once

// The year's schedule the editing benchmarks work on: 500 employees over 365 days, a code in
// every day cell, thresholds that colour some counts, three custom query rows.
#include "../tests/support/sample_schedule.h"
#include "editing/schedule_session.h"

#include <memory>
#include <string>
#include <vector>

namespace shiftex::bench {

inline constexpr int kEmployees = 500;
inline constexpr int kDays = 365;

class QuietSink final : public MessageSink {
public:
    void Information(const std::string&) override {}
    void Error(const std::string& text) override { errors.push_back(text); }
    Answer Question(const std::string&, QuestionButtons) override { return Answer::Yes; }
    std::vector<std::string> errors;
};

inline ScheduleDocument YearSchedule()
{
    test::SampleOptions options;
    options.employees = kEmployees;
    options.days = kDays;
    options.types.push_back(
        WorkingType::Create("D", "Day", "09H00", "13H00", "13H30", "17H30", 3));
    for (WorkingType& type : options.types) {
        type.fields[field::DayMinColour] = "clRed";
        type.fields[field::DayMinCount] = "100";
        type.fields[field::DayMaxColour] = "clYellow";
        type.fields[field::DayMaxCount] = "140";
        type.fields[field::EmployeeMinColour] = "clRed";
        type.fields[field::EmployeeMinCount] = "80";
        type.fields[field::EmployeeMaxColour] = "clYellow";
        type.fields[field::EmployeeMaxCount] = "100";
    }
    ScheduleDocument document = test::MakeSchedule(options);
    ScheduleSheet& sheet = document.sheet;
    const char* codes[] = {"E", "L", "N", "D"};
    for (int r = sheet.fixedRows; r < sheet.rowCount(); ++r) {
        if (r % 7 == 0)
            sheet.SetBrushColor(0, r, 0x000000FF);
        for (int c = 2; c < sheet.colCount(); ++c)
            sheet.SetText(c, r, codes[(r * 7 + c * 3) % 4]);
    }
    CentreDayCells(sheet);
    document.customQueryLines = {"Early", "E", "D", kEndThisAddition, "Late", "L",
                                 kEndThisAddition, "Night", "N", kEndThisAddition,
                                 kEndAllAdditions};
    document.customQueryNames = {"Early", "Late", "Night"};
    document.queryThresholds = {{"Early", "clRed", "200", "clYellow", "260"},
                                {"Late", "clRed", "10", "clYellow", "20"},
                                {"Night", "clRed", "100", "clYellow", "140"}};
    document.customQueryPanel.rows = {{"Early", ""}, {"Late", "clRed"}, {"Night", ""}};
    document.customQueryPanel.height = 107;
    return document;
}

inline std::unique_ptr<ScheduleSession> ShownSession(QuietSink& sink, ScheduleDocument document)
{
    auto session = std::make_unique<ScheduleSession>(std::move(document), sink);
    for (SummaryKind kind : {SummaryKind::CustomQuery, SummaryKind::EmployeesPerType,
                             SummaryKind::TypesPerDay, SummaryKind::WorkedHours})
        session->summaryPanels().Show(kind);
    return session;
}

} // namespace shiftex::bench
