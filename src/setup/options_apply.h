#pragma once

#include "editing/schedule_session.h"
#include "files/holiday_store.h"
#include "model/message_sink.h"
#include "model/sheet_layout.h"
#include "setup/options_working_copy.h"

namespace shiftex {

// The options dialog's copy written back into the schedule of `session` when the dialog closes,
// up to the program's backup settings, in this order: working types (codes that are gone leave
// every cell), employees (new names appended as rows from the last to the first, rows of names
// that are gone deleted), font and colours, the holiday lines built again from the templates,
// departments (the department view switched off when none remain, sub-columns added and removed
// while it is shown, department lines of removed departments taken out of the cells otherwise),
// custom queries and their thresholds. Errors met on the way are shown; what could be applied
// is applied.
void ApplyOptionsToSchedule(ScheduleSession& session, const OptionsWorkingCopy& copy,
                            HolidayStore& holidays, MessageSink& messages);

// The end of the options dialog's close: the schedule marked modified, the custom query rows of
// queries that are gone removed, every shown summary counted again, and the day cells coloured
// again from the weekend days and the holiday lines. A conversion error met while counting is
// shown; every summary is still counted.
void BringScheduleInLine(ScheduleSession& session, MessageSink& messages,
                         const TextMetrics& metrics);

} // namespace shiftex
