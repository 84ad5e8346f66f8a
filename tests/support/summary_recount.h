#pragma once

#include "editing/schedule_session.h"

#include <gtest/gtest.h>

namespace shiftex::test {

// Each shown summary of the session against the same summary counted alone, from nothing, on a
// copy of the session's document (after RecomputeSummaries, so with the whole sheet for the
// worked hours). A summary that meets a conversion error stops at the same place in both.
inline void ExpectEachSummaryRecounted(const ScheduleSession& session)
{
    const SummarySet& shown = session.summaries();
    for (SummaryKind kind : {SummaryKind::WorkedHours, SummaryKind::TypesPerDay,
                             SummaryKind::EmployeesPerType, SummaryKind::CustomQuery}) {
        if (!shown.IsShown(kind))
            continue;
        ScheduleDocument copy = session.document();
        copy.workedHoursPanelVisible = copy.typesDaysPanelVisible =
            copy.employeeTypesPanelVisible = copy.customQueryPanel.visible = false;
        switch (kind) {
        case SummaryKind::WorkedHours: copy.workedHoursPanelVisible = true; break;
        case SummaryKind::TypesPerDay: copy.typesDaysPanelVisible = true; break;
        case SummaryKind::EmployeesPerType: copy.employeeTypesPanelVisible = true; break;
        case SummaryKind::CustomQuery: copy.customQueryPanel.visible = true; break;
        }
        SummarySet fresh(copy);
        fresh.employeesPerType().scope = shown.employeesPerType().scope;
        try {
            fresh.RecomputeSummaries();
        } catch (const ConversionError&) {
        }
        const auto grid = [kind](const SummarySet& set) -> const SummaryGrid& {
            switch (kind) {
            case SummaryKind::WorkedHours: return set.workedHours().grid();
            case SummaryKind::TypesPerDay: return set.typesPerDay().grid();
            case SummaryKind::EmployeesPerType: return set.employeesPerType().grid();
            case SummaryKind::CustomQuery: break;
            }
            return set.customQuery().grid();
        };
        EXPECT_EQ(grid(shown), grid(fresh)) << "summary " << static_cast<int>(kind);
    }
}

} // namespace shiftex::test
