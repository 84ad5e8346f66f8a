#pragma once

#include <QString>

namespace shiftex {

// The filter of the dialogs that open and save schedules.
QString ScheduleFileFilter();
// Where those dialogs start.
QString DocumentsFolder();

} // namespace shiftex
